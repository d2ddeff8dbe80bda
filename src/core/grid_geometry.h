#pragma once

#include <cstdint>

namespace velmor {

// A cell's colour box in grid pixels; both corners are covered.
struct CellRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The shape of one colour grid: 16 columns, cells 20 pixels apart across.
struct GridShape {
    std::int16_t cellCount = 0;
    std::int32_t rowPitch = 20;    // 20, or 19 for the safety and favourites grids
    std::int32_t cellHeight = 14;  // 14, or 13 where rows are 19 apart
};

inline constexpr int kGridColumns = 16;
inline constexpr GridShape kBasicShape{16, 20, 14};
inline constexpr GridShape kAdditionalShape{124, 20, 14};
inline constexpr GridShape kSafetyShape{216, 19, 13};
// The favourites grid shows at most this many cells (14 rows of 16).
inline constexpr std::int16_t kFavoritesGridCells = 224;

CellRect CellRectIn(const GridShape& shape, std::int32_t index);
CellRect BasicCellRect(std::int32_t index);
CellRect AdditionalCellRect(std::int32_t index);
CellRect SafetyCellRect(std::int32_t index);

// First cell whose slot strictly contains the point, or -1.
std::int16_t CellAt(const GridShape& shape, double x, double y);

enum class GridKey { Left, Right, Up, Down };

// Moves of the fixed palette grids: wrap at the ends, and Up/Down wrap to the
// lowest or first row that has a cell in the same column.
std::int16_t PaletteKeyMove(const GridShape& shape, std::int16_t index, GridKey key);

// Moves of the favourites grid over cells 0..last.
std::int16_t FavoritesKeyMove(std::int16_t index, std::int16_t last, GridKey key);

}  // namespace velmor
