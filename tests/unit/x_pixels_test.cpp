#include "core/x_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmor {
namespace {

// The depths a server here can run (16, 24 LSB first, 30) are the end-to-end test's.
TEST(XPixels, EveryLayoutReadsToItsChannelsWidenedTo16Bits) {
    const struct {
        const char* what;
        XPixelFormat format;
        std::vector<std::uint8_t> bytes;
        Rgb16 expected;
    } cases[] = {
        {"depth 24 xRGB, MSB first",
         {32, 0xFF0000, 0xFF00, 0xFF, true},
         {0, 0xFF, 0x8C, 0x00},
         {0xFFFF, 0x8C8C, 0}},
        {"xBGR", {32, 0xFF, 0xFF00, 0xFF0000, false}, {0xFF, 0x8C, 0x00, 0}, {0xFFFF, 0x8C8C, 0}},
        {"24 bits a pixel",
         {24, 0xFF0000, 0xFF00, 0xFF, false},
         {0x01, 0x02, 0x03},
         {0x0303, 0x0202, 0x0101}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(IsReadable(c.format)) << c.what;
        EXPECT_EQ(ReadPixel(c.bytes.data(), c.format), c.expected) << c.what;
    }
}

TEST(XPixels, OnlySensibleLayoutsAreRead) {
    const struct {
        XPixelFormat format;
        bool readable;
        int channelBits;
    } cases[] = {
        {{32, 0x3FF00000, 0xFFC00, 0x3FF, false}, true, 10},
        {{16, 0xF800, 0x7E0, 0x1F, false}, true, 6},
        {{8, 0xE0, 0x1C, 0x3, false}, false, 3},            // 8 bits a pixel
        {{32, 0xFF0F00, 0xF000, 0xFF, false}, false, 12},   // a mask with a gap
        {{32, 0xFF0000, 0xFF0000, 0xFF, false}, false, 8},  // overlapping masks
        {{16, 0xFF0000, 0xFF00, 0xFF, false}, false, 8},    // a mask past the pixel
        {{32, 0, 0xFF00, 0xFF, false}, false, 8},           // no red
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsReadable(c.format), c.readable) << std::hex << c.format.redMask;
        EXPECT_EQ(ChannelBits(c.format), c.channelBits) << std::hex << c.format.redMask;
    }
    // Rows are padded to the server's scanline pad.
    EXPECT_EQ(RowBytes({16, 0xF800, 0x7E0, 0x1F, false}, 3, 32), 8u);
    EXPECT_EQ(RowBytes({24, 0xFF0000, 0xFF00, 0xFF, false}, 5, 32), 16u);
}

}  // namespace
}  // namespace velmor
