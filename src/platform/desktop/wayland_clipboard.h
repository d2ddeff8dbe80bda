#pragma once

namespace velmor {

// The Wayland module's clipboard holder: owns the selection with TEXT until
// another client takes it, calling `ready` once it owns it. Returns 0 then,
// 1 when the compositor went away, or kWaylandClipboardUnavailable at once
// when there is no compositor or it offers no data control.
using HoldWaylandClipboardFunction = int (*)(const char* text, void (*ready)());
inline constexpr int kWaylandClipboardUnavailable = 3;
inline constexpr const char* kHoldWaylandClipboardEntry = "velmor_hold_wayland_clipboard";

}  // namespace velmor
