#pragma once
#include "skin/TsuiStyledControl.h"
#include <QColor>
#include <QWidget>
#include <functional>

enum TsuiCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box whose glyph is a frame of the theme's check box strip (four frames:
// checked, unchecked, and their disabled forms). OnClick fires on every change of
// Checked, by the user or by the program; grayed is never shown.
class TsuiCheckBox : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit TsuiCheckBox(QWidget *parent = nullptr);

    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    TsuiCheckBoxState State() const { return FChecked ? cbChecked : cbUnchecked; }
    void SetState(TsuiCheckBoxState state) { SetChecked(state == cbChecked); }

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    // The fill colour; invalid (the default) means the parent's background colour.
    QColor Color() const { return FColor; }
    void SetColor(const QColor &color);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled);

    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override;

    // While loading, changes of Checked fire no OnClick.
    void SetLoading(bool loading) { FLoading = loading; }

    // Takes the focus when it can, then toggles (what a mouse click or the accelerator does).
    void Click();

    std::function<void(QObject *sender)> OnClick;

    // The glyph frame for the current state, as painted (loaded from the theme each time).
    QPixmap Glyph() const;
    // The size AutoSize gives: the glyph and the caption with their margins.
    QSize AutoSizeExtent() const;

    // What layouts give the box: its automatic size, or the size it was given.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The variable parts of the check box and the radio button.
    virtual bool HasFocusFrame() const;
    virtual bool GlyphTransparent() const { return false; }
    virtual int GlyphEntry() const { return TsuiEntry::CheckBoxImage; }
    virtual void Changed();
    virtual void BeforeToggle() {}
    virtual void Toggle() { SetChecked(!FChecked); }
    virtual bool KeyToggles() const { return true; }

    bool Loading() const { return FLoading; }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void ApplyAutoSize();
    void UpdateShortcut();

    bool FChecked = false;
    QString FCaption;
    bool FAutoSize = true;
    bool FTransparent = false;
    QColor FColor;
    bool FTabStop = true;
    bool FLoading = false;
    bool FMouseDown = false;
    int FShortcutId = 0;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme *FFileTheme = nullptr;
    QMetaObject::Connection FFileThemeWatch;
};
