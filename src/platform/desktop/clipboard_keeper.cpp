#include "platform/desktop/clipboard_keeper.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/capture/x11_screen.h"
#include "platform/capture/xcb_library.h"

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

}  // namespace

void KeepClipboardAfterExit() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!OnX11() || clipboard == nullptr || !clipboard->ownsClipboard()) return;
    const QString text = clipboard->text();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const XcbLibrary* x = Xcb();
    if (text.isEmpty() || x11 == nullptr || x == nullptr) return;
    // A manager takes the clipboard as the toolkit closes.
    xcb_connection_t* c = x11->connection();
    if (SelectionOwner(*x, c, Atom(*x, c, "CLIPBOARD_MANAGER")) != XCB_WINDOW_NONE) return;
    QProcess holder;
    holder.setProgram(QCoreApplication::applicationFilePath());
    holder.setArguments({QString::fromLatin1(kHoldClipboardOption), text});
    // Not our output: a pipe reading it would wait for the holder.
    holder.setStandardInputFile(QProcess::nullDevice());
    holder.setStandardOutputFile(QProcess::nullDevice());
    holder.setStandardErrorFile(QProcess::nullDevice());
    if (!holder.startDetached()) return;
    // Gone only once the holder owns it, so that nothing finds it empty.
    const QDeadlineTimer deadline(2000);
    while (clipboard->ownsClipboard() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

int HoldClipboard(const std::string& text) {
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

}  // namespace velmor
