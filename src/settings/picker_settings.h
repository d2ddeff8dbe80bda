#pragma once

#include <cstdint>

#include "core/magnifier.h"
#include "core/pick_history.h"
#include "settings/settings_store.h"

namespace velmor {

// What the picker keeps between runs, in [Picker]: the magnification
// ("Zoom") and the history cells ("History").
struct PickerSettings {
    std::int32_t zoom = kDefaultZoom;
    PickHistory history;
    friend bool operator==(const PickerSettings&, const PickerSettings&) = default;
};

// A value that cannot be read keeps its default; a zoom between two levels
// becomes the next level up.
PickerSettings LoadPickerSettings(const SettingsFile& settings);
// Both keys in one save; nothing else in the file changes.
SaveResult SavePickerSettings(const PickerSettings& values, const SettingsFile& settings);

}  // namespace velmor
