#include "skin/TsuiTitleBarButtons.h"
#include "app/Dialogs.h"
#include "skin/TsuiThemes.h"
#include "skin/TsuiTitleBar.h"
#include <QMenu>

void TsuiTitleBarButton::SetVisible(bool visible)
{
    FVisible = visible;
    Changed();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type)
{
    if (type == suiControlBox && FOwner->HasType(suiControlBox)) {
        Dialogs().ShowMessage(QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""),
                              QString(), QMessageBox::Warning);
        return;
    }
    FButtonType = type;
    ReloadPictures();
    Changed();
}

void TsuiTitleBarButton::SetTransparent(bool transparent)
{
    FTransparent = transparent;
    Changed();
}

void TsuiTitleBarButton::SetTop(int top)
{
    FTop = top;
    Changed();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    ReloadPictures();
    Changed();
}

void TsuiTitleBarButton::SetPicNormal(const QPixmap &picture)
{
    FPicNormal = picture;
    Changed();
}

void TsuiTitleBarButton::SetPicMouseOn(const QPixmap &picture)
{
    FPicMouseOn = picture;
    Changed();
}

void TsuiTitleBarButton::SetPicMouseDown(const QPixmap &picture)
{
    FPicMouseDown = picture;
    Changed();
}

void TsuiTitleBarButton::SetPictures(const QPixmap &normal, const QPixmap &mouseOn, const QPixmap &mouseDown)
{
    FPicNormal = normal;
    FPicMouseOn = mouseOn;
    FPicMouseDown = mouseDown;
    Changed();
}

void TsuiTitleBarButton::LoadFrames(int first)
{
    const TsuiTitleBar *bar = FOwner->Bar();
    const TsuiTheme theme = TsuiThemes::ResolveTheme(FUIStyle, bar ? bar->FileTheme() : nullptr);
    TsuiThemes::LoadFrame(theme, TsuiEntry::TitleBarButtonImage, FPicNormal, TsuiTitleFrame::Count, first);
    TsuiThemes::LoadFrame(theme, TsuiEntry::TitleBarButtonImage, FPicMouseOn, TsuiTitleFrame::Count, first + 1);
    TsuiThemes::LoadFrame(theme, TsuiEntry::TitleBarButtonImage, FPicMouseDown, TsuiTitleFrame::Count, first + 2);
}

void TsuiTitleBarButton::ReloadPictures()
{
    TsuiTitleBar *bar = FOwner->Bar();
    const TsuiTheme theme = TsuiThemes::ResolveTheme(FUIStyle, bar ? bar->FileTheme() : nullptr);
    FTransparent = TsuiThemes::GetBool(theme, TsuiEntry::TitleBarButtonTransparentBool);
    int first = 0;
    switch (FButtonType) {
    case suiControlBox: first = TsuiTitleFrame::ControlBox; break;
    case suiHelp: first = TsuiTitleFrame::Help; break;
    case suiMax: first = TsuiTitleFrame::Maximize; break;
    case suiMin: first = TsuiTitleFrame::Minimize; break;
    case suiClose: first = TsuiTitleFrame::Close; break;
    case suiCustom: return;  // keeps its own pictures and top
    }
    LoadFrames(first);
    FTop = TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonTopInt);
    if (FButtonType == suiMax && bar) bar->RefreshMaxRestoreGlyphs();
}

void TsuiTitleBarButton::PerformAction()
{
    TsuiTitleBar *bar = FOwner->Bar();
    if (!bar) return;
    QWidget *host = bar->Host();
    switch (FButtonType) {
    case suiMax:
        if (host->isMaximized()) host->showNormal();
        else host->showMaximized();
        bar->RefreshMaxRestoreGlyphs();
        break;
    case suiMin:
        host->showMinimized();
        break;
    case suiClose:
        host->close();
        break;
    case suiControlBox:
        if (FControlBoxMenu) FControlBoxMenu->popup(bar->mapToGlobal(QPoint(0, bar->height())));
        break;
    case suiHelp:
    case suiCustom:
        break;
    }
}

int TsuiTitleBarButton::Index() const { return FOwner->IndexOf(this); }

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton &other)
{
    FVisible = other.FVisible;
    FButtonType = other.FButtonType;
    FTransparent = other.FTransparent;
    FTop = other.FTop;
    FUIStyle = other.FUIStyle;
    FPicNormal = other.FPicNormal;
    FPicMouseOn = other.FPicMouseOn;
    FPicMouseDown = other.FPicMouseDown;
    FControlBoxMenu = other.FControlBoxMenu;
    Changed();
}

void TsuiTitleBarButton::Changed() { FOwner->Changed(); }

TsuiTitleBarButton *TsuiTitleBarButtons::Add()
{
    FItems.push_back(std::unique_ptr<TsuiTitleBarButton>(new TsuiTitleBarButton(this)));
    Changed();
    return FItems.back().get();
}

TsuiTitleBarButton *TsuiTitleBarButtons::Add(TsuiTitleBarBtnType type, bool visible)
{
    TsuiTitleBarButton *button = Add();
    button->SetButtonType(type);
    button->SetVisible(visible);
    return button;
}

int TsuiTitleBarButtons::IndexOf(const TsuiTitleBarButton *button) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == button) return int(i);
    return -1;
}

bool TsuiTitleBarButtons::HasType(TsuiTitleBarBtnType type) const
{
    for (const auto &item : FItems)
        if (item->FButtonType == type) return true;
    return false;
}

void TsuiTitleBarButtons::Clear()
{
    FItems.clear();
    Changed();
}

void TsuiTitleBarButtons::Assign(const TsuiTitleBarButtons &other)
{
    if (&other == this) return;
    FItems.clear();
    for (const auto &item : other.FItems) {
        FItems.push_back(std::unique_ptr<TsuiTitleBarButton>(new TsuiTitleBarButton(this)));
        FItems.back()->Assign(*item);
    }
    Changed();
}

void TsuiTitleBarButtons::Changed()
{
    if (FBar) FBar->update();
}
