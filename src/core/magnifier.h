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

// Where the red square around the cursor's pixel starts, on both axes: the
// block that holds the magnifier's middle pixel, so the middle always shows
// the pixel a click picks.
std::int32_t RedSquareOrigin(std::int32_t innerWidth, std::int32_t zoom);

// The magnification: 9 at first, 2 to 32 by the wheel and the + and - keys.
inline constexpr std::int32_t kDefaultZoom = 9;
inline constexpr std::int32_t kMinZoom = 2;
inline constexpr std::int32_t kMaxZoom = 32;
// `steps` levels up (or down) from `zoom`, within 2 to 32; a zoom between
// two levels goes to the next one that way.
std::int32_t ZoomStep(std::int32_t zoom, int steps);
// Below 8 times the grid would hide the picture.
inline bool DrawsGridLines(std::int32_t zoom) {
    return zoom >= 8;
}

// The sample area: 1x1 to 11x11 pixels, odd sides, centred on the pixel.
inline constexpr std::int32_t kMaxArea = 11;
std::int32_t AreaStep(std::int32_t area, int steps);
inline bool IsAreaSize(std::int64_t area) {
    return area >= 1 && area <= kMaxArea && area % 2 == 1;
}

// A square in the magnifier's pixels: the outline of the sample area.
struct MagnifierSquare {
    std::int32_t origin = 0;  // on both axes
    std::int32_t size = 0;    // from the first line to the last, inclusive
    friend bool operator==(const MagnifierSquare&, const MagnifierSquare&) = default;
};
MagnifierSquare AreaOutline(std::int32_t innerWidth, std::int32_t zoom, std::int32_t area);

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

}  // namespace velmor
