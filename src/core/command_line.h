#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool pick = false;
    bool verbose = false;
    bool managed = false;     // with --pick: print through the monitor's profile
    bool copy = false;        // with --pick: the printed text goes to the clipboard too
    bool background = false;  // stay resident, without the main window
    int average = 1;          // with --pick: the side of the square averaged
    int format = 0;           // which of the fourteen notations --pick prints
    std::string formatName;   // or a notation ("oklch") or template name instead
    // --scheme NAME COLOR [--steps N]: the scheme's colours, one a line.
    std::vector<std::string> scheme;
    std::optional<int> steps;
    // --contrast FG BG [--suggest R]: the WCAG ratio, and a passing colour.
    std::vector<std::string> contrast;
    std::string suggest;
    std::string error;  // set when the arguments cannot be used
    // Qt's own options (-style fusion, -reverse, ...), passed on to it as given.
    std::vector<std::string> toolkit;
    std::string platform;  // the value of -platform, which decides the display
    std::string display;   // the value of -display, the X server asked for
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Which Qt platform to start, decided before Qt is asked to connect, so that
// a missing display is one clear line rather than an abort.
struct DisplayFacts {
    std::string requested;  // QT_QPA_PLATFORM as set, or empty
    bool waylandReachable = false;
    bool waylandPlugin = false;
    bool x11Reachable = false;
};
struct DisplayChoice {
    std::optional<std::string> platform;  // a value to set QT_QPA_PLATFORM to
    std::string error;                    // no display at all
};
DisplayChoice ChooseDisplay(const DisplayFacts& facts);

// A Wayland session, whether the program runs on Wayland or XWayland: the
// session says so, or a compositor answers on WAYLAND_DISPLAY.
inline bool IsWaylandSession(std::string_view sessionType, const DisplayFacts& facts) {
    return sessionType == "wayland" || facts.waylandReachable;
}

// How the screen is read, once the toolkit has connected to its display.
enum class CaptureRoute {
    X11,          // the X server's own pixels
    Portal,       // the desktop portal's screenshot
    Wayland,      // per-output copies where the compositor offers them, else the portal
    WaylandChild  // from XWayland: the picker itself runs again natively on Wayland
};
struct DisplaySeen {
    bool onX11 = false;     // the toolkit talks to an X server
    bool xwayland = false;  // that server is XWayland
    bool waylandSession = false;
};
// On XWayland the X root counts logical pixels and the compositor upscales X
// windows, so nothing drawn or read there is exact: where the program can
// reach the compositor itself it picks natively.
CaptureRoute ChooseCaptureRoute(const DisplaySeen& seen, const DisplayFacts& facts);

}  // namespace velmor
