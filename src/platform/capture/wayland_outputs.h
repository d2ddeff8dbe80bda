#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace velmor {

// What the screen-copy module gives: every output's picture in its own device
// pixels, where the desktop places each, or why there is no copy.
struct WaylandOutputs {
    std::vector<QImage> pictures;
    std::vector<QRect> logical;
    QString why;
};

// The module's one entry point; false, with `why`, when the compositor gives
// no copy.
using CopyOutputsFunction = bool (*)(WaylandOutputs*);
inline constexpr const char* kWaylandOutputsModule = "velmor-wayland-copy.so";
inline constexpr const char* kWaylandOutputsEntry = "velmor_copy_wayland_outputs";

}  // namespace velmor
