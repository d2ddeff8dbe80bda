#include "core/screenshot_checks.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(ScreenshotChecksTest, OnlyAPlainLocalPathIsTakenFromAPortalUri) {
    const struct {
        const char* uri;
        std::optional<std::string> path;
    } cases[] = {
        {"file:///home/u/Pictures/Screenshot.png", "/home/u/Pictures/Screenshot.png"},
        {"file:///tmp/Screenshot%20from%202026.png", "/tmp/Screenshot from 2026.png"},
        {"file://localhost/tmp/a.png", "/tmp/a.png"},
        {"file:///tmp/%252e%252e/a.png", "/tmp/%2e%2e/a.png"},  // decoded once only
        {"file:///tmp/%2e%2e/etc/passwd", std::nullopt},        // an encoded ".."
        {"file:///tmp/../etc/passwd", std::nullopt},
        {"file:///tmp/./a.png", std::nullopt},
        {"file:///tmp//a.png", std::nullopt},
        {"file:///tmp/a%00.png", std::nullopt},
        {"file:///tmp/a%2", std::nullopt},
        {"file:///tmp/a%zz.png", std::nullopt},
        {"file://otherhost/tmp/a.png", std::nullopt},
        {"file:tmp/a.png", std::nullopt},
        {"http://example.org/a.png", std::nullopt},
        {"file:///tmp/a.png?x=1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(LocalPathOfFileUri(c.uri), c.path) << c.uri;
}

TEST(ScreenshotChecksTest, APictureMustBeTheDesktopTimesOneRatio) {
    const struct {
        int w, h, dw, dh;
        double highest;
        bool fits;
    } cases[] = {
        {1920, 1080, 1920, 1080, 1, true},
        {3840, 2160, 1920, 1080, 2, true},
        {2880, 1620, 1920, 1080, 2, true},   // a fractional scale below the highest
        {2880, 1621, 1920, 1080, 2, true},   // rounding
        {3840, 2160, 1920, 1080, 1, false},  // larger than any monitor's ratio
        {64, 48, 1920, 1080, 1, false},
        {64, 36, 1920, 1080, 1, false},  // the right shape, far too small
        {1920, 1200, 1920, 1080, 1, false},
        {0, 0, 1920, 1080, 1, false},
        {15360, 2880, 15360, 2880, 1, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureFitsDesktop(c.w, c.h, c.dw, c.dh, c.highest), c.fits)
            << c.w << "x" << c.h << " for " << c.dw << "x" << c.dh;
    }
}

}  // namespace
}  // namespace velmor
