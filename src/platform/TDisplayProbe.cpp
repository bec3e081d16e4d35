#include "platform/TDisplayProbe.h"
#include <QByteArray>
#include <QList>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <xcb/xcb.h>

bool TDisplayProbe::XServerReachable(const QByteArray &xDisplay)
{
    const QByteArray name = xDisplay.isEmpty() ? qgetenv("DISPLAY") : xDisplay;
    if (name.isEmpty()) return false;
    xcb_connection_t *connection = xcb_connect(name.constData(), nullptr);
    const bool reached = connection && xcb_connection_has_error(connection) == 0;
    if (connection) xcb_disconnect(connection);
    return reached;
}

bool TDisplayProbe::WaylandReachable()
{
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty()) return false;
    const QByteArray path = name.startsWith('/') ? name : qgetenv("XDG_RUNTIME_DIR") + '/' + name;
    sockaddr_un address {};
    if (path.size() >= qsizetype(sizeof address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool reached = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return reached;
}

bool TDisplayProbe::Reachable(const QByteArray &platform, const QByteArray &xDisplay)
{
    const QByteArray platforms = platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : platform;
    if (platforms.isEmpty()) return XServerReachable(xDisplay) || WaylandReachable();
    for (const QByteArray &entry : platforms.split(';')) {
        // "xcb:option=..." names xcb; left(-1) would give an empty name for a plain "xcb".
        const qsizetype colon = entry.indexOf(':');
        const QByteArray name = (colon < 0 ? entry : entry.left(colon)).trimmed();
        if (name == "xcb") {
            if (XServerReachable(xDisplay)) return true;
        } else if (name.startsWith("wayland")) {
            if (WaylandReachable()) return true;
        } else if (!name.isEmpty()) {
            return true;
        }
    }
    return false;
}
