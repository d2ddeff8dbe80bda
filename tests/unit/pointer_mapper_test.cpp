#include "core/pointer_mapper.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmor {
namespace {

TEST(PointerMapperTest, EveryDevicePixelIsReachedAtEveryRatio) {
    for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        const Monitor m{{0, 0, 3840, 2160}, ratio};
        for (int d = 0; d < 3840; ++d) {
            // The position the toolkit reports for the pointer on device pixel d,
            // at the pixel's edge (X11 reports whole device pixels) and inside it.
            // The y coordinate goes through single precision, as some event paths do.
            const int row = d % 2160;
            const double edge = d / ratio;
            const double inside = (d + 0.75) / ratio;
            const auto a = MapPointer(m, edge, 0);
            const auto b = MapPointer(m, inside, static_cast<float>(row / ratio));
            ASSERT_TRUE(a && b) << ratio << " " << d;
            ASSERT_EQ(a->x, d) << "ratio " << ratio;
            ASSERT_EQ(b->x, d) << "ratio " << ratio;
            ASSERT_EQ(b->y, row) << "ratio " << ratio;
        }
    }
}

TEST(PointerMapperTest, WaylandPositionsOnAPixelsEdgeReachThatPixel) {
    // The compositor's pointer at device x lies at x / scale logical pixels,
    // which Wayland rounds to 1/256 before the program sees it.
    for (const double ratio : {1.25, 1.5, 1.75, 2.0, 3.0}) {
        const Monitor m{{0, 0, 3840, 2160}, ratio};
        for (int d = 0; d < 3840; ++d) {
            const double sent = std::round(d / ratio * 256) / 256;
            const auto p = MapPointer(m, sent, sent * 0.5);
            ASSERT_TRUE(p);
            ASSERT_EQ(p->x, d) << "ratio " << ratio;
        }
    }
}

TEST(PointerMapperTest, TwoMonitorsOfDifferentRatios) {
    const std::vector<Monitor> monitors = {{{0, 0, 2560, 1440}, 2.0},
                                           {{2560, 0, 1920, 1080}, 1.25}};
    const struct {
        int monitor;
        double x, y;
        std::optional<DevicePoint> device;
    } cases[] = {
        {0, 0, 0, DevicePoint{0, 0}},        {0, 1279.5, 719.5, DevicePoint{2559, 1439}},
        {0, 1280, 10, std::nullopt},  // past the right edge
        {0, -0.25, 10, std::nullopt},        {1, 0, 0, DevicePoint{2560, 0}},
        {1, 0.8, 0.8, DevicePoint{2561, 1}}, {1, 1535.9, 863.9, DevicePoint{4479, 1079}},
        {1, 1536, 0, std::nullopt},          {1, 1e300, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapPointer(monitors[c.monitor], c.x, c.y), c.device) << c.monitor << " " << c.x;
    }
    EXPECT_EQ(MonitorAt(monitors, {2559, 1439}), 0);
    EXPECT_EQ(MonitorAt(monitors, {2560, 1079}), 1);
    EXPECT_EQ(MonitorAt(monitors, {2560, 1080}), -1);  // below the smaller monitor
}

