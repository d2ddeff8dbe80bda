#include "platform/capture/xcb_library.h"

namespace velmor {

const XcbLibrary* Xcb() {
    static const std::optional<XcbLibrary> table =
        VELMOR_LOAD_LATE(XcbLibrary, VELMOR_XCB_SYMBOLS, "libxcb.so.1", "libxcb-randr.so.0");
    return table ? &*table : nullptr;
}

const XcbXineramaLibrary* XcbXinerama() {
    static const std::optional<XcbXineramaLibrary> table =
        VELMOR_LOAD_LATE(XcbXineramaLibrary, VELMOR_XCB_XINERAMA_SYMBOLS, "libxcb-xinerama.so.0");
    return table ? &*table : nullptr;
}

const XcbShmLibrary* XcbShm() {
    static const std::optional<XcbShmLibrary> table =
        VELMOR_LOAD_LATE(XcbShmLibrary, VELMOR_XCB_SHM_SYMBOLS, "libxcb-shm.so.0");
    return table ? &*table : nullptr;
}

}  // namespace velmor
