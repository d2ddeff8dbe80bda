#include "core/portal_backends.h"

#include <algorithm>
#include <initializer_list>

#include "core/text.h"

namespace velmor {

namespace {

bool Names(std::string_view desktop, std::initializer_list<std::string_view> names) {
    const std::string lower = ToLowerAscii(desktop);
    std::string_view rest = lower;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view part = rest.substr(0, colon);
        if (std::find(names.begin(), names.end(), part) != names.end()) return true;
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

std::vector<std::string> MissingPortalPackages(std::string_view desktop,
                                               const std::vector<std::string>& installed,
                                               bool portal) {
    std::vector<std::string> backends;
    if (Names(desktop, {"gnome", "unity", "budgie", "pantheon"})) {
        backends = {"gnome"};
    } else if (Names(desktop, {"kde"})) {
        backends = {"kde"};
    } else if (Names(desktop,
                     {"sway", "wlroots", "hyprland", "river", "labwc", "wayfire", "niri", "dwl"})) {
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

}  // namespace velmor
