#include "core/command_line.h"

#include "core/color_design.h"
#include "core/magnifier.h"
#include "core/text.h"
#include "core/value_formatter.h"

namespace velmor {

namespace {

// The options every Qt program takes, with one dash or two; the first ones
// take a value, as "-style fusion" or "-style=fusion".
constexpr std::string_view kToolkitWithValue[] = {"style",
                                                  "stylesheet",
                                                  "platform",
                                                  "platformtheme",
                                                  "platformpluginpath",
                                                  "plugin",
                                                  "display",
                                                  "qwindowgeometry",
                                                  "qwindowtitle",
                                                  "qwindowicon",
                                                  "session",
                                                  "geometry",
                                                  "name",
                                                  "title"};
constexpr std::string_view kToolkitFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};

// The option's name without its dashes and value, when it is one of Qt's.
std::optional<std::string_view> ToolkitOption(std::string_view a, bool* takesValue) {
    if (!a.starts_with('-')) return std::nullopt;
    a.remove_prefix(a.starts_with("--") ? 2 : 1);
    const std::string_view name = a.substr(0, a.find('='));
    for (std::string_view known : kToolkitWithValue) {
        if (name == known) {
            *takesValue = name.size() == a.size();  // no "=value" attached
            return name;
        }
    }
    for (std::string_view known : kToolkitFlags) {
        if (a == known) {
            *takesValue = false;
            return name;
        }
    }
    return std::nullopt;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool formatGiven = false;
    bool averageGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            line.help = true;
        } else if (a == "--version") {
            line.version = true;
        } else if (a == "--pick") {
            line.pick = true;
        } else if (a == "--verbose" || a == "-v") {
            line.verbose = true;
        } else if (a == "--managed") {
            line.managed = true;
        } else if (a == "--copy") {
            line.copy = true;
        } else if (a == "--background") {
            line.background = true;
        } else if (a == "--scheme" || a == "--contrast") {
            if (i + 2 >= arguments.size()) {
                line.error = a == "--scheme" ? "--scheme needs a scheme name and a color"
                                             : "--contrast needs two colors";
                return line;
            }
            (a == "--scheme" ? line.scheme : line.contrast) = {arguments[i + 1], arguments[i + 2]};
            i += 2;
        } else if (a == "--steps") {
            const std::string value = i + 1 < arguments.size() ? arguments[++i] : std::string();
            const auto n = ParseWholeNumber<std::int64_t>(TrimSpaces(value));
            if (!n || *n < kMinSchemeSteps || *n > kMaxSchemeSteps) {
                line.error = "--steps needs a number from 1 to 20, not \"" + value + "\"";
                return line;
            }
            line.steps = static_cast<int>(*n);
        } else if (a == "--suggest") {
            if (i + 1 >= arguments.size()) {
                line.error = "--suggest needs a contrast ratio from 1 to 21";
                return line;
            }
            line.suggest = arguments[++i];
        } else if (a == "--average" || a.starts_with("--average=")) {
            constexpr const char* kNeeds = "--average needs an odd number of pixels from 1 to 11";
            if (a == "--average" && i + 1 >= arguments.size()) {
                line.error = kNeeds;
                return line;
            }
            const std::string value = a == "--average" ? arguments[++i] : a.substr(10);
            const auto n = ParseWholeNumber<std::int64_t>(TrimSpaces(value));
            if (!n || !IsAreaSize(*n)) {
                line.error = std::string(kNeeds) + ", not \"" + value + "\"";
                return line;
            }
            line.average = static_cast<int>(*n);
            averageGiven = true;
        } else if (a == "--format" || a.starts_with("--format=")) {
            std::string value;
            if (a == "--format") {
                if (i + 1 >= arguments.size()) {
                    line.error = "--format needs a number from 0 to 13 or a name";
                    return line;
                }
                value = arguments[++i];
            } else {
                value = a.substr(9);
            }
            // A number is one of the fourteen; a name is a notation or a template.
            if (const std::optional<std::int16_t> n = ParseInt16(value)) {
                if (!IsValueFormat(*n)) {
                    line.error =
                        "--format takes a number from 0 to 13 or a name, not \"" + value + "\"";
                    return line;
                }
                line.format = static_cast<int>(*n);
            } else if (!std::string_view(TrimSpaces(value)).empty()) {
                line.formatName = std::string(TrimSpaces(value));
            } else {
                line.error = "--format needs a number from 0 to 13 or a name";
                return line;
            }
            formatGiven = true;
        } else if (bool takesValue = false; const auto name = ToolkitOption(a, &takesValue)) {
            line.toolkit.push_back(a);
            const std::size_t equals = a.find('=');
            std::string value = equals == std::string::npos ? std::string() : a.substr(equals + 1);
            if (takesValue) {
                if (i + 1 >= arguments.size()) {
                    line.error = a + " needs a value";
                    return line;
                }
                value = arguments[++i];
                line.toolkit.push_back(value);
            }
            if (*name == "platform") line.platform = value;
            if (*name == "display") line.display = value;
        } else {
            line.error = "unknown option \"" + a + "\"";
            return line;
        }
    }
    if (formatGiven && !line.pick && !line.help && !line.version) {
        line.error = "--format goes with --pick";
    }
    if (averageGiven && !line.pick && !line.help && !line.version) {
        line.error = "--average goes with --pick";
    }
    if (line.copy && !line.pick && !line.help && !line.version) {
        line.error = "--copy goes with --pick";
    }
    if (line.background && line.pick) line.error = "--background does not go with --pick";
    if (line.steps && line.scheme.empty()) line.error = "--steps goes with --scheme";
    if (!line.suggest.empty() && line.contrast.empty())
        line.error = "--suggest goes with --contrast";
    if ((!line.scheme.empty() || !line.contrast.empty()) && (line.pick || line.background)) {
        line.error = "--scheme and --contrast go alone";
    }
    return line;
}

DisplayChoice ChooseDisplay(const DisplayFacts& facts) {
    const std::string& r = facts.requested;
    const bool wantsWayland = r.starts_with("wayland");
    if (!r.empty() && !wantsWayland && r != "xcb") return {};  // offscreen, vnc, ...
    if (r == "xcb") {
        if (facts.x11Reachable) return {};
        return {std::nullopt,
                "no X11 display can be reached (DISPLAY is unset or names no "
                "running X server)"};
    }
    const bool wayland = facts.waylandReachable && facts.waylandPlugin;
    if (wantsWayland) {
        if (wayland) return {};
        if (facts.x11Reachable) return {"xcb", {}};
        return {std::nullopt,
                "no Wayland compositor can be reached (WAYLAND_DISPLAY names none "
                "running) and no X11 display either"};
    }
    if (wayland) return {facts.x11Reachable ? "wayland;xcb" : "wayland", {}};
    if (facts.x11Reachable) return {"xcb", {}};
    return {std::nullopt,
            "no display to open: neither an X11 display (DISPLAY) nor a Wayland compositor "
            "(WAYLAND_DISPLAY) can be reached"};
}

CaptureRoute ChooseCaptureRoute(const DisplaySeen& seen, const DisplayFacts& facts) {
    if (!seen.onX11) return CaptureRoute::Wayland;
    if (seen.xwayland && facts.waylandReachable && facts.waylandPlugin) {
        return CaptureRoute::WaylandChild;
    }
    if (seen.xwayland || seen.waylandSession) return CaptureRoute::Portal;
    return CaptureRoute::X11;
}

}  // namespace velmor
