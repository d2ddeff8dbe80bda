#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "core/color.h"

namespace velmor {

// A monitor's ICC profile, as a colour-management daemon publishes it, and
// what the screen's values are in sRGB and in Display P3 through it
// (relative colorimetric, by Little CMS).
class MonitorProfile {
  public:
    // Nothing for bytes that are no RGB display profile; then, for bytes
    // given, PROBLEM says why they cannot serve.
    static std::shared_ptr<const MonitorProfile> FromIcc(const QByteArray& icc,
                                                         QString* problem = nullptr);
    ~MonitorProfile();
    MonitorProfile(const MonitorProfile&) = delete;
    MonitorProfile& operator=(const MonitorProfile&) = delete;

    Color ToSrgb(const Color& screen) const;
    Color ToDisplayP3(const Color& screen) const;
    const QString& Description() const { return description_; }

  private:
    MonitorProfile() = default;
    Color Apply(void* transform, const Color& c) const;

    void* toSrgb_ = nullptr;
    void* toDisplayP3_ = nullptr;
    QString description_;
};

using ProfileRef = std::shared_ptr<const MonitorProfile>;

// The Display P3 profile (P3 primaries, D65, the sRGB curve), for tests and
// for writing color(display-p3 ...).
QByteArray DisplayP3Icc();

}  // namespace velmor
