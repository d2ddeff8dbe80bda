#include "core/palette_io.h"

#include <cstdio>
#include <set>

#include "core/color_parse.h"
#include "core/color_tables.h"
#include "core/notations.h"
#include "core/text.h"

namespace velmor {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

std::string Hex(const Srgb8& c) {
    return WriteNotation(Notation::Hex, Color::From8(c)).substr(1);
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out + "\"";
}

// "DarkOrange" or "Sky blue" as "dark-orange" and "sky-blue"; only letters,
// digits and single dashes survive.
std::string CssIdentifier(std::string_view name) {
    std::string out;
    char previous = 0;
    for (const char c : name) {
        const bool upper = c >= 'A' && c <= 'Z';
        const bool lower = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (upper && previous != 0 && previous != '-' && !(previous >= 'A' && previous <= 'Z')) {
            out += '-';
        }
        if (upper || lower) {
            out += upper ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (!out.empty() && out.back() != '-') {
            out += '-';
        }
        previous = upper || lower ? c : '-';
    }
    while (!out.empty() && out.back() == '-') out.pop_back();
    if (!out.empty() && out.front() >= '0' && out.front() <= '9') out = "c-" + out;
    return out;
}

// "R G B [name]" with whole numbers from 0 to 255; the name after them.
bool ReadGimpLine(std::string_view line, Srgb8& color, std::string& name) {
    int values[3] = {};
    std::size_t at = 0;
    for (int& v : values) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        const std::size_t begin = at;
        while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
        if (at == begin || at - begin > 3) return false;
        const auto n = ParseInt16(line.substr(begin, at - begin));
        if (!n || *n > 255) return false;
        v = *n;
    }
    if (at < line.size() && line[at] != ' ' && line[at] != '\t') return false;
    color = {values[0], values[1], values[2]};
    name = std::string(TrimBlanks(line.substr(at)));
    // A name that is only the colour's hex (as older exports wrote) names nothing.
    if (ParseHexColor(name) && name.starts_with('#')) name.clear();
    return true;
}

// The colour a text names, as six hex digits.
std::optional<std::string> HexOf(std::string_view text) {
    // In a palette six bare digits are hex, as hex lists write them.
    if (const auto bare = ParseHexColor(text)) return Hex(*bare);
    const std::optional<ParsedColor> parsed = ParseColor(text);
    if (!parsed) return std::nullopt;
    return Hex(parsed->color.To8());
}

// JSON: every string that is a colour. In an object it is named by the
// object's "name" when it stands under "hex", "color", "colour" or "value",
// else by its own key ({"accent": "#f80"}); in an array it has no name.
void ReadJson(std::string_view text, PaletteImport& result) {
    struct Container {
        bool object;
        std::string name;
        std::vector<std::size_t> unnamed;  // colours waiting for the object's name
    };
    std::vector<Container> open;
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '[') {
            open.push_back({c == '{', {}, {}});
        } else if ((c == '}' || c == ']') && !open.empty()) {
            for (std::size_t at : open.back().unnamed) result.names[at] = open.back().name;
            open.pop_back();
        } else if (c == '"') {
            std::string s;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) ++i;
                s += text[i];
            }
            std::size_t next = i + 1;
            while (next < text.size() && (text[next] == ' ' || text[next] == '\t' ||
                                          text[next] == '\n' || text[next] == '\r')) {
                ++next;
            }
            if (next < text.size() && text[next] == ':') {
                key = s;
                continue;
            }
            const bool inObject = !open.empty() && open.back().object;
            if (inObject && key == "name") {
                open.back().name = s;
            } else if (const auto hex = HexOf(s)) {
                result.colors.push_back(*hex);
                const bool plain =
                    key == "hex" || key == "color" || key == "colour" || key == "value";
                result.names.push_back(inObject && !plain ? key : std::string());
                if (inObject && plain) open.back().unnamed.push_back(result.colors.size() - 1);
            }
        }
    }
}

}  // namespace

