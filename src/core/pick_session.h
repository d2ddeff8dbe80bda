#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/color.h"
#include "core/magnifier.h"
#include "core/pick_history.h"
#include "core/pointer_mapper.h"

namespace velmor {

// One opening of the screen picker, without a window: where the sample point
// is, what it reads from the frozen capture (one pixel or the mean of a
// square around it), and the history of picks.
class PickSession {
  public:
    // What the sample follows: nothing yet, the pointer, or the arrow keys.
    enum class Aim { Unknown, Pointer, Keys };
    using PixelReader = std::function<Color(DevicePoint)>;

    // `pointer` is where the window system says the pointer is, if it can;
    // `canWarp` whether the keys move the real pointer. Until a pointer is
    // known the sample point is the middle of the first monitor.
    PickSession(std::vector<Monitor> monitors, std::int32_t width, std::int32_t height,
                PixelReader read, std::optional<DevicePoint> pointer, bool canWarp,
                PickHistory history = {}, std::int32_t area = 1);

    // Moves the sample point; reads the pixel unless the point is off every
    // monitor or inside `panel`. A pointer off the picture before anything
    // was sampled leaves the start as it was. True when a pixel was read.
    bool MoveTo(DevicePoint point, Aim aim, const DeviceRect& panel);
    // Until anything is sampled, where the keys start from.
    void StartAt(DevicePoint point);
    // The point an arrow key step leads to.
    DevicePoint Stepped(std::int32_t dx, std::int32_t dy) const;
    // The sample, into the next history cell; nothing before a sample exists.
    std::optional<Color> Pick();
    // Makes a cell's colour the sample and selects the cell.
    void Recall(int cell);
    // Takes the selected cell's colour out of the history; false when no
    // cell is selected.
    bool RemoveSelected();
    // The side of the square the sample is the mean of, in linear light;
    // the sample is read again at the same point.
    void SetArea(std::int32_t area);
    std::int32_t Area() const { return area_; }

    // The device pixel under a surface position (logical pixels from the
    // monitor's origin). `exact` is the window system's own answer, which
    // counts when it agrees with the position.
    std::optional<DevicePoint> EventPoint(int monitor, double x, double y,
                                          std::optional<DevicePoint> exact) const;
    // Whether a pointer entering a surface should move the sample: always
    // where the pointer cannot be read, else only until it is known.
    bool TakesEnter() const { return !canWarp_ || aim_ == Aim::Unknown; }

    bool HasSample() const { return aim_ != Aim::Unknown; }
    Aim CurrentAim() const { return aim_; }
    const Color& Sample() const { return sample_; }
    DevicePoint Point() const { return point_; }
    // The sampled pixel where the pointer does not show it, to be marked.
    std::optional<DevicePoint> MarkedPoint() const;
    Color History(int cell) const { return history_.Shown(cell); }
    std::int16_t HistoryNext() const { return static_cast<std::int16_t>(history_.Next()); }
    const PickHistory& Picks() const { return history_; }
    // The cell a recall or the last pick chose, which "Remove from List" takes.
    std::optional<int> SelectedCell() const { return selected_; }
    const std::vector<Monitor>& Monitors() const { return monitors_; }
    // The compositor showed a monitor's surface at another scale than its
    // layout said: its logical pixels span `ratio` device pixels.
    void SetRatio(int monitor, double ratio);

  private:
    bool OnPicture(DevicePoint p) const;
    Color Read(DevicePoint p) const;

    std::vector<Monitor> monitors_;
    std::int32_t width_;
    std::int32_t height_;
    PixelReader read_;
    bool canWarp_;
    DevicePoint point_;
    Aim aim_ = Aim::Unknown;
    Color sample_;
    bool recalled_ = false;  // the sample came from the history, not the point
    PickHistory history_;
    std::optional<int> selected_;
    std::int32_t area_ = 1;
};

}  // namespace velmor
