#include "ui/main/named_colors_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "core/color_tables.h"
#include "core/value_formatter.h"
#include "ui/main/color_grid.h"
#include "ui/main/tab_control.h"
#include "ui/widgets/look.h"

namespace velmor {

NamedColorsPage::NamedColorsPage(const AppOptions& options, QWidget* parent) : ColorPage(parent) {
    const ColorTables& tables = ColorTables::Instance();
    AddCaption(QStringLiteral("Basic:"), 240, 480);
    basicGrid_ = AddGrid(new ColorGrid(kBasicShape, options, this), QStringLiteral("basicGrid"),
                         240, 720, 4815, 330);
    basicGrid_->SetCells(tables.BasicColors(), tables.BasicNames());
    basicGrid_->setAccessibleName(tr("Basic colors"));
    AddCaption(QStringLiteral("Additional:"), 240, 1200);
    additionalGrid_ = AddGrid(new ColorGrid(kAdditionalShape, options, this),
                              QStringLiteral("additionalGrid"), 240, 1440, 4815, 2445);
    additionalGrid_->SetCells(tables.AdditionalColors(), tables.AdditionalNames());
    additionalGrid_->setAccessibleName(tr("Additional colors"));

    QLabel* caption = AddCaption(QStringLiteral("Color:"), 240, 4200);
    nameLine_ = AddLine(caption, AddFrame(840, 4080, 2535, 495), ChosenText());
    nameLine_->setObjectName(QStringLiteral("nameLine"));
    namesFirst_ = new QCheckBox(QStringLiteral("&Use color names"), this);
    // Wider than drawn: the check box's own text needs 108 pixels here.
    TabControl::Place(namesFirst_, 840, 4800, 1680, 255);
    namesFirst_->setChecked(true);
    toolbar_ = AddPaletteToolbar([this] { return chosen_; }, [this] { return ChosenText(); }, 3480,
                                 4080, 1695, 1215);

    connect(basicGrid_, &ColorGrid::cellPressed, this, [this](int hit) {
        DrawBasicGrid(static_cast<std::int16_t>(hit));
        DrawAdditionalGrid(-1);
    });
    connect(additionalGrid_, &ColorGrid::cellPressed, this, [this](int hit) {
        DrawBasicGrid(-1);
        DrawAdditionalGrid(static_cast<std::int16_t>(hit));
    });
    connect(basicGrid_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawBasicGrid(static_cast<std::int16_t>(index)); });
    connect(additionalGrid_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawAdditionalGrid(static_cast<std::int16_t>(index)); });
    for (ColorGrid* grid : {basicGrid_, additionalGrid_}) {
        connect(grid, &ColorGrid::doubleClicked, this,
                [this] { emit addToFavoritesRequested(chosen_); });
    }
    connect(namesFirst_, &QCheckBox::toggled, this, [this] {
        anyChosen_ = true;
        ShowFitted(nameLine_, ChosenText());
    });
}

QString NamedColorsPage::ChosenText() const {
    if (!anyChosen_) return QStringLiteral("Black (#000000)");
    return QString::fromStdString(
        velmor::NameLine(chosenName_, chosenHex_, namesFirst_->isChecked()));
}

void NamedColorsPage::DrawBasicGrid(std::int16_t selection) {
    basicGrid_->Draw(selection);
    ShowNamedCell(basicGrid_, selection, true);
}

void NamedColorsPage::DrawAdditionalGrid(std::int16_t selection) {
    additionalGrid_->Draw(selection);
    ShowNamedCell(additionalGrid_, selection, false);
}

void NamedColorsPage::ShowNamedCell(const ColorGrid* grid, std::int16_t selection, bool basic) {
    if (!ChooseCell(grid, selection, basic)) return;
    emit colorChosen(chosen_, QString::fromStdString(chosenName_));
}

void NamedColorsPage::MarkColor(const Color& color) {
    const std::int16_t basic = basicGrid_->CellOf(color);
    const std::int16_t additional = basic >= 0 ? std::int16_t{-1} : additionalGrid_->CellOf(color);
    basicGrid_->Draw(basic);
    additionalGrid_->Draw(additional);
    if (ChooseCell(basicGrid_, basic, true) || ChooseCell(additionalGrid_, additional, false))
        return;
    // A color of no table: nothing is selected, and the line names nothing.
    chosen_ = color;
    nameLine_->clear();
}

bool NamedColorsPage::ChooseCell(const ColorGrid* grid, std::int16_t selection, bool basic) {
    if (selection < 0 || selection >= grid->CellCount()) return false;
    const ColorTables& tables = ColorTables::Instance();
    const auto index = static_cast<std::size_t>(selection);
    chosen_ = grid->CellColor(selection);
    chosenHex_ = basic ? tables.BasicHex()[index] : tables.AdditionalHex()[index];
    chosenName_ = basic ? tables.BasicNames()[index] : tables.AdditionalNames()[index];
    anyChosen_ = true;
    ShowFitted(nameLine_, ChosenText());
    return true;
}

}  // namespace velmor
