#pragma once
#include <QString>

// Switches typing to Persian for the search field: under X11, when the user's
// keyboard configuration holds a Persian ("ir") layout, the keyboard is locked to
// that group. The user's layout list is never changed; elsewhere nothing happens.
class TPersianKeyboard {
public:
    static void Activate();
    // The group index of the "ir" layout in the output of "setxkbmap -query", or -1.
    static int PersianGroup(const QString &queryOutput);
};
