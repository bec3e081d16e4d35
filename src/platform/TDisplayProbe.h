#pragma once
#include <QByteArray>

// Whether a display can be reached before the application object exists. Without one,
// Qt's window-system plugin ends the process with its own abort, so the program asks
// first and refuses as it does for any platform it cannot run on.
class TDisplayProbe {
public:
    // The platform asked for (the command line's, else QT_QPA_PLATFORM) decides: "xcb"
    // needs the X server of xDisplay (the command line's, else DISPLAY), "wayland" the
    // compositor of WAYLAND_DISPLAY, any other platform (the off-screen one of the tests)
    // needs no display server. With none asked for, either server will do.
    static bool Reachable(const QByteArray &platform = {}, const QByteArray &xDisplay = {});
    static bool XServerReachable(const QByteArray &xDisplay = {});
    static bool WaylandReachable();
};
