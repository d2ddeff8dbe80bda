#include "ui/main/safety_page.h"

#include <QLineEdit>

#include "core/color_tables.h"
#include "ui/main/color_grid.h"

namespace velmor {

SafetyPage::SafetyPage(const AppOptions& options, QWidget* parent) : ColorPage(parent) {
    pic3_ = AddGrid(new ColorGrid(kSafetyShape, options, this), QStringLiteral("pic3"), 240, 480,
                    4815, 4035);
    pic3_->SetCells(ColorTables::Instance().SafetyHex());
    AddCaption(QStringLiteral("Color:"), 240, 4680);
    txtSafe_ = AddLine(AddFrame(840, 4560, 2415, 495), QStringLiteral("#000000"));
    txtSafe_->setObjectName(QStringLiteral("txtSafe"));
    toolbar_ = AddPaletteToolbar(3360, 4560, 1815, 735);

    connect(pic3_, &ColorGrid::cellPressed, this,
            [this](int hit) { DrawSafetyGrid(static_cast<std::int16_t>(hit)); });
    connect(pic3_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawSafetyGrid(static_cast<std::int16_t>(index)); });
    connect(pic3_, &ColorGrid::doubleClicked, this,
            [this] { emit addToFavorites(txtSafe_->text()); });
}

void SafetyPage::DrawSafetyGrid(std::int16_t selection) {
    pic3_->Draw(selection);
    if (selection < 0 || selection >= pic3_->CellCount()) return;
    txtSafe_->setText(QString::fromStdString("#" + pic3_->CellHex(selection)));
    emit showColor(txtSafe_->text(), QString());
}

}  // namespace velmor
