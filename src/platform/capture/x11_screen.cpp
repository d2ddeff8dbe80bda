#include "platform/capture/x11_screen.h"

#include "core/x_pixels.h"

#include "platform/capture/xcb_library.h"
#include "platform/desktop/idle_memory.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace velmor {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The toolkit's X connection and the library to speak on it: nothing away
// from X11 or without libxcb.
struct XServer {
    xcb_connection_t* c;
    const XcbLibrary& x;
};
std::optional<XServer> Server() {
    xcb_connection_t* c = Connection();
    const XcbLibrary* x = Xcb();
    if (c == nullptr || x == nullptr) return std::nullopt;
    return XServer{c, *x};
}

xcb_window_t RootWindow(const XcbLibrary& x, xcb_connection_t* c) {
    const xcb_setup_t* setup = x.xcb_get_setup(c);
    return x.xcb_setup_roots_iterator(setup).data->root;
}

// The layout of the root window's pixels in an image the server sends: the
// root visual's masks, the bits per pixel and padding of its depth.
std::optional<XPixelFormat> RootPixelFormat(const XcbLibrary& x, xcb_connection_t* c,
                                            std::uint8_t depth, int* scanlinePad) {
    const xcb_setup_t* setup = x.xcb_get_setup(c);
    const xcb_screen_t* screen = x.xcb_setup_roots_iterator(setup).data;
    XPixelFormat format;
    format.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    bool found = false;
    for (auto it = x.xcb_setup_pixmap_formats_iterator(setup); it.rem; x.xcb_format_next(&it)) {
        if (it.data->depth != depth) continue;
        format.bitsPerPixel = it.data->bits_per_pixel;
        *scanlinePad = it.data->scanline_pad;
        found = true;
    }
    bool visual = false;
    for (auto d = x.xcb_screen_allowed_depths_iterator(screen); d.rem && !visual;
         x.xcb_depth_next(&d)) {
        for (auto v = x.xcb_depth_visuals_iterator(d.data); v.rem; x.xcb_visualtype_next(&v)) {
            if (v.data->visual_id != screen->root_visual) continue;
            format.redMask = v.data->red_mask;
            format.greenMask = v.data->green_mask;
            format.blueMask = v.data->blue_mask;
            visual = true;
            break;
        }
    }
    if (!found || !visual || !IsReadable(format)) return std::nullopt;
    return format;
}

// The server's pixels as a picture: the usual 8-bit xRGB as it came, any other
// layout converted, at 16 bits a channel unless every channel has exactly 8,
// so that 5, 6 or 10 bits are kept exactly.
// The pixels' owner hands them over with the function that frees them.
struct ServerPixels {
    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
    void (*release)(void*) = nullptr;
    void* owner = nullptr;
};

QImage ScreenPicture(ServerPixels pixels, const XPixelFormat& format, int scanlinePad, int width,
                     int height) {
    const std::size_t rowBytes = RowBytes(format, width, scanlinePad);
    void* owner = pixels.owner;
    if (pixels.length < rowBytes * static_cast<std::size_t>(height)) {
        pixels.release(owner);
        return {};
    }
    const std::uint8_t* data = pixels.data;
    const XPixelFormat usual;
    if (format.bitsPerPixel == 32 && !format.msbFirst && format.redMask == usual.redMask &&
        format.greenMask == usual.greenMask && format.blueMask == usual.blueMask) {
        // The image keeps the server's pixels: the one copy of the screen we hold.
        return QImage(data, width, height, static_cast<qsizetype>(rowBytes), QImage::Format_RGB32,
                      pixels.release, owner);
    }
    const bool deep = std::popcount(format.redMask) != 8 || std::popcount(format.greenMask) != 8 ||
                      std::popcount(format.blueMask) != 8;
    QImage picture(width, height, deep ? QImage::Format_RGBX64 : QImage::Format_RGB32);
    const int bytes = format.bitsPerPixel / 8;
    for (int y = 0; !picture.isNull() && y < height; ++y) {
        const std::uint8_t* row = data + rowBytes * static_cast<std::size_t>(y);
        if (deep) {
            auto* out = reinterpret_cast<QRgba64*>(picture.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const Rgb16 c = ReadPixel(row + x * bytes, format);
                out[x] = QRgba64::fromRgba64(c.red, c.green, c.blue, 0xFFFF);
            }
        } else {
            auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const Rgb16 c = ReadPixel(row + x * bytes, format);
                const auto narrow = [](std::uint16_t v) { return (v * 255 + 32767) / 65535; };
                out[x] = qRgb(narrow(c.red), narrow(c.green), narrow(c.blue));
            }
        }
    }
    pixels.release(owner);
    return picture;
}

