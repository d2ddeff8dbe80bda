#include "ui/main/color_grid.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "core/color_tables.h"
#include "ui/main/color_grid_accessible.h"
#include "ui/widgets/look.h"

#include "ui/widgets/arrow_keys.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

const QColor kCellRing(128, 128, 128);

}  // namespace

ColorGrid::ColorGrid(const GridShape& shape, const AppOptions& options, QWidget* parent)
    : PictureBox(parent), shape_(shape), options_(options) {
    setFocusPolicy(Qt::StrongFocus);
    ColorGridAccessible::Install();
}

void ColorGrid::SetCells(std::vector<Color> colors, const std::vector<std::string>& names) {
    cells_ = std::move(colors);
    colors_.clear();
    colors_.reserve(cells_.size());
    labels_.clear();
    labels_.reserve(cells_.size());
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const Color& c = cells_[i];
        colors_.push_back(ToQColor(c));
        std::string name = i < names.size() ? names[i] : std::string();
        if (name.empty()) name = ColorName(c);
        const QString hex = QString::fromStdString(c.Html());
        labels_.push_back(name.empty() ? hex : QString::fromStdString(name) + ", " + hex);
    }
}

std::int16_t ColorGrid::CellOf(const Color& color) const {
    const auto found = std::find(cells_.begin(), cells_.end(), color);
    return found == cells_.end() ? std::int16_t{-1}
                                 : static_cast<std::int16_t>(found - cells_.begin());
}

QRect ColorGrid::CellArea(int index) const {
    const CellRect r = CellRectIn(shape_, index);
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

GridShape ColorGrid::Shape() const {
    GridShape shape = shape_;
    shape.cellCount = static_cast<std::int16_t>(std::min(DrawnCellCount(), 32767));
    return shape;
}

void ColorGrid::DrawCell(int index, bool selected) {
    const CellRect r = CellRectIn(shape_, index);
    const QColor& color = colors_[static_cast<std::size_t>(index)];
    // A band two pixels wide (black around the selected cell), the ring, the colour.
    const QRgb band = selected ? qRgb(0, 0, 0) : BackColor().rgb();
    const QRgb ring = selected ? qRgb(255, 255, 255) : kCellRing.rgb();
    FillFramed(r.left, r.top, r.right, r.bottom, {band, band, ring}, color.rgb());
}

void ColorGrid::Draw(std::int16_t selection) {
    selection_ = selection;
    // A grid on a hidden page is drawn when it is first shown: most never are
    // in a run, and start-up draws every grid more than once.
    drawPending_ = true;
    if (isVisible()) {
        DrawPending();
        Refresh();
    }
    if (selection >= 0 && selection < DrawnCellCount() && QAccessible::isActive()) {
        // A reader announces the colour the arrows or a click moved to, once.
        QAccessibleEvent moved(this, hasFocus() ? QAccessible::Focus : QAccessible::Selection);
        moved.setChild(selection);
        QAccessible::updateAccessibility(&moved);
    }
}

void ColorGrid::DrawPending() {
    if (!drawPending_) return;
    drawPending_ = false;
    if (ClearsBeforeDraw()) Canvas().fill(BackColor());
    for (int i = 0; i < DrawnCellCount(); ++i) DrawCell(i, false);
    if (selection_ >= 0 && selection_ < DrawnCellCount()) DrawCell(selection_, true);
}

bool ColorGrid::event(QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() != QContextMenuEvent::Keyboard) {
            const std::int16_t cell = CellAt(menu->pos());
            emit menuRequested(cell >= 0 ? std::optional(CellColor(cell)) : std::nullopt,
                               menu->globalPos());
        } else if (HasSelection()) {
            emit menuRequested(CellColor(selection_), mapToGlobal(CellArea(selection_).center()));
        } else if (startColor_) {
            // Never a cell nobody chose.
            emit menuRequested(startColor_(), mapToGlobal(rect().center()));
        }
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::int16_t cell = CellAt(help->pos());
        if (cell >= 0) {
            QToolTip::showText(help->globalPos(), CellLabel(cell), this, CellArea(cell));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return PictureBox::event(event);
}

void ColorGrid::paintEvent(QPaintEvent* event) {
    PictureBox::paintEvent(event);
    if (hasFocus()) DrawFocusFrame(this);
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

std::int16_t ColorGrid::StartCell() const {
    const std::int16_t cell = startColor_ ? CellOf(startColor_()) : std::int16_t{-1};
    return cell >= 0 && cell < DrawnCellCount() ? cell : std::int16_t{0};
}

void ColorGrid::keyPressEvent(QKeyEvent* event) {
    const int last = DrawnCellCount() - 1;
    const int key = event->key();
    const std::optional<GridKey> arrow = ArrowKeyOf(key);
    const bool starts = arrow || key == Qt::Key_Space || key == Qt::Key_Home;
    std::int16_t next = -1;
    if (options_.keyboardOff || last < 0) {
        // No keys wanted, or no cell to go to.
    } else if (!HasSelection()) {
        // The first key a grid with no selection takes selects a cell.
        if (starts) next = StartCell();
    } else if (arrow) {
        next = MoveFrom(selection_, *arrow);
    } else if (key == Qt::Key_Home || key == Qt::Key_End) {
        next = static_cast<std::int16_t>(key == Qt::Key_Home ? 0 : last);
    } else if (key == Qt::Key_Space) {
        next = selection_;
    }
    if (next < 0) {
        event->ignore();
        return;
    }
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
