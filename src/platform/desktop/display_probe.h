#pragma once

#include "core/command_line.h"

namespace velmor {

// Looks at the environment and the display sockets without starting Qt.
DisplayFacts ProbeDisplays();

}  // namespace velmor
