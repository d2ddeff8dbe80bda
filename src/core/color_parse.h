#pragma once

#include <optional>
#include <string_view>

#include "core/color.h"

namespace velmor {

// A colour read from text a person typed or pasted.
struct ParsedColor {
    Color color;
    bool alphaIgnored = false;  // the text gave an opacity, which a pick has not
};

// Reads every notation the program writes and those of CSS Color 4:
//   #rgb #rgba #rrggbb #rrggbbaa, rgb() rgba() (comma or space syntax), hsl()
//   hsla() hwb() lab() lch() oklab() oklch() color(srgb ...), the named
//   colours (grey or gray), and the classic ones: &H00BBGGRR&, 0x00BBGGRR,
//   $00BBGGRR, 0xRRGGBB, RGB(r,g,b), a long value, "#RRGGBB" and "Name" in quotes.
// Colours outside sRGB are clipped. Nothing for anything else.
std::optional<ParsedColor> ParseColor(std::string_view text);

}  // namespace velmor
