#include "core/pick_session.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace velmor {

PickSession::PickSession(std::vector<Monitor> monitors, std::int32_t width, std::int32_t height,
                         PixelReader read, std::optional<DevicePoint> pointer, bool canWarp,
                         PickHistory history, std::int32_t area)
    : monitors_(std::move(monitors)),
      width_(width),
      height_(height),
      read_(std::move(read)),
      canWarp_(canWarp),
      history_(std::move(history)),
      area_(AreaStep(area, 0)) {
    if (monitors_.empty()) monitors_.push_back({{0, 0, width_, height_}, 1.0});
    const DeviceRect& first = monitors_.front().device;
    point_ = pointer.value_or(DevicePoint{first.x + first.width / 2, first.y + first.height / 2});
    // The sample is the frozen pixel under the pointer, even under the panel.
    if (pointer && pointer->x >= 0 && pointer->y >= 0 && pointer->x < width_ &&
        pointer->y < height_) {
        aim_ = Aim::Pointer;
        sample_ = Read(*pointer);
    }
}

Color PickSession::Read(DevicePoint p) const {
    if (area_ == 1) return read_(p);
    // Only real pixels count: the edge of the screen or the gap between two
    // monitors of different sizes shortens the square.
    std::vector<Color> pixels;
    pixels.reserve(static_cast<std::size_t>(area_ * area_));
    const std::int32_t reach = area_ / 2;
    for (std::int32_t y = p.y - reach; y <= p.y + reach; ++y) {
        for (std::int32_t x = p.x - reach; x <= p.x + reach; ++x) {
            if (OnPicture({x, y})) pixels.push_back(read_({x, y}));
        }
    }
    return MeanInLinearLight(pixels);
}

void PickSession::SetArea(std::int32_t area) {
    area_ = AreaStep(area, 0);
    if (aim_ != Aim::Unknown && !recalled_ && OnPicture(point_)) sample_ = Read(point_);
}

bool PickSession::OnPicture(DevicePoint p) const {
    return MonitorAt(monitors_, p) >= 0 && p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_;
}

bool PickSession::MoveTo(DevicePoint point, Aim aim, const DeviceRect& panel) {
    const bool read = OnPicture(point) && !panel.Contains(point);
    if (!read && aim_ == Aim::Unknown && aim == Aim::Pointer) return false;
    point_ = point;
    aim_ = aim;
    if (read) {
        sample_ = Read(point);
        recalled_ = false;
    }
    return read;
}

DevicePoint PickSession::Stepped(std::int32_t dx, std::int32_t dy) const {
    return StepPointer(monitors_, point_, dx, dy);
}

std::optional<Color> PickSession::Pick() {
    if (aim_ == Aim::Unknown) return std::nullopt;
    selected_ = history_.Add(sample_);
    return sample_;
}

void PickSession::Recall(int cell) {
    if (cell < 0 || cell >= kHistoryCells) return;
    if (aim_ == Aim::Unknown) aim_ = Aim::Keys;
    sample_ = History(cell);
    recalled_ = true;
    selected_ = cell;
}

bool PickSession::RemoveSelected() {
    if (!selected_ || !history_.Remove(*selected_)) return false;
    // The next colour moved into the cell: it stays selected while one did.
    if (!history_.Cell(*selected_)) selected_.reset();
    return true;
}

void PickSession::StartAt(DevicePoint point) {
    if (aim_ == Aim::Unknown && OnPicture(point)) point_ = point;
}

void PickSession::SetRatio(int monitor, double ratio) {
    if (monitor < 0 || monitor >= static_cast<int>(monitors_.size()) || !(ratio > 0)) return;
    monitors_[static_cast<std::size_t>(monitor)].ratio = ratio;
}

std::optional<DevicePoint> PickSession::MarkedPoint() const {
    if (aim_ == Aim::Pointer || (aim_ == Aim::Keys && canWarp_)) return std::nullopt;
    return point_;
}

std::optional<DevicePoint> PickSession::EventPoint(int monitor, double x, double y,
                                                   std::optional<DevicePoint> exact) const {
    if (monitor < 0 || monitor >= static_cast<int>(monitors_.size())) return std::nullopt;
    const Monitor& m = monitors_[static_cast<std::size_t>(monitor)];
    // Rounded to whole logical pixels, the last device pixels lie half a
    // logical pixel past the surface's edge.
    const double right = (m.device.width - 0.5) / m.ratio;
    const double bottom = (m.device.height - 0.5) / m.ratio;
    if (x >= right && x < right + 1) x = right;
    if (y >= bottom && y < bottom + 1) y = bottom;
    const std::optional<DevicePoint> mapped = MapPointer(m, x, y);
    // At ratio 1 a whole logical pixel is the device pixel: no round trip.
    if (!mapped || m.ratio == 1.0) return mapped;
    // Qt's X11 events carry whole logical pixels; the server knows the device
    // pixel. Its answer counts when it agrees with the event.
    const int slack = static_cast<int>(std::ceil(m.ratio));
    if (exact && m.device.Contains(*exact) && std::abs(exact->x - mapped->x) <= slack &&
        std::abs(exact->y - mapped->y) <= slack) {
        return exact;
    }
    return mapped;
}

}  // namespace velmor
