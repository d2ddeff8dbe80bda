#include "core/converter_steps.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmor {
namespace {

// The five boxes as "html|long|red|green|blue".
ConverterTexts Boxes(const std::string& text) {
    std::istringstream in(text);
    ConverterTexts t;
    for (std::string* box : {&t.html, &t.longValue, &t.red, &t.green, &t.blue}) {
        std::getline(in, *box, '|');
    }
    return t;
}

TEST(ConverterLeft, EachBoxTurnsIntoTheOthersAndFailedStepsAreSkipped) {
    using enum ConverterBox;
    const struct {
        const char* name;
        ConverterBox box;
        const char *before, *after;
        std::optional<ColorValue> preview;
    } cases[] = {
        {"html", Html, "ff8c00||||", "ff8c00|36095|255|140|0", 0x008CFF},
        {"html with spaces and #", Html, "  #0000ff ||||", "  #0000ff |16711680|0|0|255", 0xFF0000},
        {"html in another notation", Html, "oklch(0.7505 0.1791 58.28)||||",
         "#FF8C00|36095|255|140|0", 0x008CFF},
        {"html as a name", Html, "DarkOrchid||||", "#9932CC|13382297|153|50|204", 0xCC3299},
        {"html empty", Html, "|9|1|2|3", "|0|0|0|0", 0},
        {"html non-ASCII", Html, "\xC3\xBF\xC3\xA9||||", "\xC3\xBF\xC3\xA9|0|0|0|0", 0},
        {"long white", Long, "|16777215|||", "#FFFFFF|16777215|255|255|255", 0xFFFFFF},
        {"long not a number", Long, "#FFFFFF|abc|1|2|3", "#010203|abc|1|2|3", std::nullopt},
        {"long too large for 32 bits", Long, "x|99999999999|||", "x|99999999999|||", std::nullopt},
        {"long negative", Long, "|-1|||", "#FF0000|-1|-1|0|0", std::nullopt},
        {"components", Component, "||255|140|0", "#FF8C00|36095|255|140|0", 0x008CFF},
        {"component not a number", Component, "#FF8C00|36095|255|140|x", "#FF8C00|36095|255|140|x",
         0x008CFF},
        {"component above 255", Component, "||255|140|300", "#FF8C12|16747775|255|140|300",
         0xFF8CFF},
    };
    for (const auto& c : cases) {
        const ConverterResult r = ConverterLeft(c.box, Boxes(c.before));
        EXPECT_EQ(r.texts, Boxes(c.after))
            << c.name << ": " << r.texts.html << " " << r.texts.longValue;
        EXPECT_EQ(r.preview, c.preview) << c.name;
    }
}

}  // namespace
}  // namespace velmor
