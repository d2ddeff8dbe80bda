#pragma once

#include <string>

namespace velmor {

// Called as the program ends: on X11 the clipboard's text would go with the
// program unless a clipboard manager takes it (the toolkit hands it over as
// it closes). Where none runs, a small process of our own holds the text
// until something else takes the clipboard.
void KeepClipboardAfterExit();

// That holder's whole life: owns CLIPBOARD with TEXT, answers every request
// for it, and ends when another owner takes it. Returns the exit status.
int HoldClipboard(const std::string& text);

// The hidden option that starts the holder.
inline constexpr const char* kHoldClipboardOption = "--hold-clipboard";

}  // namespace velmor
