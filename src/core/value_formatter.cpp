#include "core/value_formatter.h"

#include "core/color_tables.h"
#include "core/text.h"

namespace velmor {

namespace {

constexpr std::array<std::string_view, kValueFormatCount> kListItems = {
    "Color Value", "Color Name", "R Value",       "G Value",     "B Value",
    "Long Value",  "HEX Format", "HTML Name",     "HTML Format", "RGB Format",
    "VB Format",   "C++ Format", "Delphi Format", "Java Format"};

constexpr std::array<std::string_view, kValueFormatCount> kCaptions = {
    "Color Value:", "Color Name:", "R Value:",       "G Value:",     "B Value:",
    "Long Value:",  "HEX Format",  "HTML Name:",     "HTML Format:", "RGB Format:",
    "VB Format:",   "C++ Format:", "Delphi Format:", "Java Format:"};

}  // namespace

bool IsValueFormat(int index) {
    return index >= 0 && index < kValueFormatCount;
}

std::string_view ValueFormatListItem(int index) {
    return IsValueFormat(index) ? kListItems[static_cast<std::size_t>(index)] : std::string_view{};
}

std::string_view ValueFormatCaption(int index) {
    return IsValueFormat(index) ? kCaptions[static_cast<std::size_t>(index)] : std::string_view{};
}

FormattedColor FormatColor(std::string_view colorText, std::string_view name, bool upper) {
    const std::string v = upper ? ToUpperAscii(colorText) : ToLowerAscii(colorText);
    const std::string n = name.empty() ? std::string(ColorName(v)) : std::string(name);

    const std::string h(TrimSpaces(RemoveAll(v, '#')));
    const std::string rr(Left(h, 2));
    const std::string gg(Mid(h, 2, 2));
    const std::string bb(Right(h, 2));

    FormattedColor out;
    out.color = HtmlToColor(h);
    const Components c = SplitColor(out.color);
    const std::string red = std::to_string(c.red);
    const std::string green = std::to_string(c.green);
    const std::string blue = std::to_string(c.blue);

    out.texts = {v,
                 n,
                 red,
                 green,
                 blue,
                 std::to_string(out.color),
                 v,
                 "\"" + n + "\"",
                 "\"" + v + "\"",
                 "RGB(" + red + "," + green + "," + blue + ")",
                 "&H00" + bb + gg + rr + "&",
                 "0x00" + bb + gg + rr,
                 "$00" + bb + gg + rr,
                 "0x" + rr + gg + bb};
    return out;
}

std::string NameLine(std::string_view name, std::string_view tableHex, bool namesFirst) {
    if (namesFirst) return std::string(name) + "  (#" + std::string(tableHex) + ")";
    return "#" + std::string(tableHex) + "  (" + std::string(name) + ")";
}

}  // namespace velmor
