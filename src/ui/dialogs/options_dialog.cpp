#include "ui/dialogs/options_dialog.h"

#include "app/options.h"
#include "core/notations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/shortcuts.h"
#include "core/value_formatter.h"
#include "platform/desktop/clipboard.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/look.h"
#include "ui/widgets/twips.h"

namespace velmor {

OptionsDialog::OptionsDialog(Options& options, Desktop& desktop, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent, FixedBorderFlags(Qt::Dialog, false)),
      options_(options),
      desktop_(desktop),
      prompter_(prompter) {
    setWindowTitle(QStringLiteral("Options..."));
    UseLayoutFont(this);
    setWindowIcon(Artwork::Icon("gear"));
    // The four options above, and below them how a pick starts from anywhere.
    setFixedSize(TwipsToPixels(6030), TwipsToPixels(3345 + 1620));

    // Esc cancels and Enter presses OK, as in every dialog of the desktop; no
    // other button takes Enter, so it never restores the defaults.
    okButton_ = MakeCommandButton(QStringLiteral("&OK"), TwipsRect(4680, 120, 1215, 375), this);
    okButton_->setDefault(true);
    cancelButton_ =
        MakeCommandButton(QStringLiteral("&Cancel"), TwipsRect(4680, 600, 1215, 375), this);
    defaultButton_ =
        MakeCommandButton(QStringLiteral("&Default"), TwipsRect(4680, 1080, 1215, 375), this);

    auto* letterCase = new QGroupBox(QStringLiteral("Show letters in"), this);
    letterCase->setGeometry(TwipsRect(1200, 120, 3255, 855));
    upperCase_ = new QRadioButton(QStringLiteral("&Upper case"), letterCase);
    upperCase_->setGeometry(TwipsRect(240, 360, 1335, 255));
    lowerCase_ = new QRadioButton(QStringLiteral("&Lower case"), letterCase);
    lowerCase_->setGeometry(TwipsRect(1680, 360, 1335, 255));

    keyboardOff_ = new QCheckBox(QStringLiteral("Remove keyboard support"), this);
    keyboardOff_->setGeometry(TwipsRect(1200, 1200, 2775, 255));
    auto* keyboardNote =
        new QLabel(QStringLiteral("If the keyboard support may affect your PC running, you "
                                  "may check this item to disable it."),
                   this);
    keyboardNote->setWordWrap(true);
    keyboardNote->setGeometry(TwipsRect(1560, 1560, 3375, 495));
    ctrlCCopies_ =
        new QCheckBox(QStringLiteral("When press \"CTRL+C\", copy which value to clipboard"), this);
    ctrlCCopies_->setGeometry(TwipsRect(1200, 2160, 4335, 255));
    selectLabel_ = new QLabel(QStringLiteral("Select value:"), this);
    selectLabel_->move(TwipsPoint(1560, 2640));
    selectLabel_->adjustSize();
    valueList_ = new QComboBox(this);
    valueList_->setGeometry(TwipsRect(2640, 2640, 2655, 315));
    // The fourteen by number, then the notations and templates by name.
    for (int i = 0; i < kValueFormatCount; ++i) {
        valueList_->addItem(QString::fromUtf8(ValueFormatListItem(i).data()), i);
    }
    for (const NotationRow& row : kNotationTable) {
        valueList_->addItem(QString::fromUtf8(row.menuText.data(), qsizetype(row.menuText.size())),
                            QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
    }
    for (const auto& [name, pattern] : options_.TemplateList()) {
        valueList_->addItem(QString::fromStdString(name), QString::fromStdString(name));
    }
    auto* gearImage = new QLabel(this);
    gearImage->setGeometry(TwipsRect(240, 240, 720, 720));
    gearImage->setPixmap(Artwork::Pixmap("gear", QSize(48, 48)));

    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, upperCase_);
    setTabOrder(upperCase_, lowerCase_);
    setTabOrder(lowerCase_, keyboardOff_);
    setTabOrder(keyboardOff_, ctrlCCopies_);
    setTabOrder(ctrlCCopies_, valueList_);
    BuildShortcutGroup();
    setTabOrder(valueList_, shortcut_);
    setTabOrder(shortcut_, shortcutButton_);
    setTabOrder(shortcutButton_, startWithDesktop_);
    setTabOrder(startWithDesktop_, defaultButton_);

    // The default state, which loading then changes only where the options differ.
    ctrlCCopies_->setChecked(true);
    connect(keyboardOff_, &QCheckBox::toggled, this, &OptionsDialog::RefreshOptionControls);
    connect(ctrlCCopies_, &QCheckBox::toggled, this, &OptionsDialog::RefreshOptionControls);
    connect(okButton_, &QPushButton::clicked, this, &OptionsDialog::Confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaultButton_, &QPushButton::clicked, this, &OptionsDialog::RestoreDefaults);

    (options_.Values().upperCase ? upperCase_ : lowerCase_)->setChecked(true);
    keyboardOff_->setChecked(options_.Values().keyboardOff);
    ctrlCCopies_->setChecked(options_.Values().ctrlCCopies);
    // A number or name outside the list (only from a hand-edited file) shows no item.
    const AppOptions& values = options_.Values();
    if (!values.copiedName.empty()) {
        valueList_->setCurrentIndex(valueList_->findData(QString::fromStdString(values.copiedName),
                                                         Qt::UserRole, Qt::MatchFixedString));
    } else {
        valueList_->setCurrentIndex(IsValueFormat(values.copiedValue) ? values.copiedValue : -1);
    }
    RefreshOptionControls();
    okButton_->setFocus(Qt::OtherFocusReason);
}

void OptionsDialog::BuildShortcutGroup() {
    auto* group = new QGroupBox(QStringLiteral("Pick from anywhere"), this);
    group->setGeometry(TwipsRect(240, 3240, 5655, 1560));
    auto* label = new QLabel(QStringLiteral("S&hortcut:"), group);
    label->setGeometry(TwipsRect(240, 375, 900, 255));
    shortcut_ = new QKeySequenceEdit(
        QKeySequence::fromString(QString::fromStdString(options_.Values().shortcut),
                                 QKeySequence::PortableText),
        group);
    shortcut_->setGeometry(TwipsRect(1200, 330, 2055, 315));
    label->setBuddy(shortcut_);
    // One combination: the first one pressed.
    connect(shortcut_, &QKeySequenceEdit::editingFinished, this, [this] {
        const QKeySequence keys = shortcut_->keySequence();
        if (keys.count() > 1) shortcut_->setKeySequence(QKeySequence(keys[0]));
        ShowShortcutWay();
    });
    shortcutButton_ = MakeCommandButton(QString(), TwipsRect(3360, 300, 2055, 375), group);
    connect(shortcutButton_, &QPushButton::clicked, this, &OptionsDialog::ApplyShortcutWay);
    shortcutNote_ = new QLabel(group);
    shortcutNote_->setWordWrap(true);
    shortcutNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shortcutNote_->setGeometry(TwipsRect(240, 720, 5175, 480));
    startWithDesktop_ = new QCheckBox(QStringLiteral("Start with the desktop"), group);
    startWithDesktop_->setGeometry(TwipsRect(240, 1230, 3255, 255));
    startWithDesktop_->setChecked(desktop_.StartsWithDesktop());
    ShowShortcutWay();
}

QString OptionsDialog::Portable() const {
    return shortcut_->keySequence().toString(QKeySequence::PortableText);
}

void OptionsDialog::ShowShortcutWay() {
    const std::string keys = Portable().toStdString();
    QString note;
    QString button;
    switch (desktop_.Shortcuts()) {
        case ShortcutRoute::X11Grab:
            note =
                tr("Started in the background (Start with the desktop, or "
                   "--background), the program takes this key.");
            break;
        case ShortcutRoute::KdeService:
            note =
                tr("Started in the background, the program takes this key through KDE's "
                   "global shortcuts, where System Settings lists it.");
            break;
        case ShortcutRoute::Portal:
            note =
                tr("Started in the background, the program asks the desktop for this key; "
                   "the desktop asks you to confirm it once.");
            break;
        case ShortcutRoute::GnomeKeybinding:
            note =
                tr("GNOME runs the pick for this key once it is set in its keyboard "
                   "shortcuts.");
            button = tr("&Set in GNOME");
            break;
        case ShortcutRoute::SwayBinding:
            if (const auto sway = SwayKeys(keys)) {
                note = tr("Add to your sway config: bindsym %1 exec velmor-color-picker "
                          "--pick --copy")
                           .arg(QString::fromStdString(*sway));
                button = tr("Copy &Line");
            }
            break;
        case ShortcutRoute::None:
            note =
                tr("This desktop takes no shortcut from the program: bind the key to "
                   "velmor-color-picker --pick --copy in its keyboard settings.");
            break;
    }
    if (note.isEmpty()) note = tr("This key has no name on this desktop: choose another.");
    shortcutNote_->setText(note);
    shortcutButton_->setText(button);
    shortcutButton_->setVisible(!button.isEmpty());
}

void OptionsDialog::ApplyShortcutWay() {
    const std::string keys = Portable().toStdString();
    if (desktop_.Shortcuts() == ShortcutRoute::SwayBinding) {
        PutTextOnClipboard(QStringLiteral("bindsym %1 exec velmor-color-picker --pick --copy")
                               .arg(QString::fromStdString(SwayKeys(keys).value_or(keys))));
        return;
    }
    const std::optional<std::string> accelerator = GnomeAccelerator(keys);
    if (!accelerator) {
        prompter_.ShowStopMessage(this, tr("GNOME has no name for this key: choose another."));
        return;
    }
    if (!prompter_.AskYesNo(
            this, tr("Add %1 to GNOME's keyboard shortcuts, to pick a color "
                     "from anywhere and copy it?")
                      .arg(shortcut_->keySequence().toString(QKeySequence::NativeText)))) {
        return;
    }
    QString why;
    if (desktop_.BindGnomeShortcut(QString::fromStdString(*accelerator), &why)) {
        prompter_.ShowInformation(
            this, tr("GNOME now picks a color when you press %1.")
                      .arg(shortcut_->keySequence().toString(QKeySequence::NativeText)));
    } else {
        prompter_.ShowStopMessage(
            this, tr("GNOME's keyboard shortcuts could not be changed: %1").arg(why));
    }
}

void OptionsDialog::RefreshOptionControls() {
    ctrlCCopies_->setEnabled(!keyboardOff_->isChecked());
    const bool choose = !keyboardOff_->isChecked() && ctrlCCopies_->isChecked();
    selectLabel_->setEnabled(choose);
    valueList_->setEnabled(choose);
}

void OptionsDialog::RestoreDefaults() {
    const AppOptions defaults;
    upperCase_->setChecked(defaults.upperCase);
    keyboardOff_->setChecked(defaults.keyboardOff);
    ctrlCCopies_->setChecked(defaults.ctrlCCopies);
    valueList_->setCurrentIndex(defaults.copiedValue);
    shortcut_->setKeySequence(QKeySequence::fromString(QString::fromStdString(defaults.shortcut),
                                                       QKeySequence::PortableText));
    ShowShortcutWay();
    RefreshOptionControls();
}

void OptionsDialog::Confirm() {
    AppOptions values = options_.Values();
    const int chosen = valueList_->currentIndex();
    const QVariant data = valueList_->currentData();
    if (chosen >= 0 && data.typeId() == QMetaType::QString) {
        values.copiedName = data.toString().toStdString();
    } else if (chosen >= 0 || (values.copiedName.empty() &&
                               (IsValueFormat(values.copiedValue) || values.copiedValue == -1))) {
        // With no item chosen, a number or name the list cannot show is kept as it was.
        values.copiedValue = static_cast<std::int16_t>(chosen);
        values.copiedName.clear();
    }
    values.keyboardOff = keyboardOff_->isChecked();
    values.ctrlCCopies = ctrlCCopies_->isChecked();
    values.upperCase = upperCase_->isChecked();
    values.shortcut = Portable().toStdString();
    if (startWithDesktop_->isChecked() != desktop_.StartsWithDesktop()) {
        QString why;
        if (!desktop_.SetStartWithDesktop(startWithDesktop_->isChecked(), &why)) {
            prompter_.ShowStopMessage(this,
                                      tr("The program cannot start with the desktop: %1").arg(why));
        }
    }
    accept();
    options_.Save(values);
}

}  // namespace velmor
