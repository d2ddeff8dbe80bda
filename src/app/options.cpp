#include "app/options.h"

#include "core/value_formatter.h"

namespace velmor {

Options::Options(const SettingsFile& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

const Templates& Options::TemplateList() const {
    // Read when first needed: a file of many templates costs start-up nothing.
    if (!templates_) templates_ = settings_.ReadSection("Formats");
    return *templates_;
}

void Options::Load() {
    ResetOptions(values_);
    LoadOptions(values_, settings_);
    templates_.reset();
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

std::optional<std::string> Options::CopiedText(const Color& color) const {
    if (!values_.copiedName.empty()) return WriteNamed(values_.copiedName, color, TemplateList());
    if (!IsValueFormat(values_.copiedValue)) return std::nullopt;
    return FormatColor(color, {}, values_.upperCase)
        .texts[static_cast<std::size_t>(values_.copiedValue)];
}

}  // namespace velmor
