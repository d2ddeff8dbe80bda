#include "core/magnifier.h"

#include <algorithm>
#include <iterator>

namespace velmor {

namespace {

std::int32_t CeilDiv(std::int32_t a, std::int32_t b) {
    return (a + b - 1) / b;
}

}  // namespace

MagnifierSource MagnifierSourceRect(std::int32_t cursorX, std::int32_t cursorY,
                                    std::int32_t innerWidth, std::int32_t innerHeight,
                                    std::int32_t zoom) {
    MagnifierSource s;
    // floor(W / 2 / zoom) for the non-negative sizes a box has.
    s.x = cursorX - innerWidth / 2 / zoom;
    s.y = cursorY - innerHeight / 2 / zoom;
    s.width = CeilDiv(innerWidth, zoom);
    s.height = CeilDiv(innerHeight, zoom);
    s.destWidth = s.width * zoom;
    s.destHeight = s.height * zoom;
    return s;
}

std::int32_t RedSquareOrigin(std::int32_t innerWidth, std::int32_t zoom) {
    return innerWidth / 2 / zoom * zoom;
}

std::int32_t ZoomStep(std::int32_t zoom, int steps) {
    // Fine steps where a step changes much, coarse where it changes little.
    static constexpr std::int32_t kLevels[] = {2,  3,  4,  5,  6,  7,  8,  9,
                                               10, 12, 14, 16, 20, 24, 28, 32};
    constexpr int kCount = static_cast<int>(std::size(kLevels));
    int index = 0;
    while (index < kCount - 1 && kLevels[index] < zoom) ++index;
    // A zoom between two levels counts as the lower one when going up.
    if (steps > 0 && kLevels[index] > zoom) --index;
    if (steps < 0 && kLevels[index] < zoom) ++index;
    index = std::clamp(index + steps, 0, kCount - 1);
    return kLevels[index];
}

std::int32_t AreaStep(std::int32_t area, int steps) {
    const std::int32_t odd = std::clamp(area - (area + 1) % 2, 1, kMaxArea);
    return std::clamp(odd + 2 * steps, 1, kMaxArea);
}

MagnifierSquare AreaOutline(std::int32_t innerWidth, std::int32_t zoom, std::int32_t area) {
    const std::int32_t reach = area / 2 * zoom;
    return {RedSquareOrigin(innerWidth, zoom) - reach, area * zoom};
}

std::int32_t PickerKeyStep(bool ctrl, bool alt, bool shift) {
    std::int32_t step = 1;
    if (ctrl) step = 5;
    if (alt) step = 2;
    if (shift) step = 10;
    return step;
}

PanelPosition PanelCornerPosition(PanelCorner corner, std::int32_t windowWidth,
                                  std::int32_t windowHeight, std::int32_t panelWidth,
                                  std::int32_t panelHeight) {
    constexpr std::int32_t kMargin = 1;
    const std::int32_t right = windowWidth - panelWidth - kMargin;
    const std::int32_t bottom = windowHeight - panelHeight - kMargin;
    switch (corner) {
        case PanelCorner::LeftTop:
            return {kMargin, kMargin};
        case PanelCorner::RightTop:
            return {right, kMargin};
        case PanelCorner::LeftDown:
            return {kMargin, bottom};
        case PanelCorner::RightDown:
            return {right, bottom};
    }
    return {kMargin, kMargin};
}

}  // namespace velmor
