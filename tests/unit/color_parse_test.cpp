#include "core/color_parse.h"
#include "core/notations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace velmor {
namespace {

struct Expected {
    int r, g, b;
    bool alpha = false;
};

TEST(ColorParseTest, EveryNotationAPersonMayTypeOrPaste) {
    const struct {
        const char* text;
        std::optional<Expected> color;
    } cases[] = {
        {"#f80", Expected{255, 136, 0}},
        {"#F808", Expected{255, 136, 0, true}},
        {" #ff8c00 ", Expected{255, 140, 0}},
        {"#FF8C0080", Expected{255, 140, 0, true}},
        {"rgb(255, 140, 0)", Expected{255, 140, 0}},
        {"rgb(255 140 0)", Expected{255, 140, 0}},
        {"rgb(100% 54.9% 0%)", Expected{255, 140, 0}},
        {"rgba(255,140,0,0.5)", Expected{255, 140, 0, true}},
        {"rgb(255 140 0 / 50%)", Expected{255, 140, 0, true}},
        {"rgb(255 140 0 / 1)", Expected{255, 140, 0}},
        {"rgb(300 -5 0)", Expected{255, 0, 0}},  // clipped
        {"hsl(33 100% 50%)", Expected{255, 140, 0}},
        {"hsla(33deg, 100%, 50%, 0.3)", Expected{255, 140, 0, true}},
        {"hsl(0.0917turn 100% 50%)", Expected{255, 140, 0}},
        {"hsl(none 0% 50%)", Expected{128, 128, 128}},
        {"hwb(33 0% 0%)", Expected{255, 140, 0}},
        {"hwb(0 60% 60%)", Expected{128, 128, 128}},  // white and black past 100%
        {"lab(70.21 39.78 76.09)", Expected{255, 140, 0}},
        {"lch(70.21 85.86 62.4)", Expected{255, 140, 0}},
        {"lab(70.21% 31.82% 60.87%)", Expected{255, 140, 0}},  // a and b: 100% is 125
        {"lch(70.21% 57.24% 1.089rad)", Expected{255, 140, 0}},
        {"oklab(75.05% 23.55% 38.1%)", Expected{255, 140, 0}},  // a and b: 100% is 0.4
        {"oklab(0.7505 0.0942 0.1524)", Expected{255, 140, 0}},
        {"oklch(0.7505 0.1791 58.28)", Expected{255, 140, 0}},
        {"oklch(75.05% 44.78% 58.28deg)", Expected{255, 140, 0}},
        {"color(srgb 1 0.549 0)", Expected{255, 140, 0}},
        {"DarkOrange", Expected{255, 140, 0}},
        {"darkgrey", Expected{169, 169, 169}},
        {"RebeccaPurple", Expected{102, 51, 153}},
        {"magenta", Expected{255, 0, 255}},
        {"\"DarkOrange\"", Expected{255, 140, 0}},
        {"\"#FF8C00\"", Expected{255, 140, 0}},
        {"&H00008CFF&", Expected{255, 140, 0}},
        {"0x00008CFF", Expected{255, 140, 0}},
        {"$00008cff", Expected{255, 140, 0}},
        {"0xFF8C00", Expected{255, 140, 0}},
        {"RGB(255,140,0)", Expected{255, 140, 0}},
        {"36095", Expected{255, 140, 0}},
        {"16777215", Expected{255, 255, 255}},
        {"", std::nullopt},
        {"#12", std::nullopt},
        {"#gg0000", std::nullopt},
        {"rgb(1,2)", std::nullopt},
        {"rgb(1 2 3", std::nullopt},
        {"rgb(1 2 3 / 0.5 / 1)", std::nullopt},
        {"hsl(100, 25% 57%)", std::nullopt},  // commas between all or none
        {"rgb(1 2 3 4)", std::nullopt},
        {"hsl(10% 50% 50%)", std::nullopt},
        {"lab(50deg 0 0)", std::nullopt},
        {"rgb(1px 2 3)", std::nullopt},
        {"color(display-p3 1 0 0)", std::nullopt},
        {"0x1234567", std::nullopt},
        {"16777216", std::nullopt},
        {"&H01000000&", std::nullopt},
        {"nosuchcolour", std::nullopt},
        {"rgb(nan 0 0)", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<ParsedColor> got = ParseColor(c.text);
        ASSERT_EQ(got.has_value(), c.color.has_value()) << c.text;
        if (!got) continue;
        const Srgb8 e = got->color.To8();
        EXPECT_EQ(e.red, c.color->r) << c.text;
        EXPECT_EQ(e.green, c.color->g) << c.text;
        EXPECT_EQ(e.blue, c.color->b) << c.text;
        EXPECT_EQ(got->alphaIgnored, c.color->alpha) << c.text;
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
