#include "window_fixture.h"

namespace velmor {
namespace {

// One click and one key per grid prove the wiring; the arithmetic behind them
// has its own tables.
TEST_F(WindowTest, ClicksAndKeysSelectCellsAndMakeThemCurrent) {
    MainWindow& w = Start();
    ColorGrid* basic = w.NamedColors()->BasicGrid();
    ColorGrid* additional = w.NamedColors()->AdditionalGrid();
    ColorGrid* safety = w.Safety()->Grid();
    Click(basic, {319, 19});
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "Fuchsia  (#ff00ff)");
    EXPECT_EQ(Row(0), "#FF00FF");
    Click(additional, {230, 150});
    EXPECT_EQ(basic->Selection(), -1);
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "Ivory  (#fffff0)");
    Key(additional, Qt::Key_Down);
    EXPECT_EQ(additional->Selection(), 11);
    w.Tabs()->SetCurrentIndex(MainWindow::SafetyPaletteTab);
    Click(safety, {5, 266});  // the gap below the last row selects nothing new
    EXPECT_EQ(safety->Selection(), 0);
    Key(safety, Qt::Key_Up);
    EXPECT_EQ(safety->Selection(), 208);  // up from the top row wraps to the last row
    EXPECT_EQ(w.Safety()->SafeLine()->text(), "#6699cc");
    EXPECT_EQ(Row(0), "#6699CC");
}

TEST_F(WindowTest, CellsAreDrawnPixelForPixel) {
    MainWindow& w = Start();
    ColorGrid* basic = w.NamedColors()->BasicGrid();
    Click(basic, {45, 10});  // cell 2, Gray, rectangle 43..56 x 3..16
    const QImage image = basic->Image();
    const QColor face = basic->palette().color(QPalette::Button);
    const QColor grey(128, 128, 128);
    const struct {
        QPoint at;
        QColor expected;
    } pixels[] = {
        {{40, 0}, Qt::black}, {{59, 19}, Qt::black}, {{42, 2}, Qt::white},  // selected frame
        {{43, 3}, grey},      {{56, 16}, grey},                             // its colour
        {{20, 0}, face},      {{22, 2}, grey},       {{23, 3}, Qt::white},  // cell 1 unselected
        {{1, 1}, face},                                                     // cell 0 lost its frame
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(image.pixelColor(p.at), p.expected) << p.at.x() << "," << p.at.y();
    }
}

TEST_F(WindowTest, TheFirstKeyOfAGridWithoutSelectionSelectsTheCurrentColoursCellElseTheFirst) {
    MainWindow& w = Start();
    ColorGrid* basic = w.NamedColors()->BasicGrid();
    const struct {
        Qt::Key key;
        std::optional<Color> current;  // set after a click elsewhere cleared the basic grid
        int selected;
    } cases[] = {{Qt::Key_Right, std::nullopt, 0},
                 {Qt::Key_Space, Color::From8(255, 255, 255), 1},
                 {Qt::Key_Home, Color::From8(255, 0, 0), 4},
                 {Qt::Key_Escape, std::nullopt, -1}};
    for (const auto& c : cases) {
        Click(w.NamedColors()->AdditionalGrid(), {5, 5});
        ASSERT_EQ(basic->Selection(), -1);
        if (c.current) current_->Set(*c.current);
        Key(basic, c.key);
        EXPECT_EQ(basic->Selection(), c.selected) << c.key;
    }
    // With a selection, Home and End go to the ends; without keyboard support nothing moves.
    Key(basic, Qt::Key_Right);
    Key(basic, Qt::Key_End);
    EXPECT_EQ(basic->Selection(), 15);
    SetOptions({true, true, true, 8, ""});
    Key(basic, Qt::Key_Home);
    EXPECT_EQ(basic->Selection(), 15);
}

TEST_F(WindowTest, NameLineFollowsTheUseColorNamesBox) {
    MainWindow& w = Start();
    QCheckBox* names = w.NamedColors()->NamesFirst();
    names->setChecked(false);
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "#000000  (Black)");
    Click(w.NamedColors()->BasicGrid(), {25, 5});
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "#ffffff  (White)");
    names->setChecked(true);
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "White  (#ffffff)");
}

}  // namespace
}  // namespace velmor
