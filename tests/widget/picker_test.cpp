#include <QFrame>
#include <QLineEdit>
#include <QStyleHints>
#include <QToolButton>

#include "core/text.h"
#include "platform/picture_box.h"
#include "platform/screen_access.h"
#include "ui/main/favorites_page.h"
#include "ui/picker/color_picker.h"
#include "ui/picker/magnifier_view.h"
#include "ui/picker/pick_command.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::WindowTest;

// A screen of known pixels: pixel (x, y) is red x, green y, blue 0x40 (within
// the bytes), and the pointer goes where it is put.
class FakeScreen : public ScreenAccess {
  public:
    explicit FakeScreen(QSize size = QSize(640, 480)) : size_(size) {}
    QImage Capture() override {
        ++captures;
        if (failCapture) return {};
        QImage image(size_, QImage::Format_RGB32);
        for (int y = 0; y < size_.height(); ++y) {
            for (int x = 0; x < size_.width(); ++x)
                image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x40));
        }
        return image;
    }
    QRect Geometry() const override { return QRect(QPoint(0, 0), size_); }
    qreal DevicePixelRatio() const override { return 1.0; }
    QPoint PointerPosition() const override { return pointer; }
    void SetPointerPosition(QPoint p) override { pointer = p; }

    QPoint pointer{10, 20};
    bool failCapture = false;
    int captures = 0;

  private:
    QSize size_;
};

class PickerTest : public WindowTest {
  protected:
    std::unique_ptr<ColorPicker> Open() {
        auto picker = std::make_unique<ColorPicker>(screen_.Capture(), screen_, options_,
                                                    [this](const QString& text, QWidget* parent) {
                                                        added_ << text;
                                                        if (window_)
                                                            window_->Add2Favo(text, parent);
                                                    });
        picker->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(picker.get()));
        return picker;
    }
    static void Move(QWidget* w, QPoint p) { QTest::mouseMove(w, p); }
    static void LeftClick(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, {}, p); }
    // A double click as the platform delivers it: two presses, then the double click.
    static void DoubleClick(QWidget* w, QPoint p) {
        const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonPress, QEvent::MouseButtonDblClick,
                                      QEvent::MouseButtonRelease};
        for (QEvent::Type type : types) {
            const bool down = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(w, &event);
        }
    }

    FakeScreen screen_;
    QStringList added_;
};

TEST_F(PickerTest, TracksThePixelUnderThePointerFromTheStart) {
    auto picker = Open();
    // Before any move: the pixel under the pointer, not a default.
    EXPECT_EQ(picker->HtmlText(), "#0A1440");
    const struct {
        QPoint at;
        QString text;
    } cases[] = {{{1, 1}, "#010140"},
                 {{255, 200}, "#FFC840"},
                 {{300, 479}, "#2CDF40"},
                 {{400, 0}, "#900040"}};
    for (const auto& c : cases) {
        picker->Track(c.at);
        EXPECT_EQ(picker->HtmlText(), c.text) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(picker->SampleBox()->Image().pixelColor(8, 8).name().toUpper(), c.text);
    }
    // Points off the capture and over the panel leave everything as it was.
    picker->Track({700, 10});
    picker->Track(picker->Panel()->geometry().center());
    EXPECT_EQ(picker->HtmlText(), "#900040");
}

