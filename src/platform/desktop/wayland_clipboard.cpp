// Holds the clipboard's text on a wlroots compositor after the program has
// gone, through data control, which needs no window and no focus. Built into
// the Wayland module, so that the program loads libwayland-client only here.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "platform/desktop/wayland_clipboard.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace velmor {

namespace {

struct Holder {
    std::string text;
    wl_seat* seat = nullptr;
    zwlr_data_control_manager_v1* manager = nullptr;
    bool cancelled = false;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto* holder = static_cast<Holder*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && holder->seat == nullptr) {
        holder->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        holder->manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    }
}

void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

void OnSend(void* data, zwlr_data_control_source_v1*, const char*, std::int32_t fd) {
    const std::string& text = static_cast<Holder*>(data)->text;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the reader went away
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

void OnCancelled(void* data, zwlr_data_control_source_v1*) {
    static_cast<Holder*>(data)->cancelled = true;
}

// Other clients' selections, announced to every data device: not ours to keep.
void OnDataOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}
void OnSelection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    if (offer != nullptr) zwlr_data_control_offer_v1_destroy(offer);
}
void OnFinished(void* data, zwlr_data_control_device_v1*) {
    static_cast<Holder*>(data)->cancelled = true;
}

}  // namespace

}  // namespace velmor

extern "C" __attribute__((visibility("default"))) int velmor_hold_wayland_clipboard(
    const char* text, void (*ready)()) {
    using namespace velmor;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return kWaylandClipboardUnavailable;
    Holder holder;
    holder.text = text;
    static const wl_registry_listener registryListener{OnGlobal, OnGlobalRemoved};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &holder);
    wl_display_roundtrip(display);
    if (holder.seat == nullptr || holder.manager == nullptr) {
        wl_display_disconnect(display);
        return kWaylandClipboardUnavailable;
    }
    // A reader that closes early must not end the holder.
    std::signal(SIGPIPE, SIG_IGN);
    zwlr_data_control_source_v1* source =
        zwlr_data_control_manager_v1_create_data_source(holder.manager);
    static const zwlr_data_control_source_v1_listener sourceListener{OnSend, OnCancelled};
    zwlr_data_control_source_v1_add_listener(source, &sourceListener, &holder);
    for (const char* type :
         {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"}) {
        zwlr_data_control_source_v1_offer(source, type);
    }
    zwlr_data_control_device_v1* device =
        zwlr_data_control_manager_v1_get_data_device(holder.manager, holder.seat);
    static const zwlr_data_control_device_v1_listener deviceListener{OnDataOffer, OnSelection,
                                                                     OnFinished, OnSelection};
    zwlr_data_control_device_v1_add_listener(device, &deviceListener, &holder);
    zwlr_data_control_device_v1_set_selection(device, source);
    wl_display_roundtrip(display);
    ready();
    int status = 0;
    while (!holder.cancelled) {
        if (wl_display_dispatch(display) == -1) {
            status = 1;  // the compositor went away
            break;
        }
    }
    zwlr_data_control_source_v1_destroy(source);
    zwlr_data_control_device_v1_destroy(device);
    wl_display_disconnect(display);
    return status;
}
