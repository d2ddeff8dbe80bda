#pragma once

#include <QDialog>

#include "settings/app_options.h"

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
    OptionsDialog(AppOptions& options, const SettingsFile& settings, QWidget* parent = nullptr);

    void RefreshOptionControls();
    void RestoreDefaults();
    void Confirm();

    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* DefaultButton() const { return cmdDefault_; }
    QRadioButton* UpperOption() const { return optUpper_; }
    QRadioButton* LowerOption() const { return optLower_; }
    QCheckBox* RemoveBox() const { return chkRemove_; }
    QCheckBox* CopyBox() const { return chkCopy_; }
    QLabel* SelectLabel() const { return label2_; }
    QComboBox* ValueList() const { return cboValues_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    AppOptions& options_;
    const SettingsFile& settings_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QPushButton* cmdDefault_;
    QRadioButton* optUpper_;
    QRadioButton* optLower_;
    QCheckBox* chkRemove_;
    QCheckBox* chkCopy_;
    QLabel* label2_;
    QComboBox* cboValues_;
};

}  // namespace velmor
