#pragma once
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include "skin/TsuiTitleBar.h"
#include "skin/TsuiWindowDrag.h"
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

// The border style a window was designed with, kept by the skinned frame after it has
// removed the window system's frame. Only the sizeable styles can be resized by the edges.
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// The skinned frame of a top-level window. Created with the window as its parent, it
// takes the window over: the window becomes frameless, gets a drawn border and a
// TsuiTitleBar, and everything the window already holds (its layout and its child
// widgets) moves into this panel; a layout is kept below the title bar, widgets keep
// their places. The window keeps its size (it is designed with its frame: the panel's
// size plus the border), and a window of fixed size stays fixed. So in a window's constructor,
// after the window's own controls exist:
//
//   auto *frame = new TsuiForm(this, TFormBorderStyle::bsDialog);      // the window's designed border style
//   frame->TitleBar()->Buttons()->Items(1)->...;       // adjust buttons or sections if needed
//   frame->OnTitleBarCustomBtnsClick = [this](TsuiTitleBar *, int index) { ... };
//
// Controls created later go into the frame: parent them to it, or give it a layout
// (its contents margins keep the layout below the title bar). The window's size is the
// panel's size plus the border: SetWidth(384) and SetHeight(361) make a 386x362 window.
//
// Moving the window by its title bar and sizing it from its border and the title bar's
// top rows (sizeable border styles only, never a window of fixed size) are requested
// from the window system; where it cannot do them (no window manager) the window
// follows the mouse by itself.
class TsuiForm : public QWidget, public TsuiStyledControl {
    Q_OBJECT
    // First, so the event references below can bind to the title bar's events.
    QWidget *FHost;
    bool FHostFixedSize;  // the window had a fixed size before the title bar set its minimum
    // Before the title bar too: its theme sets the minimum width while it is made.
    int FThemeMinimumWidth = 125;
    QSize FContentsMinimum;
    bool FMinimumApplies = false;  // set once every member is made
    TsuiTitleBar *FTitleBar;

public:
    explicit TsuiForm(QWidget *host, TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable);
    ~TsuiForm() override;

    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override;
    bool UIStyleAutoUpdateSub() const { return FUIStyleAutoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { FUIStyleAutoUpdateSub = value; }

    QColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor &color);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    QColor Color() const { return FColor; }
    void SetColor(const QColor &color);

    // The title bar's caption; setting it also sets the window's title.
    QString Caption() const;
    void SetCaption(const QString &caption);
    bool TitleBarVisible() const { return FTitleBarVisible; }
    void SetTitleBarVisible(bool visible);
    bool TitleBarCustom() const { return FTitleBar->Custom(); }
    void SetTitleBarCustom(bool custom) { FTitleBar->SetCustom(custom); }
    TsuiTitleBarButtons *TitleBarButtons() const { return FTitleBar->Buttons(); }
    void SetTitleBarButtons(const TsuiTitleBarButtons &buttons) { FTitleBar->Buttons()->Assign(buttons); }
    TsuiTitleBarSections *TitleBarSections() const { return FTitleBar->Sections(); }
    void SetTitleBarSections(const TsuiTitleBarSections &sections) { FTitleBar->Sections()->Assign(sections); }
    bool TitleBarDrawAppIcon() const { return FTitleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool draw) { FTitleBar->SetDrawAppIcon(draw); }
    // The title font.
    QFont Font() const { return FTitleBar->Font(); }
    void SetFont(const QFont &font) { FTitleBar->SetFont(font); }
    int RoundCorner() const { return FTitleBar->RoundCorner(); }
    void SetRoundCorner(int radius) { FTitleBar->SetRoundCorner(radius); }
    QColor MenuBarColor() const { return FMenuBarColor; }
    int MenuBarHeight() const { return FMenuBarHeight; }

    // The panel's size; setting it sizes the window around it.
    int Width() const { return width(); }
    void SetWidth(int width);
    int Height() const { return height(); }
    void SetHeight(int height);
    QString Version() const { return QStringLiteral("4.30"); }
    void SetVersion(const QString &) {}

    // A panel that fills the client area (not this frame itself).
    QWidget *FormPanel() const { return FFormPanel; }
    void SetFormPanel(QWidget *panel);

    TsuiTitleBar *TitleBar() const { return FTitleBar; }
    QWidget *Host() const { return FHost; }
    TFormBorderStyle SavedBorderStyle() const { return FSavedBorderStyle; }
    // The theme's minimum width for the window; a window of fixed size keeps its size.
    void SetHostMinimumWidth(int width);
    // The least room the window's contents need: the window is never sized below it plus
    // the border and title bar, nor below the theme's minimum width.
    void SetContentsMinimumSize(const QSize &size);
    QRect RestoreRect() const { return FRestoreRect; }

    // The title bar's events.
    std::function<void(TsuiTitleBar *sender, int buttonIndex)> &OnTitleBarCustomBtnsClick;
    std::function<void(TsuiTitleBar *sender, int buttonIndex)> &OnTitleBarHelpBtnClick;

    // True when the window can be sized by its edges: a sizeable saved border style, not
    // maximised and not of fixed size.
    bool Sizeable() const;
    // The edges a press at a window point sizes: 5-pixel bands, reached only on the border
    // strips and on the title bar's top rows (none unless Sizeable).
    Qt::Edges SizingEdges(const QPoint &hostPoint) const;
    // Places the panel inside the window per the border and the title bar.
    void LayoutPanel();
    // The frame whose hook answers Alt+Space for the whole application (the first created):
    // it opens the system menu of the active skinned window.
    static TsuiForm *HookOwner();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AdoptHostContents();
    void ApplyHostMinimum();
    void LayoutTitleBar();
    void PaintBorder();
    void HostSizeChanged();
    void HostStateChanged(Qt::WindowStates oldState);
    void WatchWindow();
    bool WindowMouseEvent(QEvent *event);
    void SetSizeCursor(Qt::Edges edges);
    bool ApplicationKey(QEvent *event);
    void FileThemeDestroyed();

    TFormBorderStyle FSavedBorderStyle;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> FFileTheme;
    QMetaObject::Connection FFileThemeConnection;
    bool FUIStyleAutoUpdateSub = false;
    QColor FBorderColor = QColor(0, 0, 0);
    int FBorderWidth = 1;
    QColor FColor = QColor(232, 232, 232);
    QPixmap FTile;
    QColor FMenuBarColor;
    int FMenuBarHeight = 22;
    bool FTitleBarVisible = true;
    QPointer<QWidget> FFormPanel;
    QRect FRestoreRect;
    QRect FNormalRect;  // bounds before the last maximise
    bool FCreatedMaximized = false;
    QPointer<QWindow> FWatchedWindow;
    TsuiWindowDrag FSizeDrag;
    bool FSizeCursorSet = false;
    bool FInSizeChange = false;
};
