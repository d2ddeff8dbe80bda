#pragma once

#include "ui/main/color_page.h"

namespace velmor {

// "Safety Palette": the 216 web-safe colours.
class SafetyPage : public ColorPage {
    Q_OBJECT

  public:
    SafetyPage(const AppOptions& options, QWidget* parent = nullptr);

    void DrawSafetyGrid(std::int16_t selection);
    // Selects the cell of `color`, if it is web-safe, without making it current.
    void MarkColor(const Color& color);

    ColorGrid* Grid() const { return safetyGrid_; }
    QLineEdit* SafeLine() const { return safeLine_; }
    ImageToolbar* Toolbar() const { return toolbar_; }

  private:
    ColorGrid* safetyGrid_;
    QLineEdit* safeLine_;
    Color chosen_;                                    // the chosen cell
    QString chosenText_ = QStringLiteral("#000000");  // as the line writes it: the table's digits
    ImageToolbar* toolbar_;
};

}  // namespace velmor
