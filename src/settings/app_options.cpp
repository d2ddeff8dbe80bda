#include "settings/app_options.h"

#include <cctype>

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
    options.upperCase = ReadBoolean(settings, "Upper", defaults.upperCase);
    options.keyboardOff = ReadBoolean(settings, "Remove", defaults.keyboardOff);
    options.ctrlCCopies = ReadBoolean(settings, "Copy", defaults.ctrlCCopies);
    const std::string value =
        settings.Read(kSection, "Value", std::to_string(defaults.copiedValue));
    // A number is one of the fourteen, as every copy stores it; a name is a
    // notation or template.
    const std::optional<std::int16_t> number = ParseInt16(value);
    options.copiedValue = number.value_or(defaults.copiedValue);
    const bool name =
        !number && !value.empty() && std::isalpha(static_cast<unsigned char>(value[0]));
    options.copiedName = name ? value : std::string();
    options.shortcut =
        std::string(TrimSpaces(settings.Read("Picker", "Shortcut", defaults.shortcut)));
}

SaveResult SaveOptions(const AppOptions& options, const SettingsFile& settings) {
    // All four in one save: an interrupted save leaves all or none of them.
    return settings.Edit([&](SettingsEdit& edit) {
        edit.Set(kSection, "Upper", BooleanSettingText(options.upperCase));
        edit.Set(kSection, "Remove", BooleanSettingText(options.keyboardOff));
        edit.Set(kSection, "Copy", BooleanSettingText(options.ctrlCCopies));
        edit.Set(
            kSection, "Value",
            options.copiedName.empty() ? std::to_string(options.copiedValue) : options.copiedName);
        // The shortcut's key only once it is not the default.
        if (options.shortcut != AppOptions{}.shortcut ||
            settings.Read("Picker", "Shortcut", "") != "") {
            edit.Set("Picker", "Shortcut", options.shortcut);
        }
    });
}

}  // namespace velmor
