// The compositor's screencopy protocol, spoken by a module the program opens
// at its first copy: libwayland-client stays out of every start-up.
#include "platform/capture/wayland_outputs.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QElapsedTimer>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "core/pointer_mapper.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace velmor {

namespace {

// A compositor that stops answering must not hang the picker.
constexpr int kDeadlineMs = 3000;

struct Output {
    wl_output* output = nullptr;
    zxdg_output_v1* xdg = nullptr;
    DeviceRect logical;
    bool placed = false;
    int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
};

struct Frame {
    zwlr_screencopy_frame_v1* frame = nullptr;
    uint32_t format = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t stride = 0;
    bool offered = false;  // a wl_shm buffer of a format we read
    bool listed = false;   // every buffer type announced (version 3)
    bool done = false;
    bool ok = false;
    bool inverted = false;
    wl_buffer* buffer = nullptr;
    void* pixels = MAP_FAILED;
    size_t size = 0;
};

struct Globals {
    wl_shm* shm = nullptr;
    zwlr_screencopy_manager_v1* screencopy = nullptr;
    uint32_t screencopyVersion = 0;
    zxdg_output_manager_v1* xdgOutputs = nullptr;
    std::vector<Output> outputs;
    bool sealed = false;  // outputs are listened to by address from then on
};

// The wl_shm formats of a screen, as the toolkit's image formats of the same
// memory layout (both are little-endian 32-bit words).
std::optional<QImage::Format> ImageFormat(uint32_t format) {
    switch (format) {
        case WL_SHM_FORMAT_ARGB8888:
        case WL_SHM_FORMAT_XRGB8888:
            return QImage::Format_RGB32;
        case WL_SHM_FORMAT_ABGR8888:
        case WL_SHM_FORMAT_XBGR8888:
            return QImage::Format_RGBX8888;
        case WL_SHM_FORMAT_ARGB2101010:
        case WL_SHM_FORMAT_XRGB2101010:
            return QImage::Format_RGB30;
        case WL_SHM_FORMAT_ABGR2101010:
        case WL_SHM_FORMAT_XBGR2101010:
            return QImage::Format_BGR30;
        default:
            return std::nullopt;
    }
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* g = static_cast<Globals*>(data);
    const std::string_view i(interface);
    if (i == wl_shm_interface.name) {
        g->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (i == zwlr_screencopy_manager_v1_interface.name) {
        g->screencopyVersion = std::min(version, 3u);
        g->screencopy = static_cast<zwlr_screencopy_manager_v1*>(wl_registry_bind(
            registry, name, &zwlr_screencopy_manager_v1_interface, g->screencopyVersion));
    } else if (i == zxdg_output_manager_v1_interface.name) {
        g->xdgOutputs = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, 2u)));
    } else if (i == wl_output_interface.name && !g->sealed) {
        Output o;
        o.output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
        g->outputs.push_back(o);
    }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistry = {OnGlobal, OnGlobalRemove};

void OnGeometry(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t transform) {
    static_cast<Output*>(data)->transform = transform;
}
void OnMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OnOutputDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, int32_t) {}
void OnOutputText(void*, wl_output*, const char*) {}
const wl_output_listener kOutput = {OnGeometry, OnMode,       OnOutputDone,
                                    OnScale,    OnOutputText, OnOutputText};

void OnLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* o = static_cast<Output*>(data);
    o->logical.x = x;
    o->logical.y = y;
}
void OnLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* o = static_cast<Output*>(data);
    o->logical.width = width;
    o->logical.height = height;
    o->placed = true;
}
void OnXdgDone(void*, zxdg_output_v1*) {}
void OnName(void*, zxdg_output_v1*, const char*) {}
void OnDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutput = {OnLogicalPosition, OnLogicalSize, OnXdgDone, OnName,
                                            OnDescription};

void OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width,
              uint32_t height, uint32_t stride) {
    auto* f = static_cast<Frame*>(data);
    if (f->offered || !ImageFormat(format)) return;
    f->offered = true;
    f->format = format;
    f->width = width;
    f->height = height;
    f->stride = stride;
}
void OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<Frame*>(data)->inverted = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    auto* f = static_cast<Frame*>(data);
    f->done = true;
    f->ok = true;
}
void OnFailed(void* data, zwlr_screencopy_frame_v1*) {
    auto* f = static_cast<Frame*>(data);
    f->done = true;
    f->listed = true;
}
void OnDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void OnBufferDone(void* data, zwlr_screencopy_frame_v1*) {
    static_cast<Frame*>(data)->listed = true;
}
const zwlr_screencopy_frame_v1_listener kFrame = {OnBuffer, OnFlags,  OnReady,     OnFailed,
                                                  OnDamage, OnDmabuf, OnBufferDone};

// One connection of our own, closed with everything bound on it.
class Connection {
  public:
    Connection() : display_(wl_display_connect(nullptr)) {}
    ~Connection() {
        for (Frame& f : frames) {
            if (f.frame != nullptr) zwlr_screencopy_frame_v1_destroy(f.frame);
            if (f.buffer != nullptr) wl_buffer_destroy(f.buffer);
            if (f.pixels != MAP_FAILED) munmap(f.pixels, f.size);
        }
        for (Output& o : globals.outputs) {
            if (o.xdg != nullptr) zxdg_output_v1_destroy(o.xdg);
            if (o.output != nullptr) wl_output_destroy(o.output);
        }
        if (globals.xdgOutputs != nullptr) zxdg_output_manager_v1_destroy(globals.xdgOutputs);
        if (globals.screencopy != nullptr) zwlr_screencopy_manager_v1_destroy(globals.screencopy);
        if (globals.shm != nullptr) wl_shm_destroy(globals.shm);
        if (registry_ != nullptr) wl_registry_destroy(registry_);
        if (display_ != nullptr) wl_display_disconnect(display_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    wl_display* Display() const { return display_; }

    bool Start() {
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &kRegistry, &globals);
        return Roundtrip();
    }

    // Dispatches until `done` holds, the connection breaks or time runs out.
    template <typename Done>
    bool DispatchUntil(Done done) {
        const int fd = wl_display_get_fd(display_);
        while (!done()) {
            while (wl_display_prepare_read(display_) != 0) {
                if (wl_display_dispatch_pending(display_) < 0) return false;
                if (done()) return true;
            }
            if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
                wl_display_cancel_read(display_);
                return false;
            }
            pollfd p{fd, POLLIN, 0};
            const int left = kDeadlineMs - static_cast<int>(clock_.elapsed());
            if (left <= 0 || ::poll(&p, 1, left) <= 0) {
                wl_display_cancel_read(display_);
                return false;
            }
            if (wl_display_read_events(display_) < 0) return false;
            if (wl_display_dispatch_pending(display_) < 0) return false;
        }
        return true;
    }

