#pragma once

#include <cstdint>

namespace velmor {

// The source rectangle a magnifier copies around the cursor and the size it
// stretches it to, so that every source pixel becomes a zoom x zoom block.
struct MagnifierSource {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t destWidth = 0;
    std::int32_t destHeight = 0;
    friend bool operator==(const MagnifierSource&, const MagnifierSource&) = default;
};

MagnifierSource MagnifierSourceRect(std::int32_t cursorX, std::int32_t cursorY,
                                    std::int32_t innerWidth, std::int32_t innerHeight,
                                    std::int32_t zoom);

// Where the red square around the cursor's pixel starts, on both axes.
std::int32_t RedSquareOrigin(std::int32_t innerWidth, std::int32_t zoom);

// The grid lines' two greys tile from the magnifier's origin.
inline bool IsDarkGridPixel(std::int32_t x, std::int32_t y) {
    return (x + y) % 2 == 0;
}

// The pointer step of an arrow key: Shift beats Alt, Alt beats Ctrl.
std::int32_t PickerKeyStep(bool ctrl, bool alt, bool shift);

enum class PanelCorner { LeftTop, RightTop, LeftDown, RightDown };

struct PanelPosition {
    std::int32_t left = 0;
    std::int32_t top = 0;
    friend bool operator==(const PanelPosition&, const PanelPosition&) = default;
};

// The panel in a corner of the window, one pixel from both edges.
PanelPosition PanelCornerPosition(PanelCorner corner, std::int32_t windowWidth,
                                  std::int32_t windowHeight, std::int32_t panelWidth,
                                  std::int32_t panelHeight);

inline constexpr std::int16_t kHistoryCells = 28;
inline std::int16_t NextHistoryCell(std::int16_t index) {
    return static_cast<std::int16_t>((index + 1) % kHistoryCells);
}

}  // namespace velmor
