#include "ui/main/named_colors_page.h"

#include <QCheckBox>
#include <QLineEdit>

#include "core/color_tables.h"
#include "core/value_formatter.h"
#include "ui/main/color_grid.h"
#include "ui/main/tab_control.h"

namespace velmor {

NamedColorsPage::NamedColorsPage(const AppOptions& options, QWidget* parent) : ColorPage(parent) {
    const ColorTables& tables = ColorTables::Instance();
    AddCaption(QStringLiteral("Basic:"), 240, 480);
    pic1_ = AddGrid(new ColorGrid(kBasicShape, options, this), QStringLiteral("pic1"), 240, 720,
                    4815, 330);
    pic1_->SetCells(tables.BasicHex());
    AddCaption(QStringLiteral("Additional:"), 240, 1200);
    pic2_ = AddGrid(new ColorGrid(kAdditionalShape, options, this), QStringLiteral("pic2"), 240,
                    1440, 4815, 2445);
    pic2_->SetCells(tables.AdditionalHex());

    AddCaption(QStringLiteral("Color:"), 240, 4200);
    txtNames_ = AddLine(AddFrame(840, 4080, 2535, 495), QStringLiteral("Black (#000000)"));
    txtNames_->setObjectName(QStringLiteral("txtNames"));
    chkNames_ = new QCheckBox(QStringLiteral("&Use color names"), this);
    TabControl::Place(chkNames_, 840, 4800, 1575, 255);
    chkNames_->setChecked(true);
    toolbar_ = AddPaletteToolbar(3480, 4080, 1695, 1215);

    connect(pic1_, &ColorGrid::cellPressed, this, [this](int hit) {
        DrawBasicGrid(static_cast<std::int16_t>(hit));
        DrawAdditionalGrid(-1);
    });
    connect(pic2_, &ColorGrid::cellPressed, this, [this](int hit) {
        DrawBasicGrid(-1);
        DrawAdditionalGrid(static_cast<std::int16_t>(hit));
    });
    connect(pic1_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawBasicGrid(static_cast<std::int16_t>(index)); });
    connect(pic2_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawAdditionalGrid(static_cast<std::int16_t>(index)); });
    for (ColorGrid* grid : {pic1_, pic2_}) {
        connect(grid, &ColorGrid::doubleClicked, this,
                [this] { emit addToFavorites(txtNames_->text()); });
    }
    connect(chkNames_, &QCheckBox::toggled, this, [this](bool checked) {
        txtNames_->setText(
            QString::fromStdString(SwapNameLine(txtNames_->text().toStdString(), checked)));
    });
}

void NamedColorsPage::DrawBasicGrid(std::int16_t selection) {
    pic1_->Draw(selection);
    ShowNamedCell(pic1_, selection, true);
}

void NamedColorsPage::DrawAdditionalGrid(std::int16_t selection) {
    pic2_->Draw(selection);
    ShowNamedCell(pic2_, selection, false);
}

void NamedColorsPage::ShowNamedCell(const ColorGrid* grid, std::int16_t selection, bool basic) {
    if (selection < 0 || selection >= grid->CellCount()) return;
    const ColorTables& tables = ColorTables::Instance();
    const auto index = static_cast<std::size_t>(selection);
    const std::string& hex = grid->CellHex(selection);
    const std::string& name = basic ? tables.BasicNames()[index] : tables.AdditionalNames()[index];
    txtNames_->setText(QString::fromStdString(velmor::NameLine(name, hex, chkNames_->isChecked())));
    emit showColor(QString::fromStdString("#" + hex), QString::fromStdString(name));
}

}  // namespace velmor
