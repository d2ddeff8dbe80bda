#include "ui/dialogs/contrast_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/current_color.h"
#include "core/color_design.h"
#include "core/color_parse.h"
#include "core/color_spaces.h"
#include "core/vision.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

constexpr int kSwatchSize = 24;

struct Threshold {
    const char* text;
    double ratio;
};

// WCAG 2.x success criteria 1.4.3, 1.4.6 and 1.4.11.
constexpr Threshold kThresholds[] = {{QT_TRANSLATE_NOOP("Contrast", "AA, normal text"), 4.5},
                                     {QT_TRANSLATE_NOOP("Contrast", "AA, large text"), 3.0},
                                     {QT_TRANSLATE_NOOP("Contrast", "AAA, normal text"), 7.0},
                                     {QT_TRANSLATE_NOOP("Contrast", "AAA, large text"), 4.5},
                                     {QT_TRANSLATE_NOOP("Contrast", "User interface parts"), 3.0}};

constexpr const char* kVisionNames[] = {
    QT_TRANSLATE_NOOP("Contrast", "Protanopia (no red cones)"),
    QT_TRANSLATE_NOOP("Contrast", "Deuteranopia (no green cones)"),
    QT_TRANSLATE_NOOP("Contrast", "Tritanopia (no blue cones)"),
    QT_TRANSLATE_NOOP("Contrast", "Achromatopsia (no color)")};

void ShowSampleIn(QLabel* label, const QColor& text, const QColor& background) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

}  // namespace

