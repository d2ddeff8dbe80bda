#include "core/color_codec.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace velmor {
namespace {

TEST(HtmlToColor, ReadsEachPieceOnItsOwn) {
    const struct {
        const char* text;
        ColorValue expected;
    } cases[] = {
        {"ff8c00", 36095},
        {"FFFFFF", 16777215},
        {"zz8c00", 35840},  // an unreadable piece is 0, the others still count
        {"ffa", 0xff + 256 * 0x0a + 65536 * 0xfa},
        {"", 0},
        // A "#" left in the text shifts every piece by one character.
        {"#ff0000", 0 + 256 * 0xf0 + 65536 * 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HtmlToColor(c.text), c.expected) << c.text;
}

TEST(ColorToHtml, OutOfRangeComponentsAndTextsThatAreNotWholeNumbers) {
    EXPECT_EQ(ColorToHtml(300, 0, 0), "#120000");  // the first two digits of 12C
    EXPECT_EQ(ColorToHtml(" 255 ", "+140", "0"), "#FF8C00");
    // Every negative component is FF.
    EXPECT_EQ(ColorToHtml("-257", "-32768", "0"), "#FFFF00");
    for (const char* bad : {"", "abc", "12.5", "1e2", "40000", "0x10", "\xC3\xA9", "1 2"}) {
        EXPECT_FALSE(ColorToHtml("1", bad, "2").has_value()) << bad;
    }
}

TEST(ParseWholeNumber, AcceptsOnlyWholeDecimalNumbersInRange) {
    const struct {
        const char* text;
        std::optional<std::int16_t> expected;
    } cases[] = {{"07", 7},     {" 12 ", 12}, {"+5", 5},   {"-32768", -32768},
                 {"32768", {}}, {"12.5", {}}, {"1e2", {}}, {"   ", {}},
                 {"+-1", {}},   {"0x1", {}},  {"\t1", {}}, {"99999999999999999999", {}}};
    for (const auto& c : cases) EXPECT_EQ(ParseInt16(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace velmor
