#include "skin/TsuiForm.h"
#include "app/KetabApplication.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiThemes.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {
constexpr int SizingBand = 5;
constexpr int BaseMinimumHeight = 50;
TsuiForm *HookOwnerForm = nullptr;
} // namespace

TsuiForm::TsuiForm(QWidget *host, TFormBorderStyle borderStyle)
    : QWidget(host), FHost(host), FHostFixedSize(host && host->minimumSize() == host->maximumSize()),
      FTitleBar(new TsuiTitleBar(this)),
      OnTitleBarCustomBtnsClick(FTitleBar->OnCustomBtnsClick),
      OnTitleBarHelpBtnClick(FTitleBar->OnHelpBtnClick), FSavedBorderStyle(borderStyle)
{
    if (!host) throw EKetabError(tr("TsuiForm needs a window"));
    for (QObject *child : host->children()) {
        if (child != this && qobject_cast<TsuiForm *>(child))
            throw EKetabError(QStringLiteral("Sorry, You can create only one TsuiForm component in one form!"));
    }
    setObjectName(QStringLiteral("suiForm"));
    setAccessibleName(QStringLiteral("قاب پنجره"));
    setAttribute(Qt::WA_OpaquePaintEvent);

    FThemeMinimumWidth = 125;
    FMinimumApplies = true;
    ApplyHostMinimum();
    FRestoreRect = host->geometry();
    FCreatedMaximized = host->windowState() & Qt::WindowMaximized;
    FMenuBarColor = FColor;
    FMenuBarHeight = 22;
    FTitleBar->installEventFilter(this);
    SetUIStyle(TsuiUIStyle::DeepBlue);
    FUIStyleAutoUpdateSub = false;

    SetCaption(host->windowTitle());
    FTitleBar->show();

    // The window system's frame goes; the border and title bar are drawn here. Hints that
    // ask for a title or frame buttons would make some desktops draw their frame anyway.
    const bool wasVisible = host->isVisible();
    const Qt::WindowFlags decorations = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint |
        Qt::WindowShadeButtonHint;
    host->setWindowFlags((host->windowFlags() & ~decorations) | Qt::FramelessWindowHint);
    if (wasVisible) host->show();
    host->installEventFilter(this);
    if (!HookOwnerForm) {
        HookOwnerForm = this;
        qApp->installEventFilter(this);
    }
    AdoptHostContents();
    LayoutPanel();
    LayoutTitleBar();
    WatchWindow();
}

TsuiForm::~TsuiForm()
{
    disconnect(FFileThemeConnection);
    if (HookOwnerForm == this) HookOwnerForm = nullptr;
    if (FSizeCursorSet) QGuiApplication::restoreOverrideCursor();
}

TsuiForm *TsuiForm::HookOwner() { return HookOwnerForm; }

void TsuiForm::AdoptHostContents()
{
    QList<QWidget *> loose;
    for (QObject *child : FHost->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget != this && !widget->isWindow()) loose << widget;
    }
    QLayout *layout = FHost->layout();
    // The window's layout moves over with the widgets it arranges.
    if (layout) setLayout(layout);
    for (QWidget *widget : loose) {
        if (widget->parentWidget() != FHost) continue;
        const bool hidden = widget->isHidden();
        const QPoint pos = widget->pos();
        widget->setParent(this);
        widget->move(pos);
        widget->setVisible(!hidden);
    }
    FTitleBar->raise();
    // A window is designed with its frame: its size stays. One never sized gets room for
    // its contents; one of fixed size stays fixed.
    if (FHostFixedSize) {
        FHost->setFixedSize(FHost->size());
    } else if (!FHost->testAttribute(Qt::WA_Resized) && layout) {
        setContentsMargins(0, FTitleBar->height(), 0, 0);
        FHost->resize(sizeHint() + QSize(2 * FBorderWidth, FBorderWidth));
    }
}

void TsuiForm::SetHostMinimumWidth(int width)
{
    FThemeMinimumWidth = width;
    ApplyHostMinimum();
}