TEST_F(PickerTest, MagnifierShowsNineTimesTheNeighbourhoodWithGridAndRedSquare) {
    auto picker = Open();
    picker->Track({100, 50});
    const QImage m = picker->Magnifier()->Image();
    ASSERT_EQ(m.size(), QSize(120, 120));
    // The cursor's pixel fills 54..62; its neighbours sit 9 pixels away.
    EXPECT_EQ(m.pixelColor(58, 58), QColor(100, 50, 0x40));
    EXPECT_EQ(m.pixelColor(58 + 9, 58), QColor(101, 50, 0x40));
    EXPECT_EQ(m.pixelColor(58, 58 - 9), QColor(100, 49, 0x40));
    EXPECT_EQ(m.pixelColor(5, 5), QColor(94, 44, 0x40));
    // Grid lines every 9 pixels in two greys; the red square on 54 and 63.
    EXPECT_EQ(m.pixelColor(9, 4), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(m.pixelColor(9, 5), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(m.pixelColor(20, 27), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(m.pixelColor(54, 58), QColor(255, 0, 0));
    EXPECT_EQ(m.pixelColor(63, 63), QColor(255, 0, 0));
    EXPECT_EQ(m.pixelColor(58, 54), QColor(255, 0, 0));
    // At the screen's corner the pixels off the screen show the background.
    picker->Track({0, 0});
    const QImage corner = picker->Magnifier()->Image();
    EXPECT_EQ(corner.pixelColor(58, 58), QColor(0, 0, 0x40));
    EXPECT_EQ(corner.pixelColor(20, 20), picker->Magnifier()->BackColor());
    EXPECT_EQ(corner.pixelColor(58, 20), picker->Magnifier()->BackColor());
}

TEST_F(PickerTest, PicksFillTheHistoryRingAndGoToTheMainWindow) {
    Start();
    auto picker = Open();
    for (int i = 0; i < 29; ++i) {
        picker->Track({i + 1, 2});
        picker->Pick();
    }
    EXPECT_EQ(picker->HistoryNext(), 1);
    EXPECT_EQ(picker->HistoryColor(0), 29 + 256 * 2 + 65536 * 0x40);
    EXPECT_EQ(picker->HistoryColor(27), 28 + 256 * 2 + 65536 * 0x40);
    EXPECT_EQ(added_.size(), 29);
    EXPECT_EQ(added_.first(), "#010240");
    EXPECT_EQ(window_->Favorites().Entries().size(), 29u);
    EXPECT_EQ(Row(0), "#1D0240");
    // Recall then Enter picks the recalled colour again.
    LeftClick(picker->HistoryCell(5), {8, 8});
    EXPECT_EQ(picker->HtmlText(), "#060240");
    picker->setFocus();
    QTest::keyClick(picker.get(), Qt::Key_Return);
    EXPECT_EQ(added_.last(), "#060240");
    EXPECT_EQ(picker->HistoryColor(1), 6 + 256 * 2 + 65536 * 0x40);
}

TEST_F(PickerTest, ClicksPickAndRightClickOrEscCloseWithoutPicking) {
    auto picker = Open();
    Move(picker.get(), {30, 40});
    LeftClick(picker.get(), {30, 40});
    EXPECT_EQ(added_, QStringList({"#1E2840"}));
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    DoubleClick(picker.get(), {31, 40});
    EXPECT_EQ(added_.size(), 2);  // a double click picks once
    EXPECT_EQ(added_.last(), "#1F2840");
    // Clicks on the panel pick nothing.
    LeftClick(picker->Panel(), {60, 200});
    QTest::mouseClick(picker->RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(added_.size(), 2);
    QTest::mouseClick(picker->AddButton(), Qt::LeftButton);
    EXPECT_EQ(added_.size(), 3);
    QTest::mouseClick(picker.get(), Qt::RightButton, {}, {30, 40});
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(added_.size(), 3);

    auto again = Open();
    again->setFocus();
    QTest::keyClick(again.get(), Qt::Key_Escape);
    EXPECT_FALSE(again->isVisible());
}

TEST_F(PickerTest, ArrowKeysMoveThePointerByTheModifiersStep) {
    auto picker = Open();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QPoint delta;
    } cases[] = {{Qt::Key_Right, {}, {1, 0}},
                 {Qt::Key_Right, Qt::ControlModifier, {5, 0}},
                 {Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier, {2, 0}},
                 {Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier, {0, 10}},
                 {Qt::Key_Left, Qt::AltModifier, {-2, 0}},
                 {Qt::Key_Up, {}, {0, -1}}};
    for (const auto& c : cases) {
        const QPoint before = screen_.pointer;
        QTest::keyClick(picker.get(), c.key, c.mods);
        EXPECT_EQ(screen_.pointer, before + c.delta);
        const QPoint p = screen_.pointer;
        EXPECT_EQ(picker->HtmlText(), QColor(p.x(), p.y(), 0x40).name().toUpper());
    }
    screen_.pointer = {0, 0};
    picker->Track({0, 0});
    QTest::keyClick(picker.get(), Qt::Key_Left);
    EXPECT_EQ(screen_.pointer, QPoint(0, 0));  // kept on the screen
}

TEST_F(PickerTest, WithoutKeyboardSupportOnlyEscStillCloses) {
    options_.Remove = true;
    auto picker = Open();
    const QPoint before = screen_.pointer;
    QTest::keyClick(picker.get(), Qt::Key_Right);
    QTest::keyClick(picker.get(), Qt::Key_Return);
    EXPECT_EQ(screen_.pointer, before);
    EXPECT_TRUE(added_.isEmpty());
    QTest::keyClick(picker.get(), Qt::Key_Escape);
    EXPECT_FALSE(picker->isVisible());
}

TEST_F(PickerTest, ThePanelMovesToEachCornerOnePixelFromTheEdges) {
    auto picker = Open();
    QFrame* panel = picker->Panel();
    const int w = picker->width();
    const int h = picker->height();
    EXPECT_EQ(panel->geometry(), QRect(w - 138, 0, 138, 257));
    const QPoint expected[] = {
        {1, 1}, {w - 138 - 1, 1}, {1, h - 257 - 1}, {w - 138 - 1, h - 257 - 1}};
    for (int b = 1; b <= 4; ++b) {
        QTest::mouseClick(picker->CornerButton(b), Qt::LeftButton);
        EXPECT_EQ(panel->pos(), expected[b - 1]) << b;
    }
}

TEST_F(PickerTest, TheFocusClickNeverActsForTheUser) {
    auto picker = Open();
    screen_.pointer = picker->CloseButton()->mapTo(picker.get(), QPoint(5, 5));
    QTest::qWait(1200);  // past the one-second focus step
    EXPECT_TRUE(picker->isVisible());
    LeftClick(picker.get(), {30, 40});
    QTest::keyClick(picker.get(), Qt::Key_Return);
    EXPECT_EQ(added_, QStringList({"#1E2840", "#1E2840"}));
}

TEST_F(PickerTest, TheFullMessageOpensAboveThePicker) {
    std::vector<std::string> full(224, "aaaaaa");
    WriteSettings("[Favorites]\nFavorites=" + Join(full, ';') + "\n");
    Start();
    auto picker = Open();
    QWidget* boxParent = nullptr;
    bool onTop = false;
    QTimer::singleShot(50, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box != nullptr && box != picker.get()) {
            boxParent = box->parentWidget();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->close();
        }
    });
    picker->Track({3, 4});
    picker->Pick();
    EXPECT_EQ(boxParent, picker.get());
    EXPECT_TRUE(onTop);
    EXPECT_EQ(picker->HistoryColor(0), 3 + 256 * 4 + 65536 * 0x40);
    EXPECT_TRUE(picker->isVisible());
}

TEST_F(PickerTest, PickCommandHidesTheWindowAndRestoresIt) {
    MainWindow& w = Start();
    w.SetPickCommand([&] { RunPickCommand(w, screen_, options_); });
    QTimer::singleShot(400, [&] {
        auto* picker = qobject_cast<ColorPicker*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed());
        picker->Track({7, 8});
        picker->Pick();
        picker->reject();
    });
    QTest::mouseClick(w.PickButton(), Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    EXPECT_EQ(Row(0), "#070840");
    EXPECT_EQ(w.Favorites().Text(), "070840");

    screen_.failCapture = true;
    AnswerNextBox("OK");
    QTest::mouseClick(w.PickButton(), Qt::LeftButton);
    EXPECT_TRUE(lastBoxText_.startsWith("The screen could not be read"));
    EXPECT_TRUE(w.isVisible());
}

}  // namespace
}  // namespace velmor
