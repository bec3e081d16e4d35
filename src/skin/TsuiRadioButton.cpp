#include "skin/TsuiRadioButton.h"
#include <QApplication>

TsuiRadioButton::TsuiRadioButton(QWidget *parent) : TsuiCheckBox(parent)
{
    connect(qApp, &QApplication::focusChanged, this, &TsuiRadioButton::FocusChanged);
}

void TsuiRadioButton::Changed()
{
    if (!Checked()) return;
    if (QWidget *group = parentWidget()) {
        for (QObject *child : group->children()) {
            auto *other = qobject_cast<TsuiRadioButton *>(child);
            if (other && other != this && other->GroupIndex() == FGroupIndex) other->SetChecked(false);
        }
    }
    if (!Loading() && OnClick) OnClick(this);
}

void TsuiRadioButton::Toggle()
{
    if (!Checked()) SetChecked(true);
}

void TsuiRadioButton::FocusChanged(QWidget *old, QWidget *now)
{
    // Focus moved here from a button of a skinned radio group checks this one; focus
    // arriving any other way (tabbing, a click elsewhere) does not.
    if (now == this && old && old != this && old->inherits("TsuiRadioGroupButton")) Click();
}
