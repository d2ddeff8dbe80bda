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

// The pixels of the block from (x0, y0) to (x1, y1), and those of EXTRA.
std::vector<Color> Pixels(int x0, int y0, int x1, int y1, std::vector<DevicePoint> extra = {}) {
    std::vector<Color> out;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) out.push_back(At({x, y}));
    }
    for (const DevicePoint p : extra) out.push_back(At(p));
    return out;
}

TEST(PickSession, AnAreaIsTheMeanOfItsPixelsOnTheMonitors) {
    const struct {
        DevicePoint at;
        std::int32_t area;
        std::vector<Color> pixels;
    } cases[] = {
        {{10, 10}, 1, Pixels(10, 10, 10, 10)},
        {{10, 10}, 3, Pixels(9, 9, 11, 11)},
        {{0, 0}, 3, Pixels(0, 0, 1, 1)},  // the corner of the screen: only the pixels on it
        // The short monitor at ratio 2 ends at row 49; the left one goes on.
        {{200, 49}, 3, Pixels(199, 48, 201, 49, {{199, 50}})},
        {{299, 49}, 3, Pixels(298, 48, 299, 49)},
    };
    for (const auto& c : cases) {
        PickSession s = Session(c.at);
        s.SetArea(c.area);
        EXPECT_EQ(s.Sample(), MeanInLinearLight(c.pixels)) << c.at.x << "," << c.at.y;
        // A move reads the area around the new point.
        PickSession moved = Session(DevicePoint{50, 50});
        moved.SetArea(c.area);
        moved.MoveTo(c.at, PickSession::Aim::Pointer, kPanel);
        EXPECT_EQ(moved.Sample(), s.Sample()) << c.at.x << "," << c.at.y;
    }
    // A recalled colour stays what it was when the area changes.
    PickSession s = Session(DevicePoint{5, 5});
    s.Pick();
    s.MoveTo({40, 40}, PickSession::Aim::Pointer, kPanel);
    s.Recall(0);
    s.SetArea(5);
    EXPECT_EQ(s.Sample(), At({5, 5}));
}

TEST(PickSession, RemoveTakesTheSelectedCellAndTheLaterPicksMoveUp) {
    PickSession s = Session(DevicePoint{0, 0});
    EXPECT_FALSE(s.RemoveSelected());  // nothing selected yet
    for (int i = 0; i < 5; ++i) {
        s.MoveTo({i, 0}, PickSession::Aim::Pointer, kPanel);
        s.Pick();
    }
    EXPECT_EQ(s.SelectedCell(), 4);  // the last pick, for a pick made by mistake
    s.Recall(1);
    EXPECT_TRUE(s.RemoveSelected());
    EXPECT_EQ(s.History(1), At({2, 0}));
    EXPECT_EQ(s.History(3), At({4, 0}));
    EXPECT_EQ(s.History(4), Color::From8(255, 255, 255));
    EXPECT_EQ(s.HistoryNext(), 4);
    EXPECT_EQ(s.SelectedCell(), 1);  // now the next colour, for another Remove
    s.Recall(3);
    EXPECT_TRUE(s.RemoveSelected());
    EXPECT_EQ(s.SelectedCell(), std::nullopt);  // it was the last one
    s.Recall(10);                               // an empty cell
    EXPECT_FALSE(s.RemoveSelected());
}

TEST(PickHistory, AFullRingKeepsItsOrderThroughRemovalsAndText) {
    PickHistory h;
    for (int i = 0; i < kHistoryCells + 3; ++i) h.Add(Color::From8(i, 0, 0));
    EXPECT_EQ(h.Next(), 3);
    // Cell 3 holds the oldest pick (3); cell 2 the newest (30).
    EXPECT_TRUE(h.Remove(27));
    EXPECT_EQ(h.Cell(27), Color::From8(28, 0, 0));
    EXPECT_EQ(h.Cell(0), Color::From8(29, 0, 0));
    EXPECT_EQ(h.Cell(1), Color::From8(30, 0, 0));
    EXPECT_EQ(h.Cell(2), std::nullopt);
    EXPECT_EQ(h.Next(), 2);
    EXPECT_FALSE(h.Remove(2));
    EXPECT_FALSE(h.Remove(-1));
    EXPECT_FALSE(h.Remove(kHistoryCells));

    // Oldest first; read back, the oldest takes the first cell.
    const std::string text = h.ToText();
    EXPECT_EQ(text.substr(0, 13), "030000,040000");
    const PickHistory back = PickHistory::FromText(text);
    EXPECT_EQ(back.ToText(), text);
    EXPECT_EQ(back.Cell(0), Color::From8(3, 0, 0));
    EXPECT_EQ(back.Next(), kHistoryCells - 1);
}

TEST(PickHistory, TextKeepsDeepColorsAndSkipsWhatCannotBeRead) {
    const struct {
        const char* text;
        const char* back;
    } cases[] = {
        {"", ""},
        {"FF8C00", "FF8C00"},
        {"#ff8c00, 00ff00 ,zz0000,12345,", "FF8C00,00FF00"},
        {"FFFF80000001", "FFFF80000001"},  // 16 bits a channel, kept
        {"FFFF00000000", "FF0000"},        // a 16-bit value an 8-bit one says exactly
    };
    for (const auto& c : cases) EXPECT_EQ(PickHistory::FromText(c.text).ToText(), c.back) << c.text;
    // More than 28: the oldest go.
    std::string many;
    for (int i = 0; i < 30; ++i) many += (i ? "," : "") + Color::From8(i, 1, 1).Html().substr(1);
    EXPECT_EQ(PickHistory::FromText(many).ToText().substr(0, 6), "020101");
}

TEST(MagnifierGeometry, TheMiddleShowsThePickedPixelAtEveryZoom) {
    for (std::int32_t zoom = kMinZoom; zoom <= kMaxZoom; zoom = ZoomStep(zoom, 1)) {
        for (std::int32_t width = 108; width <= 125; ++width) {
            for (const DevicePoint cursor : {DevicePoint{0, 0}, DevicePoint{3839, 2159}}) {
                const MagnifierSource s =
                    MagnifierSourceRect(cursor.x, cursor.y, width, width, zoom);
                const std::int32_t square = RedSquareOrigin(width, zoom);
                // The cursor's pixel is the block the red square outlines...
                EXPECT_EQ((cursor.x - s.x) * zoom, square) << zoom << " " << width;
                // ...which holds the magnifier's middle pixel.
                EXPECT_LE(square, width / 2);
                EXPECT_GT(square + zoom, width / 2);
                // The source covers the whole box.
                EXPECT_GE(s.destWidth, width);
                EXPECT_LT(s.destWidth - zoom, width);
                for (std::int32_t area = 1; area <= kMaxArea; area += 2) {
                    const MagnifierSquare a = AreaOutline(width, zoom, area);
                    EXPECT_EQ(a.origin + a.size / 2, square + zoom / 2) << area;
                }
            }
        }
        if (zoom == kMaxZoom) break;
    }
}

// The zoom's steps are the picker's and the stored settings' tests.
TEST(MagnifierGeometry, AreaSteps) {
    const struct {
        std::int32_t from;
        int steps;
        std::int32_t area;
    } areas[] = {{1, 1, 3}, {1, -1, 1}, {9, 1, 11}, {11, 1, 11}, {11, -5, 1}, {4, 0, 3}, {0, 0, 1}};
    for (const auto& a : areas) EXPECT_EQ(AreaStep(a.from, a.steps), a.area) << a.from;
}

}  // namespace
}  // namespace velmor
