#include "core/pointer_mapper.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace velmor {

namespace {

// Wayland sends positions in 1/256 logical pixel: a pointer on a device
// pixel's edge arrives up to 1/512 logical pixel short of it (0.006 device
// pixels at scale 3). Snapping that much covers it and float rounding, and
// moves no real pointer by anything a person could see.
constexpr double kSnap = 1.0 / 100;

std::int32_t FloorSnapped(double v) {
    return static_cast<std::int32_t>(std::floor(v + kSnap));
}

}  // namespace

std::optional<DevicePoint> MapPointer(const Monitor& monitor, double localX, double localY) {
    if (!std::isfinite(localX) || !std::isfinite(localY) || !(monitor.ratio > 0)) {
        return std::nullopt;
    }
    const double limit = 1e7;  // keeps the conversion to 32 bits defined
    if (std::abs(localX) > limit || std::abs(localY) > limit) return std::nullopt;
    const DevicePoint p{monitor.device.x + FloorSnapped(localX * monitor.ratio),
                        monitor.device.y + FloorSnapped(localY * monitor.ratio)};
    if (!monitor.device.Contains(p)) return std::nullopt;
    return p;
}

int MonitorAt(const std::vector<Monitor>& monitors, DevicePoint point) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].device.Contains(point)) return static_cast<int>(i);
    }
    return -1;
}

namespace {

bool HasLayout(const Monitor& m) {
    return m.layout.width > 0 && m.layout.height > 0 && m.device.width > 0 && m.device.height > 0;
}

// The device pixel of another monitor under the point of the desktop's layout
// that TO, stepped off HOME, stands for; nothing where no monitor lies there.
// Proportions rather than ratios: the layout may be in device pixels
// (mutter's default) while the surfaces are scaled.
std::optional<DevicePoint> AcrossLayout(const std::vector<Monitor>& monitors, int home,
                                        DevicePoint to, std::int32_t dx, std::int32_t dy) {
    const DeviceRect& d = monitors[static_cast<std::size_t>(home)].device;
    const DeviceRect& l = monitors[static_cast<std::size_t>(home)].layout;
    // The pixel's edge it is entered by, along the move; its middle across it.
    const auto entered = [](std::int32_t step) {
        return step > 0 ? 0.0 : step < 0 ? 1.0 - 1e-9 : 0.5;
    };
    const double x = l.x + (to.x - d.x + entered(dx)) * l.width / d.width;
    const double y = l.y + (to.y - d.y + entered(dy)) * l.height / d.height;
    // The pixel of a monitor's SIZE device pixels under OFFSET of its LOGICAL.
    const auto pixel = [](double offset, std::int32_t size, std::int32_t logical) {
        return std::clamp(static_cast<std::int32_t>(std::floor(offset * size / logical)), 0,
                          size - 1);
    };
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Monitor& m = monitors[i];
        const DeviceRect& ml = m.layout;
        if (static_cast<int>(i) == home || !HasLayout(m) || x < ml.x || y < ml.y ||
            x >= ml.x + ml.width || y >= ml.y + ml.height) {
            continue;
        }
        return DevicePoint{m.device.x + pixel(x - ml.x, m.device.width, ml.width),
                           m.device.y + pixel(y - ml.y, m.device.height, ml.height)};
    }
    return std::nullopt;
}

}  // namespace

DevicePoint StepPointer(const std::vector<Monitor>& monitors, DevicePoint from, std::int32_t dx,
                        std::int32_t dy) {
    const DevicePoint to{from.x + dx, from.y + dy};
    int home = MonitorAt(monitors, from);
    if (home >= 0 && HasLayout(monitors[static_cast<std::size_t>(home)])) {
        if (monitors[static_cast<std::size_t>(home)].device.Contains(to)) return to;
        if (const auto across = AcrossLayout(monitors, home, to, dx, dy)) return *across;
    } else if (MonitorAt(monitors, to) >= 0) {
        return to;
    }
    if (home < 0) {
        if (monitors.empty()) return from;
        home = 0;
    }
    const DeviceRect& r = monitors[static_cast<std::size_t>(home)].device;
    if (r.width <= 0 || r.height <= 0) return from;
    return {std::clamp(to.x, r.x, r.x + r.width - 1), std::clamp(to.y, r.y, r.y + r.height - 1)};
}

