#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// How a key pressed anywhere reaches the resident program on the desktop it
// runs on: its own grab on X11; KDE's shortcut service; the desktop portal's
// global shortcut; a keybinding the desktop runs the program for (GNOME
// writes one for us, sway's config is the user's own); none.
enum class ShortcutRoute { X11Grab, KdeService, Portal, GnomeKeybinding, SwayBinding, None };

struct ShortcutPlace {
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
    bool onX11 = false;          // the toolkit talks to an X server
    bool waylandSession = false;
    bool portalShortcuts = false;  // the desktop portal offers global shortcuts
    bool kdeService = false;       // KDE's global shortcut service runs
};
ShortcutRoute ChooseShortcutRoute(const ShortcutPlace& place);

// A shortcut as the program stores it ("Meta+Shift+C") in the desktops'
// own spelling: GNOME's "<Super><Shift>c", sway's "Mod4+Shift+c". Nothing
// for a key neither names the same way.
std::optional<std::string> GnomeAccelerator(std::string_view portable);
std::optional<std::string> SwayKeys(std::string_view portable);
// The portal's spelling, as the XDG shortcut names go: "LOGO+SHIFT+c".
std::optional<std::string> PortalTrigger(std::string_view portable);

// GNOME's list of custom keybindings as gsettings prints it ("@as []",
// "['/a/', '/b/']") with PATH in it once, as gsettings reads it back.
std::string WithGnomeKeybindingPath(std::string_view list, std::string_view path);

// TEXT as a GVariant string, which gsettings takes: quoted, its quotes and
// backslashes escaped.
std::string GVariantString(std::string_view text);

// The autostart entry that starts PROGRAM resident as the desktop starts.
std::string AutostartEntry(std::string_view name, std::string_view program);

}  // namespace velmor
