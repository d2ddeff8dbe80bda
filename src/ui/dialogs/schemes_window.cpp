#include "ui/dialogs/schemes_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "app/current_color.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

constexpr int kSwatchSize = 22;
constexpr Scheme kLastScheme = Scheme::Tones;

// "split-complementary" as a list shows it: "Split-complementary".
QString ShownName(Scheme scheme) {
    QString name = QString::fromLatin1(SchemeName(scheme));
    name[0] = name[0].toUpper();
    return name;
}

QString StepCaption(Scheme scheme, int step, int steps) {
    const int percent = static_cast<int>(std::lround(100.0 * step / (steps + 1)));
    switch (scheme) {
        case Scheme::Tints:
            return SchemesWindow::tr("%1% toward white").arg(percent);
        case Scheme::Shades:
            return SchemesWindow::tr("%1% toward black").arg(percent);
        default:
            return SchemesWindow::tr("%1% toward gray").arg(percent);
    }
}

}  // namespace

SchemesWindow::SchemesWindow(const CurrentColor& current, QWidget* parent)
    : QWidget(parent, Qt::Dialog), current_(current) {
    setWindowTitle(tr("Schemes"));
    CloseOnEscape(this);
    auto* layout = new QVBoxLayout(this);

    auto* base = new QHBoxLayout;
    auto* baseLabel = new QLabel(tr("Current color:"), this);
    baseSwatch_ = PictureBox::Swatch(kSwatchSize, this);
    baseText_ = new QLabel(this);
    baseText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    baseLabel->setBuddy(baseText_);
    base->addWidget(baseLabel);
    base->addWidget(baseSwatch_);
    base->addWidget(baseText_);
    base->addStretch();
    layout->addLayout(base);

    auto* choice = new QHBoxLayout;
    schemeList_ = new QComboBox(this);
    for (int i = 0; i <= static_cast<int>(kLastScheme); ++i) {
        schemeList_->addItem(ShownName(static_cast<Scheme>(i)), i);
    }
    auto* schemeLabel = new QLabel(tr("&Scheme:"), this);
    schemeLabel->setBuddy(schemeList_);
    steps_ = new QSpinBox(this);
    steps_->setRange(kMinSchemeSteps, kMaxSchemeSteps);
    steps_->setValue(kDefaultSchemeSteps);
    auto* stepsLabel = new QLabel(tr("S&teps:"), this);
    stepsLabel->setBuddy(steps_);
    choice->addWidget(schemeLabel);
    choice->addWidget(schemeList_);
    choice->addSpacing(12);
    choice->addWidget(stepsLabel);
    choice->addWidget(steps_);
    choice->addStretch();
    layout->addLayout(choice);

    // As many rows as the longest scheme; those a scheme does not fill are hidden.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    for (int i = 0; i < kMaxSchemeSteps; ++i) {
        Row row;
        row.swatch = PictureBox::Swatch(kSwatchSize, this);
        row.caption = new QLabel(this);
        row.hex = new QLabel(this);
        row.hex->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row.copy = new QPushButton(tr("Copy"), this);
        row.add = new QPushButton(tr("Add to Favorites"), this);
        for (QPushButton* button : {row.copy, row.add}) button->setAutoDefault(false);
        grid->addWidget(row.swatch, i, 0);
        grid->addWidget(row.hex, i, 1);
        grid->addWidget(row.caption, i, 2);
        grid->addWidget(row.copy, i, 3);
        grid->addWidget(row.add, i, 4);
        connect(row.copy, &QPushButton::clicked, this,
                [this, i] { emit copyRequested(colors_[static_cast<std::size_t>(i)]); });
        connect(row.add, &QPushButton::clicked, this,
                [this, i] { emit addToFavoritesRequested(colors_[static_cast<std::size_t>(i)]); });
        rows_.push_back(row);
    }
    layout->addLayout(grid);
    layout->addStretch();
    auto* method = new QLabel(tr("Hues turn in OKLCH, keeping lightness and chroma where sRGB "
                                 "allows; steps are even in OKLab."),
                              this);
    method->setWordWrap(true);
    layout->addWidget(method);

    connect(schemeList_, &QComboBox::currentIndexChanged, this, &SchemesWindow::Update);
    connect(steps_, &QSpinBox::valueChanged, this, &SchemesWindow::Update);
    connect(&current_, &CurrentColor::changed, this, &SchemesWindow::Update);
    Update();
}

Scheme SchemesWindow::Chosen() const {
    return static_cast<Scheme>(schemeList_->currentData().toInt());
}

void SchemesWindow::ShowScheme(Scheme scheme) {
    schemeList_->setCurrentIndex(schemeList_->findData(static_cast<int>(scheme)));
}

void SchemesWindow::Update() {
    const Color base = current_.Value();
    baseSwatch_->FillOutlined(ToQColor(base));
    baseText_->setText(QString::fromStdString(base.Html()));
    const Scheme scheme = Chosen();
    const bool stepped = SchemeHasSteps(scheme);
    steps_->setEnabled(stepped);
    colors_ = MakeScheme(scheme, base, steps_->value());
    const std::vector<double> turns = SchemeTurns(scheme);
    const int count = static_cast<int>(colors_.size());
    for (int i = 0; i < kMaxSchemeSteps; ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        const bool shown = i < count;
        for (QWidget* w :
             std::initializer_list<QWidget*>{row.swatch, row.caption, row.hex, row.copy, row.add}) {
            w->setVisible(shown);
        }
        if (!shown) continue;
        const Color& color = colors_[static_cast<std::size_t>(i)];
        const QString hex = QString::fromStdString(color.Html());
        row.swatch->FillOutlined(ToQColor(color));
        row.hex->setText(hex);
        row.caption->setText(
            stepped
                ? StepCaption(scheme, i + 1, count)
                : tr("hue %1%2°")
                      .arg(turns[static_cast<std::size_t>(i)] > 0 ? QStringLiteral("+") : QString())
                      .arg(turns[static_cast<std::size_t>(i)]));
        row.swatch->setAccessibleName(SpokenColor(color));
        row.copy->setAccessibleName(tr("Copy %1").arg(hex));
        row.add->setAccessibleName(tr("Add %1 to Favorites").arg(hex));
        row.copy->setAccessibleDescription(row.caption->text());
        row.add->setAccessibleDescription(row.caption->text());
    }
    if (isVisible()) adjustSize();
}

}  // namespace velmor
