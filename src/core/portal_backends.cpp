#include "core/portal_backends.h"

#include <algorithm>
#include <initializer_list>

#include "core/text.h"

namespace velmor {

namespace {

// Where GNOME's portal backend serves screenshots, and asks before the first.
bool GnomeFamily(std::string_view desktop) {
    return ListNames(desktop, {"gnome", "unity", "budgie", "pantheon"});
}

}  // namespace

bool PortalAsksBeforeScreenshots(std::string_view desktop) {
    return GnomeFamily(desktop);
}

std::vector<std::string> MissingPortalPackages(std::string_view desktop,
                                               const std::vector<std::string>& installed,
                                               bool portal) {
    std::vector<std::string> backends;
    if (GnomeFamily(desktop)) {
        backends = {"gnome"};
    } else if (ListNames(desktop, {"kde"})) {
        backends = {"kde"};
    } else if (ListNames(desktop, {"sway", "wlroots", "hyprland", "river", "labwc", "wayfire",
                                   "niri", "dwl"})) {
        // wlr serves the screenshot, gtk the Access dialogs it lacks.
        backends = {"wlr", "gtk"};
    } else {
        backends = {"gtk"};
    }
    std::vector<std::string> missing;
    if (!portal) missing.push_back("xdg-desktop-portal");
    for (const std::string& b : backends) {
        if (std::find(installed.begin(), installed.end(), b) == installed.end()) {
            missing.push_back("xdg-desktop-portal-" + b);
        }
    }
    return missing;
}

PortalFault PortalFaultOf(std::string_view errorName) {
    constexpr std::string_view kBus = "org.freedesktop.DBus.Error.";
    if (!errorName.starts_with(kBus)) return PortalFault::NoScreenshots;
    const std::string_view name = errorName.substr(kBus.size());
    if (name == "ServiceUnknown" || name == "NameHasNoOwner" || name.starts_with("Spawn.")) {
        return PortalFault::NotRunning;
    }
    if (name == "NoReply" || name == "Timeout" || name == "TimedOut" || name == "Disconnected") {
        return PortalFault::NoAnswer;
    }
    return PortalFault::NoScreenshots;
}

}  // namespace velmor
