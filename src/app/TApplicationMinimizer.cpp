#include "app/TApplicationMinimizer.h"
#include "app/TForm.h"
#include <QApplication>
#include <QEvent>

TApplicationMinimizer &TApplicationMinimizer::Instance()
{
    static auto *instance = new TApplicationMinimizer(qApp);
    return *instance;
}

void TApplicationMinimizer::Minimize()
{
    TApplicationMinimizer &self = Instance();
    self.Release();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<TForm *>(widget) || !widget->isVisible() || widget->isMinimized()) continue;
        self.FMinimized << widget;
        widget->installEventFilter(&self);
    }
    for (const QPointer<QWidget> &widget : self.FMinimized) widget->showMinimized();
}

QList<QPointer<QWidget>> TApplicationMinimizer::Release()
{
    for (const QPointer<QWidget> &widget : FMinimized)
        if (widget) widget->removeEventFilter(this);
    return std::exchange(FMinimized, {});
}

bool TApplicationMinimizer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::WindowStateChange) return false;
    auto *restored = static_cast<QWidget *>(watched);
    if (restored->isMinimized()) return false;
    for (const QPointer<QWidget> &widget : Release()) {
        if (!widget || widget == restored || !widget->isMinimized()) continue;
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    }
    return false;
}
