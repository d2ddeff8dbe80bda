#pragma once

#include <optional>
#include <string_view>

#include "core/option_values.h"
#include "settings/settings_store.h"

namespace velmor {

void ResetOptions(AppOptions& options);
// A key that cannot be read keeps that key's default.
void LoadOptions(AppOptions& options, const SettingsFile& settings);
SaveResult SaveOptions(const AppOptions& options, const SettingsFile& settings);

// "True"/"False" in any case, or a whole number (0 is false); nothing otherwise.
std::optional<bool> ParseBooleanSetting(std::string_view text);
std::string_view BooleanSettingText(bool value);

}  // namespace velmor
