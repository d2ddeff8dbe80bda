#include "ui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/value_formatter.h"
#include "platform/artwork.h"
#include "platform/controls.h"
#include "platform/look.h"
#include "platform/twips.h"

namespace velmor {

OptionsDialog::OptionsDialog(AppOptions& options, const SettingsFile& settings, QWidget* parent)
    : QDialog(parent, FixedBorderFlags(Qt::Dialog, false)), options_(options), settings_(settings) {
    setWindowTitle(QStringLiteral("Options..."));
    UseDesignFont(this);
    setWindowIcon(Artwork::Icon("gear"));
    setFixedSize(TwipsToPixels(6030), TwipsToPixels(3345));

    // Neither Enter nor Escape is bound to a button here.
    okButton_ = MakeCommandButton(QStringLiteral("&OK"), TwipsRect(4680, 120, 1215, 375), this);
    cancelButton_ =
        MakeCommandButton(QStringLiteral("&Cancel"), TwipsRect(4680, 600, 1215, 375), this);
    cmdDefault_ =
        MakeCommandButton(QStringLiteral("&Default"), TwipsRect(4680, 1080, 1215, 375), this);

    auto* frame1 = new QGroupBox(QStringLiteral("Show letters in"), this);
    frame1->setGeometry(TwipsRect(1200, 120, 3255, 855));
    optUpper_ = new QRadioButton(QStringLiteral("&Upper case"), frame1);
    optUpper_->setGeometry(TwipsRect(240, 360, 1335, 255));
    optLower_ = new QRadioButton(QStringLiteral("&Lower case"), frame1);
    optLower_->setGeometry(TwipsRect(1680, 360, 1335, 255));

    chkRemove_ = new QCheckBox(QStringLiteral("Remove keyboard support"), this);
    chkRemove_->setGeometry(TwipsRect(1200, 1200, 2775, 255));
    auto* label1 =
        new QLabel(QStringLiteral("If the keyboard support may affect your PC running, you "
                                  "may check this item to disable it."),
                   this);
    label1->setWordWrap(true);
    label1->setGeometry(TwipsRect(1560, 1560, 3375, 495));
    chkCopy_ =
        new QCheckBox(QStringLiteral("When press \"CTRL+C\", copy which value to clipboard"), this);
    chkCopy_->setGeometry(TwipsRect(1200, 2160, 4335, 255));
    label2_ = new QLabel(QStringLiteral("Select value:"), this);
    label2_->move(TwipsPoint(1560, 2640));
    label2_->adjustSize();
    cboValues_ = new QComboBox(this);
    cboValues_->setGeometry(TwipsRect(2640, 2640, 2655, 315));
    for (int i = 0; i < kValueFormatCount; ++i) {
        cboValues_->addItem(QString::fromUtf8(ValueFormatListItem(i).data()));
    }
    auto* image1 = new QLabel(this);
    image1->setGeometry(TwipsRect(240, 240, 720, 720));
    image1->setPixmap(Artwork::Pixmap("gear", QSize(48, 48)));

    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, optUpper_);
    setTabOrder(optUpper_, optLower_);
    setTabOrder(optLower_, chkRemove_);
    setTabOrder(chkRemove_, chkCopy_);
    setTabOrder(chkCopy_, cboValues_);
    setTabOrder(cboValues_, cmdDefault_);

    // The designed state, which loading then changes only where the options differ.
    chkCopy_->setChecked(true);
    connect(chkRemove_, &QCheckBox::toggled, this, &OptionsDialog::RefreshOptionControls);
    connect(chkCopy_, &QCheckBox::toggled, this, &OptionsDialog::RefreshOptionControls);
    connect(okButton_, &QPushButton::clicked, this, &OptionsDialog::Confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDefault_, &QPushButton::clicked, this, &OptionsDialog::RestoreDefaults);

    (options_.Upper ? optUpper_ : optLower_)->setChecked(true);
    chkRemove_->setChecked(options_.Remove);
    chkCopy_->setChecked(options_.Copy);
    // A number outside the list (only from a hand-edited file) shows no item.
    cboValues_->setCurrentIndex(IsValueFormat(options_.Value) ? options_.Value : -1);
    RefreshOptionControls();
    okButton_->setFocus(Qt::OtherFocusReason);
}

void OptionsDialog::RefreshOptionControls() {
    chkCopy_->setEnabled(!chkRemove_->isChecked());
    const bool choose = !chkRemove_->isChecked() && chkCopy_->isChecked();
    label2_->setEnabled(choose);
    cboValues_->setEnabled(choose);
}

void OptionsDialog::RestoreDefaults() {
    const AppOptions defaults;
    optUpper_->setChecked(defaults.Upper);
    chkRemove_->setChecked(defaults.Remove);
    chkCopy_->setChecked(defaults.Copy);
    cboValues_->setCurrentIndex(defaults.Value);
    RefreshOptionControls();
}

void OptionsDialog::Confirm() {
    const int chosen = cboValues_->currentIndex();
    // With no item chosen, a number the list cannot show is kept as it was.
    if (chosen >= 0 || IsValueFormat(options_.Value) || options_.Value == -1) {
        options_.Value = static_cast<std::int16_t>(chosen);
    }
    options_.Remove = chkRemove_->isChecked();
    options_.Copy = chkCopy_->isChecked();
    options_.Upper = optUpper_->isChecked();
    SaveOptions(options_, settings_);
    accept();
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // not bound to Cancel
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velmor