TEST(PointerMapperTest, KeyStepsStayOnAMonitorAndCrossWhereTheLayoutPutsTheNextOne) {
    const std::vector<Monitor> even = {{{0, 0, 1920, 1080}, 1.5}, {{1920, 0, 1280, 1024}, 1.0}};
    // A scale-2 output (960x600 logical) with a scale-1 output to its right,
    // laid out by logical position times 2: device rows do not line up.
    const std::vector<Monitor> mixed = {{{0, 0, 1920, 1200}, 2.0, {0, 0, 960, 600}},
                                        {{1920, 0, 1280, 1024}, 1.0, {960, 0, 1280, 1024}}};
    const struct {
        const std::vector<Monitor>& layout;
        DevicePoint from;
        int dx, dy;
        DevicePoint to;
    } cases[] = {
        {even, {100, 100}, 1, 0, {101, 100}},
        {even, {1919, 500}, 1, 0, {1920, 500}},     // onto the second monitor
        {even, {1915, 1000}, 10, 0, {1925, 1000}},  // a larger step across
        {even, {1925, 1020}, 0, 10, {1925, 1023}},  // stops at its bottom edge
        {even, {1915, 1060}, 10, 0, {1919, 1060}},  // beside the second monitor lies nothing
        {even, {0, 0}, -5, -5, {0, 0}},
        {even, {3199, 0}, 2, 0, {3199, 0}},
        {mixed, {1919, 600}, 1, 0, {1920, 300}},    // logical row 300 on both
        {mixed, {1920, 300}, -1, 0, {1919, 601}},   // and back, to the nearest device pixel
        {mixed, {1915, 1000}, 10, 0, {1922, 500}},  // a step of 10 goes on in the next one
        {mixed, {1925, 700}, -10, 0, {1920, 700}},  // beside it lies nothing below row 600
        {mixed, {1900, 1199}, 0, 1, {1900, 1199}},  // nothing below either
        {mixed, {1930, 1023}, 0, 5, {1930, 1023}},
        {mixed, {1919, 0}, 1, 0, {1920, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepPointer(c.layout, c.from, c.dx, c.dy), c.to) << c.from.x << "," << c.from.y;
    }
    // A layout in device pixels with scaled surfaces (mutter's default) crosses the same way.
    const std::vector<Monitor> physical = {{{0, 0, 1920, 1200}, 2.0, {0, 0, 1920, 1200}},
                                           {{1920, 0, 1280, 1024}, 1.0, {1920, 0, 1280, 1024}}};
    EXPECT_EQ(StepPointer(physical, {1919, 600}, 1, 0), (DevicePoint{1920, 600}));
}

TEST(PointerMapperTest, OutputsCapturedOneByOneAreLaidOutWithoutOverlap) {
    using Shots = std::vector<OutputShot>;
    // Mixed scales: the scale-2 output first, a scale-1 output to its right,
    // and a fractional 1.5 below; logical origins need not start at zero.
    const auto mixed = LayOutOutputs(Shots{{{100, 50, 960, 540}, 1920, 1080},
                                           {{1060, 50, 1280, 1024}, 1280, 1024},
                                           {{100, 590, 1280, 720}, 1920, 1080}});
    ASSERT_TRUE(mixed);
    const std::vector<Monitor> expected = {
        {{0, 0, 1920, 1080}, 2.0}, {{1920, 0, 1280, 1024}, 1.0}, {{0, 1080, 1920, 1080}, 1.5}};
    ASSERT_EQ(mixed->monitors.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(mixed->monitors[i].device, expected[i].device) << i;
        EXPECT_DOUBLE_EQ(mixed->monitors[i].ratio, expected[i].ratio) << i;
    }
    EXPECT_EQ(mixed->width, 3200);
    EXPECT_EQ(mixed->height, 2160);
    // Every device pixel of every output is reached from its own surface.
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Monitor& m = mixed->monitors[i];
        EXPECT_EQ(MapPointer(m, (m.device.width - 0.5) / m.ratio, 0),
                  (DevicePoint{m.device.x + m.device.width - 1, m.device.y}));
    }
    // Shots that cannot be placed.
    EXPECT_FALSE(LayOutOutputs({}));
    EXPECT_FALSE(LayOutOutputs(Shots{{{0, 0, 0, 1080}, 1920, 1080}}));
    EXPECT_FALSE(LayOutOutputs(Shots{{{0, 0, 1920, 1080}, 1080, 1920}}));  // rotated
    EXPECT_TRUE(LayOutOutputs(Shots{{{0, 0, 1281, 721}, 1921, 1080}}));    // rounding
}

TEST(PointerMapperTest, AnOutputsScaleIsTheOneTheCompositorRendersWith) {
    const struct {
        DeviceRect logical;
        int width, height;
        double scale;
    } cases[] = {
        {{0, 0, 853, 533}, 1280, 800, 1.5},     // truncated, as wlroots does
        {{0, 0, 1536, 864}, 1920, 1080, 1.25},  // exact
        {{0, 0, 1097, 617}, 1920, 1080, 1.75},  // 1097.14 and 617.14
        {{0, 0, 1440, 810}, 2560, 1440, 16.0 / 9}, {{0, 0, 960, 540}, 1920, 1080, 2.0},
        {{0, 0, 1280, 800}, 1280, 800, 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(OutputScale({c.logical, c.width, c.height}), c.scale) << c.width;
    }
}

TEST(PointerMapperTest, ASurfaceConfiguredSmallerThanItsLayoutGivesTheRatioThatMapsEveryPixel) {
    const struct {
        Monitor monitor;
        int width, height;
        std::optional<double> ratio;
    } cases[] = {
        // mutter's default layout at scale 2 and 3: the layout said device size.
        {{{0, 0, 1920, 1080}, 1.0}, 960, 540, 2.0},
        {{{1920, 0, 3840, 2160}, 1.0}, 1280, 720, 3.0},
        // As expected: nothing to change.
        {{{0, 0, 1920, 1080}, 2.0}, 960, 540, std::nullopt},
        {{{0, 0, 1280, 800}, 1.5}, 853, 533, std::nullopt},
        // A fractional size rounded by the compositor.
        {{{0, 0, 1280, 800}, 1.0}, 853, 533, 1.5},
        // Not a view of this monitor: rotated, or empty.
        {{{0, 0, 1920, 1080}, 1.0}, 540, 960, std::nullopt},
        {{{0, 0, 1920, 1080}, 1.0}, 0, 540, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConfiguredRatio(c.monitor, c.width, c.height), c.ratio) << c.width;
        if (!c.ratio) continue;
        // With it, the last logical position reaches the last device pixel.
        const Monitor m{c.monitor.device, *c.ratio};
        EXPECT_EQ(MapPointer(m, c.width - 0.25, c.height - 0.25),
                  (DevicePoint{m.device.x + m.device.width - 1, m.device.height - 1}));
    }
}

}  // namespace
}  // namespace velmor
