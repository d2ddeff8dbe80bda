#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/notations.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"

namespace velmor {

// The four options, read at the moment of need, and their file.
class Options : public QObject {
    Q_OBJECT

  public:
    explicit Options(const SettingsFile& settings, QObject* parent = nullptr);

    const AppOptions& Values() const { return values_; }
    // The user's own notations: the keys of [Formats], name and template.
    const Templates& TemplateList() const;
    void Load();
    // The colour as Ctrl+C copies it: one of the fourteen, a notation or a
    // template; nothing when the chosen one no longer exists.
    std::optional<std::string> CopiedText(const Color& color) const;
    // Takes the new values and saves all four in one save.
    void Save(const AppOptions& values);

  signals:
    void changed();
    void saveFailed(const QString& message);

  private:
    const SettingsFile& settings_;
    AppOptions values_;
    mutable std::optional<Templates> templates_;
};

}  // namespace velmor
