#include "settings/picker_settings.h"

#include <algorithm>
#include <string>

#include "core/text.h"

namespace velmor {

namespace {

constexpr std::string_view kSection = "Picker";

}  // namespace

PickerSettings LoadPickerSettings(const SettingsFile& settings) {
    PickerSettings values;
    const std::string zoom = settings.Read(kSection, "Zoom", "");
    if (const auto n = ParseWholeNumber<std::int64_t>(TrimSpaces(zoom))) {
        const std::int64_t clamped = std::clamp<std::int64_t>(*n, kMinZoom, kMaxZoom);
        values.zoom = ZoomStep(static_cast<std::int32_t>(clamped), 0);
    }
    values.history = PickHistory::FromText(settings.Read(kSection, "History", ""));
    return values;
}

SaveResult SavePickerSettings(const PickerSettings& values, const SettingsFile& settings) {
    return settings.Edit([&](SettingsEdit& edit) {
        edit.Set(kSection, "Zoom", std::to_string(values.zoom));
        // An empty history takes its key out of the file.
        edit.Set(kSection, "History", values.history.ToText());
    });
}

}  // namespace velmor
