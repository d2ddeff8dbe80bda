#pragma once

#include <QDialog>

#include "app/options.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"

namespace velmor {
class Options;
}

class QCheckBox;
class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmor {

// "Options...": edits the four options and how a pick starts from anywhere;
// OK stores and saves them, Cancel and the close box change nothing.
class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    OptionsDialog(Options& options, Desktop& desktop, Prompter& prompter,
                  QWidget* parent = nullptr);

    void RefreshOptionControls();
    void RestoreDefaults();
    void Confirm();

    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* DefaultButton() const { return defaultButton_; }
    QRadioButton* UpperOption() const { return upperCase_; }
    QRadioButton* LowerOption() const { return lowerCase_; }
    QCheckBox* RemoveBox() const { return keyboardOff_; }
    QCheckBox* CopyBox() const { return ctrlCCopies_; }
    QLabel* SelectLabel() const { return selectLabel_; }
    QComboBox* ValueList() const { return valueList_; }
    QKeySequenceEdit* ShortcutField() const { return shortcut_; }
    QCheckBox* StartBox() const { return startWithDesktop_; }
    QLabel* ShortcutNote() const { return shortcutNote_; }
    // GNOME's "Set in GNOME", sway's "Copy Line"; hidden elsewhere.
    QPushButton* ShortcutButton() const { return shortcutButton_; }

  private:
    void BuildShortcutGroup();
    void ShowShortcutWay();
    void ApplyShortcutWay();
    QString Portable() const;

    Options& options_;
    Desktop& desktop_;
    Prompter& prompter_;
    QKeySequenceEdit* shortcut_;
    QCheckBox* startWithDesktop_;
    QLabel* shortcutNote_;
    QPushButton* shortcutButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QPushButton* defaultButton_;
    QRadioButton* upperCase_;
    QRadioButton* lowerCase_;
    QCheckBox* keyboardOff_;
    QCheckBox* ctrlCCopies_;
    QLabel* selectLabel_;
    QComboBox* valueList_;
};

}  // namespace velmor
