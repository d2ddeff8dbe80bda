#include "platform/xcb_library.h"

namespace velmor {

const XcbLibrary* Xcb() {
    static const std::optional<XcbLibrary> table =
        LoadLate<XcbLibrary>({"libxcb.so.1", "libxcb-randr.so.0", "libxcb-xinerama.so.0"},
                             [](const LateLibraries& libraries, XcbLibrary& table) {
                                 bool found = true;
                                 VELMOR_XCB_SYMBOLS(VELMOR_FIND_LATE_SYMBOL)
                                 return found;
                             });
    return table ? &*table : nullptr;
}

}  // namespace velmor
