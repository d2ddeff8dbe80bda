#include "core/converter_steps.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(ConverterLeft, EachBoxTurnsIntoTheOthersAndFailedStepsAreSkipped) {
    const struct {
        const char* name;
        ConverterBox box;
        ConverterTexts before, after;
        std::optional<ColorValue> preview;
    } cases[] = {
        {"html",
         ConverterBox::Html,
         {"ff8c00", "", "", "", ""},
         {"ff8c00", "36095", "255", "140", "0"},
         0x008CFF},
        {"html with spaces and #",
         ConverterBox::Html,
         {"  #0000ff ", "", "", "", ""},
         {"  #0000ff ", "16711680", "0", "0", "255"},
         0xFF0000},
        {"html in another notation",
         ConverterBox::Html,
         {"oklch(0.7505 0.1791 58.28)", "", "", "", ""},
         {"#FF8C00", "36095", "255", "140", "0"},
         0x008CFF},
        {"html as a name",
         ConverterBox::Html,
         {"DarkOrchid", "", "", "", ""},
         {"#9932CC", "13382297", "153", "50", "204"},
         0xCC3299},
        {"html empty", ConverterBox::Html, {"", "9", "1", "2", "3"}, {"", "0", "0", "0", "0"}, 0},
        {"html non-ASCII",
         ConverterBox::Html,
         {"\xC3\xBF\xC3\xA9", "", "", "", ""},
         {"\xC3\xBF\xC3\xA9", "0", "0", "0", "0"},
         0},
        {"long white",
         ConverterBox::Long,
         {"", "16777215", "", "", ""},
         {"#FFFFFF", "16777215", "255", "255", "255"},
         0xFFFFFF},
        {"long not a number",
         ConverterBox::Long,
         {"#FFFFFF", "abc", "1", "2", "3"},
         {"#010203", "abc", "1", "2", "3"},
         std::nullopt},
        {"long too large for 32 bits",
         ConverterBox::Long,
         {"x", "99999999999", "", "", ""},
         {"x", "99999999999", "", "", ""},
         std::nullopt},
        {"long negative",
         ConverterBox::Long,
         {"", "-1", "", "", ""},
         {"#FF0000", "-1", "-1", "0", "0"},
         std::nullopt},
        {"components",
         ConverterBox::Component,
         {"", "", "255", "140", "0"},
         {"#FF8C00", "36095", "255", "140", "0"},
         0x008CFF},
        {"component not a number",
         ConverterBox::Component,
         {"#FF8C00", "36095", "255", "140", "x"},
         {"#FF8C00", "36095", "255", "140", "x"},
         0x008CFF},
        {"component above 255",
         ConverterBox::Component,
         {"", "", "255", "140", "300"},
         {"#FF8C12", "16747775", "255", "140", "300"},
         0xFF8CFF},
    };
    for (const auto& c : cases) {
        const ConverterResult r = ConverterLeft(c.box, c.before);
        EXPECT_EQ(r.texts, c.after) << c.name << ": " << r.texts.html << " " << r.texts.longValue;
        EXPECT_EQ(r.preview, c.preview) << c.name;
    }
}

}  // namespace
}  // namespace velmor
