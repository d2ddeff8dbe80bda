// The program as the composition root puts it together, with a fake screen.
#include <QPushButton>
#include <QSignalSpy>

#include "ui/picker/color_picker.h"
#include "ui/picker/widget_pick_views.h"
#include "window_fixture.h"
#include "window_program.h"

namespace velmor {
namespace {

class OneColourScreen : public ScreenCapture {
  public:
    void Request(const QString&) override {
        ScreenImage screen;
        screen.image = QImage(64, 48, QImage::Format_RGB32);
        screen.image.fill(QColor(0x12, 0x34, 0x56));
        emit captured(screen);
    }
};

class StillPointer : public PointerControl {
  public:
    std::optional<DevicePoint> Position() const override { return DevicePoint{5, 6}; }
    bool CanWarp() const override { return false; }
    void Warp(DevicePoint) override {}
};

TEST(WiringTest, APickIsSavedToTheFavouritesAndShownAsTheCurrentColour) {
    testing::TempFolder folder;
    const SettingsFile settings(folder.File("settings.ini"));
    OneColourScreen screen;
    StillPointer pointer;
    testing::RecordingPrompter prompter;
    WidgetPickViews views;
    WindowProgram program(settings, {screen, pointer, prompter, views});
    MainWindow& window = program.Window();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.PickButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.Flow().Picker() != nullptr; }, 3000));
    auto* picker = static_cast<ColorPicker*>(program.Flow().Picker());
    QSignalSpy closed(picker, &PickerView::closed);
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);
    QTest::keyClick(picker->Surface(0), Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);

    EXPECT_EQ(program.FavoriteColors().List().Text(), "123456");
    EXPECT_NE(testing::ReadFile(settings.Path()).find("Favorites=123456"), std::string::npos);
    EXPECT_EQ(program.Current().Text().toUpper(), "#123456");
    EXPECT_EQ(window.Panel()->RowText(0).toUpper(), "#123456");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompter.texts.isEmpty());
}

}  // namespace
}  // namespace velmor