// A shared-memory segment the server writes the screen into, kept from one
// copy to the next for a while: picks in a row find its pages ready rather
// than faulting in 33 MB at 4K each time. Ten seconds after the last copy
// let go of it, it goes, and an idle program holds no screen.
constexpr int kKeepSegmentMs = 10000;
struct SharedSegment {
    xcb_connection_t* c = nullptr;
    xcb_shm_seg_t segment = 0;
    void* memory = nullptr;
    std::size_t bytes = 0;
    bool kept = false;  // stays attached after the copy
    bool busy = false;  // a picture still shows its pixels
};
SharedSegment keptSegment;
int segmentUses = 0;  // never reset: tells a later copy from the one a timer waits after

void Forget(const XcbLibrary& x, const XcbShmLibrary& shm, SharedSegment& s) {
    if (s.memory == nullptr) return;
    shm.xcb_shm_detach(s.c, s.segment);
    x.xcb_flush(s.c);
    ::shmdt(s.memory);
    s = SharedSegment{};
}

// Lets the kept segment go once no copy has used it for a while.
void ForgetLater() {
    QTimer::singleShot(kKeepSegmentMs, qApp, [uses = segmentUses] {
        const XcbLibrary* x = Xcb();
        const XcbShmLibrary* shm = XcbShm();
        if (x != nullptr && shm != nullptr && !keptSegment.busy && segmentUses == uses) {
            Forget(*x, *shm, keptSegment);
            // Idle from here: what the picks freed goes back to the system.
            GiveBackIdleMemory();
        }
    });
}

std::optional<SharedSegment> NewSegment(const XcbLibrary& x, const XcbShmLibrary& shm,
                                        xcb_connection_t* c, std::size_t bytes) {
    const int id = ::shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return std::nullopt;
    void* memory = ::shmat(id, nullptr, 0);
    // Gone as soon as both sides have let go of it, even if we crash.
    ::shmctl(id, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) return std::nullopt;
    const xcb_shm_seg_t segment = x.xcb_generate_id(c);
    xcb_generic_error_t* error = x.xcb_request_check(
        c, shm.xcb_shm_attach_checked(c, segment, static_cast<std::uint32_t>(id), 0));
    if (error != nullptr) {
        std::free(error);
        ::shmdt(memory);
        return std::nullopt;
    }
    return SharedSegment{c, segment, memory, bytes};
}

