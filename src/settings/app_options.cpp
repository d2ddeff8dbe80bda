#include "settings/app_options.h"

#include <string>

#include "core/text.h"

namespace velmor {

namespace {

constexpr std::string_view kSection = "Options";

bool ReadBoolean(const SettingsFile& settings, std::string_view key, bool fallback) {
    const std::string text = settings.Read(kSection, key, BooleanSettingText(fallback));
    return ParseBooleanSetting(text).value_or(fallback);
}

}  // namespace

std::optional<bool> ParseBooleanSetting(std::string_view text) {
    text = TrimSpaces(text);
    if (EqualsIgnoreCaseAscii(text, "True")) return true;
    if (EqualsIgnoreCaseAscii(text, "False")) return false;
    if (const auto number = ParseWholeNumber<std::int64_t>(text)) return *number != 0;
    return std::nullopt;
}

std::string_view BooleanSettingText(bool value) {
    return value ? "True" : "False";
}

void ResetOptions(AppOptions& options) {
    options = AppOptions{};
}

void LoadOptions(AppOptions& options, const SettingsFile& settings) {
    const AppOptions defaults;
    options.Upper = ReadBoolean(settings, "Upper", defaults.Upper);
    options.Remove = ReadBoolean(settings, "Remove", defaults.Remove);
    options.Copy = ReadBoolean(settings, "Copy", defaults.Copy);
    const std::string value = settings.Read(kSection, "Value", std::to_string(defaults.Value));
    options.Value = ParseInt16(value).value_or(defaults.Value);
}

bool SaveOptions(const AppOptions& options, const SettingsFile& settings) {
    bool ok = settings.Write(kSection, "Upper", BooleanSettingText(options.Upper));
    ok = settings.Write(kSection, "Remove", BooleanSettingText(options.Remove)) && ok;
    ok = settings.Write(kSection, "Copy", BooleanSettingText(options.Copy)) && ok;
    ok = settings.Write(kSection, "Value", std::to_string(options.Value)) && ok;
    return ok;
}

}  // namespace velmor
