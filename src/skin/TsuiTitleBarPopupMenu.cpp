#include "skin/TsuiTitleBarPopupMenu.h"
#include "app/KetabApplication.h"
#include "skin/TsuiPopupMenuStyle.h"
#include "skin/TsuiTitleBar.h"
#include <QAction>

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TsuiTitleBar *bar) : QMenu(bar), FBar(bar), FStyle(new TsuiPopupMenuStyle)
{
    setObjectName(QStringLiteral("SystemMenu"));
    setAccessibleName(QStringLiteral("منوی پنجره"));
    setLayoutDirection(Qt::LeftToRight);
    setStyle(FStyle);
    setFont(QApplication::font("QMenu"));

    const auto perform = [this](TsuiTitleBarBtnType type, bool all) {
        TsuiTitleBarButtons *buttons = FBar->Buttons();
        for (int i = 0; i < buttons->Count(); ++i) {
            if (buttons->Items(i)->ButtonType() != type) continue;
            buttons->Items(i)->PerformAction();
            if (!all) return;
        }
    };
    MinimizeItem = addAction(QStringLiteral("Mi&nimize"));
    using G = TKetabApplication;
    G::Connect(MinimizeItem, &QAction::triggered, this, [this] { FBar->Host()->showMinimized(); });
    MaximizeItem = addAction(QStringLiteral("Ma&ximize/Restore"));
    G::Connect(MaximizeItem, &QAction::triggered, this, [perform] { perform(suiMax, true); });
    SeparatorItem = addSeparator();
    CloseItem = addAction(QStringLiteral("&Close"));
    G::Connect(CloseItem, &QAction::triggered, this, [this] { FBar->Host()->close(); });
    G::Connect(this, &QMenu::aboutToShow, this, [this] { UpdateItems(); });
}

TsuiTitleBarPopupMenu::~TsuiTitleBarPopupMenu()
{
    setStyle(nullptr);
    delete FStyle;
}

void TsuiTitleBarPopupMenu::SetStyle(TsuiUIStyle style, TsuiFileTheme *fileTheme)
{
    FStyle->SetTheme(style, fileTheme);
    update();
}

void TsuiTitleBarPopupMenu::UpdateItems()
{
    const TsuiTitleBarButtons *buttons = FBar->Buttons();
    MinimizeItem->setEnabled(buttons->HasType(suiMin));
    MaximizeItem->setEnabled(buttons->HasType(suiMax));
    CloseItem->setEnabled(buttons->HasType(suiClose));
}

void TsuiTitleBarPopupMenu::Popup(const QPoint &screenPoint)
{
    UpdateItems();
    popup(screenPoint);
}
