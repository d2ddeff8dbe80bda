#include "app/options.h"

namespace velmor {

Options::Options(const SettingsFile& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

void Options::Load() {
    ResetOptions(values_);
    LoadOptions(values_, settings_);
    templates_ = settings_.ReadSection("Formats");
    emit changed();
}

void Options::Save(const AppOptions& values) {
    values_ = values;
    const SaveResult result = SaveOptions(values_, settings_);
    emit changed();
    if (!result) {
        emit saveFailed(tr("Your options could not be saved to %1: %2.")
                            .arg(QString::fromStdString(settings_.Path()),
                                 QString::fromStdString(result.reason)));
    }
}

}  // namespace velmor
