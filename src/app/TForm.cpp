#include "app/TForm.h"
#include "app/KetabApplication.h"
#include <QHideEvent>
#include <QShowEvent>

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
