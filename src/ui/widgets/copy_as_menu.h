#pragma once

#include <QString>

#include "core/color.h"
#include "core/color_spaces.h"

class QMenu;

namespace velmor {

// Adds "Copy as" with the notations beyond the fourteen and the user's
// templates, each copying the colour written that way. A template that cannot
// be read is listed, disabled, with the reason.
void AddCopyAsMenu(QMenu& menu, const Color& color, const Templates& templates);

}  // namespace velmor
