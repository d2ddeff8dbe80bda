#include "core/x_pixels.h"

#include <algorithm>
#include <bit>

namespace velmor {

namespace {

bool OneRun(std::uint32_t mask) {
    if (mask == 0) return false;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0 && std::popcount(mask) <= 16;
}

std::uint16_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t v = (pixel & mask) >> shift;
    return static_cast<std::uint16_t>((v * 65535u + max / 2) / max);
}

}  // namespace

bool IsReadable(const XPixelFormat& f) {
    if (f.bitsPerPixel != 16 && f.bitsPerPixel != 24 && f.bitsPerPixel != 32) return false;
    const std::uint64_t all = (std::uint64_t{1} << f.bitsPerPixel) - 1;
    for (const std::uint32_t mask : {f.redMask, f.greenMask, f.blueMask}) {
        if (!OneRun(mask) || (mask & ~all) != 0) return false;
    }
    return (f.redMask & f.greenMask) == 0 && (f.redMask & f.blueMask) == 0 &&
           (f.greenMask & f.blueMask) == 0;
}

int ChannelBits(const XPixelFormat& f) {
    return std::max(
        {std::popcount(f.redMask), std::popcount(f.greenMask), std::popcount(f.blueMask)});
}

std::size_t RowBytes(const XPixelFormat& f, int width, int scanlinePad) {
    const std::size_t pad = scanlinePad > 0 ? static_cast<std::size_t>(scanlinePad) : 32;
    const std::size_t bits =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(f.bitsPerPixel);
    return (bits + pad - 1) / pad * pad / 8;
}

Rgb16 ReadPixel(const std::uint8_t* p, const XPixelFormat& f) {
    const int bytes = f.bitsPerPixel / 8;
    std::uint32_t pixel = 0;
    for (int i = 0; i < bytes; ++i) {
        const std::uint32_t byte = p[f.msbFirst ? i : bytes - 1 - i];
        pixel = (pixel << 8) | byte;
    }
    return {Channel(pixel, f.redMask), Channel(pixel, f.greenMask), Channel(pixel, f.blueMask)};
}

}  // namespace velmor
