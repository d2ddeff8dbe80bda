#pragma once

#include <string>

#include "ui/main/color_page.h"

class QCheckBox;

namespace velmor {

// "Named Colors": the basic and additional grids sharing one name line.
class NamedColorsPage : public ColorPage {
    Q_OBJECT

  public:
    NamedColorsPage(const AppOptions& options, QWidget* parent = nullptr);

    void DrawBasicGrid(std::int16_t selection);
    void DrawAdditionalGrid(std::int16_t selection);
    // Selects the cell of `color`, if a table has it, without making it current.
    void MarkColor(const Color& color);

    ColorGrid* BasicGrid() const { return basicGrid_; }
    ColorGrid* AdditionalGrid() const { return additionalGrid_; }
    QLineEdit* NameLine() const { return nameLine_; }
    QCheckBox* NamesFirst() const { return namesFirst_; }
    ImageToolbar* Toolbar() const { return toolbar_; }

  private:
    // The chosen colour as the line shows it: the page's opening text until
    // a colour is chosen or the arrangement changes.
    QString ChosenText() const;
    void ShowNamedCell(const ColorGrid* grid, std::int16_t selection, bool basic);
    // Records a cell as chosen and shows it on the line; false for no cell.
    bool ChooseCell(const ColorGrid* grid, std::int16_t selection, bool basic);

    ColorGrid* basicGrid_;
    ColorGrid* additionalGrid_;
    QLineEdit* nameLine_;
    Color chosen_;
    std::string chosenHex_ = "000000";  // as the table writes it
    std::string chosenName_ = "Black";
    bool anyChosen_ = false;
    QCheckBox* namesFirst_;
    ImageToolbar* toolbar_;
};

}  // namespace velmor
