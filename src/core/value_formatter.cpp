#include "core/value_formatter.h"

#include <cstdio>

#include "core/color_tables.h"

namespace velmor {

namespace {

using Parts = std::vector<std::string>;

// The six digits in the style's case, in the order given ("rgb" or "bgr").
std::string Digits(const Color& color, const WriteStyle& style, bool bgr) {
    const Srgb8 c = color.To8();
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, style.upper ? "%02X%02X%02X" : "%02x%02x%02x",
                  (bgr ? c.blue : c.red) & 0xFF, c.green & 0xFF, (bgr ? c.red : c.blue) & 0xFF);
    return buffer;
}

Parts Rgb(const Color& c, const WriteStyle& s) {
    return {Digits(c, s, false)};
}
Parts Bgr(const Color& c, const WriteStyle& s) {
    return {Digits(c, s, true)};
}
// The name FormatColor settled on.
Parts Name(const Color&, const WriteStyle& s) {
    return {std::string(s.name)};
}
Parts Red(const Color& c, const WriteStyle&) {
    return {std::to_string(c.To8().red)};
}
Parts Green(const Color& c, const WriteStyle&) {
    return {std::to_string(c.To8().green)};
}
Parts Blue(const Color& c, const WriteStyle&) {
    return {std::to_string(c.To8().blue)};
}
Parts Long(const Color& c, const WriteStyle&) {
    return {std::to_string(c.Value())};
}
Parts Channels(const Color& c, const WriteStyle&) {
    const Srgb8 v = c.To8();
    return {std::to_string(v.red) + "," + std::to_string(v.green) + "," + std::to_string(v.blue)};
}

}  // namespace

const std::array<NotationRow, kValueFormatCount> kClassicFormats = {{
    {"", "Color Value", "Color Value:", "#", "", " ", "", Rgb},
    {"", "Color Name", "Color Name:", "", "", " ", "", Name},
    {"", "R Value", "R Value:", "", "", " ", "", Red},
    {"", "G Value", "G Value:", "", "", " ", "", Green},
    {"", "B Value", "B Value:", "", "", " ", "", Blue},
    {"", "Long Value", "Long Value:", "", "", " ", "", Long},
    {"", "HEX Format", "HEX Format", "#", "", " ", "", Rgb},
    {"", "HTML Name", "HTML Name:", "\"", "\"", " ", "", Name},
    {"", "HTML Format", "HTML Format:", "\"#", "\"", " ", "", Rgb},
    {"", "RGB Format", "RGB Format:", "RGB(", ")", " ", "", Channels},
    {"", "VB Format", "VB Format:", "&H00", "&", " ", "", Bgr},
    {"", "C++ Format", "C++ Format:", "0x00", "", " ", "", Bgr},
    {"", "Delphi Format", "Delphi Format:", "$00", "", " ", "", Bgr},
    {"", "Java Format", "Java Format:", "0x", "", " ", "", Rgb},
}};

bool IsValueFormat(int index) {
    return index >= 0 && index < kValueFormatCount;
}

std::string_view ValueFormatListItem(int index) {
    return IsValueFormat(index) ? kClassicFormats[static_cast<std::size_t>(index)].menuText
                                : std::string_view{};
}

std::string_view ValueFormatCaption(int index) {
    return IsValueFormat(index) ? kClassicFormats[static_cast<std::size_t>(index)].caption
                                : std::string_view{};
}

FormattedColor FormatColor(const Color& color, std::string_view name, bool upper) {
    FormattedColor out;
    out.color = color.Value();
    // The name chosen for the colour, else the tables' own (empty for none),
    // looked up once for both rows that write it.
    const WriteStyle style{upper, name.empty() ? ColorName(color) : name};
    for (std::size_t i = 0; i < out.texts.size(); ++i) {
        out.texts[i] = WriteRow(kClassicFormats[i], color, style);
    }
    return out;
}

std::string NameLine(std::string_view name, std::string_view tableHex, bool namesFirst) {
    if (namesFirst) return std::string(name) + "  (#" + std::string(tableHex) + ")";
    return "#" + std::string(tableHex) + "  (" + std::string(name) + ")";
}

}  // namespace velmor
