#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace velmor {

// How an X server lays out the pixels of an image it sends: bits per pixel,
// the channels' masks (from the root visual) and the byte order.
struct XPixelFormat {
    int bitsPerPixel = 32;
    std::uint32_t redMask = 0xFF0000, greenMask = 0xFF00, blueMask = 0xFF;
    bool msbFirst = false;
};

// One pixel's channels, each widened to 16 bits (a channel of n bits, v,
// becomes v * 65535 / (2^n - 1), rounded).
struct Rgb16 {
    std::uint16_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb16&, const Rgb16&) = default;
};

// Formats this reads: 16, 24 or 32 bits a pixel, each mask one run of 1 to
// 16 bits within the pixel.
bool IsReadable(const XPixelFormat& format);
// The most bits any channel has.
int ChannelBits(const XPixelFormat& format);
// Bytes from one row to the next, rows padded to `scanlinePad` bits.
std::size_t RowBytes(const XPixelFormat& format, int width, int scanlinePad);
Rgb16 ReadPixel(const std::uint8_t* pixel, const XPixelFormat& format);

}  // namespace velmor
