#include "app/TForm.h"
#include "app/KetabApplication.h"
#include <QHideEvent>
#include <QShowEvent>
#include <QWindow>

TForm::TForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setLayoutDirection(Qt::RightToLeft);
}

void TForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) TKetabApplication::Guarded([this] { FormShow(); });
}

void TForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) TKetabApplication::Guarded([this] { FormHide(); });
}

void TForm::SetOpener(QWidget *opener)
{
    FOpener = opener ? opener->window() : nullptr;
    if (FOpener == this) FOpener = nullptr;
    // The window-system windows must exist to name one the other's opener.
    winId();
    if (FOpener) FOpener->winId();
    ApplyOpener();
}

void TForm::ApplyOpener()
{
    if (QWindow *handle = windowHandle()) handle->setTransientParent(FOpener ? FOpener->windowHandle() : nullptr);
}

void TForm::WindowMadeAnew()
{
    ApplyOpener();
    // A window made anew while it is shown starts in the normal state; it keeps the
    // state the program gave it (a maximised preview stays maximised).
    QWindow *handle = windowHandle();
    const Qt::WindowStates state = windowState() & ~Qt::WindowActive;
    if (handle && handle->windowStates() != state) handle->setWindowStates(state);
}

bool TForm::event(QEvent *event)
{
    if (event->type() == QEvent::WinIdChange) WindowMadeAnew();
    return QWidget::event(event);
}
