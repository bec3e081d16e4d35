#pragma once

class QMenu;
class QWidget;

// Pops a button's menu up. Opened with the mouse it appears at the cursor; opened from
// the keyboard (the cursor elsewhere) it appears at the button's lower right corner with
// its first item active, so Enter takes it and the arrow keys move through it.
void PopupButtonMenu(QMenu *menu, QWidget *button);
