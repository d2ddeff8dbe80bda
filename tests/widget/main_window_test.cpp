#include <QCheckBox>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include "platform/picture_box.h"
#include "ui/main/converter.h"
#include "ui/main/custom_color_page.h"
#include "ui/main/favorites_page.h"
#include "ui/main/named_colors_page.h"
#include "ui/main/safety_page.h"
#include "ui/main/tab_control.h"
#include "ui/main/tab_toolbar.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::WindowTest;

TEST_F(WindowTest, FirstStartShowsTheDesignedState) {
    MainWindow& w = Start();
    EXPECT_EQ(w.windowTitle(), "Velmor Color Picker");
    EXPECT_EQ(w.size(), QSize(593, 435));
    EXPECT_EQ(w.NamedColors()->NameLine()->text(), "Black  (#000000)");
    EXPECT_TRUE(w.NamedColors()->NamesFirst()->isChecked());
    EXPECT_EQ(w.NamedColors()->BasicGrid()->Selection(), 0);
    EXPECT_EQ(w.NamedColors()->AdditionalGrid()->Selection(), -1);
    EXPECT_EQ(w.Safety()->Grid()->Selection(), 0);
    EXPECT_EQ(w.Safety()->SafeLine()->text(), "#330099");
    EXPECT_EQ(w.FavoriteColors()->Grid()->CellCount(), 0);
    EXPECT_EQ(w.FavoriteColors()->FavoriteLine()->text(), "");
    EXPECT_FALSE(w.FavoriteColors()->FavoriteLine()->isEnabled());
    EXPECT_EQ(Row(0), "#330099");
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(w.Swatch()->Image().pixelColor(10, 10), QColor(0x33, 0x00, 0x99));
    EXPECT_EQ(w.Tabs()->CurrentIndex(), MainWindow::NamedColorsTab);
    EXPECT_EQ(w.Tabs()->TabBar()->tabText(3), "Favorite Colors");
    EXPECT_EQ(QApplication::focusWidget(), w.PickButton());
    // Reading the settings created no file.
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));
}

TEST_F(WindowTest, ControlsStandWhereTheLayoutPutsThem) {
    MainWindow& w = Start();
    auto at = [&w](QWidget* widget) { return widget->mapTo(&w, QPoint(0, 0)); };
    EXPECT_EQ(at(w.NamedColors()->BasicGrid()), QPoint(8 + 16, 8 + 48));
    EXPECT_EQ(w.NamedColors()->BasicGrid()->size(), QSize(321, 22));
    EXPECT_EQ(w.NamedColors()->AdditionalGrid()->size(), QSize(321, 163));
    EXPECT_EQ(w.PickButton()->geometry(), QRect(184, 390, 97, 21));
    EXPECT_EQ(w.ExitButton()->geometry(), QRect(520, 390, 49, 21));
    // Panel rows stand in their visual order, 24 pixels apart from y 24.
    const int order[] = {0, 1, 2, 3, 4, 9, 5, 6, 7, 8, 10, 11, 12, 13};
    for (int row = 0; row < 14; ++row) {
        EXPECT_EQ(at(w.Panel()->Row(order[row])), QPoint(456, 24 + 24 * row)) << order[row];
        EXPECT_EQ(w.Panel()->CopyButton(order[row])->toolTip(), "Copy to Clipboard");
    }
}

TEST_F(WindowTest, PanelWritesTheFourteenTextsInTheChosenCase) {
    MainWindow& w = Start();
    w.ShowColor("#ff8c00", "DarkOrange");
    EXPECT_EQ(Row(0), "#FF8C00");
    EXPECT_EQ(Row(1), "DarkOrange");
    EXPECT_EQ(Row(5), "36095");
    EXPECT_EQ(Row(7), "\"DarkOrange\"");
    EXPECT_EQ(Row(10), "&H00008CFF&");
    EXPECT_EQ(w.Swatch()->Image().pixelColor(5, 5), QColor(255, 140, 0));
    options_.upperCase = false;
    w.ShowColor("#123456", "");
    EXPECT_EQ(Row(0), "#123456");
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(Row(7), "\"\"");
    EXPECT_EQ(Row(12), "$00563412");
    w.ShowColor("#ABCDEF", "");
    EXPECT_EQ(Row(13), "0xabcdef");
}

