#include "window_fixture.h"

namespace velmor {
namespace {

std::string Entries(int count) {
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << QString::asprintf("%02x%02x%02x", i & 0xFF, (255 - i) & 0xFF, (i * 7) & 0xFF);
    return entries.join(';').toStdString();
}

const QString kFull =
    "The  favorite colors are full, please remove some colors from the list before adding more...";

TEST_F(WindowTest, EveryPlaceAddsItsColourAtTheEnd) {
    MainWindow& w = Start();
    QTest::mouseClick(w.AddButton(), Qt::LeftButton);                               // #330099
    QTest::mouseDClick(w.NamedColors()->BasicGrid(), Qt::LeftButton, {}, {85, 5});  // Red
    w.Tabs()->SetCurrentIndex(MainWindow::SafetyPaletteTab);
    QTest::mouseDClick(w.Safety()->Grid(), Qt::LeftButton, {}, {25, 5});  // 6633ff
    QTest::mouseClick(w.Custom()->Toolbar()->Button(1), Qt::LeftButton);
    EXPECT_EQ(FavoritesText(), "330099;ff0000;6633ff;000000");
    EXPECT_EQ(SettingsText(), "[Favorites]\nFavorites=330099;ff0000;6633ff;000000\n");
    // The last one added is current, looked up by name; nothing is selected.
    EXPECT_EQ(Row(1), "Black");
    EXPECT_EQ(w.FavoriteColors()->Grid()->Selection(), -1);
    EXPECT_FALSE(w.FavoriteColors()->FavoriteLine()->isEnabled());
}

TEST_F(WindowTest, FavouritesAreSelectedWithMouseAndKeys) {
    WriteSettings("[Favorites]\nFavorites=" + Entries(21) + "\n");
    MainWindow& w = Start();
    w.Tabs()->SetCurrentIndex(MainWindow::FavoriteColorsTab);
    FavoritesPage* page = w.FavoriteColors();
    ColorGrid* grid = page->Grid();
    EXPECT_EQ(grid->Selection(), 0);
    EXPECT_EQ(Row(0), "#00FF00");
    Key(grid, Qt::Key_Left);
    EXPECT_EQ(favorites_->Selection(), 20);
    Click(grid, {45, 25});  // row 1, column 2: entry 18
    EXPECT_EQ(page->FavoriteLine()->text(), "#12ed7e");
    EXPECT_EQ(Row(0), "#12ED7E");
    Click(grid, {105, 25});  // row 1, column 5: no entry
    EXPECT_EQ(grid->Selection(), 18);
}

TEST_F(WindowTest, RemoveClearAndRepeatsFollowTheAnswers) {
    WriteSettings("[Options]\nUpper=False\n[Favorites]\nFavorites=" + Entries(6) + ";" +
                  Entries(6) + "\n");
    MainWindow& w = Start();
    ImageToolbar* tb = w.FavoriteColors()->RemoveToolbar();
    const std::string twice = Entries(6) + ";" + Entries(6);

    prompter_.answers = {false};
    QTest::mouseClick(tb->Button(3), Qt::LeftButton);
    EXPECT_EQ(prompter_.texts.last(),
              "Are you sure to remove all duplicated colors from the favorites?");
    EXPECT_EQ(FavoritesText(), twice);

    prompter_.answers = {true};
    QTest::mouseClick(tb->Button(3), Qt::LeftButton);
    EXPECT_EQ(FavoritesText(), Entries(6));
    EXPECT_EQ(favorites_->Selection(), 5);
    EXPECT_EQ(SettingsText(),
              "[Options]\nUpper=False\n[Favorites]\nFavorites=" + Entries(6) + "\n");

    QTest::mouseClick(tb->Button(1), Qt::LeftButton);  // removes the selected last entry
    EXPECT_EQ(FavoritesText(), Entries(5));
    EXPECT_EQ(favorites_->Selection(), 4);

    prompter_.answers = {true};
    QTest::mouseClick(tb->Button(2), Qt::LeftButton);
    EXPECT_EQ(prompter_.texts.last(), "Are you sure to clear all colors from the favorites?");
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=False\n[Favorites]\n");
    for (int b = 1; b <= 3; ++b) EXPECT_FALSE(tb->Button(b)->isEnabled()) << b;
}

TEST_F(WindowTest, AFullListRefusesTheColourButShowsIt) {
    WriteSettings("[Favorites]\nFavorites=" + Entries(224) + "\n");
    MainWindow& w = Start();
    const std::string before = SettingsText();
    w.AddToFavorites(Hex("#123456"), HexCase::Lower);
    EXPECT_EQ(prompter_.texts, QStringList{kFull});
    EXPECT_EQ(Row(0), "#123456");
    EXPECT_EQ(SettingsText(), before);
}

TEST_F(WindowTest, ADamagedListLoadsAndIsNeverRewrittenByReading) {
    WriteSettings("[Favorites]\nFavorites=zz;;  ; \xC3\xA9;" + Entries(300) +
                  "\n[Options]\nValue=abc\n");
    const std::string before = SettingsText();
    MainWindow& w = Start();
    ColorGrid* grid = w.FavoriteColors()->Grid();
    EXPECT_EQ(FavoritesText().size(), 2048u);  // 2047 characters, one of them two bytes
    // Keys stay among the 224 drawn cells.
    Key(grid, Qt::Key_Left);
    EXPECT_EQ(grid->Selection(), 223);
    EXPECT_EQ(SettingsText(), before);
}

TEST_F(WindowTest, AFailedSaveSaysWhyAndKeepsTheColourForTheSession) {
    MainWindow& w = Start();
    w.AddToFavorites(Hex("#ff0000"), HexCase::Lower);
    // Another program locks the file after start-up.
    ::chmod(settings_->Path().c_str(), 0444);
    w.AddToFavorites(Hex("#00ff00"), HexCase::Lower);
    ::chmod(settings_->Path().c_str(), 0644);
    EXPECT_EQ(prompter_.texts,
              QStringList{QString("Your favorites could not be saved to %1: the file is read-only.")
                              .arg(QString::fromStdString(settings_->Path()))});
    EXPECT_EQ(FavoritesText(), "ff0000;00ff00");
    EXPECT_EQ(SettingsText(), "[Favorites]\nFavorites=ff0000\n");
    // The next save that can be done stores everything the user has.
    w.AddToFavorites(Hex("#0000ff"), HexCase::Lower);
    EXPECT_EQ(SettingsText(), "[Favorites]\nFavorites=ff0000;00ff00;0000ff\n");
}

TEST_F(WindowTest, TwoRunningCopiesKeepEachOthersSavedSettings) {
    MainWindow& first = Start();
    Options otherOptions(*settings_);
    Favorites otherFavorites(*settings_);
    otherFavorites.Load();
    first.AddToFavorites(Hex("#ff0000"), HexCase::Lower);
    otherOptions.Save({false, false, true, 8, ""});  // what the other copy's OK does
    first.AddToFavorites(Hex("#00ff00"), HexCase::Lower);
    otherFavorites.RemoveSelected();  // nothing selected there: no write
    EXPECT_EQ(SettingsText(),
              "[Favorites]\nFavorites=ff0000;00ff00\n\n[Options]\nUpper=False\nRemove=False\n"
              "Copy=True\nValue=8\n");
}

}  // namespace
}  // namespace velmor
