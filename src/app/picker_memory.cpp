#include "app/picker_memory.h"

namespace velmor {

PickerMemory::PickerMemory(const SettingsFile& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

void PickerMemory::Load() {
    values_ = LoadPickerSettings(settings_);
    saved_ = values_;
    loaded_ = true;
}

void PickerMemory::Save() {
    if (values_ == saved_) return;
    const SaveResult result = SavePickerSettings(values_, settings_);
    if (!result) {
        emit saveFailed(tr("The picker's zoom and history could not be saved to %1: %2.")
                            .arg(QString::fromStdString(settings_.Path()),
                                 QString::fromStdString(result.reason)));
        return;
    }
    saved_ = values_;
}

}  // namespace velmor
