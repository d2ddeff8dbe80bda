#include "core/grid_geometry.h"

namespace velmor {

CellRect CellRectIn(const GridShape& shape, std::int32_t index) {
    const std::int32_t c = index % kGridColumns;
    const std::int32_t r = index / kGridColumns;
    const std::int32_t left = 20 * c + 3;
    const std::int32_t top = shape.rowPitch * r + 3;
    return CellRect{left, top, left + 13, top + shape.cellHeight - 1};
}

CellRect BasicCellRect(std::int32_t index) {
    return CellRectIn(kBasicShape, index);
}
CellRect AdditionalCellRect(std::int32_t index) {
    return CellRectIn(kAdditionalShape, index);
}
CellRect SafetyCellRect(std::int32_t index) {
    return CellRectIn(kSafetyShape, index);
}

std::int16_t CellAt(const GridShape& shape, double x, double y) {
    for (std::int16_t i = 0; i < shape.cellCount; ++i) {
        const CellRect r = CellRectIn(shape, i);
        if (r.left - 4 < x && x < r.right + 4 && r.top - 4 < y && y < r.bottom + 4) return i;
    }
    return -1;
}

std::int16_t PaletteKeyMove(const GridShape& shape, std::int16_t index, GridKey key) {
    const std::int32_t n = shape.cellCount;
    // Rows rounded up to whole rows of 16, so Up and Down wrap per column.
    const std::int32_t span = (n + kGridColumns - 1) / kGridColumns * kGridColumns;
    std::int32_t i = index;
    switch (key) {
        case GridKey::Left:
            i = i - 1 < 0 ? n - 1 : i - 1;
            break;
        case GridKey::Right:
            i = i + 1 > n - 1 ? 0 : i + 1;
            break;
        case GridKey::Up:
            i -= kGridColumns;
            if (i < 0) i += span;
            if (i >= n) i -= kGridColumns;
            break;
        case GridKey::Down:
            i += kGridColumns;
            if (i > n - 1) i -= span;
            if (i < 0) i += kGridColumns;
            break;
    }
    return static_cast<std::int16_t>(i);
}

std::int16_t FavoritesKeyMove(std::int16_t index, std::int16_t last, GridKey key) {
    const std::int32_t l = last;
    const std::int32_t q = l / kGridColumns;
    std::int32_t i = index;
    switch (key) {
        case GridKey::Left:
            if (l >= 1) i = i - 1 < 0 ? l : i - 1;
            break;
        case GridKey::Right:
            if (l >= 1) i = i + 1 > l ? 0 : i + 1;
            break;
        case GridKey::Up:
            if (l >= kGridColumns) {
                i -= kGridColumns;
                if (i < 0) {
                    i += kGridColumns * q;
                    if (i + kGridColumns <= l) i += kGridColumns;
                }
            }
            break;
        case GridKey::Down:
            if (l >= kGridColumns) {
                i += kGridColumns;
                if (i > l) {
                    i -= kGridColumns * q;
                    if (i >= kGridColumns) i -= kGridColumns;
                }
            }
            break;
    }
    return static_cast<std::int16_t>(i);
}

}  // namespace velmor
