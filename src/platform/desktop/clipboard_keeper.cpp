#include "platform/desktop/clipboard_keeper.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/capture/wayland_capture.h"
#include "platform/capture/x11_screen.h"
#include "platform/capture/xcb_library.h"
#include "platform/desktop/clipboard.h"
#include "platform/desktop/wayland_clipboard.h"

namespace velmor {

namespace {

xcb_atom_t Atom(const XcbLibrary& x, xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        x.xcb_intern_atom_reply(
            c, x.xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t SelectionOwner(const XcbLibrary& x, xcb_connection_t* c, xcb_atom_t selection) {
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        x.xcb_get_selection_owner_reply(c, x.xcb_get_selection_owner(c, selection), nullptr),
        &std::free);
    return reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
}

// Starts the holder in a session of its own and waits until it owns the
// clipboard (or gives up), so that nothing finds the clipboard empty. False
// when it does not hold it.
bool StartHolder(const char* where, const QString& text) {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return false;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    const QByteArray bytes = text.toUtf8();
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(kHoldClipboardOption),
                    const_cast<char*>(where), const_cast<char*>(bytes.constData()), nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, ready[1], 1);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Not ended with the terminal or the session that started the program.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &files, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(ready[1]);
    bool holds = false;
    if (started) {
        pollfd wait{ready[0], POLLIN, 0};
        char said[8];
        holds = ::poll(&wait, 1, 2000) > 0 && ::read(ready[0], said, sizeof said) > 0;
    }
    ::close(ready[0]);
    return holds;
}

// Tells the program that started the holder that it owns the clipboard.
void SayReady() {
    [[maybe_unused]] const ssize_t n = ::write(1, "ready\n", 6);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
        ::dup2(null, 1);
        ::close(null);
    }
}

int HoldWayland(const std::string& text) {
    const auto hold = reinterpret_cast<HoldWaylandClipboardFunction>(
        WaylandModuleEntry(kHoldWaylandClipboardEntry));
    return hold != nullptr ? hold(text.c_str(), SayReady) : kWaylandClipboardUnavailable;
}

int HoldX11(const std::string& text);

}  // namespace

void KeepClipboardAfterExit() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || !clipboard->ownsClipboard()) return;
    const QString text = ClipboardText();
    if (text.isEmpty()) return;
    if (!OnX11()) {
        // The holder finds out whether the compositor has data control.
        // Without it (GNOME), the compositor keeps a copy of the text once
        // it has read it, which it asks for as the clipboard changes hands:
        // a program that ends at once would leave that question unanswered.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            !StartHolder("wayland", text)) {
            WaitUntilClipboardRead(1000);
        }
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const XcbLibrary* x = Xcb();
    if (x11 == nullptr || x == nullptr) return;
    // A manager takes the clipboard as the toolkit closes.
    xcb_connection_t* c = x11->connection();
    if (SelectionOwner(*x, c, Atom(*x, c, "CLIPBOARD_MANAGER")) != XCB_WINDOW_NONE) return;
    StartHolder("x11", text);
}

int HoldClipboard(const std::string& where, const std::string& text) {
    return where == "wayland" ? HoldWayland(text) : HoldX11(text);
}

namespace {

int HoldX11(const std::string& text) {
    const XcbLibrary* x = Xcb();
    if (x == nullptr) return 2;
    xcb_connection_t* c = x->xcb_connect(nullptr, nullptr);
    if (x->xcb_connection_has_error(c)) {
        x->xcb_disconnect(c);
        return 2;
    }
    const xcb_screen_t* screen = x->xcb_setup_roots_iterator(x->xcb_get_setup(c)).data;
    const xcb_window_t window = x->xcb_generate_id(c);
    x->xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, -1, -1, 1, 1, 0,
                         XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t clipboard = Atom(*x, c, "CLIPBOARD");
    const xcb_atom_t targets = Atom(*x, c, "TARGETS");
    const xcb_atom_t utf8 = Atom(*x, c, "UTF8_STRING");
    const xcb_atom_t textAtom = Atom(*x, c, "TEXT");
    x->xcb_set_selection_owner(c, window, clipboard, XCB_CURRENT_TIME);
    if (SelectionOwner(*x, c, clipboard) != window) {
        x->xcb_disconnect(c);
        return 2;
    }
    SayReady();
    int status = 0;
    while (xcb_generic_event_t* event = x->xcb_wait_for_event(c)) {
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_CLEAR) {
            std::free(event);
            break;
        }
        if (type == XCB_SELECTION_REQUEST) {
            const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
            // Old clients name no property: the target is the property then.
            xcb_atom_t property =
                request->property != XCB_ATOM_NONE ? request->property : request->target;
            if (request->target == targets) {
                const xcb_atom_t offered[] = {targets, utf8, textAtom, XCB_ATOM_STRING};
                x->xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor, property,
                                       XCB_ATOM_ATOM, 32, 4, offered);
            } else if (request->target == utf8 || request->target == textAtom ||
                       request->target == XCB_ATOM_STRING) {
                x->xcb_change_property(
                    c, XCB_PROP_MODE_REPLACE, request->requestor, property,
                    request->target == XCB_ATOM_STRING ? xcb_atom_t{XCB_ATOM_STRING} : utf8, 8,
                    static_cast<std::uint32_t>(text.size()), text.data());
            } else {
                property = XCB_ATOM_NONE;
            }
            xcb_selection_notify_event_t notify{};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request->time;
            notify.requestor = request->requestor;
            notify.selection = request->selection;
            notify.target = request->target;
            notify.property = property;
            x->xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                              reinterpret_cast<const char*>(&notify));
            x->xcb_flush(c);
        }
        std::free(event);
    }
    if (x->xcb_connection_has_error(c)) status = 1;
    x->xcb_disconnect(c);
    return status;
}

}  // namespace

}  // namespace velmor