ContrastWindow::ContrastWindow(CurrentColor& current, QWidget* parent)
    : QWidget(parent, Qt::Dialog), current_(current) {
    setWindowTitle(tr("Contrast"));
    CloseOnEscape(this);
    auto* layout = new QVBoxLayout(this);
    auto* colours = new QGridLayout;
    first_ = new TextLine(this);
    second_ = new TextLine(QStringLiteral("#FFFFFF"), this);
    firstSwatch_ = PictureBox::Swatch(kSwatchSize, this);
    secondSwatch_ = PictureBox::Swatch(kSwatchSize, this);
    auto* firstLabel = new QLabel(tr("&First color:"), this);
    firstLabel->setBuddy(first_);
    auto* secondLabel = new QLabel(tr("&Second color:"), this);
    secondLabel->setBuddy(second_);
    colours->addWidget(firstLabel, 0, 0);
    colours->addWidget(first_, 0, 1);
    colours->addWidget(firstSwatch_, 0, 2);
    colours->addWidget(secondLabel, 1, 0);
    colours->addWidget(second_, 1, 1);
    colours->addWidget(secondSwatch_, 1, 2);
    auto* swap = new QPushButton(tr("S&wap"), this);
    colours->addWidget(swap, 0, 3, 2, 1);
    layout->addLayout(colours);

    auto* follow = new QHBoxLayout;
    follow->addWidget(new QLabel(tr("Grids and the picker set:"), this));
    followFirst_ = new QRadioButton(tr("the f&irst color"), this);
    followSecond_ = new QRadioButton(tr("the s&econd color"), this);
    followFirst_->setChecked(true);
    follow->addWidget(followFirst_);
    follow->addWidget(followSecond_);
    follow->addStretch();
    layout->addLayout(follow);

    ratio_ = new QLabel(this);
    QFont big = ratio_->font();
    // The font may be sized in pixels (the program's own) or in points.
    if (big.pixelSize() > 0) {
        big.setPixelSize(qRound(big.pixelSize() * 1.6));
    } else {
        big.setPointSizeF(big.pointSizeF() * 1.6);
    }
    big.setBold(true);
    ratio_->setFont(big);
    layout->addWidget(ratio_);
    auto* verdicts = new QFormLayout;
    for (const Threshold& t : kThresholds) {
        // Each criterion before its result, so a reader keeps them paired.
        auto* criterion = new QLabel(tr("%1 (%2:1):").arg(tr(t.text)).arg(t.ratio), this);
        auto* verdict = new QLabel(this);
        criterion->setBuddy(verdict);
        verdict->setAccessibleDescription(criterion->text());
        verdicts_.push_back(verdict);
        verdicts->addRow(criterion, verdict);
    }
    layout->addLayout(verdicts);
    // Where normal text fails: the nearest first colour that passes, found
    // by its OKLCH lightness alone.
    auto* suggested = new QGridLayout;
    const double levels[] = {4.5, 7.0};
    for (std::size_t i = 0; i < suggestions_.size(); ++i) {
        Suggested& s = suggestions_[i];
        const int row = static_cast<int>(i);
        s.ratio = levels[i];
        s.swatch = PictureBox::Swatch(kSwatchSize, this);
        s.text = new QLabel(this);
        s.text->setWordWrap(true);
        s.take = new QPushButton(i == 0 ? tr("&Use for AA") : tr("U&se for AAA"), this);
        s.take->setAutoDefault(false);
        connect(s.take, &QPushButton::clicked, this, [this, row] { TakeSuggestion(row); });
        suggested->addWidget(s.swatch, row, 0);
        suggested->addWidget(s.text, row, 1);
        suggested->addWidget(s.take, row, 2);
    }
    suggested->setColumnStretch(1, 1);
    layout->addLayout(suggested);
    sample_ = new QLabel(tr("The quick brown fox jumps over the lazy dog. 0123456789"), this);
    sample_->setAutoFillBackground(true);
    sample_->setMargin(12);
    sample_->setWordWrap(true);
    layout->addWidget(sample_);

    // The pair as people with a colour-vision deficiency see it.
    auto* seenTitle = new QLabel(tr("As seen with:"), this);
    layout->addWidget(seenTitle);
    auto* seen = new QGridLayout;
    for (std::size_t i = 0; i < seen_.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* name = new QLabel(tr(kVisionNames[i]), this);
        seen_[i].ratio = new QLabel(this);
        seen_[i].ratio->setObjectName(QStringLiteral("seenRatio%1").arg(row));
        seen_[i].sample = new QLabel(tr("Sample text"), this);
        seen_[i].sample->setAutoFillBackground(true);
        seen_[i].sample->setMargin(4);
        name->setBuddy(seen_[i].ratio);
        seen_[i].ratio->setAccessibleDescription(name->text());
        seen_[i].sample->setAccessibleName(tr("Sample as seen with %1").arg(name->text()));
        seen->addWidget(name, row, 0);
        seen->addWidget(seen_[i].ratio, row, 1);
        seen->addWidget(seen_[i].sample, row, 2);
    }
    seen->setColumnStretch(2, 1);
    layout->addLayout(seen);
    auto* simulated =
        new QLabel(tr("Simulations: Machado, Oliveira and Fernandes (2009) for red and green, "
                      "Brettel, Viénot and Mollon (1997) for blue. People see in many ways; "
                      "these show the commonest full deficiencies."),
                   this);
    // In the text colour: the placeholder's grey fails the contrast this window asks for.
    simulated->setWordWrap(true);
    layout->addWidget(simulated);

    first_->setText(current_.Text());
    connect(first_, &QLineEdit::textChanged, this, &ContrastWindow::Update);
    connect(second_, &QLineEdit::textChanged, this, &ContrastWindow::Update);
    connect(swap, &QPushButton::clicked, this, &ContrastWindow::Swap);
    connect(&current_, &CurrentColor::changed, this, &ContrastWindow::CurrentChanged);
    Update();
}

void ContrastWindow::CurrentChanged() {
    (followSecond_->isChecked() ? second_ : first_)->setText(current_.Text());
}

void ContrastWindow::TakeSuggestion(int level) {
    const std::optional<Color>& color = Suggestion(level).color;
    if (!color) return;
    if (followFirst_->isChecked()) {
        current_.Set(*color);
    } else {
        first_->setText(QString::fromStdString(color->Html()));
    }
}

void ContrastWindow::Suggest(const Color& first, const Color& second, double ratio) {
    for (Suggested& s : suggestions_) {
        const bool fails = ratio < s.ratio;
        s.color = fails ? SuggestContrast(first, second, s.ratio) : std::nullopt;
        s.swatch->setVisible(s.color.has_value());
        s.text->setVisible(fails);
        s.take->setVisible(s.color.has_value());
        if (!fails) continue;
        if (s.color) {
            s.swatch->FillOutlined(ToQColor(*s.color));
            const QString hex = QString::fromStdString(s.color->Html());
            s.text->setText(tr("%1 reaches %2:1: the nearest first color that does (ΔE00 %3)")
                                .arg(hex)
                                .arg(s.ratio)
                                .arg(QString::number(DeltaE(first, *s.color), 'f', 1)));
        } else {
            s.text->setText(
                tr("No lightness of the first color reaches %1:1 on the second.").arg(s.ratio));
        }
        s.take->setAccessibleDescription(s.text->text());
    }
}