// The root window's pixels through shared memory (MIT-SHM): the server
// writes them straight into our memory rather than through the socket.
// Nothing where the server has no such extension (a remote display) or
// refuses; VELMOR_X11_NO_SHM turns it off, for comparing.
std::optional<ServerPixels> SharedRootPixels(const XcbLibrary& x, xcb_connection_t* c,
                                             xcb_window_t root, std::size_t bytes, int width,
                                             int height, std::uint8_t* depth) {
    static const bool off = std::getenv("VELMOR_X11_NO_SHM") != nullptr;
    const XcbShmLibrary* shm = XcbShm();
    if (off || shm == nullptr) return std::nullopt;
    const xcb_query_extension_reply_t* extension = x.xcb_get_extension_data(c, shm->xcb_shm_id);
    if (extension == nullptr || !extension->present) return std::nullopt;
    SharedSegment* use = &keptSegment;
    std::optional<SharedSegment> spare;
    if (keptSegment.busy) {
        // The last picture is still shown: a segment for this copy alone.
        spare = NewSegment(x, *shm, c, bytes);
        if (!spare) return std::nullopt;
        use = &*spare;
    } else if (keptSegment.memory == nullptr || keptSegment.c != c || keptSegment.bytes != bytes) {
        // A fresh segment's pages fault in on both sides, which costs more
        // than GetImage: this copy goes through the socket, and the segment
        // waits for the picks that follow it.
        Forget(x, *shm, keptSegment);
        std::optional<SharedSegment> fresh = NewSegment(x, *shm, c, bytes);
        if (fresh) {
            keptSegment = *fresh;
            keptSegment.kept = true;
            ForgetLater();
        }
        return std::nullopt;
    }
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_shm_get_image_reply_t> reply(shm->xcb_shm_get_image_reply(
        c,
        shm->xcb_shm_get_image(c, root, 0, 0, static_cast<std::uint16_t>(width),
                               static_cast<std::uint16_t>(height), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                               use->segment, 0),
        &error));
    std::free(error);
    if (!reply || reply->size > bytes) {
        Forget(x, *shm, *use);
        return std::nullopt;
    }
    *depth = reply->depth;
    if (!use->kept) {
        // Only ours from here: the server no longer needs it.
        shm->xcb_shm_detach(c, use->segment);
        x.xcb_flush(c);
        return ServerPixels{static_cast<const std::uint8_t*>(use->memory), reply->size,
                            [](void* p) { ::shmdt(p); }, use->memory};
    }
    keptSegment.busy = true;
    ++segmentUses;
    return ServerPixels{static_cast<const std::uint8_t*>(keptSegment.memory), reply->size,
                        [](void*) {
                            keptSegment.busy = false;
                            ForgetLater();
                        },
                        keptSegment.memory};
}

