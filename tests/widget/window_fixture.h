#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "platform/prompter.h"
#include "settings/settings_store.h"
#include "temp_folder.h"
#include "ui/main/color_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/tab_control.h"
#include "ui/main/value_panel.h"

namespace velmor::testing {

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

    QList<bool> answers;
    QStringList texts;
    QWidget* lastParent = nullptr;

  private:
    void Record(QWidget* parent, const QString& text) {
        texts << text;
        lastParent = parent;
    }
};

// A main window on a settings.ini of its own, shown and ready for input, with
// the models the application would give it.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::make_unique<SettingsFile>(folder_.File("settings.ini"));
    }
    void TearDown() override { window_.reset(); }

    MainWindow& Start() {
        window_.reset();
        options_ = std::make_unique<Options>(*settings_);
        current_ = std::make_unique<CurrentColor>();
        favorites_ = std::make_unique<Favorites>(*settings_);
        QObject::connect(favorites_.get(), &Favorites::saveFailed,
                         [this](const QString& text) { prompter_.ShowStopMessage(nullptr, text); });
        window_ = std::make_unique<MainWindow>(*options_, *current_, *favorites_, prompter_);
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }
    // The options as the dialog would leave them (and saved).
    void SetOptions(const AppOptions& values) { options_->Save(values); }

    void WriteSettings(const std::string& content) { WriteFile(settings_->Path(), content); }
    std::string SettingsText() const { return ReadFile(settings_->Path()); }
    std::string FavoritesText() const { return favorites_->List().Text(); }

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
    // A key pressed and released on the widget that has the focus.
    static void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        widget->setFocus();
        QTest::keyClick(widget, key, modifiers);
    }

    TempFolder folder_;
    std::unique_ptr<SettingsFile> settings_;
    RecordingPrompter prompter_;
    std::unique_ptr<Options> options_;
    std::unique_ptr<CurrentColor> current_;
    std::unique_ptr<Favorites> favorites_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace velmor::testing
