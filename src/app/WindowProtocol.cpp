#include "app/WindowProtocol.h"
#include "app/TMenuForm.h"
#include "reader/TMainForm.h"

void EnableVisibleMainWindow()
{
    if (MenuForm && MenuForm->isVisible()) MenuForm->setEnabled(true);
    else if (MainForm) MainForm->setEnabled(true);
}

void SwitchToReadingWindow()
{
    if (MenuForm) MenuForm->hide();
    if (MainForm) MainForm->show();
}

void SwitchToStartMenu()
{
    if (MainForm) MainForm->hide();
    if (MenuForm) MenuForm->show();
}
