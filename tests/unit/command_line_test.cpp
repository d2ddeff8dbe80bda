#include "core/command_line.h"

#include <gtest/gtest.h>

#include "core/portal_backends.h"
#include "core/shortcuts.h"

namespace velmor {
namespace {

TEST(CommandLineTest, OptionsAndTheirErrors) {
    const struct {
        std::vector<std::string> args;
        bool pick;
        int format;
        bool error;
        int average = 1;
    } cases[] = {
        {{}, false, 0, false},
        {{"--pick"}, true, 0, false},
        {{"--pick", "--format", "13"}, true, 13, false},
        {{"--format=8", "--pick"}, true, 8, false},
        {{"--pick", "--format", "14"}, true, 0, true},
        {{"--pick", "--format", "oklch"}, true, 0, false},
        {{"--pick", "--format", " "}, true, 0, true},
        {{"--pick", "--format", "-1"}, true, 0, true},
        {{"--pick", "--format"}, true, 0, true},
        {{"--format", "3"}, false, 3, true},  // a format without a pick
        {{"--colour", "red"}, false, 0, true},
        {{"-style"}, false, 0, true},  // Qt's option without its value
        {{"--pick", "--average", "5"}, true, 0, false, 5},
        {{"--pick", "--average=11"}, true, 0, false, 11},
        {{"--pick", "--average", "4"}, true, 0, true},  // even: no middle pixel
        {{"--pick", "--average", "13"}, true, 0, true},
        {{"--pick", "--average", "x"}, true, 0, true},
        {{"--pick", "--average"}, true, 0, true},
        {{"--average", "3"}, false, 0, true},  // an area without a pick
        {{"--pick", "--copy"}, true, 0, false},
        {{"--copy"}, false, 0, true},
        {{"--background"}, false, 0, false},
        {{"--background", "--pick"}, true, 0, true},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(!line.error.empty(), c.error) << c.args.size();
        if (!c.error) {
            EXPECT_EQ(line.pick, c.pick);
            EXPECT_EQ(line.format, c.format);
            EXPECT_EQ(line.average, c.average);
        }
    }
}

TEST(CommandLineTest, QtsOwnOptionsArePassedOnAsGiven) {
    const CommandLine line = ParseCommandLine(
        {"-style", "fusion", "--pick", "-reverse", "--platform=offscreen", "-stylesheet=a.qss"});
    EXPECT_EQ(line.error, "");
    EXPECT_TRUE(line.pick);
    EXPECT_EQ(line.toolkit,
              (std::vector<std::string>{"-style", "fusion", "-reverse", "--platform=offscreen",
                                        "-stylesheet=a.qss"}));
    EXPECT_EQ(line.platform, "offscreen");
    EXPECT_EQ(ParseCommandLine({"-styles", "x"}).error, "unknown option \"-styles\"");
}

TEST(CommandLineTest, DesignToolsTakeTheirValues) {
    const CommandLine scheme = ParseCommandLine({"--scheme", "tints", "#f80", "--steps", "3"});
    EXPECT_EQ(scheme.scheme, (std::vector<std::string>{"tints", "#f80"}));
    EXPECT_EQ(scheme.steps, 3);
    const CommandLine contrast =
        ParseCommandLine({"--contrast", "#777", "white", "--suggest", "7"});
    EXPECT_EQ(contrast.contrast, (std::vector<std::string>{"#777", "white"}));
    EXPECT_EQ(contrast.suggest, "7");
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } refused[] = {
        {{"--scheme", "tints"}, "--scheme needs a scheme name and a color"},
        {{"--contrast", "red"}, "--contrast needs two colors"},
        {{"--scheme", "tints", "red", "--steps", "21"},
         "--steps needs a number from 1 to 20, not \"21\""},
        {{"--steps", "3"}, "--steps goes with --scheme"},
        {{"--suggest", "4.5"}, "--suggest goes with --contrast"},
        {{"--pick", "--contrast", "a", "b"}, "--scheme and --contrast go alone"},
    };
    for (const auto& r : refused) EXPECT_EQ(ParseCommandLine(r.arguments).error, r.error);
}

TEST(CommandLineTest, ADisplayIsChosenOrOneLineSaysWhyNot) {
    // Plain pointers in the table: GCC 12 at -O3 takes strings in an array of
    // aggregates for uninitialised.
    const struct {
        const char* requested;
        bool waylandReachable, waylandPlugin, x11Reachable;
        const char* platform;  // none: nullptr
        bool error;
    } cases[] = {
        {"", false, false, true, "xcb", false},
        {"", true, true, true, "wayland;xcb", false},
        {"", true, true, false, "wayland", false},
        {"", true, false, true, "xcb", false},  // no Wayland plugin installed
        {"", false, false, false, nullptr, true},
        {"wayland", false, true, true, "xcb", false},  // the compositor is gone
        {"wayland", false, true, false, nullptr, true},
        {"wayland", true, true, false, nullptr, false},
        {"xcb", false, false, false, nullptr, true},
        {"offscreen", false, false, false, nullptr, false},
    };
    for (const auto& c : cases) {
        const DisplayChoice choice =
            ChooseDisplay({c.requested, c.waylandReachable, c.waylandPlugin, c.x11Reachable});
        EXPECT_EQ(choice.platform.value_or("(none)"), c.platform ? c.platform : "(none)")
            << c.requested;
        EXPECT_EQ(!choice.error.empty(), c.error) << c.requested;
    }
}

TEST(CommandLineTest, TheScreenIsReadTheExactWayTheDisplayAllows) {
    const DisplayFacts compositor{"xcb", true, true, true};
    const DisplayFacts noPlugin{"xcb", true, false, true};
    const DisplayFacts x11Only{"", false, false, true};
    const struct {
        DisplaySeen seen;
        DisplayFacts facts;
        CaptureRoute route;
    } cases[] = {
        {{false, false, true}, compositor, CaptureRoute::Wayland},
        {{true, true, true}, compositor, CaptureRoute::WaylandChild},
        {{true, true, true}, noPlugin, CaptureRoute::Portal},
        {{true, true, false}, x11Only, CaptureRoute::Portal},  // XWayland, compositor unreachable
        {{true, false, true}, x11Only, CaptureRoute::Portal},
        // A Wayland compositor nested in a plain X session is not the desktop.
        {{true, false, false}, compositor, CaptureRoute::X11},
        {{true, false, false}, x11Only, CaptureRoute::X11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseCaptureRoute(c.seen, c.facts), c.route)
            << c.seen.onX11 << c.seen.xwayland << c.seen.waylandSession;
    }
}

TEST(CommandLineTest, TheMessageNamesThePortalPackagesThisDesktopLacks) {
    using Names = std::vector<std::string>;
    const struct {
        const char* desktop;
        Names installed;
        bool portal;
        Names missing;
    } cases[] = {
        // sway's screenshots come from wlr, but the portal also needs gtk's Access.
        {"sway", {"wlr"}, true, {"xdg-desktop-portal-gtk"}},
        {"sway", {"wlr", "gtk"}, true, {}},
        {"ubuntu:GNOME", {"gtk"}, true, {"xdg-desktop-portal-gnome"}},
        {"KDE", {"kde"}, false, {"xdg-desktop-portal"}},
        {"Hyprland",
         {},
         false,
         {"xdg-desktop-portal", "xdg-desktop-portal-wlr", "xdg-desktop-portal-gtk"}},
        {"", {}, true, {"xdg-desktop-portal-gtk"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MissingPortalPackages(c.desktop, c.installed, c.portal), c.missing) << c.desktop;
    }
}

TEST(Shortcuts, EachDesktopHasItsWayAndItsSpelling) {
    const struct {
        ShortcutPlace place;
        ShortcutRoute route;
    } places[] = {
        {{"", true, false}, ShortcutRoute::X11Grab},
        {{"GNOME", true, false}, ShortcutRoute::X11Grab},  // GNOME on Xorg: the X grab works
        {{"ubuntu:GNOME", false, true}, ShortcutRoute::GnomeKeybinding},
        {{"GNOME-Flashback:GNOME", true, true}, ShortcutRoute::GnomeKeybinding},
        {{"sway", false, true}, ShortcutRoute::SwayBinding},
        {{"KDE", false, true}, ShortcutRoute::None},
        {{"GNOMEish", false, true}, ShortcutRoute::None},
        {{"KDE", false, true, true}, ShortcutRoute::Portal},
        {{"GNOME", true, true, true}, ShortcutRoute::Portal},  // GNOME 48: its portal first
        {{"KDE", false, true, true, true}, ShortcutRoute::KdeService},
        {{"KDE", true, false, false, true}, ShortcutRoute::X11Grab},
    };
    for (const auto& p : places) {
        EXPECT_EQ(ChooseShortcutRoute(p.place), p.route) << p.place.currentDesktop;
    }
    const struct {
        const char* portable;
        std::optional<std::string> gnome, sway, portal;
    } keys[] = {
        {"Meta+Shift+C", "<Super><Shift>c", "Mod4+Shift+c", "SHIFT+LOGO+c"},
        {"Ctrl+Alt+F5", "<Primary><Alt>F5", "Ctrl+Mod1+F5", "CTRL+ALT+F5"},
        {"Print", "Print", "Print", "Print"},
        {"Meta+7", "<Super>7", "Mod4+7", "LOGO+7"},
        {"Meta+F36", std::nullopt, std::nullopt, std::nullopt},
        {"Hyper+C", std::nullopt, std::nullopt, std::nullopt},
        {"Meta+PgDown", std::nullopt, std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(GnomeAccelerator(k.portable), k.gnome) << k.portable;
        EXPECT_EQ(SwayKeys(k.portable), k.sway) << k.portable;
        EXPECT_EQ(PortalTrigger(k.portable), k.portal) << k.portable;
    }
}

TEST(Shortcuts, GnomesListGainsOurPathOnce) {
    const std::string ours = "/org/gnome/x/velmor/";
    const struct {
        const char* list;
        std::string expected;
    } cases[] = {
        {"@as []", "['/org/gnome/x/velmor/']"},
        {"['/a/']", "['/a/', '/org/gnome/x/velmor/']"},
        {"['/a/', '/org/gnome/x/velmor/']", "['/a/', '/org/gnome/x/velmor/']"},
        {"", "['/org/gnome/x/velmor/']"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithGnomeKeybindingPath(c.list, ours), c.expected) << c.list;
    EXPECT_EQ(GVariantString(R"("/opt/it's\x" --pick)"), R"('"/opt/it\'s\\x" --pick')");
}

}  // namespace
}  // namespace velmor