void TsuiForm::SetContentsMinimumSize(const QSize &size)
{
    FContentsMinimum = size;
    ApplyHostMinimum();
}

void TsuiForm::ApplyHostMinimum()
{
    if (!FMinimumApplies || FHostFixedSize) return;
    const int top = FTitleBarVisible ? FTitleBar->height() : FBorderWidth;
    FHost->setMinimumSize(std::max(FThemeMinimumWidth, FContentsMinimum.width() + 2 * FBorderWidth),
                          std::max(BaseMinimumHeight, FContentsMinimum.height() + top + FBorderWidth));
}

// ---- theme ----

void TsuiForm::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    const TsuiTheme theme = TsuiThemes::ResolveTheme(style, FFileTheme);
    FBorderColor = TsuiThemes::GetColor(theme, TsuiEntry::FormBorderColor);
    FBorderWidth = TsuiThemes::GetInteger(theme, TsuiEntry::FormBorderWidthInt);
    FColor = TsuiThemes::GetColor(theme, TsuiEntry::FormBackgroundColor);
    FMenuBarColor = FColor;
    FTile = QPixmap();
    if (style == TsuiUIStyle::MacOS) FTile = TsuiThemes::NamedBitmap(QStringLiteral("MACOS_FORM_BACKGROUND"));
    if (style == TsuiUIStyle::Protein) FTile = TsuiThemes::NamedBitmap(QStringLiteral("PROTEIN_FORM_BACKGROUND"));
    FTitleBar->SetFileTheme(FFileTheme);
    FTitleBar->SetUIStyle(style);
    if (FUIStyleAutoUpdateSub) TsuiThemes::PropagateStyle(this, style, FFileTheme);
    LayoutPanel();
    update();
    FHost->update();
}

void TsuiForm::SetFileTheme(TsuiFileTheme *fileTheme)
{
    if (fileTheme == FFileTheme) return;
    disconnect(FFileThemeConnection);
    FFileTheme = fileTheme;
    if (fileTheme)
        FFileThemeConnection = TKetabApplication::Connect(fileTheme, &QObject::destroyed, this, [this] { FileThemeDestroyed(); });
    SetUIStyle(FUIStyle);
}

void TsuiForm::FileThemeDestroyed()
{
    FFileTheme = nullptr;
    TsuiThemes::PropagateStyle(this, TsuiUIStyle::DeepBlue, nullptr);
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

// ---- properties ----

void TsuiForm::SetBorderColor(const QColor &color)
{
    FBorderColor = color;
    FHost->update();
}

void TsuiForm::SetBorderWidth(int width)
{
    FBorderWidth = qMax(0, width);
    LayoutPanel();
    ApplyHostMinimum();
}

void TsuiForm::SetColor(const QColor &color)
{
    FColor = color;
    update();
}

QString TsuiForm::Caption() const { return FTitleBar->Caption(); }

void TsuiForm::SetCaption(const QString &caption)
{
    FTitleBar->SetCaption(caption);
    FHost->setWindowTitle(caption);
}

void TsuiForm::SetTitleBarVisible(bool visible)
{
    FTitleBarVisible = visible;
    FTitleBar->setVisible(visible);
    LayoutTitleBar();
    LayoutPanel();
    ApplyHostMinimum();
}

void TsuiForm::SetWidth(int width)
{
    FHost->resize(width + 2 * FBorderWidth, FHost->height());
    LayoutPanel();
}

void TsuiForm::SetHeight(int height)
{
    FHost->resize(FHost->width(), height + FBorderWidth + FBorderWidth / 2);
    LayoutPanel();
}

void TsuiForm::SetFormPanel(QWidget *panel)
{
    if (panel == this) {
        Dialogs().ShowMessage(QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"), QString(),
                              QMessageBox::Warning);
        return;
    }
    FFormPanel = panel;
    if (panel) {
        panel->setParent(this);
        panel->setGeometry(contentsRect());
        panel->show();
    }
}

// ---- layout and painting ----

void TsuiForm::LayoutPanel()
{
    const int bw = FBorderWidth;
    const int top = FTitleBarVisible ? 0 : bw;
    setGeometry(bw, top, FHost->width() - 2 * bw, FHost->height() - bw - top);
    FHost->update();
}

void TsuiForm::LayoutTitleBar()
{
    FTitleBar->setGeometry(0, 0, width(), FTitleBar->height());
    setContentsMargins(0, FTitleBarVisible ? FTitleBar->height() : 0, 0, 0);
    if (FFormPanel) FFormPanel->setGeometry(contentsRect());
}

void TsuiForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutTitleBar();
}

void TsuiForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!FTile.isNull()) p.drawTiledPixmap(rect(), FTile);
    else p.fillRect(rect(), FColor);
}

void TsuiForm::PaintBorder()
{
    const int bw = FBorderWidth;
    if (bw <= 0) return;
    const int w = FHost->width();
    const int h = FHost->height();
    QPainter p(FHost);
    p.fillRect(0, 0, bw, h, FBorderColor);
    p.fillRect(0, h - bw, w, bw, FBorderColor);
    p.fillRect(w - bw, 0, bw, h, FBorderColor);
    p.fillRect(0, 0, w, bw, FBorderColor);  // covered by the panel while the title bar shows
}

// ---- host window events ----

void TsuiForm::HostSizeChanged()
{
    if (FInSizeChange) return;
    FInSizeChange = true;
    if (FCreatedMaximized && !FHost->isMaximized()) {
        // A window created maximised restores to the bounds it was designed with.
        FCreatedMaximized = false;
        FHost->setGeometry(FRestoreRect);
    }
    // A maximised skinned window with a border covers the work area, not the whole screen;
    // a borderless one is left as the desktop maximises it. The window's own geometry is
    // set, since the widget's would end the maximised state.
    if (FHost->isMaximized() && FSavedBorderStyle != TFormBorderStyle::bsNone && FHost->screen() &&
        FHost->windowHandle()) {
        const QRect workArea = FHost->screen()->availableGeometry();
        if (FHost->geometry() != workArea) FHost->windowHandle()->setGeometry(workArea);
    }
    LayoutPanel();
    FTitleBar->RefreshMaxRestoreGlyphs();
    FTitleBar->ApplyRegion(FTitleBar->RoundCorner());
    FInSizeChange = false;
}

void TsuiForm::HostStateChanged(Qt::WindowStates oldState)
{
    const bool maximized = FHost->isMaximized();
    if (!(oldState & Qt::WindowMaximized) && maximized) FNormalRect = FHost->geometry();
    // Without a window manager nobody gives a restored window its bounds back.
    if ((oldState & Qt::WindowMaximized) && !maximized && !FCreatedMaximized && FNormalRect.isValid() &&
        FHost->screen() && FHost->geometry() == FHost->screen()->availableGeometry())
        FHost->setGeometry(FNormalRect);
    HostSizeChanged();
}

void TsuiForm::WatchWindow()
{
    QWindow *window = FHost->windowHandle();
    if (!window || window == FWatchedWindow) return;
    if (FWatchedWindow) FWatchedWindow->removeEventFilter(this);
    FWatchedWindow = window;
    window->installEventFilter(this);
}

bool TsuiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && HookOwnerForm == this && ApplicationKey(event)) return true;
    if (watched == FHost) {
        switch (event->type()) {
        case QEvent::Resize: HostSizeChanged(); break;
        case QEvent::WindowStateChange:
            HostStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
            break;
        case QEvent::ActivationChange: FTitleBar->SetFormActive(FHost->isActiveWindow()); break;
        case QEvent::Paint: PaintBorder(); break;
        case QEvent::Show:
        case QEvent::WinIdChange: WatchWindow(); break;
        default: break;
        }
        return false;
    }
    if (watched == FTitleBar) {
        if (event->type() == QEvent::Resize) LayoutTitleBar();
        return false;
    }
    return watched == FWatchedWindow && WindowMouseEvent(event);
}

