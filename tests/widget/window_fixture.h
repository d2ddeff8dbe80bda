#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "temp_folder.h"
#include "ui/main/color_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/tab_control.h"
#include "ui/main/value_panel.h"

namespace velmor::testing {

// A main window on a settings.ini of its own, shown and ready for input.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = std::make_unique<SettingsFile>(folder_.File("settings.ini"));
    }
    void TearDown() override { window_.reset(); }

    MainWindow& Start() {
        window_ = std::make_unique<MainWindow>(options_, *settings_);
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }
    // Closes the window and opens a new one on the same folder.
    MainWindow& Restart() {
        window_.reset();
        options_ = AppOptions{};
        return Start();
    }

    void WriteSettings(const std::string& content) { WriteFile(settings_->Path(), content); }
    std::string SettingsText() const { return ReadFile(settings_->Path()); }

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

    // Answers the next modal boxes, one after the other, with the buttons whose
    // texts match, and records each box's text.
    void AnswerNextBox(const QString& buttonText) { AnswerBoxes({buttonText}); }
    void AnswerBoxes(QStringList answers) {
        QTimer::singleShot(0, [this, answers] { AnswerWhenShown(answers, 200); });
    }

    TempFolder folder_;
    std::unique_ptr<SettingsFile> settings_;
    AppOptions options_;
    std::unique_ptr<MainWindow> window_;
    QString lastBoxText_;
    QString lastBoxDefault_;
    QStringList boxTexts_;

  private:
    void AnswerWhenShown(QStringList answers, int triesLeft) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) {
            if (triesLeft > 0) {
                QTimer::singleShot(
                    10, [this, answers, triesLeft] { AnswerWhenShown(answers, triesLeft - 1); });
            }
            return;
        }
        box->setProperty("answered", true);
        lastBoxText_ = box->text();
        boxTexts_ << box->text();
        lastBoxDefault_ =
            box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
        const QString answer = answers.takeFirst();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove('&') == answer) chosen = button;
        }
        if (!answers.isEmpty()) AnswerBoxes(answers);
        if (chosen != nullptr) {
            chosen->click();
        } else {
            box->reject();
        }
    }
};

}  // namespace velmor::testing
