#include "core/shortcuts.h"

#include <cctype>
#include <vector>

#include "core/text.h"

namespace velmor {

namespace {

struct Chord {
    bool meta = false, shift = false, ctrl = false, alt = false;
    std::string key;  // "c", "5", "F5", "Print"
};

std::optional<Chord> ParseChord(std::string_view portable) {
    Chord chord;
    const std::vector<std::string> parts = Split(portable, '+');
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string& m = parts[i];
        if (m == "Meta") {
            chord.meta = true;
        } else if (m == "Shift") {
            chord.shift = true;
        } else if (m == "Ctrl") {
            chord.ctrl = true;
        } else if (m == "Alt") {
            chord.alt = true;
        } else {
            return std::nullopt;
        }
    }
    if (parts.empty()) return std::nullopt;
    const std::string& key = parts.back();
    const bool function = key.size() >= 2 && key.size() <= 3 && key[0] == 'F' &&
                          ParseWholeNumber<int>(key.substr(1)).value_or(0) >= 1 &&
                          ParseWholeNumber<int>(key.substr(1)).value_or(0) <= 35;
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        chord.key = ToLowerAscii(key);
    } else if (function || key == "Print" || key == "Pause") {
        chord.key = key;
    } else {
        return std::nullopt;
    }
    return chord;
}

}  // namespace

ShortcutRoute ChooseShortcutRoute(const ShortcutPlace& place) {
    if (place.onX11 && !place.waylandSession) return ShortcutRoute::X11Grab;
    // Plasma 5's portal takes a binding and registers nothing: KDE's own service first.
    if (place.kdeService) return ShortcutRoute::KdeService;
    if (place.portalShortcuts) return ShortcutRoute::Portal;
    if (ListNames(place.currentDesktop, {"GNOME"})) return ShortcutRoute::GnomeKeybinding;
    if (ListNames(place.currentDesktop, {"sway"})) return ShortcutRoute::SwayBinding;
    return ShortcutRoute::None;
}

std::optional<std::string> GnomeAccelerator(std::string_view portable) {
    const std::optional<Chord> c = ParseChord(portable);
    if (!c) return std::nullopt;
    return std::string(c->ctrl ? "<Primary>" : "") + (c->alt ? "<Alt>" : "") +
           (c->meta ? "<Super>" : "") + (c->shift ? "<Shift>" : "") + c->key;
}

std::optional<std::string> SwayKeys(std::string_view portable) {
    const std::optional<Chord> c = ParseChord(portable);
    if (!c) return std::nullopt;
    return std::string(c->meta ? "Mod4+" : "") + (c->ctrl ? "Ctrl+" : "") +
           (c->alt ? "Mod1+" : "") + (c->shift ? "Shift+" : "") + c->key;
}

std::optional<std::string> PortalTrigger(std::string_view portable) {
    const std::optional<Chord> c = ParseChord(portable);
    if (!c) return std::nullopt;
    return std::string(c->ctrl ? "CTRL+" : "") + (c->alt ? "ALT+" : "") +
           (c->shift ? "SHIFT+" : "") + (c->meta ? "LOGO+" : "") + c->key;
}

std::string WithGnomeKeybindingPath(std::string_view list, std::string_view path) {
    std::vector<std::string> paths;
    std::string_view rest = TrimSpaces(list);
    if (rest.starts_with("@as")) rest = TrimSpaces(rest.substr(3));
    // Between the brackets: quoted paths, which never hold quotes or commas.
    const std::size_t open = rest.find('['), close = rest.rfind(']');
    if (open != std::string_view::npos && close != std::string_view::npos && open < close) {
        for (const std::string& item : Split(rest.substr(open + 1, close - open - 1), ',')) {
            std::string_view p = TrimSpaces(item);
            if (p.size() >= 2 && (p.front() == '\'' || p.front() == '"'))
                p = p.substr(1, p.size() - 2);
            if (!p.empty()) paths.emplace_back(p);
        }
    }
    bool found = false;
    for (const std::string& p : paths) found = found || p == path;
    if (!found) paths.emplace_back(path);
    std::string out = "[";
    for (std::size_t i = 0; i < paths.size(); ++i) out += (i ? ", '" : "'") + paths[i] + "'";
    return out + "]";
}

std::string GVariantString(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\\' || c == '\'') out += '\\';
        out += c;
    }
    return out + "'";
}

std::string AutostartEntry(std::string_view name, std::string_view program) {
    return "[Desktop Entry]\nType=Application\nName=" + std::string(name) + "\nExec=\"" +
           std::string(program) +
           "\" --background\nNoDisplay=true\nX-GNOME-Autostart-enabled=true\n";
}

}  // namespace velmor
