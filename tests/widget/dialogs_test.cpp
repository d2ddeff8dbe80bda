#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/desktop.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options_dialog.h"
#include "window_fixture.h"

namespace velmor {
namespace {

using testing::WindowTest;

struct OptionsState {
    bool upper, remove, copy;
    int value;
    bool copyEnabled, listEnabled;
};

OptionsState StateOf(const OptionsDialog& d) {
    return {d.UpperOption()->isChecked(),  d.RemoveBox()->isChecked(), d.CopyBox()->isChecked(),
            d.ValueList()->currentIndex(), d.CopyBox()->isEnabled(),   d.ValueList()->isEnabled()};
}

void ExpectState(const OptionsDialog& d, const OptionsState& e, const char* name) {
    const OptionsState s = StateOf(d);
    EXPECT_EQ(s.upper, e.upper) << name;
    EXPECT_EQ(s.remove, e.remove) << name;
    EXPECT_EQ(s.copy, e.copy) << name;
    EXPECT_EQ(s.value, e.value) << name;
    EXPECT_EQ(s.copyEnabled, e.copyEnabled) << name;
    EXPECT_EQ(s.listEnabled, e.listEnabled) << name;
    EXPECT_EQ(d.SelectLabel()->isEnabled(), e.listEnabled) << name;
}

TEST_F(WindowTest, OptionsDialogLoadsAndEnablesItsControls) {
    const struct {
        AppOptions options;
        OptionsState expected;
    } cases[] = {
        {{true, false, true, 8}, {true, false, true, 8, true, true}},
        {{false, true, true, 3}, {false, true, true, 3, false, false}},
        {{true, false, false, 0}, {true, false, false, 0, true, false}},
        {{true, false, true, -1}, {true, false, true, -1, true, true}},
        {{true, false, true, 14}, {true, false, true, -1, true, true}},
    };
    for (const auto& c : cases) {
        options_ = c.options;
        OptionsDialog dialog(options_, *settings_);
        ExpectState(dialog, c.expected, "loaded");
    }
    options_ = AppOptions{};
    OptionsDialog dialog(options_, *settings_);
    EXPECT_EQ(dialog.windowTitle(), "Options...");
    EXPECT_EQ(dialog.size(), QSize(402, 223));
    EXPECT_EQ(dialog.ValueList()->count(), 14);
    EXPECT_EQ(dialog.ValueList()->itemText(11), "C++ Format");
    dialog.RemoveBox()->click();
    ExpectState(dialog, {true, true, true, 8, false, false}, "remove checked");
    dialog.RemoveBox()->click();
    dialog.CopyBox()->click();
    ExpectState(dialog, {true, false, false, 8, true, false}, "copy unchecked");
    dialog.RemoveBox()->click();
    dialog.RemoveBox()->click();
    ExpectState(dialog, {true, false, false, 8, true, false}, "remove toggled twice");
}

TEST_F(WindowTest, OptionsDialogStoresOnlyOnOk) {
    OptionsDialog dialog(options_, *settings_);
    dialog.LowerOption()->click();
    dialog.ValueList()->setCurrentIndex(2);
    dialog.DefaultButton()->click();
    ExpectState(dialog, {true, false, true, 8, true, true}, "defaults");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.CancelButton()->click();
    EXPECT_FALSE(std::filesystem::exists(settings_->Path()));

    OptionsDialog second(options_, *settings_);
    second.CopyBox()->click();
    second.RemoveBox()->click();
    second.OkButton()->click();
    EXPECT_EQ(SettingsText(), "[Options]\nUpper=True\nRemove=True\nCopy=False\nValue=8\n");
    EXPECT_TRUE(options_.keyboardOff);
    EXPECT_FALSE(options_.ctrlCCopies);
}

TEST_F(WindowTest, OptionsDialogKeepsANumberItsListCannotShow) {
    WriteSettings("[Options]\nValue=14\n");
    MainWindow& w = Start();
    OptionsDialog dialog(options_, *settings_, &w);
    dialog.OkButton()->click();
    EXPECT_EQ(options_.copiedValue, 14);
    EXPECT_EQ(SettingsText(), "[Options]\nValue=14\nUpper=True\nRemove=False\nCopy=True\n");
}

TEST_F(WindowTest, ClosingTheOptionsShowsTheColourAgainEitherWay) {
    MainWindow& w = Start();
    w.ShowColor("#ff8c00", "DarkOrange");
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
    EXPECT_EQ(Row(13), "0xff8c00");
}

class DesktopRequests : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        previous_ = Desktop::SetOpener([this](const QUrl& url) { opened_ << url; });
    }
    void TearDown() override {
        Desktop::SetOpener(previous_);
        WindowTest::TearDown();
    }
    QList<QUrl> opened_;
    Desktop::Opener previous_;
};

TEST_F(DesktopRequests, AboutBoxLinksAskTheDesktopAndStayOpen) {
    AboutBox box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.windowTitle(), "About Velmor Color Picker");
    EXPECT_EQ(box.Caption(0)->text(), "Velmor Color Picker 1.20");
    EXPECT_TRUE(box.OkButton()->isDefault());
    for (QLabel* link :
         {static_cast<QLabel*>(box.WebLink()), static_cast<QLabel*>(box.SupportLink())}) {
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(link->cursor().hotSpot(), QPoint(12, 5));
        EXPECT_TRUE(link->font().underline());
    }
    EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(box.WebLink(), Qt::LeftButton);
    QTest::mouseClick(box.SupportLink(), Qt::LeftButton);
    QTest::mouseClick(box.SupportLink(), Qt::LeftButton);
    EXPECT_EQ(opened_,
              (QList<QUrl>{QUrl("http://www.example.com/"), QUrl("mailto:support@example.com"),
                           QUrl("mailto:support@example.com")}));
    EXPECT_TRUE(box.isVisible());
    QTest::keyClick(box.OkButton(), Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(DesktopRequests, HelpOpensTheHelpFileBesideTheProgram) {
    MainWindow& w = Start();
    QTest::mouseClick(w.HelpButton(), Qt::LeftButton);
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_TRUE(opened_[0].isLocalFile());
    EXPECT_EQ(opened_[0].toLocalFile(),
              QString::fromStdString(ApplicationFolder()) + "/tintpick.chm");
}

}  // namespace
}  // namespace velmor
