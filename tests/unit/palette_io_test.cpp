#include "core/palette_io.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

const std::vector<std::string> kEntries = {"ff8c00", "000000", "00FF7f"};

TEST(Palettes, EveryExportReadsBackWhereTheFormatIsReadable) {
    for (PaletteFormat f : {PaletteFormat::Gimp, PaletteFormat::HexList}) {
        const PaletteImport back = ImportPalette(ExportPalette(f, kEntries, "Mine"));
        EXPECT_EQ(back.colors, (std::vector<std::string>{"ff8c00", "000000", "00ff7f"}));
        EXPECT_EQ(back.unreadable, 0u);
    }
    EXPECT_EQ(ExportPalette(PaletteFormat::Css, {"ff8c00", "zz"}, "Mine"),
              "/* Mine */\n:root {\n  --favorite-1: #ff8c00;\n}\n");
    EXPECT_EQ(ExportPalette(PaletteFormat::Json, {"ff8c00"}, "My \"set\""),
              "{\n  \"name\": \"My \\\"set\\\"\",\n  \"colors\": [\n    \"#ff8c00\"\n  ]\n}\n");
    EXPECT_EQ(ExportPalette(PaletteFormat::Gimp, {"ff8c00"}, "Mine"),
              "GIMP Palette\nName: Mine\nColumns: 16\n#\n255 140   0\t#ff8c00\n");
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
        {"hex list, CR only", "#aabbcc\r// note\rAABBCC\r\r#abc\r", 2, 1},
        {"binary junk", std::string("\x00\xff\x12\n\x89PNG\r\n", 9), 0, 2},
        {"empty", "", 0, 0},
    };
    for (const auto& c : cases) {
        const PaletteImport r = ImportPalette(c.content);
        EXPECT_EQ(r.colors.size(), c.colors) << c.name;
        EXPECT_EQ(r.unreadable, c.unreadable) << c.name;
    }
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "#00ff00\n";
    EXPECT_EQ(ImportPalette(many).colors.size(), 10000u);
}

}  // namespace
}  // namespace velmor
