#include "core/color_codec.h"

#include "core/text.h"

namespace velmor {

std::int16_t HexToInt(std::string_view text) {
    if (text.empty() || text.size() > 4) return 0;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return 0;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

ColorValue HtmlToColor(std::string_view text) {
    const ColorValue red = HexToInt(Left(text, 2));
    const ColorValue green = HexToInt(Mid(text, 2, 2));
    const ColorValue blue = HexToInt(Right(text, 2));
    return red + 256 * green + 65536 * blue;
}

std::string TwoDigitHex(std::string_view numeral) {
    if (numeral.empty()) return "00";
    if (numeral.size() == 1) return std::string("0") + numeral[0];
    return std::string(numeral.substr(0, 2));
}

std::string HexNumeral(std::int32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::string out;
    do {
        out.insert(out.begin(), kDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return out;
}

std::string ColorToHtml(std::int32_t red, std::int32_t green, std::int32_t blue) {
    std::string out("#");
    out += TwoDigitHex(HexNumeral(red));
    out += TwoDigitHex(HexNumeral(green));
    out += TwoDigitHex(HexNumeral(blue));
    return out;
}

std::optional<std::string> ColorToHtml(std::string_view red, std::string_view green,
                                       std::string_view blue) {
    const auto r = ParseInt16(red);
    const auto g = ParseInt16(green);
    const auto b = ParseInt16(blue);
    if (!r || !g || !b) return std::nullopt;
    // Any negative component is written as FF.
    auto numeral = [](std::int16_t v) { return HexNumeral(v < 0 ? 255 : v); };
    std::string out("#");
    out += TwoDigitHex(numeral(*r));
    out += TwoDigitHex(numeral(*g));
    out += TwoDigitHex(numeral(*b));
    return out;
}

Components SplitColor(ColorValue value) {
    return Components{value % 256, (value / 256) % 256, (value / 256) / 256};
}

std::optional<ColorValue> MakeColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    if (red < 0 || green < 0 || blue < 0) return std::nullopt;
    auto clamp = [](std::int32_t v) { return v > 255 ? 255 : v; };
    return clamp(red) + 256 * clamp(green) + 65536 * clamp(blue);
}

std::int16_t DigitKeyFilter(std::int16_t code) {
    if ((code >= '0' && code <= '9') || code == 8) return code;
    return 0;
}

}  // namespace velmor
