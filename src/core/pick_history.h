#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/color.h"

namespace velmor {

inline constexpr int kHistoryCells = 28;

// The picker's 28 history cells: a ring the picks fill in turn (the 29th
// pick takes the first cell again). An empty cell shows white. It outlives
// one opening of the picker and is kept in the settings between runs.
class PickHistory {
  public:
    static constexpr int kCells = kHistoryCells;

    const std::optional<Color>& Cell(int cell) const {
        return cells_[static_cast<std::size_t>(cell)];
    }
    // What a cell shows: its colour, or white when it is empty.
    Color Shown(int cell) const { return Cell(cell).value_or(Color::From8(255, 255, 255)); }
    int Next() const { return next_; }

    // Fills the next cell; returns the cell filled.
    int Add(const Color& color);
    // Takes a colour out: the later picks move up one cell each, so the ring
    // keeps its order, and the last of them becomes empty. False for an
    // empty cell or one out of range.
    bool Remove(int cell);

    // The picks oldest first, "RRGGBB" each, or 12 digits where a colour has
    // more than 8 bits a channel, separated by commas.
    std::string ToText() const;
    // Reads that text; what cannot be read is left out, beyond 28 the oldest.
    static PickHistory FromText(std::string_view text);

    friend bool operator==(const PickHistory&, const PickHistory&) = default;

  private:
    // How many cells hold a pick, and the oldest one.
    int Count() const;
    int Oldest() const { return (next_ - Count() + kCells) % kCells; }

    std::array<std::optional<Color>, kCells> cells_{};
    int next_ = 0;
};

}  // namespace velmor
