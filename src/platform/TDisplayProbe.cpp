#include "platform/TDisplayProbe.h"
#include <QByteArray>
#include <QList>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <xcb/xcb.h>

bool TDisplayProbe::XServerReachable()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
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

bool TDisplayProbe::Reachable()
{
    const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (platforms.isEmpty()) return XServerReachable() || WaylandReachable();
    for (const QByteArray &entry : platforms.split(';')) {
        const QByteArray name = entry.left(entry.indexOf(':')).trimmed();  // "xcb:option=..." names xcb
        if (name == "xcb") {
            if (XServerReachable()) return true;
        } else if (name.startsWith("wayland")) {
            if (WaylandReachable()) return true;
        } else if (!name.isEmpty()) {
            return true;
        }
    }
    return false;
}