    bool Roundtrip() {
        bool done = false;
        wl_callback* sync = wl_display_sync(display_);
        static const wl_callback_listener listener = {
            [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
        wl_callback_add_listener(sync, &listener, &done);
        const bool ok = DispatchUntil([&] { return done; });
        wl_callback_destroy(sync);
        return ok;
    }

    Globals globals;
    std::vector<Frame> frames;

  private:
    wl_display* display_;
    wl_registry* registry_ = nullptr;
    QElapsedTimer clock_ = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
};

bool MakeBuffer(wl_shm* shm, Frame& f) {
    f.size = size_t(f.stride) * f.height;
    if (f.width == 0 || f.height == 0 || f.stride < f.width * 4 || f.size > (size_t(1) << 31)) {
        return false;
    }
    const int fd = memfd_create("velmor-screencopy", MFD_CLOEXEC);
    if (fd < 0) return false;
    if (ftruncate(fd, static_cast<off_t>(f.size)) != 0) {
        ::close(fd);
        return false;
    }
    f.pixels = mmap(nullptr, f.size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (f.pixels == MAP_FAILED) {
        ::close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(f.size));
    f.buffer = wl_shm_pool_create_buffer(pool, 0, static_cast<int32_t>(f.width),
                                         static_cast<int32_t>(f.height),
                                         static_cast<int32_t>(f.stride), f.format);
    wl_shm_pool_destroy(pool);
    ::close(fd);
    return true;
}

// A copy of the frame's own: the buffer goes with the connection.
QImage FrameImage(const Frame& f) {
    const QImage view(static_cast<const uchar*>(f.pixels), static_cast<int>(f.width),
                      static_cast<int>(f.height), static_cast<qsizetype>(f.stride),
                      *ImageFormat(f.format));
    return f.inverted ? view.mirrored(false, true) : view.copy();
}

bool CopyOutputs(WaylandOutputs& out) {
    const auto fail = [&out](const QString& reason) {
        out.why = reason;
        return false;
    };
    Connection c;
    if (c.Display() == nullptr) return fail(QStringLiteral("no Wayland compositor answers"));
    if (!c.Start()) return fail(QStringLiteral("the compositor did not answer"));
    Globals& g = c.globals;
    if (g.screencopy == nullptr || g.shm == nullptr) {
        return fail(QStringLiteral("the compositor offers no screencopy"));
    }
    g.sealed = true;
    if (g.xdgOutputs == nullptr || g.outputs.empty()) {
        return fail(QStringLiteral("the compositor does not say where its outputs lie"));
    }
    for (Output& o : g.outputs) {
        wl_output_add_listener(o.output, &kOutput, &o);
        o.xdg = zxdg_output_manager_v1_get_xdg_output(g.xdgOutputs, o.output);
        zxdg_output_v1_add_listener(o.xdg, &kXdgOutput, &o);
    }
    c.frames.resize(g.outputs.size());
    for (std::size_t i = 0; i < g.outputs.size(); ++i) {
        Frame& f = c.frames[i];
        f.frame = zwlr_screencopy_manager_v1_capture_output(g.screencopy, 0, g.outputs[i].output);
        zwlr_screencopy_frame_v1_add_listener(f.frame, &kFrame, &f);
        // Before version 3 the buffer event is all there is.
        if (g.screencopyVersion < 3) f.listed = true;
    }
    const auto all = [&](auto test) {
        for (const Frame& f : c.frames) {
            if (!test(f)) return false;
        }
        return true;
    };
    if (!c.Roundtrip() ||
        !c.DispatchUntil([&] { return all([](const Frame& f) { return f.listed; }); })) {
        return fail(QStringLiteral("the compositor did not describe its outputs in time"));
    }
    for (const Output& o : g.outputs) {
        if (!o.placed) return fail(QStringLiteral("an output has no place on the desktop"));
        // A turned output's pixels are not in its logical orientation.
        if (o.transform != WL_OUTPUT_TRANSFORM_NORMAL) {
            return fail(QStringLiteral("an output is rotated"));
        }
    }
    for (Frame& f : c.frames) {
        if (f.done || !f.offered)
            return fail(QStringLiteral("no screen format this program reads"));
        if (!MakeBuffer(g.shm, f)) return fail(QStringLiteral("no memory for the copy"));
        zwlr_screencopy_frame_v1_copy(f.frame, f.buffer);
    }
    if (!c.DispatchUntil([&] { return all([](const Frame& f) { return f.done; }); })) {
        return fail(QStringLiteral("the compositor did not copy its outputs in time"));
    }
    for (std::size_t i = 0; i < c.frames.size(); ++i) {
        if (!c.frames[i].ok) return fail(QStringLiteral("the compositor could not copy an output"));
        out.pictures.push_back(FrameImage(c.frames[i]));
        const DeviceRect& l = g.outputs[i].logical;
        out.logical.push_back(QRect(l.x, l.y, l.width, l.height));
    }
    return true;
}

}  // namespace
}  // namespace velmor

extern "C" __attribute__((visibility("default"))) bool velmor_copy_wayland_outputs(
    velmor::WaylandOutputs* out) {
    return out != nullptr && velmor::CopyOutputs(*out);
}
