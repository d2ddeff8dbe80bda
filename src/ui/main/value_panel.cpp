#include "ui/main/value_panel.h"

#include "app/current_color.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/color_names.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/copied_note.h"
#include "ui/widgets/look.h"
#include "ui/widgets/twips.h"

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

ValuePanel::ValuePanel(const CurrentColor& current, const AppOptions& options, QWidget* parent)
    : QFrame(parent), current_(current), options_(options) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    setGeometry(TwipsRect(kPanelLeft, kPanelTop, 3255, 5370));
    const QIcon copyIcon = Artwork::Icon("copy");
    // A right click anywhere on the panel offers the current colour's menu;
    // the panel says so, as nothing else on screen would.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { emit colorMenuRequested(mapToGlobal(at)); });
    for (int row = 0; row < kValueFormatCount; ++row) {
        const int index = kVisualOrder[static_cast<std::size_t>(row)];
        const auto i = static_cast<std::size_t>(index);
        const int top = 360 + 360 * row;

        captions_[i] = new QLabel(QString::fromUtf8(ValueFormatCaption(index).data()), this);
        // Wider than drawn, so "Delphi Format:" clears its box and RGB(255,255,255) fits.
        captions_[i]->setGeometry(InPanel(5640, top, 1140, 285));
        captions_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const QString name = captions_[i]->text().remove(QLatin1Char(':')).trimmed();

        valueRows_[i] = new TextLine(this);  // the current colour fills it
        valueRows_[i]->setObjectName(QStringLiteral("valueRow%1").arg(index));
        valueRows_[i]->setGeometry(InPanel(6810, top, 1620, 285));
        valueRows_[i]->setReadOnly(true);
        valueRows_[i]->setAccessibleName(name);
        captions_[i]->setBuddy(valueRows_[i]);
        valueRows_[i]->setContextMenuPolicy(Qt::NoContextMenu);
        QPalette white = valueRows_[i]->palette();
        white.setColor(QPalette::Base, Qt::white);
        white.setColor(QPalette::Text, Qt::black);
        valueRows_[i]->setPalette(white);

        copyButtons_[i] = new QToolButton(this);
        copyButtons_[i]->setObjectName(QStringLiteral("copyButton%1").arg(index));
        copyButtons_[i]->setGeometry(InPanel(8460, top, 285, 285));
        copyButtons_[i]->setIcon(copyIcon);
        copyButtons_[i]->setIconSize(QSize(14, 14));
        copyButtons_[i]->setToolTip(tr("Copy to Clipboard"));
        copyButtons_[i]->setAccessibleName(tr("Copy %1").arg(name));
        // Reached by Tab and taken by a click, so a click ends a converter edit.
        copyButtons_[i]->setFocusPolicy(Qt::StrongFocus);
        connect(copyButtons_[i], &QToolButton::clicked, this, [this, index] { CopyRow(index); });
    }
}

void ValuePanel::ShowColor() {
    const FormattedColor formatted =
        FormatColor(current_.Value(), current_.Name().toStdString(), options_.upperCase);
    for (std::size_t i = 0; i < valueRows_.size(); ++i) {
        QLineEdit* row = valueRows_[i];
        texts_[i] = QString::fromStdString(formatted.texts[i]);
        ShowFitted(row, texts_[i]);
    }
    toolTipStale_ = true;
    if (QAccessible::isActive()) WriteToolTip();
}

void ValuePanel::WriteToolTip() {
    setToolTip(QString::fromStdString(DescribeByName(current_.Value())) + QLatin1Char('\n') +
               tr("Right-click for Copy as: CSS notations and your templates"));
    toolTipStale_ = false;
}

bool ValuePanel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTipStale_) WriteToolTip();
    return QFrame::event(event);
}

QString ValuePanel::RowText(int index) const {
    return IsValueFormat(index) ? texts_[static_cast<std::size_t>(index)] : QString();
}

void ValuePanel::CopyRow(int index) {
    if (IsValueFormat(index)) CopyAndSay(RowText(index), CopyButton(index));
}

void ValuePanel::CopyChosenValue(Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::ControlModifier)) return;
    // The options promise that Ctrl+C copies nothing while "Copy" is off.
    if (!options_.ctrlCCopies) return;
    if (!IsValueFormat(options_.copiedValue)) return;
    CopyRow(options_.copiedValue);
}

}  // namespace velmor