// A root window property's bytes, or nothing.
QByteArray RootProperty(const XcbLibrary& x, xcb_connection_t* c, xcb_window_t root,
                        const QByteArray& name) {
    Reply<xcb_intern_atom_reply_t> atom(x.xcb_intern_atom_reply(
        c, x.xcb_intern_atom(c, 1, static_cast<std::uint16_t>(name.size()), name.constData()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return {};
    // Profiles are a few kilobytes; 16 MB is far beyond any.
    Reply<xcb_get_property_reply_t> value(x.xcb_get_property_reply(
        c, x.xcb_get_property(c, 0, root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 4u << 20),
        nullptr));
    if (!value || value->format != 8) return {};
    return QByteArray(static_cast<const char*>(x.xcb_get_property_value(value.get())),
                      x.xcb_get_property_value_length(value.get()));
}

// Each monitor's profile, as colour-management daemons publish them on X
// ("ICC Profiles in X"): _ICC_PROFILE for the first, _ICC_PROFILE_n for the
// n-th after it, _ICC_PROFILE for any that has none of its own.
void ReadMonitorProfiles(const XcbLibrary& x, xcb_connection_t* c, xcb_window_t root,
                         ScreenImage& screen) {
    const QByteArray shared = RootProperty(x, c, root, "_ICC_PROFILE");
    for (std::size_t i = 0; i < screen.monitors.size(); ++i) {
        QByteArray own =
            i == 0 ? shared
                   : RootProperty(x, c, root, "_ICC_PROFILE_" + QByteArray::number(qulonglong(i)));
        QString problem;
        screen.profiles.push_back(MonitorProfile::FromIcc(own.isEmpty() ? shared : own, &problem));
        screen.profileProblems.push_back(problem);
    }
}

std::vector<DeviceRect> RandrMonitors(const XcbLibrary& x, xcb_connection_t* c, xcb_window_t root) {
    std::vector<DeviceRect> out;
    const xcb_query_extension_reply_t* ext = x.xcb_get_extension_data(c, x.xcb_randr_id);
    if (ext == nullptr || !ext->present) return out;
    Reply<xcb_randr_query_version_reply_t> version(
        x.xcb_randr_query_version_reply(c, x.xcb_randr_query_version(c, 1, 5), nullptr));
    if (!version || (version->major_version == 1 && version->minor_version < 5)) return out;
    Reply<xcb_randr_get_monitors_reply_t> monitors(
        x.xcb_randr_get_monitors_reply(c, x.xcb_randr_get_monitors(c, root, 1), nullptr));
    if (!monitors) return out;
    for (auto it = x.xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem;
         x.xcb_randr_monitor_info_next(&it)) {
        out.push_back({it.data->x, it.data->y, it.data->width, it.data->height});
    }
    return out;
}

std::vector<DeviceRect> XineramaHeads(const XcbLibrary& xcb, xcb_connection_t* c) {
    std::vector<DeviceRect> out;
    const XcbXineramaLibrary* xinerama = XcbXinerama();
    if (xinerama == nullptr) return out;
    const XcbXineramaLibrary& x = *xinerama;
    const xcb_query_extension_reply_t* ext = xcb.xcb_get_extension_data(c, x.xcb_xinerama_id);
    if (ext == nullptr || !ext->present) return out;
    Reply<xcb_xinerama_is_active_reply_t> active(
        x.xcb_xinerama_is_active_reply(c, x.xcb_xinerama_is_active(c), nullptr));
    if (!active || !active->state) return out;
    Reply<xcb_xinerama_query_screens_reply_t> screens(
        x.xcb_xinerama_query_screens_reply(c, x.xcb_xinerama_query_screens(c), nullptr));
    if (!screens) return out;
    const xcb_xinerama_screen_info_t* info =
        x.xcb_xinerama_query_screens_screen_info(screens.get());
    const int n = x.xcb_xinerama_query_screens_screen_info_length(screens.get());
    for (int i = 0; i < n; ++i) {
        out.push_back({info[i].x_org, info[i].y_org, info[i].width, info[i].height});
    }
    return out;
}

// The toolkit's screen that shows a device rectangle, or the primary one for
// heads it does not list. Qt keeps a screen's origin unscaled and divides the
// distances from it.
QScreen* ScreenFor(const DeviceRect& r) {
    const DevicePoint centre{r.x + r.width / 2, r.y + r.height / 2};
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const double ratio = screen->devicePixelRatio();
        const DeviceRect native{g.x(), g.y(), int(g.width() * ratio + 0.5),
                                int(g.height() * ratio + 0.5)};
        if (native.Contains(centre)) return screen;
    }
    return QGuiApplication::primaryScreen();
}

void AddMonitor(ScreenImage& screen, const DeviceRect& r) {
    QScreen* s = ScreenFor(r);
    const double ratio = s != nullptr ? s->devicePixelRatio() : 1.0;
    const QPoint origin = s != nullptr ? s->geometry().topLeft() : QPoint();
    screen.monitors.push_back({r, ratio});
    screen.surfaces.push_back(QRect(origin.x() + int((r.x - origin.x()) / ratio),
                                    origin.y() + int((r.y - origin.y()) / ratio),
                                    int(r.width / ratio), int(r.height / ratio)));
}

}  // namespace

bool OnX11() {
    return Connection() != nullptr;
}

bool OnXWayland() {
    if (!OnX11()) return false;
    // XWayland names its RandR outputs XWAYLAND0, XWAYLAND1, ...
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->name().startsWith(QStringLiteral("XWAYLAND"))) return true;
    }
    return false;
}

