#pragma once

#include <cstdint>
#include <string>

namespace velmor {

// The four user options, held for the whole run and read at the moment of need.
struct AppOptions {
    bool upperCase = true;         // colour texts in upper case ("Upper")
    bool keyboardOff = false;      // keyboard support switched off ("Remove")
    bool ctrlCCopies = true;       // Ctrl+C copies the chosen value ("Copy")
    std::int16_t copiedValue = 8;  // the value Ctrl+C copies; 8 is "HTML Format" ("Value")
    // Or a notation or template Ctrl+C copies instead, by name ("Value" too).
    std::string copiedName;
    // The key that starts a pick from anywhere while the program is resident.
    std::string shortcut = "Meta+Shift+C";

    bool operator==(const AppOptions&) const = default;
};

}  // namespace velmor