TEST_F(WindowTest, CopyButtonsAndCtrlCPutPlainTextOnTheClipboard) {
    MainWindow& w = Start();
    w.ShowColor("#ff8c00", "DarkOrange");
    QTest::mouseClick(w.Panel()->CopyButton(9), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "RGB(255,140,0)");
    QTest::mouseClick(w.Panel()->CopyButton(1), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "DarkOrange");

    struct Case {
        const char* name;
        AppOptions options;
        Qt::KeyboardModifiers modifiers;
        QString expected;
    };
    const Case cases[] = {
        {"chosen value", {true, false, true, 8}, Qt::ControlModifier, "\"#FF8C00\""},
        {"long value", {true, false, true, 5}, Qt::ControlModifier, "36095"},
        {"C alone", {true, false, true, 8}, {}, "untouched"},
        {"Copy off", {true, false, false, 8}, Qt::ControlModifier, "untouched"},
        {"keyboard off", {true, true, true, 8}, Qt::ControlModifier, "untouched"},
        {"Value -1", {true, false, true, -1}, Qt::ControlModifier, "untouched"},
        {"Value 14", {true, false, true, 14}, Qt::ControlModifier, "untouched"},
    };
    for (const Case& c : cases) {
        options_ = c.options;
        SetClipboard("untouched");
        Key(w.NamedColors()->NameLine(), Qt::Key_C, c.modifiers);
        EXPECT_EQ(Clipboard(), c.expected) << c.name;
        SetClipboard("untouched");
        Key(w.Safety()->Grid(), Qt::Key_C, c.modifiers);
        EXPECT_EQ(Clipboard(), c.expected) << c.name << " in a grid";
        w.ShowColor("#ff8c00", "DarkOrange");
    }
}

TEST_F(WindowTest, CtrlLetGoJustBeforeCStillCopies) {
    MainWindow& w = Start();
    QLineEdit* line = w.NamedColors()->NameLine();
    line->setFocus();
    SetClipboard("untouched");
    QTest::keyPress(line, Qt::Key_C, Qt::ControlModifier);
    QTest::keyRelease(line, Qt::Key_C, Qt::NoModifier);
    EXPECT_EQ(Clipboard(), "\"#330099\"");
    SetClipboard("untouched");
    QTest::keyPress(line, Qt::Key_C, Qt::NoModifier);
    QTest::keyRelease(line, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "\"#330099\"");
    SetClipboard("untouched");
    QTest::keyClick(line, Qt::Key_C, Qt::NoModifier);
    EXPECT_EQ(Clipboard(), "untouched");
}

TEST_F(WindowTest, NamedTabToolbarCopiesTheWholeLine) {
    MainWindow& w = Start();
    QTest::mouseClick(w.NamedColors()->Toolbar()->Button(2), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "Black  (#000000)");
    QTest::mouseClick(w.Safety()->Toolbar()->Button(2), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "#330099");
    QTest::mouseClick(w.Custom()->Toolbar()->Button(2), Qt::LeftButton);
    EXPECT_EQ(Clipboard(), "#000000");
}

TEST_F(WindowTest, PKeyArmsThePickTimerOnceAndEnterPicksAtOnce) {
    MainWindow& w = Start();
    int picks = 0;
    w.SetPickCommand([&picks] { ++picks; });
    Key(w.Custom()->Calculator()->HtmlBox(), Qt::Key_P);
    EXPECT_TRUE(w.PickTimer().isActive());
    EXPECT_EQ(picks, 0);
    QTest::keyClick(w.Custom()->Calculator()->HtmlBox(), Qt::Key_P);
    QTRY_COMPARE_WITH_TIMEOUT(picks, 1, 1000);
    QTest::qWait(150);
    EXPECT_EQ(picks, 1);
    EXPECT_FALSE(w.PickTimer().isActive());

    Key(w.Safety()->Grid(), Qt::Key_Return);
    EXPECT_EQ(picks, 2);
    Key(w.NamedColors()->NameLine(), Qt::Key_Enter);
    EXPECT_EQ(picks, 3);

    options_.keyboardOff = true;
    Key(w.NamedColors()->NameLine(), Qt::Key_P);
    EXPECT_FALSE(w.PickTimer().isActive());
    Key(w.NamedColors()->NameLine(), Qt::Key_Return);
    EXPECT_EQ(picks, 4);
}

TEST_F(WindowTest, EnterOnACommandButtonClicksThatButton) {
    MainWindow& w = Start();
    int picks = 0;
    w.SetPickCommand([&picks] { ++picks; });
    Key(w.AddButton(), Qt::Key_Return);
    EXPECT_EQ(picks, 0);
    EXPECT_EQ(w.Favorites().Text(), "330099");
}

