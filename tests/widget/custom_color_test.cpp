#include "window_fixture.h"

namespace velmor {
namespace {

class CustomColorTest : public WindowTest {
  protected:
    CustomColorPage& Open() {
        MainWindow& w = Start();
        w.Tabs()->SetCurrentIndex(MainWindow::CustomColorTab);
        return *w.Custom();
    }
    static void Type(QLineEdit* box, const QString& keys) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
};

TEST_F(CustomColorTest, BarsComposeTheCurrentColour) {
    CustomColorPage& page = Open();
    page.Bar(0)->setValue(255);
    EXPECT_EQ(page.ValueBox(0)->text(), "255");
    EXPECT_EQ(page.CustomLine()->text(), "#FF0000");
    EXPECT_EQ(Row(0), "#FF0000");
    EXPECT_EQ(Row(1), "Red");
    EXPECT_EQ(page.Preview()->Image().pixelColor(5, 5), Qt::red);
}

TEST_F(CustomColorTest, TypedValuesOnlyMoveTheBars) {
    CustomColorPage& page = Open();
    const struct {
        int box;
        QString keys;
        QString text;
        int bar;
    } cases[] = {
        {1, "300", "255", 255},                            // clamped, and the box rewritten
        {2, "07", "7", 7},                                 // leading zero dropped
        {0, "a-. x", "0", 0},                              // only digits reach the box
        {0, "12a3", "123", 123}, {1, "1234", "123", 123},  // three characters at most
    };
    for (const auto& c : cases) {
        Type(page.ValueBox(c.box), c.keys);
        EXPECT_EQ(page.ValueBox(c.box)->text(), c.text) << c.keys.toStdString();
        EXPECT_EQ(page.Bar(c.box)->value(), c.bar) << c.keys.toStdString();
    }
    EXPECT_EQ(page.CustomLine()->text(), "#7B7B07");
    // An emptied box leaves its bar alone.
    page.ValueBox(2)->setFocus();
    page.ValueBox(2)->selectAll();
    QTest::keyClick(page.ValueBox(2), Qt::Key_Backspace);
    EXPECT_EQ(page.ValueBox(2)->text(), "");
    EXPECT_EQ(page.Bar(2)->value(), 7);
    // Editing keys work; Tab leaves the box.
    Type(page.ValueBox(0), "123");
    QTest::keyClick(page.ValueBox(0), Qt::Key_Home);
    QTest::keyClick(page.ValueBox(0), Qt::Key_Delete);
    EXPECT_EQ(page.ValueBox(0)->text(), "23");
    QTest::keyClick(page.ValueBox(0), Qt::Key_End);
    QTest::keyClick(page.ValueBox(0), Qt::Key_Left);
    QTest::keyClick(page.ValueBox(0), Qt::Key_Backspace);
    EXPECT_EQ(page.ValueBox(0)->text(), "3");
    QTest::keyClick(page.ValueBox(0), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), page.ValueBox(0));
}

TEST_F(CustomColorTest, PastedTextThatIsNotANumberSetsTheBarToZero) {
    CustomColorPage& page = Open();
    page.Bar(0)->setValue(200);
    page.ValueBox(0)->selectAll();
    page.ValueBox(0)->insert("ab");
    EXPECT_EQ(page.Bar(0)->value(), 0);
    EXPECT_EQ(page.ValueBox(0)->text(), "0");
    page.ValueBox(0)->selectAll();
    page.ValueBox(0)->insert("zz");  // the bar is already 0: nothing is rewritten
    EXPECT_EQ(page.ValueBox(0)->text(), "zz");
    page.Bar(1)->setValue(50);
    page.ValueBox(1)->selectAll();
    page.ValueBox(1)->insert("-5");  // the bar refuses a negative value
    EXPECT_EQ(page.Bar(1)->value(), 50);
}

TEST_F(CustomColorTest, TheColourDialogMovesTheBarsOneAfterTheOther) {
    CustomColorPage& page = Open();
    page.Bar(2)->setValue(9);
    QColor asked;
    page.SetColorChooser([&asked](const QColor& initial, QWidget*) -> std::optional<QColor> {
        asked = initial;
        return QColor(255, 140, 0);
    });
    QSignalSpy shown(&page, &ColorPage::colorChosen);
    page.OpenColorDialog();
    EXPECT_EQ(asked, QColor(0, 0, 9));
    ASSERT_EQ(shown.count(), 3);
    EXPECT_EQ(shown[0][0].value<Color>().Html(), "#FF0009");
    EXPECT_EQ(shown[1][0].value<Color>().Html(), "#FF8C09");
    EXPECT_EQ(shown[2][0].value<Color>().Html(), "#FF8C00");
    EXPECT_EQ(Row(1), "DarkOrange");

    shown.clear();
    page.SetColorChooser([](const QColor&, QWidget*) { return std::nullopt; });
    page.OpenColorDialog();
    page.SetColorChooser([](const QColor& initial, QWidget*) { return std::optional(initial); });
    page.OpenColorDialog();
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EQ(page.CustomLine()->text(), "#FF8C00");
}

}  // namespace
}  // namespace velmor
