#include "ui/main/converter.h"
#include "window_fixture.h"

namespace velmor {
namespace {

TEST_F(WindowTest, FirstStartShowsTheDefaultState) {
    MainWindow& w = Start();
    // The safety grid is drawn last, so its first colour is current; the
    // palettes show that colour selected, and no named one.
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "");
    EXPECT_EQ(w.NamedColors()->BasicGrid()->Selection(), -1);
    EXPECT_EQ(w.NamedColors()->AdditionalGrid()->Selection(), -1);
    EXPECT_EQ(w.Safety()->Grid()->Selection(), 0);
    EXPECT_EQ(w.Safety()->SafeLine()->text(), "#330099");
    EXPECT_EQ(Row(0), "#330099");
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(w.Swatch()->Image().pixelColor(10, 10), QColor(0x33, 0x00, 0x99));
    EXPECT_EQ(QApplication::focusWidget(), w.PickButton());
    // Reading the settings created no file.
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));
    // The favourites' colour line lies inside its tab.
    QLineEdit* line = w.FavoriteColors()->FavoriteLine();
    EXPECT_TRUE(w.Tabs()->rect().contains(QRect(line->mapTo(w.Tabs(), QPoint()), line->size())));
}

TEST_F(WindowTest, PanelWritesTheCurrentColourInTheChosenCase) {
    MainWindow& w = Start();
    current_->Set(Hex("#ff8c00"), "DarkOrange");
    EXPECT_EQ(Row(7), "\"DarkOrange\"");
    EXPECT_EQ(w.Swatch()->Image().pixelColor(5, 5), QColor(255, 140, 0));
    EXPECT_EQ(w.Swatch()->accessibleName(), "Current color: DarkOrange, #FF8C00");
    // A change of the options shows the same colour anew.
    SetOptions({false, false, true, 8, ""});
    EXPECT_EQ(Row(13), "0xff8c00");
    // The tooltip names the colour, or the nearest named one, when it is asked for.
    for (const auto& [hex, named] : std::vector<std::pair<const char*, const char*>>{
             {"#ff8c00", "DarkOrange, orange\n"},
             {"#ff8c40", "about DarkOrange, orange, dE 6.7\n"}}) {
        current_->Set(Hex(hex));
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), w.Panel()->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(w.Panel(), &ask);
        EXPECT_TRUE(w.Panel()->toolTip().startsWith(named)) << w.Panel()->toolTip().toStdString();
    }
}

