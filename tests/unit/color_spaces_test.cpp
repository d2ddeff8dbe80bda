#include "core/color.h"
#include "core/notations.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace velmor {
namespace {

// Published values: CSS Color 4's examples and culori for #ff8c00.
TEST(ColorSpaces, KnownColoursInEveryNotation) {
    const struct {
        const char* hex;
        Notation notation;
        const char* text;
    } cases[] = {
        {"#ff8c00", Notation::Hex, "#ff8c00"},
        {"#FF8C00", Notation::Rgb, "rgb(255 140 0)"},
        {"#ff8c00", Notation::Hsl, "hsl(32.94 100% 50%)"},
        {"#ff8c00", Notation::Hwb, "hwb(32.94 0% 0%)"},
        {"#ff8c00", Notation::Lab, "lab(70.21 39.78 76.09)"},
        {"#ff8c00", Notation::Lch, "lch(70.21 85.86 62.4)"},
        {"#ff8c00", Notation::Oklab, "oklab(0.7505 0.0942 0.1524)"},
        {"#ff8c00", Notation::Oklch, "oklch(0.7505 0.1791 58.28)"},
        {"#ff8c00", Notation::Hsv, "hsv(32.94 100% 100%)"},
        {"#ff8c00", Notation::Cmyk, "cmyk(0% 45.1% 100% 0%)"},
        {"#ffffff", Notation::Lab, "lab(100 0 0)"},
        {"#ffffff", Notation::Oklch, "oklch(1 0 none)"},
        {"#777777", Notation::Hsl, "hsl(none 0% 46.67%)"},
        {"#777777", Notation::Lch, "lch(50.03 0 none)"},
        {"#000000", Notation::Cmyk, "cmyk(0% 0% 0% 100%)"},
        {"#0000ff", Notation::Oklch, "oklch(0.452 0.3132 264.05)"},
        {"#ff8c00", Notation::Srgb, "color(srgb 1 0.549 0)"},
    };
    for (const auto& c : cases) {
        const auto color = ParseHexColor(c.hex);
        ASSERT_TRUE(color) << c.hex;
        EXPECT_EQ(WriteNotation(c.notation, Color::From8(*color)), c.text) << c.hex;
    }
}

TEST(ColorSpaces, SrgbKeepsTheScreensPrecisionTheOthersRoundTo8Bits) {
    // 10-bit channels 802, 1, 511 of 1023, as a depth-30 screen holds them.
    const auto widen = [](int v) { return static_cast<std::uint16_t>((v * 65535 + 511) / 1023); };
    const Color deep{widen(802), widen(1), widen(511)};
    EXPECT_EQ(WriteNotation(Notation::Srgb, deep), "color(srgb 0.784 0.001 0.4995)");
    EXPECT_EQ(WriteNotation(Notation::Hex, deep), "#c8007f");  // 199.9, 0.25, 127.4 rounded
    EXPECT_EQ(WriteNamed("SRGB", deep, {}), "color(srgb 0.784 0.001 0.4995)");
}

TEST(ColorSpaces, TemplatesExpandOrSayWhatIsWrong) {
    const Color orange = Color::From8(255, 140, 0);
    const struct {
        const char* pattern;
        std::optional<std::string> expected;
        const char* error;
    } cases[] = {
        {"{r}, {g}, {b}", "255, 140, 0", ""},
        {"--accent: #{hex};", "--accent: #ff8c00;", ""},
        {"Color({HEX})", "Color(FF8C00)", ""},
        {"oklch({oklch.l} {oklch.c} {oklch.h})", "oklch(0.7505 0.1791 58.28)", ""},
        {"{h}/{hsl.s}/{cmyk.m}", "32.94/100/45.1", ""},
        {"no placeholders", "no placeholders", ""},
        {"{nope}", std::nullopt, "no placeholder {nope}"},
        {"{r", std::nullopt, "a \"{\" without its \"}\""},
        {"r}", std::nullopt, "a \"}\" without its \"{\""},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(ExpandTemplate(c.pattern, orange, &error), c.expected) << c.pattern;
        EXPECT_EQ(error, c.error) << c.pattern;
    }
}

TEST(ColorSpaces, NamesAndHexTexts) {
    EXPECT_EQ(NotationNamed("OKLCH"), Notation::Oklch);
    EXPECT_EQ(NotationNamed("oklchx"), std::nullopt);
    // Every name the help lists is taken by --format.
    std::istringstream names(NotationNameList());
    for (std::string name; std::getline(names >> std::ws, name, ',');) {
        EXPECT_TRUE(NotationNamed(name).has_value()) << name;
    }
    for (const char* bad : {"", "#12345", "#1234567", "12345g", "#\xC3\xA9\xC3\xA9\xC3\xA9"}) {
        EXPECT_FALSE(ParseHexColor(bad).has_value()) << bad;
    }
    EXPECT_TRUE(ParseHexColor(" #A0b1C2 ").has_value());
}

}  // namespace
}  // namespace velmor
