#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace velmor {

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

struct DeviceRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool Contains(DevicePoint p) const {
        return p.x >= x && p.y >= y && p.x - x < width && p.y - y < height;
    }
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// One monitor of a capture: where its pixels lie in the captured image, and
// how many of them one logical pixel of its surface spans.
struct Monitor {
    DeviceRect device;
    double ratio = 1.0;
    // Where the desktop places it, in logical pixels; empty where unknown.
    DeviceRect layout{};
};

// The capture pixel under a position given in logical pixels from the
// monitor's surface origin; nothing when it falls off the monitor. Positions
// that carry a device coordinate scaled down (1.5 x 2/3) snap back to it
// instead of rounding down to the pixel before.
std::optional<DevicePoint> MapPointer(const Monitor& monitor, double localX, double localY);

// The index of the monitor that shows a capture pixel, or -1.
int MonitorAt(const std::vector<Monitor>& monitors, DevicePoint point);

// The point an arrow key moves to. It stays on a monitor: a step that would
// leave every monitor stops at the edge of the one it starts on. A step off
// one monitor goes on where the desktop's layout puts the next one, to the
// device pixel under the same logical point (outputs of different scales
// do not share device rows); without a layout, by device pixels.
DevicePoint StepPointer(const std::vector<Monitor>& monitors, DevicePoint from, std::int32_t dx,
                        std::int32_t dy);

// The centre of a capture pixel in logical pixels from its monitor's origin,
// where a pointer placed in logical pixels hits that pixel.
struct LogicalPoint {
    double x = 0;
    double y = 0;
};
LogicalPoint SurfacePoint(const Monitor& monitor, DevicePoint point);

// A logical rectangle of a surface in capture pixels: the pixels it covers.
DeviceRect DeviceArea(const Monitor& monitor, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height);

// Outputs captured one by one, each in its own device pixels, laid out in one
// picture: each stands at its logical position times the highest ratio, so
// none overlaps and the usual layouts (the sharper output first) stay
// side by side.
struct OutputShot {
    DeviceRect logical;  // where the desktop places the output
    std::int32_t deviceWidth = 0;
    std::int32_t deviceHeight = 0;
};
struct OutputLayout {
    std::vector<Monitor> monitors;  // in the order of the shots
    std::int32_t width = 0;
    std::int32_t height = 0;
};
// The scale a compositor renders an output at, from its device and logical
// sizes: the simplest fraction that gives that logical size (1280x800 shown
// as 853x533 is 1.5, not 1280/853), as the compositor truncated or rounded it.
double OutputScale(const OutputShot& shot);

// The ratio of a monitor whose full-screen surface the compositor configured
// at `surfaceWidth` x `surfaceHeight` logical pixels, where that differs from
// what the monitor's layout said: mutter's default layout reports integer-scaled
// outputs at their device size but configures surfaces at a fraction of it.
// Nothing when the size is the one expected, or cannot be a scaled view of the
// monitor (no size, or sides that disagree on the ratio).
std::optional<double> ConfiguredRatio(const Monitor& monitor, std::int32_t surfaceWidth,
                                      std::int32_t surfaceHeight);

// Nothing for shots that cannot be laid out (no size, or a picture whose two
// sides disagree on the ratio, as a rotated output's would).
std::optional<OutputLayout> LayOutOutputs(const std::vector<OutputShot>& shots);

}  // namespace velmor
