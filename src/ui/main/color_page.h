#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "core/color.h"

#include "app/options.h"
#include "core/grid_geometry.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace velmor {

class ColorGrid;
class ImageToolbar;

// A tab page of the main window. It reports what the user chose; the window
// makes colours current, adds favourites and copies.
class ColorPage : public QWidget {
    Q_OBJECT

  public:
    explicit ColorPage(QWidget* parent = nullptr);

  signals:
    // The user chose a colour: it becomes current.
    void colorChosen(const velmor::Color& color, const QString& name);
    void addToFavoritesRequested(const velmor::Color& color);
    // The text to copy, as the page's line writes the chosen colour.
    void copyRequested(const QString& text);
    // A right click on a grid: the cell's colour, or none off the cells.
    void colorMenuRequested(const std::optional<velmor::Color>& color, QPoint globalPosition);

  protected:
    // Helpers that place controls by twips relative to the tab control.
    QLabel* AddCaption(const QString& text, int left, int top);
    QFrame* AddFrame(int left, int top, int width, int height);
    // A read-only line inside a frame.
    // A read-only line in FRAME, named and reached by CAPTION.
    QLineEdit* AddLine(QLabel* caption, QFrame* frame, const QString& text);
    // Places a grid of this page.
    template <typename Grid>
    Grid* AddGrid(Grid* grid, const QString& name, int left, int top, int width, int height) {
        PlaceGrid(grid, name, left, top, width, height);
        return grid;
    }
    // The frame with the tab's "Add to Favorites" and "Copy to Clipboard"
    // toolbar: the first adds the page's chosen colour, the second copies it
    // as the page's line writes it.
    ImageToolbar* AddPaletteToolbar(std::function<Color()> chosen,
                                    std::function<QString()> chosenText, int left, int top,
                                    int width, int height);

  private:
    void PlaceGrid(ColorGrid* grid, const QString& name, int left, int top, int width, int height);
};

}  // namespace velmor
