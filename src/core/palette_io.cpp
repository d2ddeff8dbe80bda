#include "core/palette_io.h"

#include <cstdio>

#include "core/color_spaces.h"
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
    return WriteNotation(Notation::Hex, c).substr(1);
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

// "R G B [name]" with whole numbers from 0 to 255.
bool ReadGimpLine(std::string_view line, Srgb8& color) {
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
    return true;
}

}  // namespace

std::string ExportPalette(PaletteFormat format, const std::vector<std::string>& entries,
                          std::string_view name) {
    std::vector<Srgb8> colors;
    for (const std::string& e : entries) {
        if (const auto c = ParseHexColor(e); c && e.find('#') == std::string::npos) {
            colors.push_back(*c);
        }
    }
    std::string out;
    switch (format) {
        case PaletteFormat::Gimp: {
            out = "GIMP Palette\nName: " + std::string(name) + "\nColumns: 16\n#\n";
            for (const Srgb8& c : colors) {
                char line[64];
                std::snprintf(line, sizeof line, "%3d %3d %3d\t#%s\n", c.red, c.green, c.blue,
                              Hex(c).c_str());
                out += line;
            }
            break;
        }
        case PaletteFormat::Css: {
            out = "/* " + std::string(name) + " */\n:root {\n";
            for (std::size_t i = 0; i < colors.size(); ++i) {
                out += "  --favorite-" + std::to_string(i + 1) + ": #" + Hex(colors[i]) + ";\n";
            }
            out += "}\n";
            break;
        }
        case PaletteFormat::Json: {
            out = "{\n  \"name\": " + JsonString(name) + ",\n  \"colors\": [";
            for (std::size_t i = 0; i < colors.size(); ++i) {
                out += (i == 0 ? "\n    " : ",\n    ") + JsonString("#" + Hex(colors[i]));
            }
            out += colors.empty() ? "]\n}\n" : "\n  ]\n}\n";
            break;
        }
        case PaletteFormat::HexList:
            for (const Srgb8& c : colors) out += "#" + Hex(c) + "\n";
            break;
    }
    return out;
}

PaletteImport ImportPalette(std::string_view content) {
    PaletteImport result;
    const std::vector<std::string_view> lines = Lines(content);
    const bool gimp = !lines.empty() && TrimBlanks(lines.front()) == "GIMP Palette";
    for (std::size_t i = gimp ? 1 : 0; i < lines.size(); ++i) {
        const std::string_view line = TrimBlanks(lines[i]);
        if (line.empty()) continue;
        Srgb8 color;
        if (gimp) {
            if (line.front() == '#' || line.starts_with("Name:") || line.starts_with("Columns:")) {
                continue;
            }
            if (!ReadGimpLine(line, color)) {
                ++result.unreadable;
                continue;
            }
        } else {
            if (line.starts_with("//") || line.front() == ';') continue;
            const auto parsed = ParseHexColor(line);
            if (!parsed) {
                ++result.unreadable;
                continue;
            }
            color = *parsed;
        }
        result.colors.push_back(Hex(color));
    }
    return result;
}

}  // namespace velmor
