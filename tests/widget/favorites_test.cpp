#include <QPushButton>
#include <QToolButton>

#include "core/text.h"
#include "ui/main/custom_color_page.h"
#include "ui/main/favorites_page.h"
#include "ui/main/named_colors_page.h"
#include "ui/main/safety_page.h"
#include "ui/main/tab_toolbar.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::WindowTest;

std::string Favorites(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, "%02x%02x%02x", unsigned(i & 0xFF),
                      unsigned((255 - i) & 0xFF), unsigned((i * 7) & 0xFF));
        entries.emplace_back(entry);
    }
    return Join(entries, ';');
}

TEST_F(WindowTest, EveryPlaceAddsItsColourAtTheEnd) {
    MainWindow& w = Start();
    QTest::mouseClick(w.AddButton(), Qt::LeftButton);  // #330099 current
    QTest::mouseDClick(w.NamedColors()->BasicGrid(), Qt::LeftButton, {}, {85, 5});  // Red
    QTest::mouseDClick(w.NamedColors()->AdditionalGrid(), Qt::LeftButton, {},
                       {65, 5});  // SlateGray
    w.NamedColors()->NamesFirst()->setChecked(false);
    QTest::mouseClick(w.NamedColors()->Toolbar()->Button(1), Qt::LeftButton);
    w.Tabs()->SetCurrentIndex(MainWindow::SafetyPaletteTab);
    QTest::mouseDClick(w.Safety()->Grid(), Qt::LeftButton, {}, {25, 5});  // 6633ff
    QTest::mouseClick(w.Safety()->Toolbar()->Button(1), Qt::LeftButton);
    QTest::mouseClick(w.Custom()->Toolbar()->Button(1), Qt::LeftButton);
    EXPECT_EQ(w.Favorites().Text(), "330099;ff0000;708090;708090;6633ff;6633ff;000000");
    EXPECT_EQ(SettingsText(),
              "[Favorites]\nFavorites=330099;ff0000;708090;708090;6633ff;6633ff;000000\n");
    // The last one added is current, looked up by name; nothing is selected.
    EXPECT_EQ(Row(0), "#000000");
    EXPECT_EQ(Row(1), "Black");
    EXPECT_EQ(w.FavoriteColors()->Grid()->CellCount(), 7);
    EXPECT_EQ(w.FavoriteColors()->Grid()->Selection(), -1);
    EXPECT_FALSE(w.FavoriteColors()->FavoriteLine()->isEnabled());
    // A double click on the favourites grid adds nothing.
    w.Tabs()->SetCurrentIndex(MainWindow::FavoriteColorsTab);
    QTest::mouseDClick(w.FavoriteColors()->Grid(), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(w.Favorites().Entries().size(), 7u);
    EXPECT_EQ(w.FavoriteColors()->FavoriteLine()->text(), "#330099");
}

TEST_F(WindowTest, FavouritesAreSelectedWithMouseAndKeys) {
    WriteSettings("[Favorites]\nFavorites=" + Favorites(21) + "\n");
    MainWindow& w = Start();
    w.Tabs()->SetCurrentIndex(MainWindow::FavoriteColorsTab);
    FavoritesPage* page = w.FavoriteColors();
    ColorGrid* pic4 = page->Grid();
    EXPECT_EQ(pic4->Selection(), 0);
    EXPECT_EQ(Row(0), "#00FF00");
    const struct {
        int from;
        Qt::Key key;
        int to;
    } cases[] = {{3, Qt::Key_Up, 19},    {10, Qt::Key_Up, 10},  {19, Qt::Key_Down, 3},
                 {10, Qt::Key_Down, 10}, {0, Qt::Key_Left, 20}, {20, Qt::Key_Right, 0}};
    for (const auto& c : cases) {
        page->DrawFavoritesGrid(std::int16_t(c.from));
        Key(pic4, c.key);
        EXPECT_EQ(pic4->Selection(), c.to) << c.from;
        EXPECT_EQ(w.Favorites().SelectedIndex(), c.to) << c.from;
    }
    Click(pic4, {45, 25});  // row 1, column 2: entry 18
    EXPECT_EQ(pic4->Selection(), 18);
    EXPECT_EQ(page->FavoriteLine()->text(), "#12ed7e");
    EXPECT_TRUE(page->FavoriteLine()->isEnabled());
    EXPECT_EQ(Row(0), "#12ED7E");
    Click(pic4, {105, 25});  // row 1, column 5: no entry
    EXPECT_EQ(pic4->Selection(), 18);
    EXPECT_EQ(pic4->Image().pixelColor(40, 19), Qt::black);
    EXPECT_EQ(pic4->Image().pixelColor(110, 25), pic4->palette().color(QPalette::Button));
}

TEST_F(WindowTest, RemoveClearAndRepeatsFollowTheAnswers) {
    WriteSettings("[Options]\nUpper=False\n[Favorites]\nFavorites=ff0000;00ff00;ff0000;00ff00\n");
    MainWindow& w = Start();
    FavoritesPage* page = w.FavoriteColors();
    ImageToolbar* tb = page->RemoveToolbar();
    EXPECT_EQ(tb->Button(2)->text(), "Clear all colors    ");
    EXPECT_TRUE(tb->Button(1)->isEnabled());

    AnswerNextBox("No");
    QTest::mouseClick(tb->Button(3), Qt::LeftButton);
    EXPECT_EQ(lastBoxText_, "Are you sure to remove all duplicated colors from the favorites?");
    EXPECT_EQ(lastBoxDefault_, "No");
    EXPECT_EQ(w.Favorites().Text(), "ff0000;00ff00;ff0000;00ff00");

    AnswerNextBox("Yes");
    QTest::mouseClick(tb->Button(3), Qt::LeftButton);
    EXPECT_EQ(w.Favorites().Text(), "ff0000;00ff00");
    EXPECT_EQ(w.Favorites().SelectedIndex(), 1);
    EXPECT_EQ(Row(0), "#00ff00");
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=False\n[Favorites]\nFavorites=ff0000;00ff00\n");

    boxTexts_.clear();
    AnswerBoxes({"Yes", "OK"});
    QTest::mouseClick(tb->Button(3), Qt::LeftButton);
    EXPECT_EQ(boxTexts_,
              QStringList({"Are you sure to remove all duplicated colors from the favorites?",
                           "No duplicated colors found in the favorites list!"}));
    EXPECT_EQ(w.Favorites().SelectedIndex(), 1);

    QTest::mouseClick(tb->Button(1), Qt::LeftButton);  // removes the selected last entry
    EXPECT_EQ(w.Favorites().Text(), "ff0000");
    EXPECT_EQ(w.Favorites().SelectedIndex(), 0);
    EXPECT_FALSE(tb->Button(2)->isEnabled());

    QTest::mouseClick(tb->Button(1), Qt::LeftButton);
    EXPECT_EQ(w.Favorites().Text(), "");
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=False\n[Favorites]\n");
    for (int b = 1; b <= 3; ++b) EXPECT_FALSE(tb->Button(b)->isEnabled()) << b;
}

TEST_F(WindowTest, ClearAsksOnlyForTwoOrMoreEntries) {
    WriteSettings("[Favorites]\nFavorites=aaaaaa;bbbbbb\n");
    MainWindow& w = Start();
    ImageToolbar* tb = w.FavoriteColors()->RemoveToolbar();
    AnswerNextBox("No");
    QTest::mouseClick(tb->Button(2), Qt::LeftButton);
    EXPECT_EQ(lastBoxText_, "Are you sure to clear all colors from the favorites?");
    EXPECT_EQ(w.Favorites().Text(), "aaaaaa;bbbbbb");
    AnswerNextBox("Yes");
    QTest::mouseClick(tb->Button(2), Qt::LeftButton);
    EXPECT_EQ(w.Favorites().Text(), "");
    EXPECT_EQ(SettingsText(), "[Favorites]\n");
}

TEST_F(WindowTest, AFullListRefusesTheColourButShowsIt) {
    WriteSettings("[Favorites]\nFavorites=" + Favorites(224) + "\n");
    MainWindow& w = Start();
    const std::string before = SettingsText();
    AnswerNextBox("OK");
    w.Add2Favo("#123456");
    EXPECT_EQ(lastBoxText_,
              "The  favorite colors are full, please remove some colors from the list before "
              "adding more...");
    EXPECT_EQ(Row(0), "#123456");
    EXPECT_EQ(SettingsText(), before);
    // With one fewer, the colour goes in.
    WriteSettings("[Favorites]\nFavorites=" + Favorites(223) + "\n");
    MainWindow& again = Restart();
    again.Add2Favo("#123456");
    EXPECT_EQ(again.Favorites().Entries().size(), 224u);
}

TEST_F(WindowTest, ARestartShowsTheSameListWithTheFirstSelected) {
    MainWindow& w = Start();
    w.Add2Favo("DarkOrange  (#ff8c00)");
    w.Add2Favo("#00FF00  (Lime)");
    EXPECT_EQ(Row(1), "Lime");
    MainWindow& again = Restart();
    EXPECT_EQ(again.Favorites().Text(), "ff8c00;00FF00");
    EXPECT_EQ(again.FavoriteColors()->Grid()->Selection(), 0);
    EXPECT_EQ(again.FavoriteColors()->FavoriteLine()->text(), "#ff8c00");
    EXPECT_EQ(Row(0), "#FF8C00");
    EXPECT_EQ(Row(1), "DarkOrange");
}

TEST_F(WindowTest, ADamagedListLoadsAndIsNeverRewrittenByReading) {
    const std::string junk = "zz;;  ; é;" + Favorites(300);
    WriteSettings("[Favorites]\nFavorites=" + junk + "\n[Options]\nValue=abc\n");
    const std::string before = SettingsText();
    MainWindow& w = Start();
    EXPECT_EQ(SettingsText(), before);
    FavoritesPage* page = w.FavoriteColors();
    ColorGrid* pic4 = page->Grid();
    EXPECT_EQ(w.Favorites().Text().size(), 2047u);
    EXPECT_EQ(page->FavoriteLine()->text(), "#zz");
    // Keys stay among the 224 drawn cells.
    page->DrawFavoritesGrid(223);
    Key(pic4, Qt::Key_Right);
    EXPECT_EQ(pic4->Selection(), 0);
    Key(pic4, Qt::Key_Left);
    EXPECT_EQ(pic4->Selection(), 223);
    Key(pic4, Qt::Key_Down);
    EXPECT_LE(pic4->Selection(), 223);
    // A click below the last drawn row hits nothing.
    Click(pic4, {5, 267});
    EXPECT_LE(pic4->Selection(), 223);
    EXPECT_EQ(SettingsText(), before);
}

}  // namespace
}  // namespace velmor

namespace velmor {
namespace {

TEST_F(WindowTest, TwoRunningCopiesKeepEachOthersSavedSettings) {
    MainWindow& first = Start();
    AppOptions otherOptions;
    MainWindow second(otherOptions, *settings_);
    first.Add2Favo("#ff0000");
    otherOptions.upperCase = false;
    SaveOptions(otherOptions, *settings_);  // what the other copy's OK does
    first.Add2Favo("#00ff00");
    second.FavoriteColors()->RemoveSelectedFavorite();  // nothing selected there: no write
    EXPECT_EQ(SettingsText(),
              "[Favorites]\nFavorites=ff0000;00ff00\n\n[Options]\nUpper=False\nRemove=False\n"
              "Copy=True\nValue=8\n");
}

}  // namespace
}  // namespace velmor
