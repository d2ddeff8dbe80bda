#include <sys/stat.h>

#include "core/value_formatter.h"
#include "ui/dialogs/help.h"
#include "window_fixture.h"

namespace velmor {
namespace {

// Upper, Remove, Copy, the value chosen; whether Copy, and the value list with
// its caption, can be changed.
using OptionsState = std::tuple<bool, bool, bool, int, bool, bool>;

void ExpectState(const OptionsDialog& d, const OptionsState& expected, const char* name) {
    EXPECT_EQ(OptionsState(d.UpperOption()->isChecked(), d.RemoveBox()->isChecked(),
                           d.CopyBox()->isChecked(), d.ValueList()->currentIndex(),
                           d.CopyBox()->isEnabled(), d.ValueList()->isEnabled()),
              expected)
        << name;
    EXPECT_EQ(d.SelectLabel()->isEnabled(), d.ValueList()->isEnabled()) << name;
}

TEST_F(WindowTest, OptionsDialogLoadsAndEnablesItsControls) {
    const struct {
        const char* stored;
        OptionsState expected;
    } cases[] = {
        {"", {true, false, true, 8, true, true}},
        {"Upper=False\nRemove=True\nValue=3", {false, true, true, 3, false, false}},
        {"Copy=False\nValue=0", {true, false, false, 0, true, false}},
        {"Value=14", {true, false, true, -1, true, true}},
    };
    for (const auto& c : cases) {
        WriteSettings(std::string("[Options]\n") + c.stored + "\n");
        Options options(*settings_);
        options.Load();
        OptionsDialog dialog(options, desktop_, prompter_);
        ExpectState(dialog, c.expected, c.stored);
    }
    std::filesystem::remove(settings_->Path());
    Options options(*settings_);
    options.Load();
    OptionsDialog dialog(options, desktop_, prompter_);
    dialog.RemoveBox()->click();
    ExpectState(dialog, {true, true, true, 8, false, false}, "remove checked");
    dialog.RemoveBox()->click();
    dialog.CopyBox()->click();
    ExpectState(dialog, {true, false, false, 8, true, false}, "copy unchecked");
    // OK keeps a number the list cannot show.
    WriteSettings("[Options]\nValue=14\n");
    options.Load();
    OptionsDialog keeps(options, desktop_, prompter_);
    keeps.OkButton()->click();
    EXPECT_EQ(options.Values().copiedValue, 14);
    EXPECT_EQ(SettingsText(), "[Options]\nValue=14\nUpper=True\nRemove=False\nCopy=True\n");
}

TEST_F(WindowTest, OptionsDialogStoresOnlyOnOkInOneSave) {
    Options options(*settings_);
    options.Load();
    QSignalSpy changed(&options, &Options::changed);
    OptionsDialog dialog(options, desktop_, prompter_);
    dialog.LowerOption()->click();
    dialog.ValueList()->setCurrentIndex(2);
    dialog.DefaultButton()->click();
    ExpectState(dialog, {true, false, true, 8, true, true}, "defaults");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // as Cancel
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));
    EXPECT_EQ(changed.count(), 0);

