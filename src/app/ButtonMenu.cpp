#include "app/ButtonMenu.h"
#include <QCursor>
#include <QMenu>

void PopupButtonMenu(QMenu *menu, QWidget *button)
{
    const QPoint cursor = QCursor::pos();
    if (button->rect().contains(button->mapFromGlobal(cursor))) {
        menu->popup(cursor);
        return;
    }
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    // A right-to-left menu grows leftwards from the point it is given.
    menu->popup(corner);
    if (!menu->actions().isEmpty()) menu->setActiveAction(menu->actions().first());
}
