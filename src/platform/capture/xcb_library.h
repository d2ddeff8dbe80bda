#pragma once

#include <xcb/randr.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xinerama.h>

#include "platform/capture/late_libraries.h"

namespace velmor {

// clang-format off
#define VELMOR_XCB_SYMBOLS(X)                                                                  \
    X(xcb_change_property) X(xcb_depth_next) X(xcb_depth_visuals_iterator) X(xcb_flush)        \
    X(xcb_format_next) X(xcb_get_extension_data) X(xcb_get_geometry)                           \
    X(xcb_get_geometry_reply) X(xcb_get_image) X(xcb_get_image_data)                           \
    X(xcb_get_image_data_length) X(xcb_get_image_reply) X(xcb_get_property)                    \
    X(xcb_get_property_reply) X(xcb_get_property_value) X(xcb_get_property_value_length)       \
    X(xcb_get_setup) X(xcb_intern_atom) X(xcb_intern_atom_reply) X(xcb_query_pointer)          \
    X(xcb_query_pointer_reply) X(xcb_screen_allowed_depths_iterator)                           \
    X(xcb_setup_pixmap_formats_iterator) X(xcb_setup_roots_iterator) X(xcb_visualtype_next)    \
    X(xcb_warp_pointer) X(xcb_randr_id) X(xcb_randr_get_monitors)                              \
    X(xcb_randr_get_monitors_monitors_iterator) X(xcb_randr_get_monitors_reply)                \
    X(xcb_randr_monitor_info_next) X(xcb_randr_query_version) X(xcb_randr_query_version_reply) \
    X(xcb_grab_key_checked)                                                                    \
    X(xcb_ungrab_key) X(xcb_request_check) X(xcb_get_keyboard_mapping)                        \
    X(xcb_get_keyboard_mapping_reply) X(xcb_get_keyboard_mapping_keysyms)                      \
    X(xcb_get_keyboard_mapping_keysyms_length) X(xcb_connect) X(xcb_disconnect)                \
    X(xcb_connection_has_error) X(xcb_generate_id) X(xcb_create_window)                       \
    X(xcb_set_selection_owner) X(xcb_get_selection_owner) X(xcb_get_selection_owner_reply)     \
    X(xcb_send_event) X(xcb_wait_for_event)
// clang-format on

// What the program asks of the X server, through libxcb and its RandR
// extension: the screen's pixels, the shortcut's key, the clipboard.
struct XcbLibrary {
    VELMOR_XCB_SYMBOLS(VELMOR_LATE_SYMBOL)
};

// Opened at the first use; null where one of the libraries is missing.
const XcbLibrary* Xcb();

// clang-format off
#define VELMOR_XCB_XINERAMA_SYMBOLS(X)                                                         \
    X(xcb_xinerama_id) X(xcb_xinerama_is_active) X(xcb_xinerama_is_active_reply)               \
    X(xcb_xinerama_query_screens) X(xcb_xinerama_query_screens_reply)                          \
    X(xcb_xinerama_query_screens_screen_info) X(xcb_xinerama_query_screens_screen_info_length)
// clang-format on

// The Xinerama extension, which some servers use for their heads instead of
// RandR; where libxcb-xinerama is missing, RandR alone serves.
struct XcbXineramaLibrary {
    VELMOR_XCB_XINERAMA_SYMBOLS(VELMOR_LATE_SYMBOL)
};
const XcbXineramaLibrary* XcbXinerama();

// clang-format off
#define VELMOR_XCB_SHM_SYMBOLS(X)                                                   \
    X(xcb_shm_id) X(xcb_shm_attach_checked) X(xcb_shm_detach) X(xcb_shm_get_image) \
    X(xcb_shm_get_image_reply)
// clang-format on

// The shared-memory extension, where libxcb-shm is installed.
struct XcbShmLibrary {
    VELMOR_XCB_SHM_SYMBOLS(VELMOR_LATE_SYMBOL)
};
const XcbShmLibrary* XcbShm();

}  // namespace velmor
