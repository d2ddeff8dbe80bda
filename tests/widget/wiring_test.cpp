// The program as the composition root puts it together, with a fake screen.

#include "platform/desktop/clipboard.h"
#include "platform/desktop/x11_shortcut.h"
#include "resident.h"
#include "window_fixture.h"

namespace velmor {
namespace {

// A 64x48 screen all #123456.
void OneColourScreen(FakeCapture& c) {
    ScreenImage screen;
    screen.image = QImage(64, 48, QImage::Format_RGB32);
    screen.image.fill(QColor(0x12, 0x34, 0x56));
    emit c.captured(screen);
}

TEST_F(WindowTest, APickIsSavedToTheFavouritesAndShownAsTheCurrentColour) {
    capture_.answer = OneColourScreen;
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

TEST_F(WindowTest, TheResidentsPickIsCopiedAsCtrlCCopiesAndOneCommandPickRunsAtATime) {
    capture_.answer = OneColourScreen;
    MainWindow& window = Start();
    window.hide();
    Resident resident(*program_, capture_, pointer_, views_, desktop_);
    PutTextOnClipboard(QStringLiteral("before"));
    resident.Pick();
    auto* picker = static_cast<ColorPicker*>(program_->Flow().Picker());
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(window.isVisible());
    picker->Track({3, 4});
    picker->Pick();
    EXPECT_EQ(ClipboardText(), QStringLiteral("\"#123456\""));
    EXPECT_EQ(FavoritesText(), "123456");
    // A command line forwarded meanwhile is told the picker is busy.
    QStringList answers;
    auto answer = [&answers](int status, const QString& out, const QString& err) {
        answers << QString::number(status) + QLatin1Char('|') + out + QLatin1Char('|') + err;
    };
    resident.RunCommandPick({"--pick", "--format", "rgb"}, answer);
    picker->Close();
    resident.RunCommandPick({"--format", "rgb"}, answer);
    // Once the window's pick has ended, a forwarded one runs; the desktop
    // cancels it here.
    capture_.answer = [](FakeCapture& c) { emit c.cancelled(); };
    resident.RunCommandPick({"--pick", "--format", "rgb"}, answer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 3; }, 2000));
    EXPECT_EQ(answers,
              (QStringList{"2||a pick is already open", "2||--format goes with --pick", "1||"}));
    EXPECT_FALSE(window.isVisible());
    // A command pick copies only when asked to.
    EXPECT_EQ(ClipboardText(), QStringLiteral("\"#123456\""));
}

TEST(X11Shortcut, KeysAndModifiersAsXNamesThem) {
    const struct {
        const char* keys;
        std::uint32_t keysym;
        std::uint16_t modifiers;
    } cases[] = {{"Meta+Shift+C", 'c', 0x41},    {"Ctrl+Alt+F5", 0xFFC2, 0x0C},
                 {"Print", 0xFF61, 0},           {"Meta+1", '1', 0x40},
                 {"Shift+PgDown", 0xFF56, 0x01}, {"Meta+\u00D6", 0, 0}};
    for (const auto& c : cases) {
        const QKeySequence sequence = QKeySequence::fromString(QString::fromUtf8(c.keys));
        const std::optional<XKeyChord> chord = ToXKeyChord(sequence[0]);
        EXPECT_EQ(chord.has_value(), c.keysym != 0) << c.keys;
        if (chord) {
            EXPECT_EQ(chord->keysym, c.keysym) << c.keys;
            EXPECT_EQ(chord->modifiers, c.modifiers) << c.keys;
        }
    }
}

}  // namespace
}  // namespace velmor
