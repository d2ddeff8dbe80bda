#pragma once

#include <string>

namespace velmor {

// Called as the program ends: the clipboard's text would go with the program
// unless a clipboard manager takes it (on X11 the toolkit hands it over as it
// closes; mutter keeps it itself). Elsewhere a small process of our own holds
// the text until something else takes the clipboard: on the X server, or on
// a Wayland compositor with data control (sway and other wlroots ones).
void KeepClipboardAfterExit();

// That holder's whole life, on "x11" or "wayland": owns the clipboard with
// TEXT, answers every request for it, and ends when another owner takes it.
// Says "ready" on standard output once it owns it. Returns the exit status.
int HoldClipboard(const std::string& where, const std::string& text);

// The hidden option that starts the holder: --hold-clipboard WHERE TEXT.
inline constexpr const char* kHoldClipboardOption = "--hold-clipboard";

}  // namespace velmor
