#include <QCheckBox>

#include "ui/main/named_colors_page.h"
#include "ui/main/safety_page.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::WindowTest;

QColor Face(const QWidget* grid) {
    return grid->palette().color(QPalette::Button);
}

TEST_F(WindowTest, ClicksSelectTheCellWhoseSlotWasHit) {
    MainWindow& w = Start();
    ColorGrid* pic1 = w.NamedColors()->BasicGrid();
    ColorGrid* pic2 = w.NamedColors()->AdditionalGrid();
    ColorGrid* pic3 = w.Safety()->Grid();
    const struct {
        ColorGrid* grid;
        QPoint at;
        int basic, additional, safety;
        const char* line;
    } cases[] = {
        {pic1, {319, 19}, 15, -1, 0, "Fuchsia  (#ff00ff)"},
        {pic1, {320, 5}, 15, -1, 0, "Fuchsia  (#ff00ff)"},
        {pic1, {0, 0}, 0, -1, 0, "Black  (#000000)"},
        {pic1, {5, 20}, 0, -1, 0, "Black  (#000000)"},
        {pic2, {20, 20}, -1, 17, 0, "DarkSlateGray  (#2f4f4f)"},
        {pic2, {250, 145}, -1, 17, 0, "DarkSlateGray  (#2f4f4f)"},
        {pic2, {230, 150}, -1, 123, 0, "Ivory  (#fffff0)"},
        {pic3, {300, 20}, -1, 123, 31, "Ivory  (#fffff0)"},
        {pic3, {5, 266}, -1, 123, 31, "Ivory  (#fffff0)"},
    };
    for (const auto& c : cases) {
        w.Tabs()->SetCurrentIndex(c.grid == pic3 ? MainWindow::SafetyPaletteTab
                                                 : MainWindow::NamedColorsTab);
        Click(c.grid, c.at);
        EXPECT_EQ(pic1->Selection(), c.basic) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(pic2->Selection(), c.additional) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(pic3->Selection(), c.safety) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(w.NamedColors()->NameLine()->text(), c.line);
    }
    EXPECT_EQ(w.Safety()->SafeLine()->text(), "#993399");
    EXPECT_EQ(Row(0), "#993399");
}

TEST_F(WindowTest, CellsAreDrawnPixelForPixel) {
    MainWindow& w = Start();
    ColorGrid* pic1 = w.NamedColors()->BasicGrid();
    Click(pic1, {45, 10});  // cell 2, Gray, rectangle 43..56 x 3..16
    const QImage image = pic1->Image();
    const QColor face = Face(pic1);
    const QColor grey(128, 128, 128);
    const struct {
        QPoint at;
        QColor expected;
    } pixels[] = {
        // Selected cell 2: black band, white ring, its colour.
        {{40, 0}, Qt::black},
        {{41, 1}, Qt::black},
        {{59, 19}, Qt::black},
        {{42, 2}, Qt::white},
        {{57, 17}, Qt::white},
        {{42, 10}, Qt::white},
        {{43, 3}, grey},
        {{56, 16}, grey},
        {{50, 10}, grey},
        // Unselected cell 1, White: background, grey ring, its colour.
        {{20, 0}, face},
        {{21, 1}, face},
        {{39, 19}, face},
        {{22, 2}, grey},
        {{37, 17}, grey},
        {{23, 3}, Qt::white},
        {{36, 16}, Qt::white},
        // Right of the last column.
        {{320, 10}, face},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(image.pixelColor(p.at), p.expected) << p.at.x() << "," << p.at.y();
    }
    // The former selection (cell 0) lost its frame.
    EXPECT_EQ(image.pixelColor(1, 1), face);
    EXPECT_EQ(image.pixelColor(2, 2), grey);
    // The safety palette's rows are 19 pixels apart with 13-pixel cells.
    const QImage safety = w.Safety()->Grid()->Image();
    EXPECT_EQ(safety.pixelColor(3, 22), QColor(0x66, 0x00, 0xff));  // cell 16
    EXPECT_EQ(safety.pixelColor(3, 34), QColor(0x66, 0x00, 0xff));
    EXPECT_EQ(safety.pixelColor(3, 35), grey);
}

TEST_F(WindowTest, ArrowKeysMoveTheSelectionWithWrapAround) {
    MainWindow& w = Start();
    ColorGrid* pic1 = w.NamedColors()->BasicGrid();
    ColorGrid* pic2 = w.NamedColors()->AdditionalGrid();
    ColorGrid* pic3 = w.Safety()->Grid();
    auto select = [&](ColorGrid* grid, int index) {
        if (grid == pic1) w.NamedColors()->DrawBasicGrid(std::int16_t(index));
        if (grid == pic2) w.NamedColors()->DrawAdditionalGrid(std::int16_t(index));
        if (grid == pic3) w.Safety()->DrawSafetyGrid(std::int16_t(index));
    };
    const struct {
        ColorGrid* grid;
        int from;
        Qt::Key key;
        int to;
    } cases[] = {
        {pic1, 0, Qt::Key_Left, 15},   {pic1, 15, Qt::Key_Right, 0},  {pic1, 4, Qt::Key_Up, 4},
        {pic1, 4, Qt::Key_Down, 4},    {pic2, 5, Qt::Key_Up, 117},    {pic2, 14, Qt::Key_Up, 110},
        {pic2, 117, Qt::Key_Down, 5},  {pic2, 110, Qt::Key_Down, 14}, {pic3, 3, Qt::Key_Up, 211},
        {pic3, 10, Qt::Key_Up, 202},   {pic3, 211, Qt::Key_Down, 3},  {pic3, 202, Qt::Key_Down, 10},
        {pic3, 215, Qt::Key_Right, 0},
    };
    for (const auto& c : cases) {
        w.Tabs()->SetCurrentIndex(c.grid == pic3 ? MainWindow::SafetyPaletteTab
                                                 : MainWindow::NamedColorsTab);
        select(c.grid, c.from);
        Key(c.grid, c.key);
        EXPECT_EQ(c.grid->Selection(), c.to) << c.from;
    }
    w.Safety()->DrawSafetyGrid(3);
    Key(pic3, Qt::Key_Up);
    EXPECT_EQ(Row(0), "#CCCCCC");  // cell 211 is current
}

TEST_F(WindowTest, KeysDoNothingWithoutSelectionOrKeyboardSupport) {
    MainWindow& w = Start();
    ColorGrid* pic1 = w.NamedColors()->BasicGrid();
    Click(w.NamedColors()->AdditionalGrid(), {5, 5});
    Key(pic1, Qt::Key_Right);
    EXPECT_EQ(pic1->Selection(), -1);
    Click(pic1, {5, 5});
    options_.keyboardOff = true;
    Key(pic1, Qt::Key_Right);
    EXPECT_EQ(pic1->Selection(), 0);
    options_.keyboardOff = false;
    Key(pic1, Qt::Key_Right);
    EXPECT_EQ(pic1->Selection(), 1);
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
    EXPECT_EQ(w.NamedColors()->BasicGrid()->Selection(), 1);
}

}  // namespace
}  // namespace velmor
