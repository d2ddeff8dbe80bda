#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace velmor {

// The four user options, held for the whole run and read at the moment of need.
struct AppOptions {
    bool upperCase = true;         // colour texts in upper case ("Upper")
    bool keyboardOff = false;      // keyboard support switched off ("Remove")
    bool ctrlCCopies = true;       // Ctrl+C copies the chosen value ("Copy")
    std::int16_t copiedValue = 8;  // the value Ctrl+C copies; 8 is "HTML Format" ("Value")
    // Or a notation or template Ctrl+C copies instead, by name ("Value" too).
    std::string copiedName;
};

void ResetOptions(AppOptions& options);
// A key that cannot be read keeps that key's default.
void LoadOptions(AppOptions& options, const SettingsFile& settings);
SaveResult SaveOptions(const AppOptions& options, const SettingsFile& settings);

// "True"/"False" in any case, or a whole number (0 is false); nothing otherwise.
std::optional<bool> ParseBooleanSetting(std::string_view text);
std::string_view BooleanSettingText(bool value);

}  // namespace velmor
