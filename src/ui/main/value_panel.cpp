#include "ui/main/value_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "platform/artwork.h"
#include "platform/clipboard.h"
#include "platform/twips.h"

namespace velmor {

namespace {

// Rows from the top, by format index: RGB Format sits under the B value.
constexpr std::array<int, kValueFormatCount> kVisualOrder = {0, 1, 2, 3,  4,  9,  5,
                                                             6, 7, 8, 10, 11, 12, 13};
// The panel's own corner in the window, in twips.
constexpr int kPanelLeft = 5520;
constexpr int kPanelTop = 165;

QRect InPanel(int left, int top, int width, int height) {
    return TwipsRect(left - kPanelLeft, top - kPanelTop, width, height);
}

}  // namespace

ValuePanel::ValuePanel(const AppOptions& options, QWidget* parent)
    : QFrame(parent), options_(options) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    setGeometry(TwipsRect(kPanelLeft, kPanelTop, 3255, 5370));
    const QIcon copyIcon = Artwork::Icon("copy", "edit-copy");
    for (int row = 0; row < kValueFormatCount; ++row) {
        const int index = kVisualOrder[static_cast<std::size_t>(row)];
        const auto i = static_cast<std::size_t>(index);
        const int top = 360 + 360 * row;

        labelColor_[i] = new QLabel(QString::fromUtf8(ValueFormatCaption(index).data()), this);
        labelColor_[i]->setGeometry(InPanel(5760, top, 1080, 285));
        labelColor_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        tColor_[i] = new QLineEdit(QStringLiteral("#000000"), this);
        tColor_[i]->setObjectName(QStringLiteral("tColor%1").arg(index));
        tColor_[i]->setGeometry(InPanel(6840, top, 1335, 285));
        tColor_[i]->setReadOnly(true);
        QPalette white = tColor_[i]->palette();
        white.setColor(QPalette::Base, Qt::white);
        white.setColor(QPalette::Text, Qt::black);
        tColor_[i]->setPalette(white);

        cmdCopy_[i] = new QToolButton(this);
        cmdCopy_[i]->setObjectName(QStringLiteral("cmdCopy%1").arg(index));
        cmdCopy_[i]->setGeometry(InPanel(8220, top, 285, 285));
        cmdCopy_[i]->setIcon(copyIcon);
        cmdCopy_[i]->setIconSize(QSize(14, 14));
        cmdCopy_[i]->setToolTip(QStringLiteral("Copy to Clipboard"));
        connect(cmdCopy_[i], &QToolButton::clicked, this, [this, index] { CopyRow(index); });
    }
}

void ValuePanel::ShowColor(const QString& colorText, const QString& name) {
    const FormattedColor formatted =
        FormatColor(colorText.toStdString(), name.toStdString(), options_.Upper);
    auto write = [this, &formatted](int index) {
        QLineEdit* row = tColor_[static_cast<std::size_t>(index)];
        row->setText(QString::fromStdString(formatted.texts[static_cast<std::size_t>(index)]));
        row->setCursorPosition(0);
    };
    write(0);
    write(1);
    write(5);
    emit swatchColorChanged(formatted.color);
    for (int index : {2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13}) write(index);
}

QString ValuePanel::RowText(int index) const {
    return IsValueFormat(index) ? tColor_[static_cast<std::size_t>(index)]->text() : QString();
}

void ValuePanel::CopyRow(int index) {
    if (IsValueFormat(index)) PutTextOnClipboard(RowText(index));
}

void ValuePanel::CopyChosenValue(Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::ControlModifier)) return;
    // The options promise that Ctrl+C copies nothing while "Copy" is off.
    if (!options_.Copy) return;
    if (!IsValueFormat(options_.Value)) return;
    CopyRow(options_.Value);
}

}  // namespace velmor
