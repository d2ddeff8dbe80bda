// The program as the composition root puts it together, with a fake screen.
#include <QPushButton>
#include <QSignalSpy>

#include "ui/picker/color_picker.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::FakeCapture;
using testing::WindowTest;

TEST_F(WindowTest, APickIsSavedToTheFavouritesAndShownAsTheCurrentColour) {
    capture_.answer = [](FakeCapture& c) {
        ScreenImage screen;
        screen.image = QImage(64, 48, QImage::Format_RGB32);
        screen.image.fill(QColor(0x12, 0x34, 0x56));
        emit c.captured(screen);
    };
    pointer_.at = DevicePoint{5, 6};
    MainWindow& window = Start();

    QTest::mouseClick(window.PickButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program_->Flow().Picker() != nullptr; }, 3000));
    auto* picker = static_cast<ColorPicker*>(program_->Flow().Picker());
    QSignalSpy closed(picker, &PickerView::closed);
    QTest::keyClick(picker->Surface(0), Qt::Key_Return);
    QTest::keyClick(picker->Surface(0), Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);

    EXPECT_EQ(FavoritesText(), "123456");
    EXPECT_NE(SettingsText().find("Favorites=123456"), std::string::npos);
    EXPECT_EQ(current_->Text().toUpper(), "#123456");
    EXPECT_EQ(Row(0).toUpper(), "#123456");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(prompter_.texts.isEmpty());
}

}  // namespace
}  // namespace velmor
