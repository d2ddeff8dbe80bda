#include "core/color_codec.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace velmor {
namespace {

TEST(HexToInt, ReadsOneOrTwoDigitsAndTurnsEverythingElseIntoZero) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"ff", 255}, {"FF", 255}, {"0a", 10}, {"A", 10}, {"", 0},
                 {"zz", 0},   {"-1", 0},   {" f", 0},  {"g0", 0}, {"\xC3\xA9", 0}};
    for (const auto& c : cases) EXPECT_EQ(HexToInt(c.text), c.expected) << c.text;
}

TEST(HtmlToColor, ReadsEachPieceOnItsOwn) {
    const struct {
        const char* text;
        ColorValue expected;
    } cases[] = {
        {"000000", 0},
        {"FFFFFF", 16777215},
        {"ffffff", 16777215},
        {"0000ff", 16711680},
        {"ff8c00", 36095},
        {"zz8c00", 35840},
        {"ffa", 0xff + 256 * 0x0a + 65536 * 0xfa},
        {"ff", 255 + 65536 * 255},
        {"", 0},
        // A "#" left in the text shifts every piece by one character.
        {"#ff0000", 0 + 256 * 0xf0 + 65536 * 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HtmlToColor(c.text), c.expected) << c.text;
}

TEST(ColorToHtml, FromIntegersIncludingOutOfRangeComponents) {
    const struct {
        int r, g, b;
        const char* expected;
    } cases[] = {{255, 140, 0, "#FF8C00"}, {10, 0, 5, "#0A0005"}, {256, 0, 0, "#100000"},
                 {300, 0, 0, "#120000"},   {-1, 0, 0, "#FF0000"}, {0, -256, 0, "#00FF00"}};
    for (const auto& c : cases) EXPECT_EQ(ColorToHtml(c.r, c.g, c.b), c.expected);
}

TEST(ColorToHtml, FromTextsFailsWhenAnyTextIsNotAWholeNumber) {
    EXPECT_EQ(ColorToHtml("255", "140", "0"), "#FF8C00");
    EXPECT_EQ(ColorToHtml(" 255 ", "+140", "0"), "#FF8C00");
    EXPECT_EQ(ColorToHtml("-1", "0", "0"), "#FF0000");
    // Every negative component is FF.
    EXPECT_EQ(ColorToHtml("-257", "-32768", "0"), "#FFFF00");
    for (const char* bad : {"", "abc", "12.5", "1e2", "40000", "0x10", "\xC3\xA9", "1 2"}) {
        EXPECT_FALSE(ColorToHtml("1", bad, "2").has_value()) << bad;
    }
}

TEST(SplitColor, KeepsTheSignOfTheDividendAndLeavesBlueUnreduced) {
    const struct {
        ColorValue value;
        Components expected;
    } cases[] = {{36095, {255, 140, 0}},  {16777215, {255, 255, 255}},
                 {16777216, {0, 0, 256}}, {-1, {-1, 0, 0}},
                 {-256, {0, -1, 0}},      {2147483647, {255, 255, 32767}}};
    for (const auto& c : cases) EXPECT_EQ(SplitColor(c.value), c.expected) << c.value;
}

TEST(MakeColor, ClampsHighComponentsAndRefusesNegativeOnes) {
    EXPECT_EQ(MakeColor(300, 0, 0), 255);
    EXPECT_EQ(MakeColor(0, 0, 256), 16711680);
    EXPECT_EQ(MakeColor(255, 140, 0), 36095);
    EXPECT_FALSE(MakeColor(-1, 0, 0).has_value());
    EXPECT_FALSE(MakeColor(0, 0, -300).has_value());
}

TEST(DigitKeyFilter, LetsOnlyDigitsAndBackspaceThrough) {
    for (int code : {int('0'), int('7'), int('9'), 8})
        EXPECT_EQ(DigitKeyFilter(std::int16_t(code)), code);
    for (int code : {int('a'), int('-'), int('.'), int(' '), int('/'), int(':'), 13, 27}) {
        EXPECT_EQ(DigitKeyFilter(std::int16_t(code)), 0) << code;
    }
}

TEST(ParseWholeNumber, AcceptsOnlyWholeDecimalNumbersInRange) {
    const struct {
        const char* text;
        std::optional<std::int16_t> expected;
    } cases[] = {{"0", 0},
                 {"07", 7},
                 {" 12 ", 12},
                 {"+5", 5},
                 {"-5", -5},
                 {"32767", 32767},
                 {"-32768", -32768},
                 {"32768", {}},
                 {"12.5", {}},
                 {"1e2", {}},
                 {"", {}},
                 {"   ", {}},
                 {"-", {}},
                 {"+-1", {}},
                 {"--1", {}},
                 {"0x1", {}},
                 {"1 2", {}},
                 {"\t1", {}},
                 {"99999999999999999999", {}}};
    for (const auto& c : cases) EXPECT_EQ(ParseInt16(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace velmor
