#include "app/pick_flow.h"
#include "ui/picker/magnifier_view.h"
#include "ui/picker/picker_surface.h"
#include "window_fixture.h"

namespace velmor {
namespace {

QString Hex(int x, int y) {
    return QColor(x & 0xFF, y & 0xFF, 0x40).name().toUpper();
}

// Two monitors side by side: 640x480 at ratio 1, then 400x300 device pixels
// at ratio 2. Capture pixel (x, y) is red x, green y, blue 0x40 (within the
// bytes); the strip below the second monitor shows nothing.
ScreenImage TwoMonitors() {
    ScreenImage s;
    s.image = QImage(1040, 480, QImage::Format_RGB32);
    for (int y = 0; y < s.image.height(); ++y) {
        for (int x = 0; x < s.image.width(); ++x)
            s.image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x40));
    }
    s.monitors = {{{0, 0, 640, 480}, 1.0}, {{640, 0, 400, 300}, 2.0}};
    s.surfaces = {QRect(0, 0, 640, 480), QRect(640, 0, 200, 150)};
    return s;
}

class PickerTest : public WindowTest {
  protected:
    std::unique_ptr<ColorPicker> Open(ScreenImage screen = TwoMonitors()) {
        auto picker = std::make_unique<ColorPicker>(screen, pointer_, pickerOptions_, Memory());
        QObject::connect(picker.get(), &ColorPicker::picked, [this](const Color& color) {
            added_ << QString::fromStdString(color.Html());
        });
        picker->Open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(picker->PanelSurface()));
        return picker;
    }
    // Mouse events as the platform delivers them to the window, at fractional
    // positions (Wayland's); the toolkit passes them on to the widget.
    static void Send(QWidget* w, QEvent::Type type, QPointF at,
                     Qt::MouseButton button = Qt::NoButton, Qt::KeyboardModifiers modifiers = {}) {
        const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        const QPointF inWindow = w->mapTo(w->window(), at);
        QMouseEvent event(type, inWindow, inWindow, w->mapToGlobal(at), button,
                          down ? button : Qt::NoButton, modifiers);
        QApplication::sendEvent(w->window()->windowHandle(), &event);
    }
    static void LeftClick(QWidget* w, QPointF at) {
        Send(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
        Send(w, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    }

    PickerMemory& Memory() {
        if (!memory_) memory_ = std::make_unique<PickerMemory>(*settings_);
        return *memory_;
    }
    AppOptions pickerOptions_;
    std::unique_ptr<PickerMemory> memory_;
    QStringList added_;
};

TEST_F(PickerTest, SamplesAndNamesTheFrozenPixelUnderThePointerEvenWhereThePanelOpens) {
    const DevicePoint underPanel{630, 5};
    pointer_.at = underPanel;
    auto picker = Open();
    ASSERT_EQ(picker->PanelMonitor(), 0);
    EXPECT_TRUE(picker->Panel()->geometry().contains(630, 5));
    EXPECT_EQ(picker->HtmlText(), Hex(630, 5));
    picker->Pick();
    EXPECT_EQ(added_, QStringList{Hex(630, 5)});
    // The field shows the whole text, "#" included.
    const QLineEdit* field = picker->Panel()->HtmlField();
    EXPECT_GE(field->width() - 4, field->fontMetrics().horizontalAdvance(field->text()));
    // Later moves over the panel leave the sample alone.
    EXPECT_FALSE(picker->Track({600, 10}));
    EXPECT_EQ(picker->HtmlText(), Hex(630, 5));
    // The panel names the sample, or its nearest name.
    picker->Track({0xFF, 0x8C});  // #FF8C40
    EXPECT_EQ(picker->Panel()->NameLine()->text(), "about DarkOrange, orange, dE 6.7");
    EXPECT_EQ(picker->Panel()->SampleBox()->accessibleName(),
              "Sample: about DarkOrange, orange, dE 6.7, #FF8C40");
}

TEST_F(PickerTest, ThePanelOpensOnTheMonitorUnderThePointer) {
    pointer_.at = DevicePoint{700, 100};
    auto picker = Open();
    ASSERT_EQ(picker->SurfaceCount(), 2);
    EXPECT_EQ(picker->PanelMonitor(), 1);
    EXPECT_EQ(picker->Panel()->parentWidget(), picker->Surface(1));
    // Its corners are the corners of that monitor's surface.
    QTest::mouseClick(picker->Panel()->CornerButton(4), Qt::LeftButton);
    const QWidget* surface = picker->Surface(1);
    EXPECT_EQ(picker->Panel()->geometry().bottomRight(),
              QPoint(surface->width() - 2, surface->height() - 2));
}

TEST_F(PickerTest, MagnifierShowsNineTimesTheNeighbourhoodWithGridAndRedSquare) {
    auto picker = Open();
    picker->Track({100, 50});
    const QImage m = picker->Panel()->Magnifier()->Image();
    ASSERT_EQ(m.size(), QSize(120, 120));
    // The cursor's pixel fills 54..62; its neighbours sit 9 pixels away.
    EXPECT_EQ(m.pixelColor(58, 58), QColor(100, 50, 0x40));
    EXPECT_EQ(m.pixelColor(58 + 9, 58), QColor(101, 50, 0x40));
    EXPECT_EQ(m.pixelColor(9, 5), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(m.pixelColor(54, 58), QColor(255, 0, 0));
    // Off every monitor (the strip below the small monitor) the magnifier
    // shows its background.
    picker->Track({700, 299});
    const QImage edge = picker->Panel()->Magnifier()->Image();
    EXPECT_EQ(edge.pixelColor(58, 58), QColor(700 & 0xFF, 299 & 0xFF, 0x40));
    EXPECT_EQ(edge.pixelColor(58, 58 + 9), picker->Panel()->Magnifier()->BackColor());
}

// A wheel turn as the platform delivers it to the surface's window.
void Wheel(QWidget* w, int delta, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at(10, 10);
    QWheelEvent event(at, w->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

TEST_F(PickerTest, WheelAndPlusMinusZoomTheMagnifierAroundThePickedPixel) {
    auto picker = Open();
    picker->Track({100, 50});
    QWidget* surface = picker->Surface(0);
    // A key with its modifiers, TIMES over; or, with no key, a wheel turn of WHEEL.
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int times, wheel, zoom;
    } steps[] = {
        {Qt::Key_Plus, {}, 1, 0, 10},
        {Qt::Key_Equal, {}, 1, 0, 12},  // + without Shift
        {Qt::Key_Plus, Qt::KeypadModifier, 1, 0, 14},
        {0, {}, 1, 240, 20},
        {0, {}, 1, 60, 20},  // half a notch: not yet
        {0, {}, 1, 60, 24},
        {Qt::Key_Plus, {}, 5, 0, 32},
        {0, {}, 1, -120 * 13, 4},
        {Qt::Key_Minus, Qt::KeypadModifier, 1, 0, 3},
        {Qt::Key_Minus, {}, 2, 0, 2},
    };
    for (const auto& step : steps) {
        for (int i = 0; i < step.times; ++i) {
            step.key == 0 ? Wheel(surface, step.wheel)
                          : QTest::keyClick(surface, Qt::Key(step.key), step.modifiers);
        }
        ASSERT_EQ(picker->ZoomLevel(), step.zoom);
        EXPECT_EQ(Memory().Zoom(), step.zoom);
        EXPECT_EQ(picker->Panel()->ZoomLine()->text(),
                  QStringLiteral("Zoom %1x, one pixel").arg(step.zoom));
    }
    // At 2 times: the picked pixel in the middle, its neighbour a block on, no grid.
    const QImage m = picker->Panel()->Magnifier()->Image();
    const int o = RedSquareOrigin(m.width(), 2);
    EXPECT_EQ(m.pixelColor(o + 1, o + 1), QColor(100, 50, 0x40));
    EXPECT_EQ(m.pixelColor(o + 3, o + 1), QColor(101, 50, 0x40));
    EXPECT_NE(m.pixelColor(0, 1), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(PickerTest, BracketsAndShiftWheelAverageASquareOutlinedInTheMagnifier) {
    auto picker = Open();
    picker->Track({100, 50});
    QWidget* surface = picker->Surface(0);
    QTest::keyClick(surface, Qt::Key_BracketRight);
    EXPECT_EQ(picker->Session().Area(), 3);
    EXPECT_EQ(picker->Panel()->ZoomLine()->text(), "Zoom 9x, mean of 3 x 3");
    // Red 99 to 101 in linear light: 100.02, so the same to 8 bits; green
    // 49 to 51 likewise.
    EXPECT_EQ(picker->HtmlText(), "#643240");
    Wheel(surface, 120 * 2, Qt::ShiftModifier);
    EXPECT_EQ(picker->Session().Area(), 7);
    EXPECT_EQ(picker->ZoomLevel(), 9);  // Shift+wheel leaves the zoom
    EXPECT_EQ(Memory().Area(), 7);
    // The outline of the 7x7 square: three blocks out from the red one.
    const QImage m = picker->Panel()->Magnifier()->Image();
    const MagnifierSquare a = AreaOutline(m.width(), 9, 7);
    const QColor edge = m.pixelColor(a.origin, a.origin + 1);
    EXPECT_TRUE(edge == Qt::black || edge == Qt::white);
    picker->Pick();
    for (int i = 0; i < 4; ++i) QTest::keyClick(surface, Qt::Key_BracketLeft);
    EXPECT_EQ(picker->Session().Area(), 1);
    EXPECT_EQ(picker->HtmlText(), "#643240");
}

TEST_F(PickerTest, AClickRecallsAHistoryCellAndRemoveOrDeleteTakesIt) {
    auto picker = Open();
    QToolButton* remove = picker->Panel()->RemoveButton();
    EXPECT_FALSE(remove->isEnabled());  // nothing picked, nothing selected
    for (int i = 0; i < 3; ++i) {
        picker->Track({i + 5, 2});
        picker->Pick();
    }
    EXPECT_EQ(picker->Panel()->HistoryCell(1)->Image().pixelColor(8, 8), QColor(6, 2, 0x40));
    ASSERT_TRUE(remove->isEnabled());
    LeftClick(picker->Panel()->HistoryCell(0), {8, 8});
    EXPECT_EQ(picker->Panel()->HtmlField()->text(), "#050240");
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);  // picks it again
    LeftClick(picker->Panel()->HistoryCell(0), {8, 8});
    // The selected cell wears a black and white ring.
    EXPECT_EQ(picker->Panel()->HistoryCell(0)->Image().pixelColor(0, 0), QColor(Qt::black));
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(picker->Panel()->HistoryCell(0)->Image().pixelColor(8, 8), QColor(6, 2, 0x40));
    for (int i = 0; i < 3; ++i) QTest::keyClick(picker->Surface(0), Qt::Key_Delete);
    EXPECT_EQ(picker->Panel()->HistoryCell(0)->Image().pixelColor(8, 8), QColor(Qt::white));
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(Memory().History().ToText(), "");
    // Nothing left the favourites.
    EXPECT_EQ(added_, QStringList({"#050240", "#060240", "#070240", "#050240"}));
}

TEST_F(PickerTest, ClicksPickOnReleaseAndRightClickOrEscClose) {
    auto picker = Open();
    QSignalSpy closed(picker.get(), &ColorPicker::closed);
    Send(picker->Surface(0), QEvent::MouseMove, {30, 40});
    // A command-line pick ends on the hand-over: its surfaces must still take
    // the release, or it lands on what lies below.
    Send(picker->Surface(0), QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton);
    EXPECT_TRUE(added_.isEmpty());
    Send(picker->Surface(0), QEvent::MouseButtonRelease, {30, 40}, Qt::LeftButton);
    EXPECT_EQ(added_, QStringList({"#1E2840"}));
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    // A double click as the platform delivers it picks once.
    QWidget* s = picker->Surface(0);
    Send(s, QEvent::MouseButtonPress, {31, 40}, Qt::LeftButton);
    Send(s, QEvent::MouseButtonRelease, {31, 40}, Qt::LeftButton);
    Send(s, QEvent::MouseButtonPress, {31, 40}, Qt::LeftButton);
    Send(s, QEvent::MouseButtonDblClick, {31, 40}, Qt::LeftButton);
    Send(s, QEvent::MouseButtonRelease, {31, 40}, Qt::LeftButton);
    EXPECT_EQ(added_.size(), 2);
    EXPECT_EQ(added_.last(), "#1F2840");
    QTest::mouseClick(picker->Panel()->RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(added_.size(), 2);
    QTest::mouseClick(picker->Panel()->AddButton(), Qt::LeftButton);
    EXPECT_EQ(added_.size(), 3);
    QTest::mouseClick(picker->Surface(1), Qt::RightButton, {}, {30, 40});
    EXPECT_FALSE(picker->IsOpen());
    EXPECT_FALSE(picker->Surface(0)->isVisible());
    EXPECT_EQ(closed.size(), 1);

    auto again = Open();
    QTest::keyClick(again->Surface(1), Qt::Key_Escape);
    EXPECT_FALSE(again->IsOpen());
}

TEST_F(PickerTest, ShiftKeepsPickingAndThePanelComparesTheLastTwo) {
    auto picker = Open();
    QList<bool> keep;
    QObject::connect(picker.get(), &ColorPicker::picked,
                     [&keep](const Color&, const ProfileRef&, bool k) { keep << k; });
    const QLabel* compare = picker->Panel()->CompareLine();
    QWidget* s = picker->Surface(0);
    // In the bottom corner, the panel grows upward by the comparison's line.
    QTest::mouseClick(picker->Panel()->CornerButton(4), Qt::LeftButton);
    const int shortPanel = picker->Panel()->height();
    Send(s, QEvent::MouseMove, {30, 40});
    Send(s, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::ShiftModifier);
    Send(s, QEvent::MouseButtonRelease, {30, 40}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(compare->isHidden());
    EXPECT_EQ(picker->Panel()->height(), shortPanel);
    Send(s, QEvent::MouseMove, {200, 250});
    QTest::keyClick(s, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(s, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(keep, QList<bool>({true, true, false}));
    EXPECT_EQ(added_, QStringList({Hex(30, 40), Hex(200, 250), Hex(200, 250)}));
    EXPECT_TRUE(picker->IsOpen());
    // The last two are the same colour now; before, the two points differed.
    EXPECT_EQ(compare->text(), "Last two: ΔE00 0.00, 1.00:1");
    EXPECT_FALSE(compare->isHidden());
    EXPECT_GT(picker->Panel()->height(), shortPanel);
    EXPECT_EQ(picker->Panel()->geometry().bottomRight(), QPoint(s->width() - 2, s->height() - 2));
    Send(s, QEvent::MouseMove, {0, 0});
    QTest::keyClick(s, Qt::Key_Return);
    EXPECT_EQ(compare->text(), "Last two: ΔE00 111.90, 16.01:1");
}

TEST_F(PickerTest, UntilThePointerIsKnownNothingIsPickedAndKeysStartFromAMarkedCentre) {
    pointer_.canWarp = false;
    pointer_.at.reset();
    QCursor::setPos(5000, 5000);  // not over a surface as it opens
    auto picker = Open();
    EXPECT_FALSE(picker->HasSample());
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);
    QTest::mouseClick(picker->Panel()->AddButton(), Qt::LeftButton);
    EXPECT_TRUE(added_.isEmpty());
    QTest::keyClick(picker->Surface(0), Qt::Key_Right);
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);
    EXPECT_EQ(added_, QStringList{Hex(321, 240)});
    // The pointer cannot show the sample point: the surface outlines it in red.
    EXPECT_EQ(picker->Surface(0)->grab().toImage().pixelColor(321 + 2, 240), QColor(Qt::red));
}

TEST_F(PickerTest, ThePanelsButtonsTakeTabAndSpaceAndLeaveThePickerItsKeys) {
    auto picker = Open();
    QToolButton* add = picker->Panel()->AddButton();
    EXPECT_TRUE(add->focusPolicy() & Qt::TabFocus);
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Right);  // still moves the pointer, not the focus
    EXPECT_EQ(pointer_.at, (DevicePoint{11, 20}));
    EXPECT_EQ(QApplication::focusWidget(), add);
    QTest::keyClick(add, Qt::Key_Space);
    QTest::keyClick(add, Qt::Key_Return);
    EXPECT_EQ(added_, QStringList({Hex(11, 20), Hex(11, 20)}));
    picker->Panel()->CloseButton()->setFocus();
    QTest::keyClick(picker->Panel()->CloseButton(), Qt::Key_Space);
    EXPECT_FALSE(picker->IsOpen());
}

TEST_F(PickerTest, WithoutKeyboardSupportOnlyEscStillCloses) {
    pickerOptions_.keyboardOff = true;
    auto picker = Open();
    QTest::keyClick(picker->Surface(0), Qt::Key_Right);
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);
    EXPECT_EQ(pointer_.at, (DevicePoint{10, 20}));
    EXPECT_TRUE(added_.isEmpty());
    QTest::keyClick(picker->Surface(0), Qt::Key_Escape);
    EXPECT_FALSE(picker->IsOpen());
}

class PickFlowTest : public PickerTest {
  protected:
    MainWindow& StartWithFlow() {
        capture_.answer = [](FakeCapture& c) { emit c.captured(TwoMonitors()); };
        MainWindow& w = Start();
        flow_ = &program_->Flow();
        return w;
    }
    bool WaitForState(PickFlow::State state) {
        return QTest::qWaitFor([&] { return flow_->CurrentState() == state; }, 2000);
    }
    PickFlow* flow_ = nullptr;
};

TEST_F(PickFlowTest, TheFullMessageOpensAboveThePicker) {
    std::vector<std::string> full(224, "aaaaaa");
    WriteSettings("[Favorites]\nFavorites=" + Join(full, ';') + "\n");
    MainWindow& w = StartWithFlow();
    QTest::mouseClick(w.PickButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitForState(PickFlow::State::Picking));
    auto* picker = static_cast<ColorPicker*>(flow_->Picker());
    picker->Track({3, 4});
    picker->Pick();
    EXPECT_EQ(prompter_.texts.size(), 1);
    EXPECT_EQ(prompter_.lastParent, picker->PanelSurface());
    EXPECT_EQ(picker->HistoryColor(0).Value(), 3 + 256 * 4 + 65536 * 0x40);
    EXPECT_TRUE(picker->IsOpen());
    picker->Close();
}

}  // namespace
}  // namespace velmor
