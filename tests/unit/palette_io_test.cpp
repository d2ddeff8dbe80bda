#include "core/palette_io.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace velmor {
namespace {

const std::vector<std::string> kEntries = {"ff8c00", "000000", "00FF7f", "123456"};
const std::vector<std::string> kNames = {"", "Night", "", "Deep sea"};

TEST(Palettes, EveryExportReadsBackWithItsNames) {
    for (PaletteFormat f :
         {PaletteFormat::Gimp, PaletteFormat::Css, PaletteFormat::Json, PaletteFormat::HexList}) {
        const PaletteImport back = ImportPalette(ExportPalette(f, kEntries, "Mine", kNames));
        EXPECT_EQ(back.colors, (std::vector<std::string>{"ff8c00", "000000", "00ff7f", "123456"}))
            << int(f);
        EXPECT_EQ(back.unreadable, 0u) << int(f);
        if (f == PaletteFormat::HexList) continue;  // a plain list for tools that want only hex
        // Given names, else the tables' names; CSS as property names.
        const std::vector<std::string> names =
            f == PaletteFormat::Css
                ? std::vector<std::string>{"dark-orange", "night", "spring-green", "deep-sea"}
                : std::vector<std::string>{"DarkOrange", "Night", "SpringGreen", "Deep sea"};
        EXPECT_EQ(back.names, names) << int(f);
    }
    EXPECT_EQ(ExportPalette(PaletteFormat::Css, {"ff8c00", "zz", "123456", "ff8c00"}, "Mine"),
              "/* Mine */\n:root {\n  --dark-orange: #ff8c00;\n  --favorite-2: #123456;\n"
              "  --dark-orange-2: #ff8c00;\n}\n");
    EXPECT_EQ(ExportPalette(PaletteFormat::Json, {"123456"}, "My \"set\""),
              "{\n  \"name\": \"My \\\"set\\\"\",\n  \"colors\": [\n    {\"name\": \"\", \"hex\": "
              "\"#123456\"}\n  ]\n}\n");
}

TEST(Palettes, PalettesFromElsewhereInEveryNotation) {
    const struct {
        const char* name;
        std::string content;
        const char *colors, *names;  // split at "|"
    } cases[] = {
        {"a byte-order mark before GIMP", "\xEF\xBB\xBFGIMP Palette\n255 0 0 Red one\n", "ff0000",
         "Red one"},
        {"short hex, alpha, names after the colour",
         "#f80\n#ff8c0080 Half orange\nrgb(1 2 3)\nDarkOrchid\n0x00563412\n",
         "ff8800|ff8c00|010203|9932cc|123456", "|Half orange|||"},
        {"CSS from another tool",
         ":root {\n  --brand: oklch(0.7505 0.1791 58.28);\n  --bg: #fff;\n}\n", "ff8c00|ffffff",
         "brand|bg"},
        {"CSS declarations sharing a line, comments after and across lines",
         ":root { --a: #abcdef; --b: #123456; }\n--brand: #f80; /* x */\n/* a\n--c: #000; */\n"
         "--d: red /* why */;\n",
         "abcdef|123456|ff8800|ff0000", "a|b|brand|d"},
        {"JSON of names and keys", "{\"accent\": \"#ff0000\", \"list\": [\"#00ff00\"]}",
         "ff0000|00ff00", "accent|"},
        {"JSON objects, name after", "[{\"color\": \"#0000ff\", \"name\": \"Blue\"}]", "0000ff",
         "Blue"},
    };
    for (const auto& c : cases) {
        const PaletteImport r = ImportPalette(c.content);
        EXPECT_EQ(r.colors, Split(c.colors, '|')) << c.name;
        EXPECT_EQ(r.names, Split(c.names, '|')) << c.name;
        EXPECT_EQ(r.unreadable, 0u) << c.name;
    }
}

TEST(Palettes, DamagedFilesGiveWhatCanBeReadAndCountTheRest) {
    const struct {
        const char* name;
        std::string content;
        std::size_t colors, unreadable;
    } cases[] = {
        {"gimp with names and comments",
         "GIMP Palette\r\nName: x\r\nColumns: 4\r\n# note\r\n  1   2   3\tOne\r\n256 0 0\r\n9 "
         "9\r\n",
         1, 2},
        {"hex list, CR only", "#aabbcc\r// note\rAABBCC\r\r#abcde\r", 2, 1},
        {"binary junk", std::string("\x00\xff\x12\n\x89PNG\r\n", 9), 0, 2},
        {"empty", "", 0, 0},
    };
    for (const auto& c : cases) {
        const PaletteImport r = ImportPalette(c.content);
        EXPECT_EQ(r.colors.size(), c.colors) << c.name;
        EXPECT_EQ(r.unreadable, c.unreadable) << c.name;
    }
}

}  // namespace
}  // namespace velmor