TEST_F(WindowTest, CopyButtonsAndCtrlCPutPlainTextOnTheClipboard) {
    WriteSettings("[Formats]\nSwift={r}/{g}/{b}\n");
    MainWindow& w = Start();
    current_->Set(Hex("#ff8c00"), "DarkOrange");
    // Enter on a focused copy button copies its row, as Space does.
    Key(w.Panel()->CopyButton(1), Qt::Key_Return);
    EXPECT_EQ(Clipboard(), "DarkOrange");
    struct Case {
        const char* name;
        AppOptions options;
        Qt::KeyboardModifiers modifiers;
        QString expected;
    };
    const Case cases[] = {
        {"chosen value", {true, false, true, 8, ""}, Qt::ControlModifier, "\"#FF8C00\""},
        {"C alone", {true, false, true, 8, ""}, {}, "untouched"},
        {"Copy off", {true, false, false, 8, ""}, Qt::ControlModifier, "untouched"},
        {"keyboard off", {true, true, true, 8, ""}, Qt::ControlModifier, "untouched"},
        {"Value 14", {true, false, true, 14, ""}, Qt::ControlModifier, "untouched"},
        // A CSS notation or a template, chosen by name.
        {"oklch",
         {true, false, true, 8, "oklch"},
         Qt::ControlModifier,
         "oklch(0.7505 0.1791 58.28)"},
        {"template", {true, false, true, 8, "swift"}, Qt::ControlModifier, "255/140/0"},
        {"unknown name", {true, false, true, 8, "gone"}, Qt::ControlModifier, "untouched"},
    };
    w.Tabs()->SetCurrentIndex(MainWindow::SafetyPaletteTab);
    for (const Case& c : cases) {
        SetOptions(c.options);
        for (QWidget* target : {static_cast<QWidget*>(w.Safety()->SafeLine()),
                                static_cast<QWidget*>(w.Safety()->Grid())}) {
            SetClipboard("untouched");
            Key(target, Qt::Key_C, c.modifiers);
            EXPECT_EQ(Clipboard(), c.expected) << c.name;
        }
    }
    // Ctrl let go a moment before C still counts.
    SetOptions({true, false, true, 8, ""});
    QLineEdit* line = w.Safety()->SafeLine();
    line->setFocus();
    SetClipboard("untouched");
    QTest::keyPress(w.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyRelease(w.windowHandle(), Qt::Key_C, Qt::NoModifier);
    EXPECT_EQ(Clipboard(), "\"#FF8C00\"");
}

TEST_F(WindowTest, PaletteToolbarsCopyAndAddTheirLine) {
    MainWindow& w = Start();
    QTest::mouseClick(w.NamedColors()->Toolbar()->Button(2), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "Black  (#000000)");
    QTest::mouseClick(w.Safety()->Toolbar()->Button(1), Qt::LeftButton);
    QTest::mouseClick(w.Custom()->Toolbar()->Button(1), Qt::LeftButton);
    EXPECT_EQ(FavoritesText(), "330099;000000");
    EXPECT_EQ(Row(0), "#000000");
}

TEST_F(WindowTest, KeysOfTheWindow) {
    MainWindow& w = Start();
    int picks = 0;
    QObject::disconnect(&w, &MainWindow::pickRequested, nullptr, nullptr);
    QObject::connect(&w, &MainWindow::pickRequested, [&picks] { ++picks; });
    // P arms the pick timer once; Enter picks at once, or clicks a focused button.
    Key(w.Custom()->Calculator()->HtmlBox(), Qt::Key_P);
    QTest::keyClick(w.windowHandle(), Qt::Key_P);
    QTRY_COMPARE_WITH_TIMEOUT(picks, 1, 1000);
    QTest::qWait(150);
    EXPECT_EQ(picks, 1);
    Key(w.Safety()->Grid(), Qt::Key_Return);
    EXPECT_EQ(picks, 2);
    Key(w.AddButton(), Qt::Key_Return);
    EXPECT_EQ(picks, 2);
    EXPECT_EQ(FavoritesText(), "330099");
    // The tabbed-dialog keys switch tabs, wrapping around.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int tab;
    } moves[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
                 {Qt::Key_PageDown, Qt::ControlModifier, 2},
                 {Qt::Key_PageUp, Qt::ControlModifier, 1},
                 {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
                 {Qt::Key_PageUp, Qt::ControlModifier, 3}};
    for (const auto& m : moves) {
        Key(w.PickButton(), m.key, m.mods);
        EXPECT_EQ(w.Tabs()->CurrentIndex(), m.tab);
    }
    SetOptions({true, true, true, 8, ""});
    Key(w.NamedColors()->NameLine(), Qt::Key_P);
    EXPECT_FALSE(w.PickTimer().isActive());
}

TEST_F(WindowTest, ScrollBarsAndCopyButtonsTakeTheFocusAndEndAConverterEdit) {
    MainWindow& w = Start();
    w.Tabs()->SetCurrentIndex(MainWindow::CustomColorTab);
    Converter* c = w.Custom()->Calculator();
    QScrollBar* red = w.Custom()->Bar(0);
    c->HtmlBox()->setFocus();
    c->HtmlBox()->setText("#ff0000");
    QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(red->width() - 4, red->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), red);
    EXPECT_EQ(c->LongBox()->text(), "255");
    const int before = red->value();
    QTest::keyClick(red, Qt::Key_Right);
    QTest::keyClick(red, Qt::Key_PageUp);
    EXPECT_EQ(red->value(), std::min(255, before + 1 + 20));  // both raise it

    c->LongBox()->setFocus();
    c->LongBox()->setText("65280");
    QTest::mouseClick(w.Panel()->CopyButton(0), Qt::LeftButton);
    EXPECT_EQ(c->ComponentBox(1)->text(), "255");
}

}  // namespace
}  // namespace velmor