LogicalPoint SurfacePoint(const Monitor& monitor, DevicePoint point) {
    return {(point.x - monitor.device.x + 0.5) / monitor.ratio,
            (point.y - monitor.device.y + 0.5) / monitor.ratio};
}

DeviceRect DeviceArea(const Monitor& monitor, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height) {
    const auto edge = [&](std::int32_t v) { return FloorSnapped(v * monitor.ratio); };
    const std::int32_t x0 = edge(left);
    const std::int32_t y0 = edge(top);
    return {monitor.device.x + x0, monitor.device.y + y0,
            static_cast<std::int32_t>(std::ceil((left + width) * monitor.ratio - kSnap)) - x0,
            static_cast<std::int32_t>(std::ceil((top + height) * monitor.ratio - kSnap)) - y0};
}

double OutputScale(const OutputShot& s) {
    const double exact = double(s.deviceWidth) / s.logical.width;
    if (s.logical.width < 1 || s.logical.height < 1) return exact;
    // Every scale that truncates or rounds to the logical size on both sides.
    const auto low = [](double device, double logical) { return device / (logical + 1); };
    const auto high = [](double device, double logical) { return device / (logical - 0.5); };
    const double lo =
        std::max(low(s.deviceWidth, s.logical.width), low(s.deviceHeight, s.logical.height));
    const double hi =
        std::min(high(s.deviceWidth, s.logical.width), high(s.deviceHeight, s.logical.height));
    for (int denominator = 1; denominator <= 120; ++denominator) {
        const double numerator = std::floor(lo * denominator) + 1;
        if (numerator / denominator < hi) return numerator / denominator;
    }
    return exact;
}

std::optional<double> ConfiguredRatio(const Monitor& monitor, std::int32_t surfaceWidth,
                                      std::int32_t surfaceHeight) {
    if (surfaceWidth <= 0 || surfaceHeight <= 0 || monitor.device.width <= 0 ||
        monitor.device.height <= 0) {
        return std::nullopt;
    }
    const OutputShot shot{
        {0, 0, surfaceWidth, surfaceHeight}, monitor.device.width, monitor.device.height};
    const double ratio = OutputScale(shot);
    // A rounded fractional size may be a pixel or two off; a different aspect is not this monitor.
    if (std::abs(monitor.device.height - surfaceHeight * ratio) > 2.0) return std::nullopt;
    if (std::abs(ratio - monitor.ratio) < 1e-9) return std::nullopt;
    return ratio;
}

std::optional<OutputLayout> LayOutOutputs(const std::vector<OutputShot>& shots) {
    if (shots.empty()) return std::nullopt;
    std::int64_t left = INT32_MAX;
    std::int64_t top = INT32_MAX;
    double highest = 0;
    std::vector<double> scales;
    for (const OutputShot& s : shots) {
        if (s.logical.width <= 0 || s.logical.height <= 0 || s.deviceWidth <= 0 ||
            s.deviceHeight <= 0) {
            return std::nullopt;
        }
        const double across = OutputScale(s);
        // A fractional scale's logical size is rounded: a pixel or two may differ.
        if (std::abs(s.deviceHeight - s.logical.height * across) > 2.0) {
            return std::nullopt;
        }
        left = std::min<std::int64_t>(left, s.logical.x);
        top = std::min<std::int64_t>(top, s.logical.y);
        highest = std::max(highest, across);
        scales.push_back(across);
    }
    OutputLayout layout;
    std::int64_t width = 0;
    std::int64_t height = 0;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const OutputShot& s = shots[i];
        const std::int64_t x = std::llround((s.logical.x - left) * highest);
        const std::int64_t y = std::llround((s.logical.y - top) * highest);
        width = std::max(width, x + s.deviceWidth);
        height = std::max(height, y + s.deviceHeight);
        if (width > INT32_MAX || height > INT32_MAX) return std::nullopt;
        layout.monitors.push_back({{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                    s.deviceWidth, s.deviceHeight},
                                   scales[i]});
    }
    layout.width = static_cast<std::int32_t>(width);
    layout.height = static_cast<std::int32_t>(height);
    return layout;
}

}  // namespace velmor
