#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// The desktop portal serves screenshots only through a backend for the
// running desktop, and exports its Screenshot interface only where a backend
// also offers Access (the dialogs that ask the user). These are the Debian
// packages a desktop needs for that, less those installed.
//   desktop:   XDG_CURRENT_DESKTOP ("sway", "ubuntu:GNOME", ...)
//   installed: the backends present, by their .portal file's name ("gtk", "wlr")
//   portal:    whether xdg-desktop-portal itself is installed
// Whether the desktop's portal asks the user before its first screenshot
// (GNOME's does, and remembers the answer); the others answer at once.
bool PortalAsksBeforeScreenshots(std::string_view desktop);

std::vector<std::string> MissingPortalPackages(std::string_view desktop,
                                               const std::vector<std::string>& installed,
                                               bool portal);

// Why a call to the portal failed, by the D-Bus error's name: no portal
// runs (none is installed, or it could not be started), it did not answer
// (stopped or hung), or it runs and offers no screenshots.
enum class PortalFault { NotRunning, NoAnswer, NoScreenshots };
PortalFault PortalFaultOf(std::string_view errorName);

}  // namespace velmor
