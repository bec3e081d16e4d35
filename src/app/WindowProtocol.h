#pragma once

class QWidget;
class TForm;

// The rule every secondary window's hide handler applies: it cannot know who opened
// it, so it enables the start menu when that is visible, otherwise the reading window.
void EnableVisibleMainWindow();
// The main window the reader sees now: the start menu when it is visible, otherwise the reading window.
QWidget *VisibleMainWindow();
// Hides the start menu and shows the reading window (a no-op when already so).
void SwitchToReadingWindow();
// Hides the reading window and shows the start menu.
void SwitchToStartMenu();
// Shows a secondary window over the window that opens it, raised and active. It is made
// transient for its opener, so the desktop keeps it above the opener (a click on a
// disabled opener cannot bury it) and never gives it a task bar entry of its own.
void ShowOver(TForm *window, QWidget *opener);
