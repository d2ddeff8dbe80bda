#include "ui/main/converter.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include "core/converter_steps.h"
#include "core/text.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"
#include "ui/widgets/twips.h"

namespace velmor {

namespace {

std::string Utf8(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

Converter::Converter(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    auto caption = [this](const QString& text, int left, int top) {
        auto* label = new QLabel(text, this);
        label->setGeometry(TwipsRect(left, top, 1200, 285));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    };
    auto box = [this](const QString& name, const QString& text, QRect geometry,
                      const QString& spoken) {
        auto* line = new TextLine(text, this);
        line->setObjectName(name);
        line->setAccessibleName(spoken);
        line->setGeometry(geometry);
        line->installEventFilter(this);
        return line;
    };
    caption(QStringLiteral("HTML Value:"), 240, 240);
    htmlBox_ = box(QStringLiteral("htmlBox"), QStringLiteral("#000000"),
                   TwipsRect(1440, 240, 1455, 285), tr("HTML Value"));
    caption(QStringLiteral("Long Value:"), 240, 600);
    longBox_ = box(QStringLiteral("longBox"), QStringLiteral("0"), TwipsRect(1440, 600, 1455, 285),
                   tr("Long Value"));
    caption(QStringLiteral("RGB Value:"), 240, 960);
    const int lefts[] = {1440, 2280, 3120};
    const QString channels[] = {tr("Red Value"), tr("Green Value"), tr("Blue Value")};
    for (int i = 0; i < 3; ++i) {
        componentBoxes_[static_cast<std::size_t>(i)] =
            box(QStringLiteral("componentBox%1").arg(i), QStringLiteral("0"),
                TwipsRect(lefts[i], 960, 615, 285), channels[i]);
    }
    preview_ = new PictureBox(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setGeometry(TwipsRect(3120, 240, 615, 615));
    preview_->SetBackColor(Qt::black);
    preview_->FillWith(Qt::black);
}

bool Converter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Leaving the box for another control, not the window losing the focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            Leave(watched == htmlBox_   ? ConverterBox::Html
                  : watched == longBox_ ? ConverterBox::Long
                                        : ConverterBox::Component);
        }
    }
    return QFrame::eventFilter(watched, event);
}

void Converter::Leave(ConverterBox box) {
    const ConverterResult result =
        ConverterLeft(box, {Utf8(htmlBox_), Utf8(longBox_), Utf8(componentBoxes_[0]),
                            Utf8(componentBoxes_[1]), Utf8(componentBoxes_[2])});
    auto show = [](QLineEdit* line, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (line->text() != shown) line->setText(shown);
    };
    show(htmlBox_, result.texts.html);
    show(longBox_, result.texts.longValue);
    show(componentBoxes_[0], result.texts.red);
    show(componentBoxes_[1], result.texts.green);
    show(componentBoxes_[2], result.texts.blue);
    if (result.preview) preview_->FillWith(ToQColor(*result.preview));
}

}  // namespace velmor
