#include "app/TForm.h"
#include "app/KetabApplication.h"
#include <QAccessible>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QWindow>

TForm::TForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setLayoutDirection(Qt::RightToLeft);
}

void TForm::PrepareFirstShow()
{
    if (isVisible() || FPreparing) return;
    FPreparing = true;
    // The brief show is nobody's business: assistive technology is told nothing of it.
    const QAccessible::UpdateHandler announcer = QAccessible::installUpdateHandler([](QAccessibleEvent *) {});
    const auto restore = qScopeGuard([this, announcer] {
        if (isVisible()) hide();
        setAttribute(Qt::WA_DontShowOnScreen, false);
        QAccessible::installUpdateHandler(announcer);
        FPreparing = false;
    });
    // Shown where no screen shows it: the window is never mapped.
    setAttribute(Qt::WA_DontShowOnScreen, true);
    show();
    // Painted into the window's backing store, which its first real show then only puts on screen.
    repaint();
}

void TForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Enter presses the focused push button, as it does in a dialog. A button that is the
    // window's default keeps that role: auto-default buttons give it up when they lose the focus.
    for (QPushButton *button : findChildren<QPushButton *>())
        if (button->window() == this && !button->isDefault()) button->setAutoDefault(true);
    if (!event->spontaneous() && !FPreparing) TKetabApplication::Guarded([this] { FormShow(); });
}

void TForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !FPreparing) TKetabApplication::Guarded([this] { FormHide(); });
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

void TForm::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Escape && OnEscape) {
        TKetabApplication::Guarded(OnEscape);
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Outside a dialog Qt leaves the default button to the window.
        for (QPushButton *button : findChildren<QPushButton *>()) {
            if (button->window() == this && button->isDefault() && button->isVisibleTo(this) && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

void TForm::TabChain(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous) setTabOrder(previous, control);
        previous = control;
    }
}
