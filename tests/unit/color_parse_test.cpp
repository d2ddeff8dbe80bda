#include "core/color_parse.h"
#include "core/notations.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <tuple>

namespace velmor {
namespace {

TEST(ColorParseTest, EveryNotationAPersonMayTypeOrPaste) {
    const auto expect = [](const std::string& text, Srgb8 want, bool alpha) {
        const std::optional<ParsedColor> got = ParseColor(text);
        ASSERT_TRUE(got) << text;
        const Srgb8 e = got->color.To8();
        EXPECT_EQ(std::tie(e.red, e.green, e.blue), std::tie(want.red, want.green, want.blue))
            << text;
        EXPECT_EQ(got->alphaIgnored, alpha) << text;
    };
    // DarkOrange in every notation: lab's a and b take 125 for 100%, oklab's 0.4.
    for (const std::string& text :
         Split(" #ff8c00 |rgb(255, 140, 0)|rgb(255 140 0)|rgb(100% 54.9% 0%)|rgb(255 140 0 / 1)|"
               "hsl(33 100% 50%)|hsl(0.0917turn 100% 50%)|hwb(33 0% 0%)|lab(70.21 39.78 76.09)|"
               "lch(70.21 85.86 62.4)|lab(70.21% 31.82% 60.87%)|lch(70.21% 57.24% 1.089rad)|"
               "oklab(75.05% 23.55% 38.1%)|oklab(0.7505 0.0942 0.1524)|oklch(0.7505 0.1791 58.28)|"
               "oklch(75.05% 44.78% 58.28deg)|color(srgb 1 0.549 0)|DarkOrange|\"DarkOrange\"|"
               "\"#FF8C00\"|&H00008CFF&|0x00008CFF|$00008cff|0xFF8C00|RGB(255,140,0)|36095",
               '|')) {
        expect(text, {255, 140, 0}, false);
    }
    // With an opacity, which is left out (and said so).
    for (const char* text : {"#FF8C0080", "rgba(255,140,0,0.5)", "rgb(255 140 0 / 50%)",
                             "hsla(33deg, 100%, 50%, 0.3)"}) {
        expect(text, {255, 140, 0}, true);
    }
    expect("#f80", {255, 136, 0}, false);
    expect("#F808", {255, 136, 0}, true);
    expect("rgb(300 -5 0)", {255, 0, 0}, false);  // clipped
    expect("hsl(none 0% 50%)", {128, 128, 128}, false);
    expect("hwb(0 60% 60%)", {128, 128, 128}, false);  // white and black past 100%
    expect("darkgrey", {169, 169, 169}, false);
    expect("RebeccaPurple", {102, 51, 153}, false);
    expect("magenta", {255, 0, 255}, false);
    expect("16777215", {255, 255, 255}, false);
    // Not colours, the empty text first ("hsl(100, 25% 57%)": commas go between all or none).
    for (const std::string& text :
         Split("|#12|#gg0000|rgb(1,2)|rgb(1 2 3|rgb(1 2 3 / 0.5 / 1)|hsl(100, 25% 57%)|"
               "rgb(1 2 3 4)|hsl(10% 50% 50%)|lab(50deg 0 0)|rgb(1px 2 3)|color(display-p3 1 0 0)|"
               "0x1234567|16777216|&H01000000&|nosuchcolour|rgb(nan 0 0)",
               '|')) {
        EXPECT_FALSE(ParseColor(text)) << text;
    }
}

// What "Copy as" writes reads back as the same colour, for every notation;
// OKLab's four decimals can leave a channel one off near the gamut's edge.
TEST(ColorParseTest, EveryWrittenNotationReadsBack) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 3000; ++i) {
        const Srgb8 c{channel(random), channel(random), channel(random)};
        for (std::size_t row = 0; row < kNotationTable.size(); ++row) {
            const auto n = static_cast<Notation>(row);
            // Hex and names are read without a row's reader; HSV and CMYK are not CSS.
            if (kNotationTable[row].read == nullptr && n != Notation::Hex && n != Notation::Nearest)
                continue;
            const std::string text = WriteNotation(n, Color::From8(c));
            const std::optional<ParsedColor> back = ParseColor(text);
            ASSERT_TRUE(back) << text;
            if (n == Notation::Nearest) continue;  // a name the parser knows, not the colour
            const Srgb8 b = back->color.To8();
            const int off = std::max(
                {std::abs(b.red - c.red), std::abs(b.green - c.green), std::abs(b.blue - c.blue)});
            const bool ok = n == Notation::Oklab || n == Notation::Oklch ? off <= 1 : off == 0;
            ASSERT_TRUE(ok) << text << " read as " << b.red << "," << b.green << "," << b.blue;
        }
    }
}

TEST(ColorParseTest, SixteenBitChannelsKeepEightBitColoursExact) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(Color::From8(v, v, v).To8().red, v);
    }
    // A 10-bit channel of 802 is 199.9 in 8 bits: rounded, not cut.
    EXPECT_EQ(Color::FromUnit(802.0 / 1023, 0, 0).To8().red, 200);
}

}  // namespace
}  // namespace velmor
