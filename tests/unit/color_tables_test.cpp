#include "core/color_tables.h"

#include <gtest/gtest.h>

#include <set>

#include "core/color_codec.h"

namespace velmor {
namespace {

const ColorTables& T() {
    return ColorTables::Instance();
}

TEST(ColorTables, SafetyPaletteHoldsEveryWebSafeColourOnce) {
    std::set<std::string> seen(T().SafetyHex().begin(), T().SafetyHex().end());
    EXPECT_EQ(seen.size(), 216u);
    const char* steps[] = {"00", "33", "66", "99", "cc", "ff"};
    for (auto r : steps)
        for (auto g : steps)
            for (auto b : steps) EXPECT_TRUE(seen.count(std::string(r) + g + b)) << r << g << b;
}

TEST(ColorTables, AdditionalColoursRiseByHexValueAfterTheFirstFive) {
    const auto& hex = T().AdditionalHex();
    for (std::size_t i = 6; i < hex.size(); ++i) EXPECT_LT(hex[i - 1], hex[i]) << i;
    std::set<std::string> names(T().AdditionalNames().begin(), T().AdditionalNames().end());
    EXPECT_EQ(names.size(), 124u);
}

TEST(ColorTables, OnlyAquaAndFuchsiaStandInBothNamedTables) {
    std::set<std::string> basic(T().BasicHex().begin(), T().BasicHex().end());
    std::vector<std::string> shared;
    for (std::size_t i = 0; i < T().AdditionalHex().size(); ++i) {
        if (basic.count(T().AdditionalHex()[i])) shared.push_back(T().AdditionalNames()[i]);
    }
    EXPECT_EQ(shared, (std::vector<std::string>{"Aqua", "Fuchsia"}));
    EXPECT_EQ(T().AdditionalHex()[12], "00ffff");
    EXPECT_EQ(T().AdditionalHex()[97], "ff00ff");
}

TEST(ColorName, FindsNamesWhateverTheCaseHashOrSpaces) {
    const struct {
        const char* text;
        const char* name;
    } cases[] = {{"#FF0000", "Red"},
                 {"ff0000", "Red"},
                 {"# ff 00 00", "Red"},
                 {"#ff000", ""},
                 {"#ff00000", ""},
                 {"#FF8C00", "DarkOrange"},
                 {"#FDF5E6", "Oldlace"},
                 {"#123456", ""},
                 {"#330099", ""},
                 {"00FFFF", "Aqua"},
                 {"#ff00ff", "Fuchsia"},
                 {"gggggg", ""},
                 {"", ""},
                 {"##000000##", "Black"},
                 {"\xC3\xA9\xC3\xA9\xC3\xA9", ""}};
    for (const auto& c : cases) EXPECT_EQ(ColorName(c.text), c.name) << c.text;
}

TEST(ColorName, NamesEveryTableEntryWithItsFirstName) {
    for (std::size_t i = 0; i < T().BasicHex().size(); ++i) {
        EXPECT_EQ(ColorName(T().BasicHex()[i]), T().BasicNames()[i]);
    }
    for (std::size_t i = 0; i < T().AdditionalHex().size(); ++i) {
        EXPECT_EQ(ColorName("#" + T().AdditionalHex()[i]), T().AdditionalNames()[i]);
    }
}

}  // namespace
}  // namespace velmor
