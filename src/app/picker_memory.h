#pragma once

#include <QObject>
#include <QString>

#include "settings/picker_settings.h"
#include "settings/settings_store.h"

namespace velmor {

// What the picker remembers from one opening to the next: the zoom and the
// history for good (in the settings file), the sample area for this run.
class PickerMemory : public QObject {
    Q_OBJECT

  public:
    explicit PickerMemory(const SettingsFile& settings, QObject* parent = nullptr);

    void Load();
    // Reads the file the first time the picker needs it, not at start-up.
    void EnsureLoaded() {
        if (!loaded_) Load();
    }
    // Writes the zoom and the history when either changed since the last
    // load or save; a failure is told through `saveFailed`, and the values
    // stay for this run.
    void Save();

    std::int32_t Zoom() const { return values_.zoom; }
    std::int32_t Area() const { return area_; }
    const PickHistory& History() const { return values_.history; }
    void SetZoom(std::int32_t zoom) { values_.zoom = zoom; }
    void SetArea(std::int32_t area) { area_ = area; }
    void SetHistory(const PickHistory& history) { values_.history = history; }

  signals:
    void saveFailed(const QString& message);

  private:
    const SettingsFile& settings_;
    PickerSettings values_;
    PickerSettings saved_;
    std::int32_t area_ = 1;
    bool loaded_ = false;
};

}  // namespace velmor
