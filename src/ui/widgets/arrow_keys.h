#pragma once

#include <QPoint>
#include <Qt>
#include <optional>

#include "core/grid_geometry.h"

namespace velmor {

// The direction of an arrow key, or nothing for any other key.
inline std::optional<GridKey> ArrowKeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return GridKey::Left;
        case Qt::Key_Right:
            return GridKey::Right;
        case Qt::Key_Up:
            return GridKey::Up;
        case Qt::Key_Down:
            return GridKey::Down;
        default:
            return std::nullopt;
    }
}

// One step in that direction, in screen axes.
inline QPoint ArrowDelta(GridKey key, int step) {
    switch (key) {
        case GridKey::Left:
            return QPoint(-step, 0);
        case GridKey::Right:
            return QPoint(step, 0);
        case GridKey::Up:
            return QPoint(0, -step);
        case GridKey::Down:
            return QPoint(0, step);
    }
    return QPoint();
}

}  // namespace velmor
