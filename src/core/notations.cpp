#include "core/notations.h"

#include <cstdio>
#include <map>

#include "core/color_names.h"
#include "core/text.h"

namespace velmor {

std::string FixedNumber(double v, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    std::string s(buffer);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

namespace {

using Parts = std::vector<std::string>;

std::string HueText(double hue, bool none) {
    return none ? std::string("none") : FixedNumber(hue, 2);
}

// Precision: hues and percentages to two decimals, Lab and LCH to two,
// OKLab and OKLCH to four (their L runs from 0 to 1). Greys have hue "none"
// and no chroma.
template <Triple (*To)(Srgb8)>
Parts HuePercent(const Color& color, const WriteStyle&) {
    const Srgb8 c = color.To8();
    const Triple t = To(c);
    return {HueText(t.x, c.Achromatic()), FixedNumber(t.y, 2), FixedNumber(t.z, 2)};
}

template <Triple (*To)(Srgb8), int decimals>
Parts Rectangular(const Color& color, const WriteStyle&) {
    const Srgb8 c = color.To8();
    const Triple t = To(c);
    const bool grey = c.Achromatic();
    return {FixedNumber(t.x, decimals), FixedNumber(grey ? 0 : t.y, decimals),
            FixedNumber(grey ? 0 : t.z, decimals)};
}

template <Triple (*To)(Srgb8), int decimals>
Parts Polar(const Color& color, const WriteStyle&) {
    const Srgb8 c = color.To8();
    const Triple t = To(c);
    const bool grey = c.Achromatic();
    return {FixedNumber(t.x, decimals), FixedNumber(grey ? 0 : t.y, decimals), HueText(t.z, grey)};
}

Parts HexParts(const Color& color, const WriteStyle&) {
    const Srgb8 c = color.To8();
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", c.red & 0xFF, c.green & 0xFF,
                  c.blue & 0xFF);
    return {buffer};
}

Parts RgbParts(const Color& color, const WriteStyle&) {
    const Srgb8 c = color.To8();
    return {std::to_string(c.red), std::to_string(c.green), std::to_string(c.blue)};
}

// At the colour's own precision.
Parts SrgbParts(const Color& c, const WriteStyle&) {
    return {FixedNumber(c.red / 65535.0, 4), FixedNumber(c.green / 65535.0, 4),
            FixedNumber(c.blue / 65535.0, 4)};
}

Parts CmykParts(const Color& color, const WriteStyle&) {
    const auto k = ToCmyk(color.To8());
    return {FixedNumber(k[0], 2), FixedNumber(k[1], 2), FixedNumber(k[2], 2), FixedNumber(k[3], 2)};
}

Parts NearestParts(const Color& color, const WriteStyle&) {
    return {std::string(NearestNamedColor(color).name)};
}

Triple FromRgb(Triple rgb) {
    return {rgb.x / 255, rgb.y / 255, rgb.z / 255};
}

Triple Same(Triple rgb) {
    return rgb;
}

constexpr NotationRow kNotationRows[] = {
    {"hex", "CSS hex", "", "#", "", " ", "", HexParts},
    {"rgb", "CSS rgb()", "", "rgb(", ")", "   ", "rgb", RgbParts, FromRgb, {255, 255, 255}},
    {"hsl", "hsl()", "", "hsl(", ")", "h%%", "hsl", HuePercent<ToHsl>, FromHsl, {0, 100, 100}},
    {"hwb", "hwb()", "", "hwb(", ")", "h%%", "hwb", HuePercent<ToHwb>, FromHwb, {0, 100, 100}},
    {"lab",
     "lab()",
     "",
     "lab(",
     ")",
     "   ",
     "lab",
     Rectangular<ToLab, 2>,
     FromLab,
     {100, 125, 125}},
    {"lch", "lch()", "", "lch(", ")", "  h", "lch", Polar<ToLch, 2>, FromLch, {100, 150, 0}},
    {"oklab",
     "oklab()",
     "",
     "oklab(",
     ")",
     "   ",
     "lab",
     Rectangular<ToOklab, 4>,
     FromOklab,
     {1, 0.4, 0.4}},
    {"oklch",
     "oklch()",
     "",
     "oklch(",
     ")",
     "  h",
     "lch",
     Polar<ToOklch, 4>,
     FromOklch,
     {1, 0.4, 0}},
    {"srgb", "color(srgb)", "", "color(srgb ", ")", "   ", "rgb", SrgbParts, Same, {1, 1, 1}},
    {"hsv", "HSV", "", "hsv(", ")", "h%%", "hsv", HuePercent<ToHsv>},
    {"cmyk", "CMYK (no profile)", "", "cmyk(", ")", "%%%%", "cmyk", CmykParts},
    {"nearest", "Nearest color name", "", "", "", " ", "", NearestParts},
};

}  // namespace

const std::span<const NotationRow> kNotationTable{kNotationRows};

const NotationRow& RowOf(Notation n) {
    return kNotationTable[static_cast<std::size_t>(n)];
}

std::string_view NotationName(Notation n) {
    return RowOf(n).name;
}

std::optional<Notation> NotationNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNotationTable.size(); ++i) {
        if (EqualsIgnoreCaseAscii(kNotationTable[i].name, name)) return static_cast<Notation>(i);
    }
    return std::nullopt;
}

