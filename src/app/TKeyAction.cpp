#include "app/TKeyAction.h"
#include "app/KetabApplication.h"
#include <QKeyEvent>
#include <QListWidget>
#include <QWidget>

TKeyAction::TKeyAction(QWidget *widget, QList<int> keys, std::function<void()> command)
    : QObject(widget), FKeys(std::move(keys)), FCommand(std::move(command))
{
    widget->installEventFilter(this);
}

void TKeyAction::Bind(QWidget *widget, QList<int> keys, std::function<void()> command)
{
    new TKeyAction(widget, std::move(keys), std::move(command));
}

void TKeyAction::OpenLineOnEnter(QListWidget *list, std::function<void()> open)
{
    Bind(list, {Qt::Key_Return, Qt::Key_Enter}, [list, open = std::move(open)] {
        if (QListWidgetItem *line = list->currentItem()) line->setSelected(true);
        open();
    });
}

bool TKeyAction::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && FKeys.contains(key->key())) {
            TKetabApplication::Guarded(FCommand);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
