#include <gtest/gtest.h>

#include "core/color_names.h"
#include "core/notations.h"
#include "core/vision.h"

namespace velmor {
namespace {

Color Hex(const char* text) {
    const auto c = ParseHexColor(text);
    return Color::From8(*c);
}

// Sharma, Wu and Dalal (2005), "The CIEDE2000 color-difference formula:
// implementation notes, supplementary test data and mathematical observations".
TEST(ColorScience, Ciede2000MatchesSharmasTestData) {
    const struct {
        Triple a, b;
        double expected;
    } pairs[] = {
        {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
        {{50, 3.1571, -77.2803}, {50, 0, -82.7485}, 2.8615},
        {{50, 2.8361, -74.0200}, {50, 0, -82.7485}, 3.4412},
        {{50, -1.3802, -84.2814}, {50, 0, -82.7485}, 1.0000},
        {{50, -1.1848, -84.8006}, {50, 0, -82.7485}, 1.0000},
        {{50, -0.9009, -85.5211}, {50, 0, -82.7485}, 1.0000},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, -1, 2}, {50, 0, 0}, 2.3669},
        {{50, 2.4900, -0.0010}, {50, -2.4900, 0.0009}, 7.1792},
        {{50, 2.4900, -0.0010}, {50, -2.4900, 0.0010}, 7.1792},
        {{50, 2.4900, -0.0010}, {50, -2.4900, 0.0011}, 7.2195},
        {{50, 2.4900, -0.0010}, {50, -2.4900, 0.0012}, 7.2195},
        {{50, -0.0010, 2.4900}, {50, 0.0009, -2.4900}, 4.8045},
        {{50, -0.0010, 2.4900}, {50, 0.0010, -2.4900}, 4.8045},
        {{50, -0.0010, 2.4900}, {50, 0.0011, -2.4900}, 4.7461},
        {{50, 2.5, 0}, {50, 0, -2.5}, 4.3065},
        {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5, 0}, {61, -5, 29}, 22.8977},
        {{50, 2.5, 0}, {56, -27, -3}, 31.9030},
        {{50, 2.5, 0}, {58, 24, 15}, 19.4535},
        {{50, 2.5, 0}, {50, 3.1736, 0.5854}, 1.0000},
        {{50, 2.5, 0}, {50, 3.2972, 0}, 1.0000},
        {{50, 2.5, 0}, {50, 1.8634, 0.5757}, 1.0000},
        {{50, 2.5, 0}, {50, 3.2592, 0.3350}, 1.0000},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
        {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
        {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
        {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
        {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
        {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
        {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
        {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    for (const auto& p : pairs) {
        EXPECT_NEAR(Ciede2000(p.a, p.b), p.expected, 5e-5) << p.a.x << " " << p.a.y << " " << p.a.z;
        EXPECT_NEAR(Ciede2000(p.b, p.a), p.expected, 5e-5);
    }
}

TEST(ColorScience, NamesTheNearestColorWithItsFamily) {
    const struct {
        const char* hex;
        const char* described;
    } cases[] = {
        {"#FF8C00", "DarkOrange, orange"},  // exact: no distance
        {"#FF8D01", "about DarkOrange, orange, dE 0.3"},
        {"#00FFFF", "Aqua, cyan"},  // the basic table's name for a shared colour
        {"#000001", "about Black, black, dE 0.4"},
        {"#FEFEFE", "about White, white, dE 0.2"},
        {"#7F7F80", "about Gray, gray, dE 0.7"},
        {"#8B4514", "about SaddleBrown, brown, dE 0.2"},
        {"#FF0102", "about Red, red, dE 0.2"},
        {"#FFC0CC", "about Pink, pink, dE 0.3"},
        {"#000081", "about Navy, blue, dE 0.1"},
        {"#008081", "about Teal, cyan, dE 0.4"},
        {"#800081", "about Purple, purple, dE 0.2"},
        {"#FFD701", "about Gold, yellow, dE 0.0"},
        {"#32CD33", "about LimeGreen, green, dE 0.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(DescribeByName(Hex(c.hex)), c.described) << c.hex;
    // A colour of more than 8 bits is named by its 8-bit value, as elsewhere.
    const Color deep = Color::FromUnit(1.0, 140.2 / 255, 0);
    EXPECT_EQ(NearestNamedColor(deep).distance, 0.0);
    EXPECT_EQ(WriteNotation(Notation::Nearest, Hex("#FF8D01")), "DarkOrange");
}

// Distances as npm culori's differenceCiede2000 gives them, to one decimal.
// The mean the eye sees: decoded to linear light, averaged, encoded again.
TEST(ColorScience, MeansAreTakenInLinearLight) {
    const Color black = Hex("#000000"), white = Hex("#FFFFFF");
    const Color dark = Hex("#202020"), light = Hex("#E0E0E0");
    const struct {
        std::vector<Color> colors;
        int expected;  // 8-bit channel of the mean
    } cases[] = {
        {{white, white, white, white, white, black, black, black, black}, 197},  // not 142
        {{dark, dark, dark, dark, light, light, light, light, light}, 173},      // not 139
        {{white, black, black, white}, 188},                                     // not 128
        {{dark}, 0x20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeanInLinearLight(c.colors).To8().red, c.expected);
    }
    // Equal pixels average to themselves exactly, at 16 bits.
    const Color odd{12345, 54321, 777};
    EXPECT_EQ(MeanInLinearLight(std::vector<Color>(121, odd)), odd);
}

// References nobody here computed: culori's Machado (2009) matrices applied in
// linear light, and the Brettel (1997) matrices libDaltonLens publishes.
TEST(ColorScience, SimulationsAgreeWithPublishedReferences) {
    const struct {
        const char* hex;
        const char* protanopia;
        const char* deuteranopia;
        const char* tritanopia;  // within 3 steps: the cone model's anchors differ a little
    } cases[] = {
        {"#FF0000", "#6D5F00", "#A39000", "#FF004E"}, {"#00FF00", "#FFE500", "#EFD63A", "#79E9FF"},
        {"#0000FF", "#0059FF", "#003DFB", "#006288"}, {"#FF8C00", "#AF9900", "#CAB400", "#FF8092"},
        {"#3366CC", "#2872D0", "#0064CA", "#007792"},
    };
    auto near = [](const Color& a, const char* hex, int steps) {
        const Srgb8 x = a.To8(), y = *ParseHexColor(hex);
        return std::abs(x.red - y.red) <= steps && std::abs(x.green - y.green) <= steps &&
               std::abs(x.blue - y.blue) <= steps;
    };
    for (const auto& c : cases) {
        const Color color = Hex(c.hex);
        EXPECT_EQ(SeenWith(Vision::Protanopia, color).Html(), c.protanopia) << c.hex;
        EXPECT_EQ(SeenWith(Vision::Deuteranopia, color).Html(), c.deuteranopia) << c.hex;
        EXPECT_TRUE(near(SeenWith(Vision::Tritanopia, color), c.tritanopia, 3))
            << c.hex << " " << SeenWith(Vision::Tritanopia, color).Html();
    }
    for (const Vision v : kVisions) {
        // Greys look the same to everyone.
        for (const char* grey : {"#000000", "#808080", "#FFFFFF"}) {
            EXPECT_TRUE(near(SeenWith(v, Hex(grey)), grey, 0)) << grey;
        }
    }
}

}  // namespace
}  // namespace velmor
