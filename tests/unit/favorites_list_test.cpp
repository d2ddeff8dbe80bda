#include "settings/favorites_list.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "temp_folder.h"

namespace velmor {
namespace {

FavoritesList ListOf(const std::string& text, std::int16_t selected) {
    TempFolder folder;
    const SettingsFile settings(folder.File("settings.ini"));
    if (!text.empty()) WriteFile(settings.Path(), "[Favorites]\nFavorites=" + text + "\n");
    FavoritesList list;
    list.Load(settings);
    list.RecordDraw(selected, list.Entries().size());
    return list;
}

std::string Repeat(const std::string& entry, int count) {
    std::vector<std::string> parts(static_cast<std::size_t>(count), entry);
    return Join(parts, ';');
}

TEST(FavoritesList, ExtractsTheDigitsFromEveryCallersText) {
    const struct {
        const char* text;
        const char* entry;
    } cases[] = {{"#FF0000", "FF0000"},
                 {"Red  (#ff0000)", "ff0000"},
                 {"#ff0000  (Red)", "ff0000"},
                 {"  #abc123  ", "abc123"},
                 {"DarkOrange  (#ff8c00)", "ff8c00"},
                 {"", ""},
                 {"##12##", "12"},
                 {"(", ""}};
    for (const auto& c : cases) EXPECT_EQ(FavoritesList::ExtractEntry(c.text), c.entry) << c.text;
}

TEST(FavoritesList, TakesOneMoreAt223AndNoneAt224) {
    EXPECT_FALSE(ListOf(Repeat("ff0000", 223), -1).IsFull());
    EXPECT_TRUE(ListOf(Repeat("ff0000", 224), -1).IsFull());
    // Short entries never fill the list by length alone.
    EXPECT_FALSE(ListOf(Repeat("f", 400), -1).IsFull());
}

TEST(FavoritesList, RemovesRepeatsAsPiecesOfText) {
    const struct {
        const char* before;
        bool dropped;
        const char* after;
        int selected;
    } cases[] = {{"ff0000;00ff00;ff0000;00ff00", true, "ff0000;00ff00", 1},
                 {"ff0000;FF0000", false, "ff0000;FF0000", -1},
                 {"ffffff;fff", true, "ffffff", 0},
                 {"ff0000;;00ff00", true, "ff0000;00ff00", 1},
                 {"ff0000", false, "ff0000", -1}};
    for (const auto& c : cases) {
        auto list = ListOf(c.before, -1);
        EXPECT_EQ(list.RemoveDuplicates(), c.dropped) << c.before;
        EXPECT_EQ(list.Text(), c.after) << c.before;
        EXPECT_EQ(list.SelectedIndex(), c.selected) << c.before;
    }
    EXPECT_FALSE(ListOf("ffffff;fff", -1).NeedsConfirmation());
    EXPECT_TRUE(ListOf("ffffff;ffffff", -1).NeedsConfirmation());
}

}  // namespace
}  // namespace velmor
