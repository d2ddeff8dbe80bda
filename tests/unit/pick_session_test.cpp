#include "core/pick_session.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

// Every pixel's colour says where it is.
Color At(DevicePoint p) {
    return Color::From8(p.x & 0xFF, p.y & 0xFF, 0x40);
}

// Two monitors side by side, the right one shorter: 200x100 at 1, 100x50 at 2.
PickSession Session(std::optional<DevicePoint> pointer, bool canWarp = true) {
    return PickSession({{{0, 0, 200, 100}, 1.0}, {{200, 0, 100, 50}, 2.0}}, 300, 100, At, pointer,
                       canWarp);
}

const DeviceRect kPanel{150, 0, 50, 40};

TEST(PickSession, StartsFromTheKnownPointerOrAMarkedMiddle) {
    const PickSession known = Session(DevicePoint{10, 20});
    EXPECT_TRUE(known.HasSample());
    EXPECT_EQ(known.Sample(), At({10, 20}));
    EXPECT_EQ(known.MarkedPoint(), std::nullopt);

    for (const std::optional<DevicePoint> pointer :
         {std::optional<DevicePoint>{}, std::optional<DevicePoint>{{-5, 3}}}) {
        const PickSession unknown = Session(pointer);
        EXPECT_FALSE(unknown.HasSample());
        const DevicePoint start = pointer.value_or(DevicePoint{100, 50});
        EXPECT_EQ(unknown.Point(), start);
        EXPECT_EQ(unknown.MarkedPoint(), start);
    }
}

TEST(PickSession, MovesReadOnlyPixelsOfAMonitorOutsideThePanel) {
    using Aim = PickSession::Aim;
    const struct {
        bool startKnown;
        DevicePoint to;
        Aim aim;
        bool read;
        bool hasSample;
        DevicePoint pointAfter;
    } cases[] = {
        {true, {5, 6}, Aim::Pointer, true, true, {5, 6}},
        {true, {299, 49}, Aim::Pointer, true, true, {299, 49}},   // the last pixel
        {true, {160, 10}, Aim::Pointer, false, true, {160, 10}},  // under the panel
        {true, {250, 70}, Aim::Pointer, false, true, {250, 70}},  // below the short monitor
        // Before anything is known a pointer off the picture leaves the start.
        {false, {250, 70}, Aim::Pointer, false, false, {100, 50}},
        {false, {160, 10}, Aim::Pointer, false, false, {100, 50}},
        // Keys always move, even where nothing can be read.
        {false, {160, 10}, Aim::Keys, false, true, {160, 10}},
    };
    for (const auto& c : cases) {
        PickSession s = Session(c.startKnown ? std::optional(DevicePoint{1, 1}) : std::nullopt);
        const Color before = s.Sample();
        EXPECT_EQ(s.MoveTo(c.to, c.aim, kPanel), c.read) << c.to.x << "," << c.to.y;
        EXPECT_EQ(s.HasSample(), c.hasSample) << c.to.x << "," << c.to.y;
        EXPECT_EQ(s.Point(), c.pointAfter) << c.to.x << "," << c.to.y;
        EXPECT_EQ(s.Sample(), c.read ? At(c.to) : before) << c.to.x << "," << c.to.y;
    }
}

TEST(PickSession, PicksFillTheHistoryRingAndRecallComesBack) {
    PickSession s = Session(std::nullopt);
    EXPECT_EQ(s.Pick(), std::nullopt);  // nothing sampled: nothing to hand over
    EXPECT_EQ(s.HistoryNext(), 0);
    EXPECT_EQ(s.History(0), Color::From8(255, 255, 255));
    s.Recall(0);  // a recalled colour is a sample the keys then move from
    EXPECT_TRUE(s.HasSample());
    for (int i = 0; i < kHistoryCells + 2; ++i) {
        s.MoveTo({i, 3}, PickSession::Aim::Pointer, kPanel);
        EXPECT_EQ(s.Pick(), At({i, 3}));
    }
    EXPECT_EQ(s.HistoryNext(), 2);
    EXPECT_EQ(s.History(1), At({kHistoryCells + 1, 3}));
    EXPECT_EQ(s.History(2), At({2, 3}));
    s.Recall(2);
    EXPECT_EQ(s.Sample(), At({2, 3}));
    s.Recall(kHistoryCells);  // no such cell
    EXPECT_EQ(s.Sample(), At({2, 3}));
}

TEST(PickSession, MarksThePointOnlyWhereThePointerCannotShowIt) {
    for (const bool canWarp : {true, false}) {
        PickSession s = Session(DevicePoint{10, 10}, canWarp);
        EXPECT_EQ(s.MarkedPoint(), std::nullopt);
        EXPECT_EQ(s.TakesEnter(), !canWarp);
        s.MoveTo(s.Stepped(1, 0), PickSession::Aim::Keys, kPanel);
        EXPECT_EQ(s.Point(), (DevicePoint{11, 10}));
        EXPECT_EQ(s.MarkedPoint(), canWarp ? std::nullopt : std::optional(DevicePoint{11, 10}));
    }
}

TEST(PickSession, EventPointsTrustTheServerOnlyWhenItAgrees) {
    const PickSession s = Session(DevicePoint{0, 0});
    const struct {
        int monitor;
        double x, y;
        std::optional<DevicePoint> exact;
        std::optional<DevicePoint> expected;
    } cases[] = {
        {0, 10.0, 20.0, DevicePoint{90, 90}, DevicePoint{10, 20}},  // ratio 1: the event
        {1, 10.0, 5.0, std::nullopt, DevicePoint{220, 10}},
        {1, 10.0, 5.0, DevicePoint{221, 11}, DevicePoint{221, 11}},  // within a pixel
        {1, 10.0, 5.0, DevicePoint{230, 11}, DevicePoint{220, 10}},  // too far off
        {1, 10.0, 5.0, DevicePoint{20, 11}, DevicePoint{220, 10}},   // another monitor
        {1, 49.75, 24.75, std::nullopt, DevicePoint{299, 49}},       // the rounded last pixel
        {1, 51.0, 5.0, std::nullopt, std::nullopt},                  // off the surface
        {2, 1.0, 1.0, std::nullopt, std::nullopt},                   // no such monitor
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.EventPoint(c.monitor, c.x, c.y, c.exact), c.expected)
            << c.monitor << ": " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace velmor
