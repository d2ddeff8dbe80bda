#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// red + 256 * green + 65536 * blue; the valid colours are 0 to 0xFFFFFF.
using ColorValue = std::int32_t;

struct Components {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    friend bool operator==(const Components&, const Components&) = default;
};

// One to four hex digits give their value as a 16-bit number; anything else gives 0.
std::int16_t HexToInt(std::string_view text);

// RRGGBB without "#": each piece is read on its own, a bad piece counts as 0.
ColorValue HtmlToColor(std::string_view text);

// Pads or cuts an upper-case hex numeral to exactly two characters.
std::string TwoDigitHex(std::string_view numeral);

// Upper-case hex numeral without leading zeros; negatives in two's complement.
std::string HexNumeral(std::int32_t value);

std::string ColorToHtml(std::int32_t red, std::int32_t green, std::int32_t blue);
// Component texts are read as whole 16-bit numbers; one bad text fails the whole.
std::optional<std::string> ColorToHtml(std::string_view red, std::string_view green,
                                       std::string_view blue);

Components SplitColor(ColorValue value);

// Components above 255 count as 255; a negative one fails.
std::optional<ColorValue> MakeColor(std::int32_t red, std::int32_t green, std::int32_t blue);

// Lets digits and Backspace through; any other character code becomes 0.
std::int16_t DigitKeyFilter(std::int16_t code);

}  // namespace velmor
