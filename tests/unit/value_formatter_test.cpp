#include "core/value_formatter.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace velmor {
namespace {

Color Hex(const char* text) {
    return Color::From8(*ParseHexColor(text));
}

TEST(FormatColor, WritesTheFourteenTextsInBothLetterCases) {
    const struct {
        const char *v, *n;
        bool upper;
        const char* expected;  // the fourteen, split at "|"
    } cases[] = {
        {"#ff8c00", "DarkOrange", true,
         "#FF8C00|DarkOrange|255|140|0|36095|#FF8C00|\"DarkOrange\"|\"#FF8C00\"|RGB(255,140,0)|"
         "&H00008CFF&|0x00008CFF|$00008CFF|0xFF8C00"},
        {"#ff8c00", "DarkOrange", false,
         "#ff8c00|DarkOrange|255|140|0|36095|#ff8c00|\"DarkOrange\"|\"#ff8c00\"|RGB(255,140,0)|"
         "&H00008cff&|0x00008cff|$00008cff|0xff8c00"},
        {"#123456", "", true,
         "#123456||18|52|86|5649426|#123456|\"\"|\"#123456\"|RGB(18,52,86)|&H00563412&|0x00563412|"
         "$00563412|0x123456"},
    };
    for (const auto& c : cases) {
        const auto out = FormatColor(Hex(c.v), c.n, c.upper);
        EXPECT_EQ(std::vector<std::string>(out.texts.begin(), out.texts.end()),
                  Split(c.expected, '|'))
            << c.v << " upper=" << c.upper;
    }
}

TEST(FormatColor, SwatchColourAndGivenNameAreUsedAsGiven) {
    const auto out = FormatColor(Hex("#ff8c00"), "Something Else", true);
    EXPECT_EQ(out.color, 36095);
    EXPECT_EQ(out.Text(ValueFormat::ColorName), "Something Else");
    EXPECT_EQ(FormatColor(Hex("#FF8C00"), "", false).Text(ValueFormat::ColorName), "DarkOrange");
}

}  // namespace
}  // namespace velmor