std::string ExportPalette(PaletteFormat format, const std::vector<std::string>& entries,
                          std::string_view name, const std::vector<std::string>& names) {
    struct Named {
        Srgb8 color;
        std::string name;
    };
    std::vector<Named> colors;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& e = entries[i];
        const auto c = ParseHexColor(e);
        if (!c || e.find('#') != std::string::npos) continue;
        std::string given = i < names.size() ? std::string(TrimBlanks(names[i])) : std::string();
        if (given.empty()) given = std::string(ColorName(e));
        colors.push_back({*c, given});
    }
    std::string out;
    switch (format) {
        case PaletteFormat::Gimp: {
            out = "GIMP Palette\nName: " + std::string(name) + "\nColumns: 16\n#\n";
            for (const Named& n : colors) {
                char line[64];
                std::snprintf(line, sizeof line, "%3d %3d %3d\t", n.color.red, n.color.green,
                              n.color.blue);
                out += line + (n.name.empty() ? "#" + Hex(n.color) : n.name) + "\n";
            }
            break;
        }
        case PaletteFormat::Css: {
            // Property names from the colours' names, each used once.
            out = "/* " + std::string(name) + " */\n:root {\n";
            std::set<std::string> used;
            for (std::size_t i = 0; i < colors.size(); ++i) {
                std::string property = CssIdentifier(colors[i].name);
                if (property.empty()) property = "favorite-" + std::to_string(i + 1);
                const std::string base = property;
                for (int k = 2; !used.insert(property).second; ++k) {
                    property = base + "-" + std::to_string(k);
                }
                out += "  --" + property + ": #" + Hex(colors[i].color) + ";\n";
            }
            out += "}\n";
            break;
        }
        case PaletteFormat::Json: {
            out = "{\n  \"name\": " + JsonString(name) + ",\n  \"colors\": [";
            for (std::size_t i = 0; i < colors.size(); ++i) {
                out += (i == 0 ? "\n    " : ",\n    ");
                out += "{\"name\": " + JsonString(colors[i].name) +
                       ", \"hex\": " + JsonString("#" + Hex(colors[i].color)) + "}";
            }
            out += colors.empty() ? "]\n}\n" : "\n  ]\n}\n";
            break;
        }
        case PaletteFormat::HexList:
            for (const Named& n : colors) out += "#" + Hex(n.color) + "\n";
            break;
    }
    return out;
}

// CSS block comments as blanks, so that the lines stay where they were.
std::string WithoutComments(std::string_view text) {
    std::string out(text);
    for (std::size_t open = out.find("/*"); open != std::string::npos;
         open = out.find("/*", open)) {
        const std::size_t close = out.find("*/", open + 2);
        const std::size_t end = close == std::string::npos ? out.size() : close + 2;
        for (std::size_t i = open; i < end; ++i) {
            if (out[i] != '\n' && out[i] != '\r') out[i] = ' ';
        }
        open = end;
    }
    return out;
}

// Whether a line declares a CSS custom property ("--name:") anywhere.
bool DeclaresCustomProperty(std::string_view line) {
    for (std::size_t at = line.find("--"); at != std::string_view::npos;
         at = line.find("--", at + 2)) {
        const bool starts =
            at == 0 || std::string_view(" \t;{").find(line[at - 1]) != std::string_view::npos;
        if (starts && line.find(':', at) != std::string_view::npos) return true;
    }
    return false;
}

// The custom properties ("--name: colour") of a line of CSS, wherever they stand.
void ReadCssLine(std::string_view line, PaletteImport& result) {
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find_first_of(";{}", start), line.size());
        const std::string_view declaration = TrimBlanks(line.substr(start, end - start));
        start = end + 1;
        const std::size_t colon = declaration.find(':');
        if (!declaration.starts_with("--") || colon == std::string_view::npos) continue;
        std::string name(TrimBlanks(declaration.substr(2, colon - 2)));
        const std::optional<std::string> hex = HexOf(TrimBlanks(declaration.substr(colon + 1)));
        if (!hex) {
            ++result.unreadable;
            continue;
        }
        if (name.starts_with("favorite-")) name.clear();  // a number, not a name
        result.colors.push_back(*hex);
        result.names.push_back(name);
    }
}

PaletteImport ImportPalette(std::string_view content) {
    PaletteImport result;
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    const std::string_view start = TrimBlanks(content.substr(0, 64));
    if (start.starts_with('{') || start.starts_with('[')) {
        ReadJson(content, result);
        return result;
    }
    const bool gimp = TrimBlanks(Lines(content.substr(0, 64)).front()) == "GIMP Palette";
    const std::string uncommented = gimp ? std::string() : WithoutComments(content);
    const std::vector<std::string_view> lines = Lines(gimp ? content : uncommented);
    for (std::size_t i = gimp ? 1 : 0; i < lines.size(); ++i) {
        std::string_view line = TrimBlanks(lines[i]);
        if (line.empty()) continue;
        std::string name;
        std::optional<std::string> hex;
        if (gimp) {
            if (line.front() == '#' || line.starts_with("Name:") || line.starts_with("Columns:")) {
                continue;
            }
            Srgb8 color;
            if (ReadGimpLine(line, color, name)) hex = Hex(color);
        } else if (DeclaresCustomProperty(line)) {
            ReadCssLine(line, result);
            continue;
        } else {
            if (line.starts_with("//") || line.starts_with("/*") || line.front() == ';' ||
                line.front() == '}' || line.starts_with(":root")) {
                continue;
            }
            // The whole line is a colour, or a colour then its name.
            hex = HexOf(line);
            if (!hex) {
                const std::size_t space = line.find_first_of(" \t");
                if (space != std::string_view::npos) {
                    hex = HexOf(line.substr(0, space));
                    name = std::string(TrimBlanks(line.substr(space)));
                }
            }
        }
        if (!hex) {
            ++result.unreadable;
            continue;
        }
        result.colors.push_back(*hex);
        result.names.push_back(name);
    }
    return result;
}

}  // namespace velmor
