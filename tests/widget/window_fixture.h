#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <optional>

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "core/color_parse.h"
#include "core/color_spaces.h"
#include "core/text.h"
#include "fakes.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"
#include "settings/settings_store.h"
#include "temp_folder.h"
#include "ui/dialogs/contrast_window.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/main/color_grid.h"
#include "ui/main/custom_color_page.h"
#include "ui/main/favorites_page.h"
#include "ui/main/main_window.h"
#include "ui/main/named_colors_page.h"
#include "ui/main/safety_page.h"
#include "ui/main/tab_control.h"
#include "ui/main/tab_toolbar.h"
#include "ui/main/value_panel.h"
#include "ui/picker/color_picker.h"
#include "ui/picker/widget_pick_views.h"
#include "ui/widgets/picture_box.h"
#include "window_program.h"

namespace velmor::testing {

// A colour as a test writes it ("#rrggbb"); a typo fails the test.
inline Color Hex(const std::string& text) {
    const std::optional<ParsedColor> parsed = ParseColor(text);
    EXPECT_TRUE(parsed) << text;
    return parsed ? parsed->color : Color{};
}

// Answers confirmations from a list (No once it is used up) and records
// every text it is shown.
class RecordingPrompter : public Prompter {
  public:
    bool AskYesNo(QWidget* parent, const QString& text) override {
        Record(parent, text);
        return !answers.isEmpty() && answers.takeFirst();
    }
    void ShowStopMessage(QWidget* parent, const QString& text) override { Record(parent, text); }
    void ShowInformation(QWidget* parent, const QString& text) override { Record(parent, text); }
    QString AskFile(QWidget*, bool, const QString&, const QString&, QString*) override {
        return fileAnswer;
    }

    QList<bool> answers;
    QString fileAnswer;  // the file every file question is answered with
    QStringList texts;
    QWidget* lastParent = nullptr;

  private:
    void Record(QWidget* parent, const QString& text) {
        texts << text;
        lastParent = parent;
    }
};

// Records what would have been opened, and answers as a test says.
class RecordingDesktop : public Desktop {
  public:
    bool Open(const QUrl& url) override {
        opened << url;
        return opens;
    }
    ShortcutRoute Shortcuts() const override { return route; }
    bool BindGnomeShortcut(const QString& accelerator, QString* why) override {
        bound << accelerator;
        *why = QStringLiteral("no GNOME here");
        return binds;
    }
    bool StartsWithDesktop() const override { return autostart; }
    bool SetStartWithDesktop(bool start, QString*) override {
        autostart = start;
        return true;
    }
    QList<QUrl> opened;
    bool opens = true;
    ShortcutRoute route = ShortcutRoute::X11Grab;
    QStringList bound;
    bool binds = true;
    bool autostart = false;
};

// The program as the composition root puts it together, on a settings.ini of
// its own and a fake screen, its main window shown and ready for input.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::make_unique<SettingsFile>(folder_.File("settings.ini"));
    }
    void TearDown() override { program_.reset(); }

    MainWindow& Start() {
        program_.reset();
        program_ = std::make_unique<WindowProgram>(
            *settings_, Services{capture_, pointer_, prompter_, views_, desktop_});
        options_ = &program_->OptionsModel();
        current_ = &program_->Current();
        favorites_ = &program_->FavoriteColors();
        window_ = &program_->Window();
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        return *window_;
    }
    // The options as the dialog would leave them (and saved).
    void SetOptions(const AppOptions& values) { options_->Save(values); }

    void WriteSettings(const std::string& content) { WriteFile(settings_->Path(), content); }
    std::string SettingsText() const { return ReadFile(settings_->Path()); }
    std::string FavoritesText() const { return favorites_->Text(); }

    QString Row(int index) const { return window_->Panel()->RowText(index); }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }
    static void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    // A left click at a point given as is (QTest takes the point 0,0 for the centre).
    static void Click(QWidget* widget, QPointF at) {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(widget, &event);
        }
    }
    // A key pressed and released with the focus on `widget`, through its
    // window as the window system delivers it (shortcuts first).
    static void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        widget->setFocus();
        QTest::keyClick(widget->window()->windowHandle(), key, modifiers);
    }

    TempFolder folder_;
    std::unique_ptr<SettingsFile> settings_;
    RecordingPrompter prompter_;
    FakeCapture capture_;
    FakePointer pointer_;
    WidgetPickViews views_;
    RecordingDesktop desktop_;
    std::unique_ptr<WindowProgram> program_;
    // The program's own, while it runs.
    Options* options_ = nullptr;
    CurrentColor* current_ = nullptr;
    Favorites* favorites_ = nullptr;
    MainWindow* window_ = nullptr;
};

}  // namespace velmor::testing

namespace velmor {
using testing::FakeCapture;
using testing::Hex;
using testing::WindowTest;
}  // namespace velmor