// ---- sizing by the edges ----

bool TsuiForm::Sizeable() const
{
    if (FSavedBorderStyle != TFormBorderStyle::bsSizeable && FSavedBorderStyle != TFormBorderStyle::bsSizeToolWin)
        return false;
    return !FHost->isMaximized() && FHost->minimumSize() != FHost->maximumSize();
}

Qt::Edges TsuiForm::SizingEdges(const QPoint &p) const
{
    if (!Sizeable()) return {};
    const int w = FHost->width();
    const int h = FHost->height();
    const int x = p.x();
    const int y = p.y();
    const int edge = SizingBand - 1;
    // Only the border strips, which the panel leaves to the window, and the title bar's
    // top rows size the window; the controls along the edges and the title bar's buttons
    // below those rows keep their clicks.
    const int bw = FBorderWidth;
    const bool onBorder = x < bw || x >= w - bw || y >= h - bw || (!FTitleBarVisible && y < bw);
    const bool onTitleBarTop = FTitleBarVisible && y <= edge;
    if (!onBorder && !onTitleBarTop) return {};
    if (x <= edge && y <= edge) return Qt::TopEdge | Qt::LeftEdge;
    if (x > w - SizingBand && y <= edge) return Qt::TopEdge | Qt::RightEdge;
    if (x > w - SizingBand && y > h - SizingBand) return Qt::BottomEdge | Qt::RightEdge;
    if (x < SizingBand && y > h - SizingBand) return Qt::BottomEdge | Qt::LeftEdge;
    if (x <= edge) return Qt::LeftEdge;
    if (y <= edge) return Qt::TopEdge;
    if (x > w - SizingBand) return Qt::RightEdge;
    if (y > h - SizingBand) return Qt::BottomEdge;
    return {};
}

bool TsuiForm::WindowMouseEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (FSizeDrag.Active()) {
            FSizeDrag.Follow(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->buttons() == Qt::NoButton) SetSizeCursor(SizingEdges(mouse->position().toPoint()));
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        const Qt::Edges edges = SizingEdges(mouse->position().toPoint());
        if (!edges) return false;
        FSizeDrag.Begin(FHost, edges, mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!FSizeDrag.Active()) return false;
        FSizeDrag.End();
        return true;
    case QEvent::Leave:
        if (!FSizeDrag.Active()) SetSizeCursor({});
        return false;
    default:
        return false;
    }
}

void TsuiForm::SetSizeCursor(Qt::Edges edges)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge)) shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge)) shape = Qt::SizeBDiagCursor;
    else if (edges & (Qt::LeftEdge | Qt::RightEdge)) shape = Qt::SizeHorCursor;
    else if (edges) shape = Qt::SizeVerCursor;
    if (!edges) {
        if (FSizeCursorSet) QGuiApplication::restoreOverrideCursor();
        FSizeCursorSet = false;
        return;
    }
    if (FSizeCursorSet) QGuiApplication::changeOverrideCursor(shape);
    else QGuiApplication::setOverrideCursor(shape);
    FSizeCursorSet = true;
}

// ---- application-wide keys ----

bool TsuiForm::ApplicationKey(QEvent *event)
{
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Space || !(key->modifiers() & Qt::AltModifier)) return false;
    // The menu of the window the reader is in; a hidden window's menu never opens. The
    // keys are handled either way: they never reach a control as a Space press.
    QWidget *active = QApplication::activeWindow();
    TsuiForm *form = active && active->isVisible() ? active->findChild<TsuiForm *>(QString(), Qt::FindDirectChildrenOnly)
                                                   : nullptr;
    if (form && form->FTitleBarVisible)
        form->FTitleBar->ShowSystemMenu(active->mapToGlobal(QPoint(0, form->FTitleBar->height())));
    return true;
}
