#pragma once
#include "skin/TsuiUIStyle.h"
#include <QMenu>

class QAction;
class TsuiFileTheme;
class TsuiPopupMenuStyle;
class TsuiTitleBar;

// The title bar's system menu: Minimize, Maximize/Restore, a separator and Close,
// each enabled when the bar has a button of that type (visible or not), drawn with
// the theme's menu colours and metrics.
class TsuiTitleBarPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit TsuiTitleBarPopupMenu(TsuiTitleBar *bar);
    ~TsuiTitleBarPopupMenu() override;

    void SetStyle(TsuiUIStyle style, TsuiFileTheme *fileTheme);
    TsuiPopupMenuStyle *MenuStyle() const { return FStyle; }

    // Enables the items by the bar's button types and shows the menu at a screen point.
    void Popup(const QPoint &screenPoint);
    void UpdateItems();

    QAction *MinimizeItem = nullptr;
    QAction *MaximizeItem = nullptr;
    QAction *SeparatorItem = nullptr;
    QAction *CloseItem = nullptr;

private:
    TsuiTitleBar *FBar;
    TsuiPopupMenuStyle *FStyle;
};
