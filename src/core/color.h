#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/color_codec.h"
#include "core/color_spaces.h"

namespace velmor {

// A colour as the program carries it: sRGB channels of 16 bits, so that a
// source finer than 8 bits (a 10-bit screen, a CSS number) keeps its
// precision; an 8-bit colour goes in and out exactly, the 8-bit value rounded.
struct Color {
    std::uint16_t red = 0, green = 0, blue = 0;

    static constexpr Color From8(int r, int g, int b) { return {Widen(r), Widen(g), Widen(b)}; }
    static constexpr Color From8(Srgb8 c) { return From8(c.red, c.green, c.blue); }
    // Channels 0 to 1; values outside are clipped, as a screen shows them.
    static Color FromUnit(double r, double g, double b) {
        return {Quantize(r), Quantize(g), Quantize(b)};
    }
    // The stored form of the tables and the favourites: red + 256 * green + 65536 * blue.
    static constexpr Color FromValue(ColorValue value) {
        return From8(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    constexpr Srgb8 To8() const { return {Narrow(red), Narrow(green), Narrow(blue)}; }
    constexpr ColorValue Value() const {
        const Srgb8 c = To8();
        return c.red + 256 * c.green + 65536 * c.blue;
    }
    // "#RRGGBB" of the 8-bit value.
    std::string Html() const {
        const Srgb8 c = To8();
        return ColorToHtml(c.red, c.green, c.blue);
    }
    friend constexpr bool operator==(const Color&, const Color&) = default;

  private:
    static constexpr std::uint16_t Widen(int v) {
        return static_cast<std::uint16_t>(std::clamp(v, 0, 255) * 257);
    }
    static constexpr int Narrow(std::uint16_t v) { return (v * 255 + 32767) / 65535; }
    static std::uint16_t Quantize(double v) {
        if (!(v > 0)) return 0;  // also NaN
        return static_cast<std::uint16_t>(std::lround(std::min(v, 1.0) * 65535.0));
    }
};

}  // namespace velmor
