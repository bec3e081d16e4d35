#pragma once
#include "widgets/TVrBevel.h"
#include "widgets/TVrCustomImageControl.h"
#include <QImage>
#include <array>

enum TVrButtonType { btPower, btPlay, btPause, btStop, btPrev, btBack, btStep, btNext, btRecord, btEject };
// Set of buttons: bit n stands for button n.
using TVrButtonSet = quint16;
constexpr TVrButtonSet VrAllButtons = 0x3FF;
constexpr TVrButtonSet VrButtons(std::initializer_list<TVrButtonType> buttons)
{
    TVrButtonSet s = 0;
    for (TVrButtonType b : buttons) s |= TVrButtonSet(1u << b);
    return s;
}

// A bar of up to ten media push buttons in a row or column inside a bevel. Each button
// shows a glyph from the strip bitmaps, has a gradient face and a 3-D frame, and reports
// its click through OnButtonClick.
class TVrNavigator : public TVrCustomImageControl {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 10;
    explicit TVrNavigator(QWidget *parent = nullptr);

    TVrBevel &Bevel() { return FBevel; }
    void SetBevel(const TVrBevel &value) { FBevel.Assign(value); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TVrButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TVrButtonSet value);
    TVrButtonSet EnabledButtons() const { return FEnabledButtons; }
    void SetEnabledButtons(TVrButtonSet value);
    TVrOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TVrOrientation value);
    bool Numeric() const { return FNumeric; }
    void SetNumeric(bool value);

    void Loaded() override;
    // Raises OnButtonClick for `button`.
    virtual void Click(TVrButtonType button);

    // Geometry and press state as of the last layout.
    TVrRect ButtonArea() const { return FButtonArea; }
    int ButtonWidth() const { return FButtonWidth; }
    int ButtonHeight() const { return FButtonHeight; }
    TVrRect ButtonRect(int k) const;
    // Position of button k among the visible buttons, -1 when hidden.
    int VisibleOrdinal(int k) const;
    bool ButtonVisible(int k) const { return k >= 0 && k < ButtonCount && FButtonVisible[k]; }
    bool ButtonEnabled(int k) const { return k >= 0 && k < ButtonCount && FButtonEnabled[k]; }
    int FocusIndex() const { return FFocusIndex; }
    int PressedIndex() const { return FPressedIndex; }
    bool Down() const { return FDown; }
    bool Tracking() const { return FTracking; }

    // Name of a button for assistive technology (each button is exposed as a push button).
    QString ButtonName(int k) const;
    void SetButtonName(TVrButtonType button, const QString &name);

    std::function<void(QObject *Sender, TVrButtonType Button)> OnButtonClick;

protected:
    void Paint(QPainter &canvas) override;
    void DrawButton(QPainter &canvas, int k);
    void ChangeFocus(int k);
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int VisibleCount() const;
    // Computes ButtonArea and the button size; with `trim`, fits the control to whole buttons.
    void Layout(bool trim);
    void LoadGlyphs();
    void RefreshFlags();
    void RedrawButton(int k);
    void PressAt(QPoint pos);
    void BevelChanged();

    TVrBevel FBevel;
    int FSpacing = 1;
    TColor FFocusColor = clBlue;
    TColor FBorderColor = clBlack;
    TVrButtonSet FVisibleButtons = VrAllButtons;
    TVrButtonSet FEnabledButtons = VrAllButtons;
    TVrOrientation FOrientation = voHorizontal;
    bool FNumeric = false;

    std::array<bool, ButtonCount> FButtonVisible{};
    std::array<bool, ButtonCount> FButtonEnabled{};
    TVrRect FButtonArea;
    int FButtonWidth = 0;
    int FButtonHeight = 0;
    int FFocusIndex = 0;
    int FPressedIndex = 0;
    bool FDown = false;
    bool FTracking = false;
    bool FSettled = false;
    std::array<QString, ButtonCount> FButtonNames;
    QImage FEnabledGlyphs;
    QImage FDisabledGlyphs;
    QImage FButtonBuffer;
};
