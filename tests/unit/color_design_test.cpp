#include "core/color_design.h"

#include <gtest/gtest.h>

#include "core/color_parse.h"

namespace velmor {
namespace {

std::string Hexes(const std::vector<Color>& colors) {
    std::string out;
    for (const Color& c : colors) out += (out.empty() ? "" : " ") + c.Html();
    return out;
}

// Expected values computed with culori 4 (toGamut('rgb', 'oklch') for the
// turns, interpolate(..., 'oklab') and formatHex for the steps). Pure blue and
// green leave sRGB at every turn, so they test the gamut mapping.
TEST(ColorDesign, SchemesMatchCulori) {
    const struct {
        const char* base;
        Scheme scheme;
        const char* colors;
    } cases[] = {
        {"#FF8C00", Scheme::Complementary, "#00BAFF"},
        {"#FF8C00", Scheme::Analogous, "#FF7C6C #DBA500"},
        {"#FF8C00", Scheme::Triadic, "#00CEAF #BD92FF"},
        {"#FF8C00", Scheme::Tetradic, "#4ACC69 #00BAFF #E980E6"},
        {"#FF8C00", Scheme::SplitComplementary, "#00C7DF #86A9FF"},
        {"#FF8C00", Scheme::Tints, "#FFA14F #FFB578 #FFC89B #FFDBBD #FFEDDE"},
        {"#FF8C00", Scheme::Shades, "#C86D00 #944F00 #633300 #361900 #0F0400"},
        {"#FF8C00", Scheme::Tones, "#EA8C37 #D58B4E #C0895E #AB876B #968476"},
        {"#0000FF", Scheme::Complementary, "#734F00"},
        {"#0000FF", Scheme::Tetradic, "#A1005D #734F00 #006851"},
        {"#0000FF", Scheme::Tints, "#1957FF #4780FF #74A3FF #A1C3FF #CFE1FF"},
        {"#00FF00", Scheme::Triadic, "#B5D4FF #FFBBB7"},
        {"#00FF00", Scheme::SplitComplementary, "#D4C8FF #FFB5DA"},
        {"#00FF00", Scheme::Tones, "#47EA41 #5FD558 #6DC067 #77AB72 #7D967A"},
    };
    for (const auto& c : cases) {
        const Color base = ParseColor(c.base)->color;
        EXPECT_EQ(Hexes(MakeScheme(c.scheme, base)), c.colors)
            << c.base << " " << SchemeName(c.scheme);
    }
}

TEST(ColorDesign, StepsAndGreysStayInRange) {
    const Color orange = ParseColor("#FF8C00")->color;
    EXPECT_EQ(MakeScheme(Scheme::Tints, orange, 1), std::vector{ParseColor("#FFC89B")->color});
    EXPECT_EQ(MakeScheme(Scheme::Shades, orange, 20).size(), 20u);
    EXPECT_EQ(MakeScheme(Scheme::Tones, orange, 99).size(), 20u);
    // A grey has no hue to turn: every turn is the grey itself.
    const Color grey = Color::From8(0x77, 0x77, 0x77);
    EXPECT_EQ(Hexes(MakeScheme(Scheme::Tetradic, grey)), "#777777 #777777 #777777");
    // Lightness beyond the ends is white or black, never a wrapped channel.
    EXPECT_EQ(GamutMapOklch({1.2, 0.3, 100}).Html(), "#FFFFFF");
    EXPECT_EQ(GamutMapOklch({-0.1, 0.3, 100}).Html(), "#000000");
}

TEST(ColorDesign, ContrastSuggestionPassesAndStaysNear) {
    const auto suggest = [](const char* fg, const char* bg, double ratio) {
        const auto c = SuggestContrast(ParseColor(fg)->color, ParseColor(bg)->color, ratio);
        return c ? c->Html() : std::string("none");
    };
    EXPECT_EQ(suggest("#777777", "#FFFFFF", 4.5), "#767676");  // the known AA grey
    EXPECT_EQ(suggest("#000000", "#FFFFFF", 7), "#000000");    // passing already
    EXPECT_EQ(suggest("#777777", "#808080", 21), "none");
    // Both sides are tried: a mid grey background, dark text made darker.
    const Color fg = ParseColor("#3366CC")->color, bg = ParseColor("#808080")->color;
    const auto found = SuggestContrast(fg, bg, 4.5);
    ASSERT_TRUE(found);
    EXPECT_GE(ContrastRatio(*found, bg), 4.5);
    EXPECT_NEAR(OklchOf(*found).z, OklchOf(fg).z, 3.0);  // the hue kept
}

TEST(ColorDesign, CommandLineAnswersAndRefusals) {
    const struct {
        DesignAnswer answer;
        const char* out;
        const char* error;
    } cases[] = {
        {RunScheme("Complementary", "darkorange", std::nullopt), "#00BAFF\n", ""},
        {RunScheme("tints", "#FF8C00", 2), "#FFB578\n#FFDBBD\n", ""},
        {RunScheme("complementary", "red", 3), "", "--steps goes with tints, shades or tones"},
        {RunScheme("sepia", "red", std::nullopt), "",
         "unknown scheme \"sepia\"; one of complementary, analogous, triadic, tetradic, "
         "split-complementary, tints, shades, tones"},
        {RunScheme("tints", "#12345", std::nullopt), "", "\"#12345\" is not a color"},
        {RunContrast("#777", "white", ""), "4.47\n", ""},
        {RunContrast("#767676", "#fff", "4.5:1"), "4.54\n#767676\n", ""},
        {RunContrast("#777", "white", "4.5"), "4.47\n#767676\n", ""},
        {RunContrast("#777", "#808080", "21"), "",
         "no lightness of #777777 reaches 21:1 against #808080"},
        {RunContrast("#777", "white", "0.5"), "",
         "--suggest needs a ratio from 1 to 21, not \"0.5\""},
        {RunContrast("#777", "white", "4,5"), "",
         "--suggest needs a ratio from 1 to 21, not \"4,5\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.answer.out, c.out) << c.error;
        EXPECT_EQ(c.answer.error, c.error) << c.out;
    }
}

}  // namespace
}  // namespace velmor