void X11Capture::Request(const QString&) {
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        emit failed(tr("The screen could not be read: no X11 display."));
        return;
    }
    const XcbLibrary* library = Xcb();
    if (library == nullptr) {
        emit failed(
            tr("The screen could not be read: libxcb with its RandR extension is not "
               "installed (libxcb1, libxcb-randr0)."));
        return;
    }
    const XcbLibrary& x = *library;
    const xcb_window_t root = RootWindow(x, c);
    Reply<xcb_get_geometry_reply_t> geometry(
        x.xcb_get_geometry_reply(c, x.xcb_get_geometry(c, root), nullptr));
    if (!geometry || geometry->width == 0 || geometry->height == 0) {
        emit failed(tr("The screen could not be read: the X server gave no screen size."));
        return;
    }
    const DeviceRect whole{0, 0, geometry->width, geometry->height};
    int scanlinePad = 32;
    std::optional<XPixelFormat> format = RootPixelFormat(x, c, geometry->depth, &scanlinePad);
    std::optional<ServerPixels> pixels;
    std::uint8_t depth = geometry->depth;
    if (format) {
        pixels = SharedRootPixels(
            x, c, root,
            RowBytes(*format, whole.width, scanlinePad) * static_cast<std::size_t>(whole.height),
            whole.width, whole.height, &depth);
    }
    const bool shared = pixels.has_value();
    if (!pixels) {
        xcb_generic_error_t* error = nullptr;
        xcb_get_image_reply_t* reply =
            x.xcb_get_image_reply(c,
                                  x.xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0,
                                                  geometry->width, geometry->height, ~0u),
                                  &error);
        std::free(error);
        if (reply != nullptr) {
            depth = reply->depth;
            pixels = ServerPixels{x.xcb_get_image_data(reply),
                                  static_cast<std::size_t>(x.xcb_get_image_data_length(reply)),
                                  [](void* p) { std::free(p); }, reply};
        }
    }
    if (pixels && depth != geometry->depth) format = RootPixelFormat(x, c, depth, &scanlinePad);
    ScreenImage screen;
    if (pixels && format) {
        screen.image = ScreenPicture(*pixels, *format, scanlinePad, whole.width, whole.height);
        screen.channelBits = ChannelBits(*format);
    } else if (pixels) {
        pixels->release(pixels->owner);
    }
    if (screen.image.isNull()) {
        emit failed(
            tr("The screen could not be read: the X server refused the copy or uses a "
               "pixel format this program does not read."));
        return;
    }

    std::vector<DeviceRect> heads = RandrMonitors(x, c, root);
    const std::vector<DeviceRect> xinerama = XineramaHeads(x, c);
    if (xinerama.size() > heads.size()) heads = xinerama;
    for (const DeviceRect& head : heads) {
        // Keep each head inside the picture.
        const int x0 = std::max(head.x, 0);
        const int y0 = std::max(head.y, 0);
        const int x1 = std::min(head.x + head.width, whole.width);
        const int y1 = std::min(head.y + head.height, whole.height);
        if (x1 <= x0 || y1 <= y0) continue;
        AddMonitor(screen, {x0, y0, x1 - x0, y1 - y0});
    }
    if (screen.monitors.empty()) AddMonitor(screen, whole);
    ReadMonitorProfiles(x, c, root, screen);
    emit routeNote(shared ? tr("captured from the X server through shared memory (x11)")
                          : tr("captured from the X server (x11)"));
    emit captured(screen);
}

std::optional<DevicePoint> X11Pointer::Position() const {
    const std::optional<XServer> server = Server();
    if (!server) return std::nullopt;
    const auto& [c, x] = *server;
    Reply<xcb_query_pointer_reply_t> reply(
        x.xcb_query_pointer_reply(c, x.xcb_query_pointer(c, RootWindow(x, c)), nullptr));
    if (!reply || !reply->same_screen) return std::nullopt;
    return DevicePoint{reply->root_x, reply->root_y};
}

void X11Pointer::Warp(DevicePoint point) {
    const std::optional<XServer> server = Server();
    if (!server) return;
    const auto& [c, x] = *server;
    x.xcb_warp_pointer(c, XCB_NONE, RootWindow(x, c), 0, 0, 0, 0,
                       static_cast<std::int16_t>(point.x), static_cast<std::int16_t>(point.y));
    x.xcb_flush(c);
}

void MarkAsPickerSurface(unsigned long window, unsigned long owner) {
    const std::optional<XServer> server = Server();
    if (!server || window == 0) return;
    const auto& [c, x] = *server;
    // All three asked at once: one round trip, not three, on the way to the picker.
    const char* names[] = {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR",
                           "_NET_WM_STATE_SKIP_PAGER"};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i) {
        cookies[i] =
            x.xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    }
    xcb_atom_t atoms[3];
    for (int i = 0; i < 3; ++i) {
        Reply<xcb_intern_atom_reply_t> r(x.xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    const xcb_atom_t state = atoms[0];
    const xcb_atom_t* states = atoms + 1;
    x.xcb_change_property(c, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window), state,
                          XCB_ATOM_ATOM, 32, 2, states);
    if (owner != 0) {
        const auto transientFor = static_cast<xcb_window_t>(owner);
        x.xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                              XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &transientFor);
    }
    x.xcb_flush(c);
}

}  // namespace velmor
