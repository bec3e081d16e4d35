#include "skin/TsuiRadioButton.h"
#include "app/KetabApplication.h"
#include <QApplication>

TsuiRadioButton::TsuiRadioButton(QWidget *parent) : TsuiCheckBox(parent)
{
    FFocusWatch = TKetabApplication::Connect(qApp, &QApplication::focusChanged, this,
                                             [this](QWidget *old, QWidget *now) { FocusChanged(old, now); });
}

// A focused button loses its focus in QWidget's destructor, when it is no longer a radio
// button: the focus change must not reach FocusChanged then.
TsuiRadioButton::~TsuiRadioButton() { disconnect(FFocusWatch); }

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
