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

TEST(ColorName, FindsNamesWhateverTheCaseHashOrSpaces) {
    const struct {
        const char *text, *name;
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

}  // namespace
}  // namespace velmor
