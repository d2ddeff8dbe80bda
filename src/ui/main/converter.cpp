#include "ui/main/converter.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include "core/color_codec.h"
#include "core/text.h"
#include "platform/picture_box.h"
#include "platform/qt_color.h"
#include "platform/twips.h"

namespace velmor {

namespace {

QString Decimal(std::int32_t value) {
    return QString::number(value);
}

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
    auto box = [this](const QString& name, const QString& text, QRect geometry) {
        auto* line = new QLineEdit(text, this);
        line->setObjectName(name);
        line->setGeometry(geometry);
        line->installEventFilter(this);
        return line;
    };
    caption(QStringLiteral("HTML Value:"), 240, 240);
    htmlBox_ =
        box(QStringLiteral("htmlBox"), QStringLiteral("#000000"), TwipsRect(1440, 240, 1455, 285));
    caption(QStringLiteral("Long Value:"), 240, 600);
    longBox_ = box(QStringLiteral("longBox"), QStringLiteral("0"), TwipsRect(1440, 600, 1455, 285));
    caption(QStringLiteral("RGB Value:"), 240, 960);
    const int lefts[] = {1440, 2280, 3120};
    for (int i = 0; i < 3; ++i) {
        componentBoxes_[static_cast<std::size_t>(i)] =
            box(QStringLiteral("componentBox%1").arg(i), QStringLiteral("0"),
                TwipsRect(lefts[i], 960, 615, 285));
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
            if (watched == htmlBox_) {
                HtmlLeft();
            } else if (watched == longBox_) {
                LongLeft();
            } else {
                ComponentLeft();
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

std::optional<std::int32_t> Converter::LongNumber() const {
    return ParseInt32(Utf8(longBox_));
}

void Converter::FillPreview(std::optional<std::int32_t> number) {
    // A number outside the colours leaves the preview as it was.
    if (number && *number >= 0 && *number <= 0xFFFFFF) preview_->FillWith(ToQColor(*number));
}

void Converter::ShowComponents(std::optional<std::int32_t> number) {
    if (!number) return;
    const Components c = SplitColor(*number);
    componentBoxes_[0]->setText(Decimal(c.red));
    componentBoxes_[1]->setText(Decimal(c.green));
    componentBoxes_[2]->setText(Decimal(c.blue));
}

void Converter::ShowHtmlFromComponents() {
    if (const auto html = ColorToHtml(Utf8(componentBoxes_[0]), Utf8(componentBoxes_[1]), Utf8(componentBoxes_[2]))) {
        htmlBox_->setText(QString::fromStdString(*html));
    }
}

void Converter::HtmlLeft() {
    std::string text(TrimSpaces(Utf8(htmlBox_)));
    if (!text.empty() && text.front() == '#') text.erase(0, 1);
    longBox_->setText(Decimal(HtmlToColor(text)));
    const auto number = LongNumber();
    FillPreview(number);
    ShowComponents(number);
}

void Converter::LongLeft() {
    const auto number = LongNumber();
    FillPreview(number);
    ShowComponents(number);
    ShowHtmlFromComponents();
}

void Converter::ComponentLeft() {
    const auto r = ParseInt16(Utf8(componentBoxes_[0]));
    const auto g = ParseInt16(Utf8(componentBoxes_[1]));
    const auto b = ParseInt16(Utf8(componentBoxes_[2]));
    if (r && g && b) {
        if (const auto color = MakeColor(*r, *g, *b)) longBox_->setText(Decimal(*color));
    }
    FillPreview(LongNumber());
    ShowHtmlFromComponents();
}

}  // namespace velmor
