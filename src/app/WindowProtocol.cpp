#include "app/WindowProtocol.h"
#include "app/TMenuForm.h"
#include "reader/TMainForm.h"
#include "app/TForm.h"

QWidget *VisibleMainWindow()
{
    if (MenuForm && MenuForm->isVisible()) return MenuForm;
    return MainForm;
}

void EnableVisibleMainWindow()
{
    if (QWidget *main = VisibleMainWindow()) main->setEnabled(true);
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

void ShowOver(TForm *window, QWidget *opener)
{
    if (!window) return;
    window->SetOpener(opener);
    window->show();
    window->raise();
    window->activateWindow();
}