std::string NotationNameList() {
    return JoinedNames(kNotationTable);
}

const NotationRow* ReadableRow(std::string_view open) {
    for (const NotationRow& row : kNotationTable) {
        if (row.read != nullptr && row.open == open) return &row;
    }
    return nullptr;
}

std::string WriteRow(const NotationRow& row, const Color& c, const WriteStyle& style) {
    const std::vector<std::string> parts = row.parts(c, style);
    std::string out(row.open);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i == 0 ? "" : " ") + parts[i] + (row.units[i] == '%' ? "%" : "");
    }
    return out + std::string(row.close);
}

std::string WriteNotation(Notation n, const Color& c) {
    return WriteRow(RowOf(n), c);
}

std::string WriteColorFunction(std::string_view space, const Color& c) {
    return "color(" + std::string(space) + " " + Join(SrgbParts(c, {}), ' ') + ")";
}

std::optional<std::string> ExpandTemplate(std::string_view pattern, const Color& c,
                                          std::string* error) {
    auto fail = [error](std::string why) -> std::optional<std::string> {
        if (error != nullptr) *error = std::move(why);
        return std::nullopt;
    };
    // Every placeholder's text, worked out once for the whole template: the
    // notations' own components as "{space.letter}", and the short forms.
    std::map<std::string, std::string, std::less<>> values;
    for (const NotationRow& row : kNotationTable) {
        const std::vector<std::string> parts = row.parts(c, {});
        for (std::size_t i = 0; i < row.letters.size() && i < parts.size(); ++i) {
            values[std::string(row.name) + "." + row.letters[i]] = parts[i];
        }
        // Single-part notations stand as themselves: {hex}, {nearest}.
        if (row.letters.empty()) values[std::string(row.name)] = parts[0];
    }
    values["HEX"] = ToUpperAscii(values["hex"]);
    for (const char* shortForm : {"r", "g", "b"})
        values[shortForm] = values["rgb." + std::string(shortForm)];
    for (const char* shortForm : {"h", "s", "l"})
        values[shortForm] = values["hsl." + std::string(shortForm)];
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char ch = pattern[i];
        if (ch == '}') return fail("a \"}\" without its \"{\"");
        if (ch != '{') {
            out += ch;
            continue;
        }
        const auto close = pattern.find('}', i + 1);
        if (close == std::string_view::npos) return fail("a \"{\" without its \"}\"");
        const std::string_view name = pattern.substr(i + 1, close - i - 1);
        const auto v = values.find(name);
        if (v == values.end()) return fail("no placeholder {" + std::string(name) + "}");
        out += v->second;
        i = close;
    }
    return out;
}

std::optional<std::string> WriteNamed(std::string_view name, const Color& color,
                                      const Templates& templates, std::string* error) {
    if (const std::optional<Notation> n = NotationNamed(name)) return WriteNotation(*n, color);
    for (const auto& [key, pattern] : templates) {
        if (!EqualsIgnoreCaseAscii(key, name)) continue;
        std::string why;
        std::optional<std::string> text = ExpandTemplate(pattern, color, &why);
        if (!text && error != nullptr) {
            *error = "the template " + std::string(name) + " cannot be read: " + why;
        }
        return text;
    }
    if (error != nullptr) {
        *error = "unknown format \"" + std::string(name) + "\": use 0 to 13, " +
                 NotationNameList() + ", or a template name from [Formats] in settings.ini";
    }
    return std::nullopt;
}

}  // namespace velmor
