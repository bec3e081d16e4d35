#include "widgets/TVrCustomControl.h"

TVrCustomControl::TVrCustomControl(QWidget *parent) : TVrGraphicControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TVrCustomControl::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}
