#include "ui/main/safety_page.h"

#include <QLineEdit>

#include "core/color_tables.h"
#include "ui/main/color_grid.h"

namespace velmor {

SafetyPage::SafetyPage(const AppOptions& options, QWidget* parent) : ColorPage(parent) {
    safetyGrid_ = AddGrid(new ColorGrid(kSafetyShape, options, this), QStringLiteral("safetyGrid"),
                          240, 480, 4815, 4035);
    safetyGrid_->SetCells(ColorTables::Instance().SafetyColors());
    safetyGrid_->setAccessibleName(tr("Web-safe colors"));
    QLabel* caption = AddCaption(QStringLiteral("Color:"), 240, 4680);
    safeLine_ = AddLine(caption, AddFrame(840, 4560, 2415, 495), chosenText_);
    safeLine_->setObjectName(QStringLiteral("safeLine"));
    toolbar_ = AddPaletteToolbar([this] { return chosen_; }, [this] { return chosenText_; }, 3360,
                                 4560, 1815, 735);

    connect(safetyGrid_, &ColorGrid::cellPressed, this,
            [this](int hit) { DrawSafetyGrid(static_cast<std::int16_t>(hit)); });
    connect(safetyGrid_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawSafetyGrid(static_cast<std::int16_t>(index)); });
    connect(safetyGrid_, &ColorGrid::doubleClicked, this,
            [this] { emit addToFavoritesRequested(chosen_); });
}

void SafetyPage::MarkColor(const Color& color) {
    const std::int16_t cell = safetyGrid_->CellOf(color);
    safetyGrid_->Draw(cell);
    chosen_ = color;
    chosenText_ =
        cell >= 0
            ? QString::fromStdString("#" + ColorTables::Instance().SafetyHex()[std::size_t(cell)])
            : QString();
    safeLine_->setText(chosenText_);
}

void SafetyPage::DrawSafetyGrid(std::int16_t selection) {
    safetyGrid_->Draw(selection);
    if (selection < 0 || selection >= safetyGrid_->CellCount()) return;
    chosen_ = safetyGrid_->CellColor(selection);
    const auto index = static_cast<std::size_t>(selection);
    chosenText_ = QString::fromStdString("#" + ColorTables::Instance().SafetyHex()[index]);
    safeLine_->setText(chosenText_);
    emit colorChosen(chosen_, QString());
}

}  // namespace velmor
