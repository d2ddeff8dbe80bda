#pragma once

#include <QColor>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "core/color.h"
#include "core/grid_geometry.h"
#include "ui/widgets/picture_box.h"

namespace velmor {

// One grid of colour cells: draws the cells and the selection frame into its
// retained image, hit-tests the mouse and turns arrow keys into moves. What a
// selection means is up to its owner, which redraws it through Draw().
class ColorGrid : public PictureBox {
    Q_OBJECT

  public:
    ColorGrid(const GridShape& shape, const AppOptions& options, QWidget* parent = nullptr);

    // The cells' colours, and their names where a table gives them; the
    // others are named by the tables when they can be.
    void SetCells(std::vector<Color> colors, const std::vector<std::string>& names = {});
    int CellCount() const { return static_cast<int>(cells_.size()); }
    const Color& CellColor(int index) const { return cells_[static_cast<std::size_t>(index)]; }
    // The first cell of `color`, or -1.
    std::int16_t CellOf(const Color& color) const;
    // What a reader says and a tooltip shows of a cell: "DarkOrange, #FF8C00".
    const QString& CellLabel(int index) const { return labels_[static_cast<std::size_t>(index)]; }
    QRect CellArea(int index) const;
    // The cells that are drawn, hit and reached by the keys.
    int DrawnCells() const { return DrawnCellCount(); }

    // Redraws every cell, marks the selected one (none for -1) and stores it.
    void Draw(std::int16_t selection);
    std::int16_t Selection() const { return selection_; }
    std::int16_t CellAt(QPointF point) const;
    // Where the keys start while no cell is selected: the cell of this colour
    // when the grid has it, else the first.
    void StartKeysAt(std::function<Color()> color) { startColor_ = std::move(color); }

  signals:
    void cellPressed(int index);
    void keyMoved(int index);
    void doubleClicked();
    // A context menu: for the cell under the pointer (none off the cells),
    // or from the keyboard for the selected cell, else the start colour.
    void menuRequested(const std::optional<velmor::Color>& color, QPoint globalPosition);

  protected:
    virtual std::int16_t MoveFrom(std::int16_t index, GridKey key) const;
    virtual bool ClearsBeforeDraw() const { return false; }
    // The cells that are drawn, hit and reached by the keys.
    virtual int DrawnCellCount() const { return CellCount(); }
    GridShape Shape() const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void DrawPending() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void DrawCell(int index, bool selected);
    bool HasSelection() const { return selection_ >= 0 && selection_ < DrawnCellCount(); }
    std::int16_t StartCell() const;

    GridShape shape_;
    const AppOptions& options_;
    std::vector<Color> cells_;
    std::vector<QColor> colors_;  // the same, as drawn
    std::vector<QString> labels_;
    std::int16_t selection_ = -1;
    bool drawPending_ = false;
    std::function<Color()> startColor_;
};

// The favourites' grid: its cells follow the list, up to the 224 that fit.
class FavoritesGrid : public ColorGrid {
    Q_OBJECT

  public:
    FavoritesGrid(const AppOptions& options, QWidget* parent = nullptr);

  protected:
    std::int16_t MoveFrom(std::int16_t index, GridKey key) const override;
    bool ClearsBeforeDraw() const override { return true; }
    int DrawnCellCount() const override;
};

}  // namespace velmor