TEST_F(WindowTest, ConverterTurnsEachBoxIntoTheOthers) {
    MainWindow& w = Start();
    Converter* c = w.Custom()->Calculator();
    struct Case {
        const char* name;
        std::function<void()> leave;
        QString html, longValue, r, g, b;
        QColor preview;
    };
    auto typeAndLeave = [c](QLineEdit* box, const QString& text, void (Converter::*left)()) {
        return [=] {
            box->setText(text);
            (c->*left)();
        };
    };
    const Case cases[] = {
        {"html ff8c00", typeAndLeave(c->HtmlBox(), "ff8c00", &Converter::HtmlLeft), "ff8c00",
         "36095", "255", "140", "0", QColor(255, 140, 0)},
        {"html empty", typeAndLeave(c->HtmlBox(), "", &Converter::HtmlLeft), "", "0", "0", "0", "0",
         Qt::black},
        {"html with spaces and #", typeAndLeave(c->HtmlBox(), "  #0000ff ", &Converter::HtmlLeft),
         "  #0000ff ", "16711680", "0", "0", "255", Qt::blue},
        {"html non-ASCII",
         typeAndLeave(c->HtmlBox(), QString::fromUtf8("ÿé€"), &Converter::HtmlLeft),
         QString::fromUtf8("ÿé€"), "0", "0", "0", "0", Qt::black},
        {"long white", typeAndLeave(c->LongBox(), "16777215", &Converter::LongLeft), "#FFFFFF",
         "16777215", "255", "255", "255", Qt::white},
        {"long not a number", typeAndLeave(c->LongBox(), "abc", &Converter::LongLeft), "#FFFFFF",
         "abc", "255", "255", "255", Qt::white},
        {"long huge", typeAndLeave(c->LongBox(), "99999999999", &Converter::LongLeft), "#FFFFFF",
         "99999999999", "255", "255", "255", Qt::white},
        {"long negative", typeAndLeave(c->LongBox(), "-1", &Converter::LongLeft), "#FF0000", "-1",
         "-1", "0", "0", Qt::white},
        {"green 140",
         [c] {
             c->ComponentBox(0)->setText("255");
             c->ComponentBox(1)->setText("140");
             c->ComponentBox(2)->setText("0");
             c->ComponentLeft();
         },
         "#FF8C00", "36095", "255", "140", "0", QColor(255, 140, 0)},
        {"component not a number", typeAndLeave(c->ComponentBox(2), "x", &Converter::ComponentLeft),
         "#FF8C00", "36095", "255", "140", "x", QColor(255, 140, 0)},
        {"component above 255", typeAndLeave(c->ComponentBox(2), "300", &Converter::ComponentLeft),
         "#FF8C12", "16747775", "255", "140", "300", QColor(255, 140, 255)},
    };
    for (const Case& k : cases) {
        k.leave();
        EXPECT_EQ(c->HtmlBox()->text(), k.html) << k.name;
        EXPECT_EQ(c->LongBox()->text(), k.longValue) << k.name;
        EXPECT_EQ(c->ComponentBox(0)->text(), k.r) << k.name;
        EXPECT_EQ(c->ComponentBox(1)->text(), k.g) << k.name;
        EXPECT_EQ(c->ComponentBox(2)->text(), k.b) << k.name;
        EXPECT_EQ(c->Preview()->Image().pixelColor(3, 3), k.preview) << k.name;
    }
    // The converter never changes the current colour.
    EXPECT_EQ(Row(0), "#330099");
}

TEST_F(WindowTest, ConverterReactsWhenTheFocusLeavesABox) {
    MainWindow& w = Start();
    w.Tabs()->SetCurrentIndex(MainWindow::CustomColorTab);
    Converter* c = w.Custom()->Calculator();
    c->HtmlBox()->setFocus();
    c->HtmlBox()->setText("#ff0000");
    c->LongBox()->setFocus();
    EXPECT_EQ(c->LongBox()->text(), "255");
    EXPECT_EQ(c->ComponentBox(0)->text(), "255");
}

TEST_F(WindowTest, ExitClosesTheWindowWithoutSaving) {
    MainWindow& w = Start();
    QTest::mouseClick(w.ExitButton(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));
}

}  // namespace
}  // namespace velmor
