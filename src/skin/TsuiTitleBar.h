#pragma once
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include "skin/TsuiTitleBarButtons.h"
#include "skin/TsuiTitleBarSections.h"
#include "skin/TsuiWindowDrag.h"
#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>

class TsuiForm;
class TsuiTitleBarPopupMenu;

// The drawn title bar of a skinned window: picture sections, a row of buttons laid out
// from the right, an optional control box on the left, the caption between them, and
// its own system menu. Pressing beside the buttons drags the window; a release on a
// button runs its action and reports custom and help buttons by their index.
class TsuiTitleBar : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit TsuiTitleBar(QWidget *parent = nullptr);
    ~TsuiTitleBar() override;

    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override;

    // A custom bar keeps its sections and buttons when the style changes.
    bool Custom() const { return FCustom; }
    void SetCustom(bool custom) { FCustom = custom; }
    // The bar's height follows its first section's picture.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

    TsuiTitleBarSections *Sections() { return &FSections; }
    TsuiTitleBarButtons *Buttons() { return &FButtons; }

    int ButtonInterval() const { return FButtonInterval; }
    void SetButtonInterval(int interval);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    // The caption font; its colour is FontColor.
    QFont Font() const { return font(); }
    void SetFont(const QFont &font);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor &color);
    bool FormActive() const { return FFormActive; }
    void SetFormActive(bool active);
    int LeftBtnXOffset() const { return FLeftBtnXOffset; }
    void SetLeftBtnXOffset(int offset);
    int RightBtnXOffset() const { return FRightBtnXOffset; }
    void SetRightBtnXOffset(int offset);
    bool DrawAppIcon() const { return FDrawAppIcon; }
    void SetDrawAppIcon(bool draw);
    int RoundCorner() const { return FRoundCorner; }
    void SetRoundCorner(int radius);

    std::function<void(TsuiTitleBar *sender, int buttonIndex)> OnCustomBtnsClick;
    std::function<void(TsuiTitleBar *sender, int buttonIndex)> OnHelpBtnClick;
    std::function<void(TsuiTitleBar *sender)> OnDblClick;

    TsuiTitleBarPopupMenu *SystemMenu() const { return FSystemMenu; }
    // The window the bar acts on, and the skinned frame holding the bar (or null).
    QWidget *Host() const { return window(); }
    TsuiForm *Form() const;

    // Shapes the host window: a rectangle with rounded top corners (nothing for 0).
    void ApplyRegion(int radius);
    // Gives maximise buttons the restore pictures while the host is maximised.
    void RefreshMaxRestoreGlyphs();
    // Opens the system menu at the bar's bottom-left corner (or at a screen point).
    void ShowSystemMenu();
    void ShowSystemMenu(const QPoint &screenPoint);

    // Layout as the next paint draws it, for a cursor at the given bar point.
    struct TLayout {
        std::vector<QRect> ButtonRects;   // per button index; empty for buttons not drawn
        int ControlBox = -1;              // index of the visible control box
        int CaptionLeft = 0;              // C: where the caption starts
        int ButtonsLeft = 0;              // X: left edge of the leftmost right-side button
        QString ShownCaption;             // the caption as drawn, shortened with "..."
        QPoint CaptionPos;                // top-left of the caption text
    };
    TLayout Layout() const;
    // The button under a bar point (edges included), or -1.
    int ButtonAt(const QPoint &point) const;
    int HotIndex() const { return FHotIndex; }
    bool Pressed() const { return FPressed; }
    int ButtonStripHeight() const { return FButtonStripHeight; }
    int CaptionOffset() const { return FCaptionOffset; }
    QColor OutlineColor() const { return FOutlineColor; }
    // True while a window drag runs without the window system's help.
    bool Dragging() const { return FDrag.Active(); }
    // True once a press beside the buttons has armed a drag (until release).
    bool DragArmed() const { return FDragArmed; }

protected:
    void paintEvent(QPaintEvent *event) override;
    virtual void DrawSections(QPainter &target);
    virtual void DrawButtons(QPainter &target);
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void FileThemeDestroyed();
    void Changed();
    QRect ButtonHitRect(const QRect &pictureRect) const;

    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> FFileTheme;
    QMetaObject::Connection FFileThemeConnection;
    bool FColorLock = false;
    bool FCustom = false;
    bool FAutoSize = false;
    TsuiTitleBarSections FSections;
    TsuiTitleBarButtons FButtons;
    int FButtonInterval = 0;
    QString FCaption;
    QColor FFontColor = QColor(255, 255, 255);
    bool FFormActive = true;
    int FLeftBtnXOffset = 0;
    int FRightBtnXOffset = 0;
    bool FDrawAppIcon = false;
    int FRoundCorner = 0;
    QColor FOutlineColor = QColor(0, 0, 0);
    int FButtonStripHeight = 19;
    int FCaptionOffset = 2;
    TsuiTitleBarPopupMenu *FSystemMenu = nullptr;

    bool FPressed = false;
    int FHotIndex = -1;
    bool FCursorInside = false;
    QPoint FCursor;
    bool FDragArmed = false;
    QPoint FPressGlobal;
    TsuiWindowDrag FDrag;
};
