#pragma once

#include <QString>

#include "core/color.h"
#include "core/notations.h"
#include "platform/capture/monitor_profile.h"

class QMenu;

namespace velmor {

// Adds "Copy as" with the notations beyond the fourteen and the user's
// templates, each copying the colour written that way. A template that cannot
// be read is listed, disabled, with the reason.
// A colour picked on a monitor with a profile adds its value through the
// profile in sRGB and in Display P3.
void AddCopyAsMenu(QMenu& menu, const Color& color, const Templates& templates,
                   const ProfileRef& profile = nullptr);

}  // namespace velmor