void ContrastWindow::Swap() {
    const QString first = first_->text();
    first_->setText(second_->text());
    second_->setText(first);
}

QString ContrastWindow::Verdicts() const {
    QStringList lines;
    for (const QLabel* v : verdicts_) lines << v->text();
    return lines.join(QLatin1Char('\n'));
}

void ContrastWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SayRatio();
}

void ContrastWindow::SayRatio() {
    if (!verdicts_.front()->text().isEmpty()) Announce(this, ratio_->text() + ". " + Summary());
}

std::vector<QLabel*> ContrastWindow::Samples() const {
    std::vector<QLabel*> samples{sample_};
    for (const Seen& s : seen_) samples.push_back(s.sample);
    return samples;
}

QString ContrastWindow::Summary() const {
    QStringList passed;
    QStringList failed;
    for (std::size_t i = 0; i < verdicts_.size(); ++i) {
        (verdicts_[i]->text() == tr("Pass") ? passed : failed) << tr(kThresholds[i].text);
    }
    QStringList parts;
    if (!passed.isEmpty()) parts << tr("Passes %1").arg(passed.join(QStringLiteral("; ")));
    if (!failed.isEmpty()) parts << tr("fails %1").arg(failed.join(QStringLiteral("; ")));
    return parts.join(QStringLiteral(". "));
}

void ContrastWindow::Update() {
    // Any notation the program writes or reads: #abc, rgb(), oklch(), a name...
    const auto read = [](const QLineEdit* field) -> std::optional<Color> {
        const auto parsed = ParseColor(field->text().toStdString());
        if (!parsed) return std::nullopt;
        return Color::From8(parsed->color.To8());
    };
    const auto a = read(first_);
    const auto b = read(second_);
    // What is no colour shows none: no swatch, no sample of an earlier pair.
    const QColor none = palette().color(QPalette::Window);
    firstSwatch_->FillWith(a ? ToQColor(*a) : none);
    secondSwatch_->FillWith(b ? ToQColor(*b) : none);
    if (!a || !b) {
        ratio_->setText(tr("Type two colors: #RRGGBB, rgb(), oklch(), a name..."));
        for (QLabel* v : verdicts_) v->clear();
        for (QLabel* sample : Samples()) {
            ShowSampleIn(sample, palette().color(QPalette::WindowText), none);
            sample->setEnabled(false);
        }
        for (const Seen& s : seen_) s.ratio->clear();
        for (const Suggested& s : suggestions_) {
            for (QWidget* w : std::initializer_list<QWidget*>{s.swatch, s.text, s.take}) w->hide();
        }
        return;
    }
    for (QLabel* sample : Samples()) sample->setEnabled(true);
    const auto ratioText = [](double ratio) {
        return QString::fromStdString(ContrastRatioText(ratio));
    };
    const double ratio = ContrastRatio(a->To8(), b->To8());
    ratio_->setText(tr("Contrast ratio %1:1").arg(ratioText(ratio)));
    for (std::size_t i = 0; i < verdicts_.size(); ++i) {
        verdicts_[i]->setText(ratio >= kThresholds[i].ratio ? tr("Pass") : tr("Fail"));
    }
    ShowSampleIn(sample_, ToQColor(*a), ToQColor(*b));
    Suggest(*a, *b, ratio);
    for (std::size_t i = 0; i < seen_.size(); ++i) {
        const Color seenA = SeenWith(kVisions[i], *a);
        const Color seenB = SeenWith(kVisions[i], *b);
        seen_[i].ratio->setText(tr("%1:1").arg(ratioText(ContrastRatio(seenA, seenB))));
        ShowSampleIn(seen_[i].sample, ToQColor(seenA), ToQColor(seenB));
    }
    if (isVisible()) SayRatio();
}

}  // namespace velmor
