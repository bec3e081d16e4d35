#pragma once

// Whether a display can be reached before the application object exists. Without one,
// Qt's window-system plugin ends the process with its own abort, so the program asks
// first and refuses as it does for any platform it cannot run on.
class TDisplayProbe {
public:
    // With QT_QPA_PLATFORM set, its entries decide: "xcb" needs the X server of DISPLAY,
    // "wayland" the compositor of WAYLAND_DISPLAY, any other platform (the off-screen one
    // of the tests) needs no display server. Unset, either server will do.
    static bool Reachable();
    static bool XServerReachable();
    static bool WaylandReachable();
};