    OptionsDialog second(options, desktop_, prompter_);
    second.CopyBox()->click();
    second.RemoveBox()->click();
    second.show();
    QTest::keyClick(&second, Qt::Key_Return);  // as OK
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=True\nRemove=True\nCopy=False\nValue=8\n");
    EXPECT_TRUE(options.Values().keyboardOff);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(WindowTest, CtrlCCanCopyANotationOrTemplateChosenByName) {
    WriteSettings("[Formats]\nSwift={r}/{g}/{b}\n");
    Options options(*settings_);
    options.Load();
    OptionsDialog dialog(options, desktop_, prompter_);
    QComboBox* list = dialog.ValueList();
    // The fourteen, then every notation, then every template.
    ASSERT_EQ(list->count(), kValueFormatCount + int(kNotationTable.size()) + 1);
    EXPECT_EQ(list->itemText(kValueFormatCount + 7), "oklch()");
    EXPECT_EQ(list->itemText(list->count() - 1), "Swift");
    list->setCurrentIndex(kValueFormatCount + 7);
    dialog.OkButton()->click();
    EXPECT_NE(SettingsText().find("Value=oklch\n"), std::string::npos);
    // Read back, the same item is chosen; a number chosen again is stored as one.
    options.Load();
    OptionsDialog again(options, desktop_, prompter_);
    EXPECT_EQ(again.ValueList()->currentText(), "oklch()");
    again.ValueList()->setCurrentIndex(9);
    again.OkButton()->click();
    EXPECT_NE(SettingsText().find("Value=9\n"), std::string::npos);
    EXPECT_TRUE(options.Values().copiedName.empty());
}

TEST_F(WindowTest, TheShortcutIsStoredAndEachDesktopIsToldItsWay) {
    Options options(*settings_);
    options.Load();
    const struct {
        ShortcutRoute route;
        bool button;
        const char* noteHas;
    } ways[] = {{ShortcutRoute::X11Grab, false, "--background"},
                {ShortcutRoute::KdeService, false, "System Settings"},
                {ShortcutRoute::GnomeKeybinding, true, "GNOME"},
                {ShortcutRoute::SwayBinding, true, "bindsym Mod4+Shift+c exec"},
                {ShortcutRoute::None, false, "keyboard settings"}};
    for (const auto& w : ways) {
        desktop_.route = w.route;
        OptionsDialog dialog(options, desktop_, prompter_);
        EXPECT_EQ(dialog.ShortcutField()->keySequence(),
                  QKeySequence(QStringLiteral("Meta+Shift+C")));
        EXPECT_EQ(dialog.ShortcutButton()->isVisibleTo(&dialog), w.button) << w.noteHas;
        EXPECT_TRUE(dialog.ShortcutNote()->text().contains(QLatin1String(w.noteHas)))
            << dialog.ShortcutNote()->text().toStdString();
    }
    // GNOME: bound only after the user agrees; a failure is said.
    desktop_.route = ShortcutRoute::GnomeKeybinding;
    OptionsDialog gnome(options, desktop_, prompter_);
    prompter_.answers = {false, true};
    gnome.ShortcutButton()->click();
    EXPECT_TRUE(desktop_.bound.isEmpty());
    desktop_.binds = false;
    gnome.ShortcutField()->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Alt+F5")));
    gnome.ShortcutButton()->click();
    EXPECT_EQ(desktop_.bound, QStringList{"<Primary><Alt>F5"});
    EXPECT_TRUE(prompter_.texts.last().contains(QLatin1String("no GNOME here")));
    // OK stores the key (once it is not the default) and the start with the desktop.
    gnome.StartBox()->click();
    gnome.OkButton()->click();
    EXPECT_TRUE(desktop_.autostart);
    EXPECT_EQ(options.Values().shortcut, "Ctrl+Alt+F5");
    EXPECT_NE(SettingsText().find("[Picker]\nShortcut=Ctrl+Alt+F5\n"), std::string::npos);
}

TEST_F(WindowTest, OptionsThatCannotBeSavedSayWhyAndStillApply) {
    WriteSettings("[Options]\nUpper=True\n");
    ::chmod(settings_->Path().c_str(), 0444);
    Options options(*settings_);
    options.Load();
    QStringList messages;
    QObject::connect(&options, &Options::saveFailed,
                     [&messages](const QString& text) { messages << text; });
    options.Save({false, false, true, 8, ""});
    ::chmod(settings_->Path().c_str(), 0644);
    EXPECT_FALSE(options.Values().upperCase);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Your options could not be saved to "));
    EXPECT_TRUE(messages[0].endsWith(": the file is read-only."));
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=True\n");
}

TEST_F(WindowTest, ClosingTheOptionsShowsTheColourAgainEitherWay) {
    MainWindow& w = Start();
    current_->Set(Hex("#ff8c00"), "DarkOrange");
    auto answer = [](bool ok) {
        QTimer::singleShot(50, [ok] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->LowerOption()->click();
            if (ok) {
                dialog->OkButton()->click();
            } else {
                dialog->close();
            }
        });
    };
    answer(false);
    QTest::mouseClick(w.OptionsButton(), Qt::LeftButton);
    EXPECT_EQ(Row(0), "#FF8C00");
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));
    answer(true);
    QTest::mouseClick(w.OptionsButton(), Qt::LeftButton);
    EXPECT_EQ(Row(0), "#ff8c00");
    EXPECT_EQ(Row(1), "DarkOrange");
}

// The program's folder is the test's: a help file and a guide are put there.
TEST_F(WindowTest, HelpOpensTheHelpFileOrTheGuideOrSaysWhereItIs) {
    const std::string folder = ApplicationFolder();
    const std::string chm = folder + "/tintpick.chm";
    const std::string guide = folder + "/guide/index.html";
    std::filesystem::create_directories(folder + "/guide");
    WriteFile(guide, "<html></html>");
    MainWindow& w = Start();

    WriteFile(chm, "x");
    QTest::mouseClick(w.HelpButton(), Qt::LeftButton);
    std::filesystem::remove(chm);
    QTest::mouseClick(w.HelpButton(), Qt::LeftButton);
    const QString installed = UserGuidePath().value_or(QString());
    EXPECT_EQ(desktop_.opened, (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(chm)),
                                            QUrl::fromLocalFile(installed)}));
    EXPECT_TRUE(prompter_.texts.isEmpty());

    desktop_.opens = false;  // no xdg-open, no browser
    QTest::mouseClick(w.HelpButton(), Qt::LeftButton);
    std::filesystem::remove_all(folder + "/guide");
    ASSERT_EQ(prompter_.texts.size(), 1);
    EXPECT_TRUE(
        prompter_.texts[0].startsWith("Nothing on this computer could open the user guide"));
    EXPECT_TRUE(prompter_.texts[0].endsWith(installed));
}

}  // namespace
}  // namespace velmor
