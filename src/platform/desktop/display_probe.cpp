#include "platform/desktop/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/capture/late_libraries.h"

namespace velmor {

namespace {

#define XCB_CONNECT_SYMBOLS(X) X(xcb_connect) X(xcb_connection_has_error) X(xcb_disconnect)
struct XcbConnect {
    XCB_CONNECT_SYMBOLS(VELMOR_LATE_SYMBOL)
};

bool WaylandReachable() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    std::string path = name;
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr || *runtime == '\0') return false;
        path = std::string(runtime) + "/" + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

bool X11Reachable() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return false;
    // Only libxcb itself: the toolkit's X11 plugin loads it anyway.
    const std::optional<XcbConnect> x =
        VELMOR_LOAD_LATE(XcbConnect, XCB_CONNECT_SYMBOLS, "libxcb.so.1");
    if (!x) return false;
    xcb_connection_t* c = x->xcb_connect(display, nullptr);
    const bool ok = x->xcb_connection_has_error(c) == 0;
    x->xcb_disconnect(c);
    return ok;
}

bool WaylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty();
}

}  // namespace

DisplayFacts ProbeDisplays() {
    DisplayFacts facts;
    if (const char* requested = std::getenv("QT_QPA_PLATFORM")) facts.requested = requested;
    facts.x11Reachable = X11Reachable();
    facts.waylandReachable = WaylandReachable();
    facts.waylandPlugin = facts.waylandReachable && WaylandPluginInstalled();
    return facts;
}

}  // namespace velmor
