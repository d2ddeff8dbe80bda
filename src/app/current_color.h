#pragma once

#include <QObject>
#include <QString>

#include "core/color.h"
#include "platform/capture/monitor_profile.h"

namespace velmor {

// The current colour and its name (empty for one the tables do not name).
// Everything that makes a colour current sets it here.
class CurrentColor : public QObject {
    Q_OBJECT

  public:
    explicit CurrentColor(QObject* parent = nullptr);

    const Color& Value() const { return color_; }
    // "#RRGGBB", as the value rows and the text fields show it.
    QString Text() const { return QString::fromStdString(color_.Html()); }
    const QString& Name() const { return name_; }
    // The ICC profile of the monitor a picked colour came from, else null.
    const ProfileRef& Profile() const { return profile_; }

  public slots:
    // An empty name is looked up in the tables.
    void Set(const velmor::Color& color, const QString& name = {});
    // A colour picked on a monitor with `profile` (null for none).
    void SetPicked(const velmor::Color& color, const velmor::ProfileRef& profile);

  signals:
    void changed();

  private:
    void Assign(const Color& color, const QString& name, const ProfileRef& profile);

    Color color_;
    QString name_;
    ProfileRef profile_;
};

}  // namespace velmor
