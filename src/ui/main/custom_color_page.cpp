#include "ui/main/custom_color_page.h"

#include <QColorDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/color_codec.h"
#include "core/text.h"
#include "ui/main/converter.h"
#include "ui/main/tab_control.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/look.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

// A colour bar: Right and Up raise it, as its thumb moves right (a scroll
// bar's keys run the other way), and it shows when it has the keyboard.
class ColorBar : public QScrollBar {
  public:
    explicit ColorBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
        setInvertedControls(false);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (hasFocus()) DrawFocusFrame(this);
    }
};

std::optional<QColor> AskQtColorDialog(const QColor& initial, QWidget* parent) {
    QColorDialog dialog(initial, parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedColor();
}

}  // namespace

CustomColorPage::CustomColorPage(QWidget* parent) : ColorPage(parent), chooser_(AskQtColorDialog) {
    const QString captions[] = {QStringLiteral("Red:"), QStringLiteral("Green:"),
                                QStringLiteral("Blue:")};
    const int tops[] = {600, 1080, 1560};
    for (int i = 0; i < 3; ++i) {
        const auto n = static_cast<std::size_t>(i);
        QLabel* caption = AddCaption(captions[i], 240, tops[i]);
        bars_[n] = new ColorBar(this);
        bars_[n]->setAccessibleName(QString(captions[i]).remove(QLatin1Char(':')));
        bars_[n]->setObjectName(QStringLiteral("bar%1").arg(i));
        bars_[n]->setRange(0, 255);
        bars_[n]->setSingleStep(1);
        bars_[n]->setPageStep(20);
        // Tab and a click give a bar the keyboard; a click ends a converter edit.
        bars_[n]->setFocusPolicy(Qt::StrongFocus);
        TabControl::Place(bars_[n], 960, tops[i], 3495, 255);
        valueBoxes_[n] = new TextLine(QStringLiteral("0"), this);
        valueBoxes_[n]->setObjectName(QStringLiteral("valueBox%1").arg(i));
        valueBoxes_[n]->setMaxLength(3);
        valueBoxes_[n]->setAccessibleName(
            tr("%1 value").arg(QString(captions[i]).remove(QLatin1Char(':'))));
        caption->setBuddy(bars_[n]);
        valueBoxes_[n]->installEventFilter(this);
        TabControl::Place(valueBoxes_[n], 4530, tops[i], 495, 285);
        connect(bars_[n], &QScrollBar::valueChanged, this, [this, i] { BarMoved(i); });
        connect(valueBoxes_[n], &QLineEdit::textChanged, this, [this, i] { Typed(i); });
    }
    AddCaption(QStringLiteral("Preview:"), 240, 2040);
    preview_ = new PictureBox(this);
    preview_->setObjectName(QStringLiteral("preview"));
    TabControl::Place(preview_, 960, 2040, 975, 975);
    preview_->SetBackColor(Qt::black);
    preview_->FillWith(Qt::black);
    dialogButton_ = new QPushButton(QStringLiteral("Open Color Dialog ..."), this);
    TabControl::Place(dialogButton_, 2400, 2040, 2055, 345);
    connect(dialogButton_, &QPushButton::clicked, this, &CustomColorPage::OpenColorDialog);

    QLabel* caption = AddCaption(QStringLiteral("Color:"), 240, 3240);
    QFrame* lineFrame = AddFrame(960, 3120, 1575, 495);
    customLine_ = AddLine(caption, lineFrame, QStringLiteral("#000000"));
    customLine_->setObjectName(QStringLiteral("customLine"));
    customLine_->setFocusPolicy(Qt::NoFocus);
    customLine_->setGeometry(8, (lineFrame->height() - 19) / 2, 89, 19);
    QPalette face = customLine_->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    customLine_->setPalette(face);

    // A little left of where it was drawn, so it ends before the converter.
    AddCaption(QStringLiteral("Calculate:"), 150, 3840);
    converter_ = new Converter(this);
    TabControl::Place(converter_, 960, 3720, 4095, 1455);
    // Six pixels shorter than drawn, so it no longer overlaps the converter's frame.
    toolbar_ = AddPaletteToolbar([this] { return chosen_; },
                                 [this] { return QString::fromStdString(chosen_.Html()); }, 3420,
                                 3060, 1815, 645);
}

bool CustomColorPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Only printable characters other than digits are cancelled: Delete,
        // Backspace, Tab, arrows, Home and End keep working.
        if (!key->text().isEmpty() && key->text().at(0).isPrint() &&
            DigitKeyFilter(static_cast<std::int16_t>(key->text().at(0).unicode())) == 0) {
            return true;
        }
    }
    return ColorPage::eventFilter(watched, event);
}

void CustomColorPage::BarMoved(int index) {
    valueBoxes_[static_cast<std::size_t>(index)]->setText(QString::number(Bar(index)->value()));
    Compose();
}

void CustomColorPage::Typed(int index) {
    const QString text = valueBoxes_[static_cast<std::size_t>(index)]->text();
    if (text.isEmpty()) return;
    std::int32_t n = ParseInt16(text.toStdString()).value_or(0);
    if (n > 255) n = 255;
    if (n < 0) return;  // the bar refuses a negative value
    Bar(index)->setValue(n);
}

void CustomColorPage::Compose() {
    const int r = Bar(0)->value();
    const int g = Bar(1)->value();
    const int b = Bar(2)->value();
    if (const auto color = MakeColor(r, g, b)) preview_->FillWith(ToQColor(*color));
    chosen_ = Color::From8(r, g, b);
    customLine_->setText(QString::fromStdString(chosen_.Html()));
    emit colorChosen(chosen_, QString());
}

void CustomColorPage::OpenColorDialog() {
    const std::optional<QColor> chosen = chooser_(ToQColor(chosen_), window());
    if (!chosen || !chosen->isValid()) return;
    Bar(0)->setValue(chosen->red());
    Bar(1)->setValue(chosen->green());
    Bar(2)->setValue(chosen->blue());
}

}  // namespace velmor
