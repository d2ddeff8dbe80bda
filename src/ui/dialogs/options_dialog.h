#pragma once

#include <QDialog>

#include "app/options.h"

namespace velmor {
class Options;
}

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velmor {

// "Options...": edits the four options; OK stores and saves them, Cancel and
// the close box change nothing.
class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit OptionsDialog(Options& options, QWidget* parent = nullptr);

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

  private:
    Options& options_;
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
