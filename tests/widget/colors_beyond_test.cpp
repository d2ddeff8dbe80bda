#include "platform/capture/monitor_profile.h"
#include "ui/dialogs/schemes_window.h"
#include "ui/widgets/copy_as_menu.h"
#include "window_fixture.h"

namespace velmor {
namespace {

QAction* Find(QMenu* menu, const QString& prefix) {
    for (QAction* a : menu->actions()) {
        if (a->text().startsWith(prefix)) return a;
    }
    return nullptr;
}

TEST_F(WindowTest, CopyAsWritesTheChosenNotationOrTemplateAsTheMonitorShowsIt) {
    QMenu menu;
    AddCopyAsMenu(menu, Hex("#FF8C00"),
                  {{"Swift", "Color(red: {r}, green: {g}, blue: {b})"}, {"Broken", "{oops}"}});
    QMenu* copyAs = menu.actions().first()->menu();
    ASSERT_NE(copyAs, nullptr);
    Find(copyAs, "oklch()")->trigger();
    EXPECT_EQ(Clipboard(), "oklch(0.7505 0.1791 58.28)");
    Find(copyAs, "Swift")->trigger();
    EXPECT_EQ(Clipboard(), "Color(red: 255, green: 140, blue: 0)");
    QAction* broken = Find(copyAs, "Broken");
    ASSERT_NE(broken, nullptr);
    EXPECT_FALSE(broken->isEnabled());
    EXPECT_TRUE(broken->text().contains("no placeholder {oops}"));
    EXPECT_EQ(Find(copyAs, "color(display-p3)"), nullptr);  // no monitor profile

    // On a Display P3 monitor its own values are its P3 values.
    QMenu profiled;
    AddCopyAsMenu(profiled, Hex("#FF8C00"), {}, MonitorProfile::FromIcc(DisplayP3Icc()));
    copyAs = profiled.actions().first()->menu();
    Find(copyAs, "color(display-p3)")->trigger();
    EXPECT_EQ(Clipboard(), "color(display-p3 1 0.549 0)");
    Find(copyAs, "sRGB through")->trigger();
    // P3's orange lies outside sRGB: its red is clipped, its green rises.
    EXPECT_TRUE(Clipboard().startsWith("#FF")) << Clipboard().toStdString();
    EXPECT_NE(Clipboard(), "#FF8C00");
}

TEST_F(WindowTest, ContrastFollowsTheColoursSwapsAndShowsThePairAsEachDeficiencySees) {
    Start();
    current_->Set(Hex("#777777"));
    ContrastWindow contrast(*current_);
    EXPECT_EQ(contrast.RatioLabel()->text(), "Contrast ratio 4.47:1");
    EXPECT_EQ(contrast.Verdicts(), "Fail\nPass\nFail\nFail\nPass");
    // The second colour follows the grids once chosen; the first stays.
    contrast.FollowSecond()->click();
    current_->Set(Hex("#000000"));
    EXPECT_EQ(contrast.FirstBox()->text(), "#777777");
    EXPECT_EQ(contrast.RatioLabel()->text(), "Contrast ratio 4.68:1");
    contrast.SecondBox()->setText("#ffffff");
    contrast.Swap();
    EXPECT_EQ(contrast.FirstBox()->text(), "#ffffff");
    EXPECT_EQ(contrast.Sample()->palette().color(QPalette::WindowText), QColor(Qt::white));
    // Every notation the program reads, names too.
    contrast.FirstBox()->setText("rgb(255 255 255)");
    contrast.SecondBox()->setText("Black");
    EXPECT_EQ(contrast.RatioLabel()->text(), "Contrast ratio 21.00:1");
    contrast.SecondBox()->setText("oklch(0 0 0)");
    EXPECT_EQ(contrast.RatioLabel()->text(), "Contrast ratio 21.00:1");
    contrast.FirstBox()->setText("#ff");
    EXPECT_EQ(contrast.RatioLabel()->text(), "Type two colors: #RRGGBB, rgb(), oklch(), a name...");

    // Red on black passes for most eyes, and darkens to olive without red cones.
    contrast.FirstBox()->setText("#FF0000");
    contrast.SecondBox()->setText("#000000");
    EXPECT_EQ(contrast.RatioLabel()->text(), "Contrast ratio 5.25:1");
    EXPECT_EQ(contrast.SeenSample(0)->palette().color(QPalette::WindowText).name(), "#6d5f00");
    EXPECT_EQ(contrast.SeenSample(0)->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_LT(contrast.SeenRatio(0)->text().section(QLatin1Char(':'), 0, 0).toDouble(), 4.5);
    // Without colour the luminance is all that is left, and so the same ratio.
    EXPECT_EQ(contrast.SeenRatio(3)->text(), "5.25:1");
    EXPECT_EQ(contrast.SeenSample(3)->palette().color(QPalette::WindowText).name(), "#7f7f7f");
    contrast.SecondBox()->setText("nothing");
    EXPECT_EQ(contrast.SeenRatio(1)->text(), "");
}

TEST_F(WindowTest, ContrastSuggestsTheNearestPassingColourAndTakesItInOneClick) {
    Start();
    current_->Set(Hex("#777777"));
    ContrastWindow contrast(*current_);  // on #FFFFFF
    // The known greys: the lightest that pass AA and AAA on white.
    EXPECT_TRUE(contrast.SuggestionText(0)->text().startsWith("#767676 reaches 4.5:1"));
    EXPECT_TRUE(contrast.SuggestionText(1)->text().startsWith("#595959 reaches 7:1"));
    contrast.TakeButton(1)->click();
    EXPECT_EQ(current_->Text().toUpper(), "#595959");
    EXPECT_EQ(contrast.FirstBox()->text().toUpper(), "#595959");
    EXPECT_EQ(contrast.Verdicts(), "Pass\nPass\nPass\nPass\nPass");
    EXPECT_TRUE(contrast.SuggestionText(0)->isHidden());
    EXPECT_TRUE(contrast.TakeButton(1)->isHidden());
    // No grey reaches 7:1 on a mid grey: said, nothing to take. AA passes.
    contrast.FollowSecond()->click();
    contrast.FirstBox()->setText("#000000");
    contrast.SecondBox()->setText("#777777");
    EXPECT_TRUE(contrast.SuggestionText(0)->isHidden());
    EXPECT_EQ(contrast.SuggestionText(1)->text(),
              "No lightness of the first color reaches 7:1 on the second.");
    EXPECT_TRUE(contrast.TakeButton(1)->isHidden());
    // While the grids set the second colour, taking changes only the first box.
    contrast.FirstBox()->setText("#808080");
    contrast.TakeButton(0)->click();
    EXPECT_EQ(contrast.FirstBox()->text(), "#060606");  // 4.52:1; #070707 is 4.49:1
    EXPECT_EQ(current_->Text().toUpper(), "#595959");
}

TEST_F(WindowTest, SchemesFollowTheCurrentColourAndCopyOrAddInOneClick) {
    MainWindow& w = Start();
    current_->Set(Hex("#FF8C00"));
    Key(w.PickButton(), Qt::Key_H, Qt::ControlModifier);
    auto* schemes = w.findChild<SchemesWindow*>();
    ASSERT_NE(schemes, nullptr);
    const auto shown = [schemes] {
        QStringList rows;
        for (int i = 0; !schemes->CopyButton(i)->isHidden(); ++i) {
            rows << schemes->CopyButton(i)->accessibleName().section(' ', 1) + " " +
                        schemes->Caption(i)->text();
        }
        return rows.join(", ");
    };
    // Values from culori.
    EXPECT_EQ(shown(), "#00BAFF hue +180°");
    EXPECT_FALSE(schemes->StepsBox()->isEnabled());
    schemes->ShowScheme(Scheme::Tetradic);
    EXPECT_EQ(shown(), "#4ACC69 hue +90°, #00BAFF hue +180°, #E980E6 hue +270°");
    schemes->SchemeList()->setCurrentText("Tints");
    schemes->StepsBox()->setValue(1);
    EXPECT_TRUE(schemes->StepsBox()->isEnabled());
    EXPECT_EQ(shown(), "#FFC89B 50% toward white");
    schemes->CopyButton(0)->click();
    EXPECT_EQ(Clipboard(), "\"#FFC89B\"");  // as Ctrl+C copies: "HTML Format" at first
    schemes->AddButton(0)->click();
    EXPECT_TRUE(QString::fromStdString(FavoritesText()).endsWith("FFC89B"));
    EXPECT_EQ(current_->Text().toUpper(), "#FF8C00");
    current_->Set(Hex("#0000FF"));
    EXPECT_EQ(shown(), "#74A3FF 50% toward white");
    schemes->StepsBox()->setValue(20);
    EXPECT_FALSE(schemes->CopyButton(19)->isHidden());
}

TEST_F(WindowTest, CtrlVMakesTheClipboardsColourCurrent) {
    MainWindow& w = Start();
    const struct {
        const char* clipboard;
        const char* current;  // unchanged where the clipboard holds no colour
        int messages;
    } cases[] = {{"oklch(0.7505 0.1791 58.28)", "#FF8C00", 0},
                 {"  DarkOrchid ", "#9932CC", 0},
                 {"&H00563412&", "#123456", 0},
                 {"#abcd", "#AABBCC", 0},  // the opacity is left out, and said so
                 {"not a color", "#AABBCC", 1},
                 {"", "#AABBCC", 2}};
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->setText(c.clipboard);
        Key(w.PickButton(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(current_->Text().toUpper(), c.current) << c.clipboard;
        EXPECT_EQ(prompter_.texts.size(), c.messages) << c.clipboard;
    }
    EXPECT_TRUE(prompter_.texts.first().contains("\"not a color\" is not a color"));
}

// The favourites' import or export, answered with the file NAME of the test's folder.
class FileTest : public WindowTest {
  protected:
    void Import(const char* name) { Answer(name).ImportFavorites(); }
    void Export(const char* name) { Answer(name).ExportFavorites(); }
    FavoritesPage& Answer(const char* name) {
        prompter_.fileAnswer = QString::fromStdString(folder_.File(name));
        return *window_->FavoriteColors();
    }
};

TEST_F(FileTest, ImportedNamesAreKeptBesideTheFavouritesAndExported) {
    Start();
    WriteFile(folder_.File("in.gpl"),
              "\xEF\xBB\xBFGIMP Palette\n255 140 0 Brand orange\n18 52 86\tDeep sea\n");
    Import("in.gpl");
    EXPECT_EQ(FavoritesText(), "ff8c00;123456");
    // The list stays as older copies read it; the names stand in a section of their own.
    EXPECT_NE(SettingsText().find("Favorites=ff8c00;123456\n"), std::string::npos);
    EXPECT_NE(SettingsText().find("[FavoriteNames]\n123456=Deep sea\nff8c00=Brand orange\n"),
              std::string::npos);
    // A restart reads them, and an export writes them.
    favorites_->Load();
    Export("out.css");
    EXPECT_EQ(ReadFile(folder_.File("out.css")),
              "/* Velmor favorites */\n:root {\n  --brand-orange: #ff8c00;\n"
              "  --deep-sea: #123456;\n}\n");
    // Names are stored as valid text and cut after 100 characters, never inside one.
    WriteFile(folder_.File("odd.gpl"),
              "GIMP Palette\n1 2 3 " + std::string(99, 'a') + "\xC3\xA9zz\n4 5 6 bad\xFF name\n");
    Import("odd.gpl");
    EXPECT_NE(SettingsText().find("010203=" + std::string(99, 'a') + "\xC3\xA9\n"),
              std::string::npos);
    EXPECT_NE(SettingsText().find("040506=bad\xEF\xBF\xBD name\n"), std::string::npos);
}

TEST_F(FileTest, FavouritesExportAndImportRoundTrip) {
    WriteSettings("[Favorites]\nFavorites=ff8c00;00ff00;zz\n");
    Start();
    for (const char* name : {"fav.gpl", "fav.txt"}) {
        Export(name);
    }
    EXPECT_EQ(ReadFile(folder_.File("fav.txt")), "#ff8c00\n#00ff00\n");
    Import("fav.gpl");
    EXPECT_EQ(FavoritesText(), "ff8c00;00ff00;zz;ff8c00;00ff00");
    EXPECT_EQ(prompter_.texts.last(), "Colors added to the favorites: 2.");

    // Damaged and hostile files change nothing and say why.
    WriteFile(folder_.File("junk.bin"), std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    WriteFile(folder_.File("huge.txt"), std::string(2 << 20, 'a'));
    for (const char* name : {"junk.bin", "huge.txt", "missing.gpl"}) {
        Import(name);
        EXPECT_EQ(FavoritesText(), "ff8c00;00ff00;zz;ff8c00;00ff00") << name;
    }
    EXPECT_TRUE(prompter_.texts[prompter_.texts.size() - 3].startsWith("No colors could be read"));
    EXPECT_TRUE(
        prompter_.texts[prompter_.texts.size() - 2].endsWith("is too large to be a palette."));
    EXPECT_TRUE(prompter_.texts.last().endsWith("could not be read."));

    // 10,000 entries fill the list to 224 and say how many did not fit.
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "#123456\n";
    WriteFile(folder_.File("many.txt"), many + "nonsense\n");
    Import("many.txt");
    EXPECT_EQ(favorites_->Entries().size(), 224u);
    EXPECT_EQ(prompter_.texts.last(),
              "Colors added to the favorites: 219. Colors that did not fit (the list holds "
              "224): 9781. Lines that could not be read: 1.");
}

}  // namespace
}  // namespace velmor
