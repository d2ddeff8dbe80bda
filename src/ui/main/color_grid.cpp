#include "ui/main/color_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "ui/widgets/arrow_keys.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

const QColor kCellRing(128, 128, 128);

}  // namespace

ColorGrid::ColorGrid(const GridShape& shape, const AppOptions& options, QWidget* parent)
    : PictureBox(parent), shape_(shape), options_(options) {
    setFocusPolicy(Qt::StrongFocus);
}

void ColorGrid::SetCells(std::vector<Color> colors) {
    cells_ = std::move(colors);
    colors_.clear();
    colors_.reserve(cells_.size());
    for (const Color& c : cells_) colors_.push_back(ToQColor(c));
}

GridShape ColorGrid::Shape() const {
    GridShape shape = shape_;
    shape.cellCount = static_cast<std::int16_t>(std::min(DrawnCellCount(), 32767));
    return shape;
}

void ColorGrid::DrawCell(int index, bool selected) {
    const CellRect r = CellRectIn(shape_, index);
    const QColor& color = colors_[static_cast<std::size_t>(index)];
    FillBox(r.left - 3, r.top - 3, r.right + 3, r.bottom + 3, selected ? Qt::black : BackColor());
    BoxOutline(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1, selected ? Qt::white : kCellRing);
    FillBox(r.left, r.top, r.right, r.bottom, color);
}

void ColorGrid::Draw(std::int16_t selection) {
    if (ClearsBeforeDraw()) Clear();
    for (int i = 0; i < DrawnCellCount(); ++i) DrawCell(i, false);
    if (selection >= 0 && selection < DrawnCellCount()) DrawCell(selection, true);
    selection_ = selection;
    Refresh();
}

std::int16_t ColorGrid::CellAt(QPointF point) const {
    return velmor::CellAt(Shape(), point.x(), point.y());
}

std::int16_t ColorGrid::MoveFrom(std::int16_t index, GridKey key) const {
    return PaletteKeyMove(Shape(), index, key);
}

void ColorGrid::mousePressEvent(QMouseEvent* event) {
    const std::int16_t hit = CellAt(event->position());
    if (hit >= 0) emit cellPressed(hit);
}

void ColorGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click may come only as this event; the
    // pressed cell is selected before the double click is reported.
    mousePressEvent(event);
    emit doubleClicked();
}

void ColorGrid::keyPressEvent(QKeyEvent* event) {
    if (options_.keyboardOff || selection_ < 0 || selection_ >= DrawnCellCount()) {
        event->ignore();
        return;
    }
    const std::optional<GridKey> key = ArrowKeyOf(event->key());
    if (!key) {
        event->ignore();
        return;
    }
    const std::int16_t next = MoveFrom(selection_, *key);
    if (next != selection_) emit keyMoved(next);
}

FavoritesGrid::FavoritesGrid(const AppOptions& options, QWidget* parent)
    : ColorGrid(kSafetyShape, options, parent) {}

int FavoritesGrid::DrawnCellCount() const {
    return std::min(CellCount(), int(kFavoritesGridCells));
}

std::int16_t FavoritesGrid::MoveFrom(std::int16_t index, GridKey key) const {
    return FavoritesKeyMove(index, static_cast<std::int16_t>(DrawnCellCount() - 1), key);
}

}  // namespace velmor
