#pragma once

#include "core/command_line.h"

namespace velmor {

// Looks at the environment and the display sockets without starting Qt.
DisplayFacts ProbeDisplays();

// True in a Wayland session, whether the program runs on Wayland or XWayland:
// the session says so, or a compositor answers on WAYLAND_DISPLAY.
bool InWaylandSession();

}  // namespace velmor
