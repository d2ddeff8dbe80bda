#pragma once

#include <QColor>
#include <QRgba64>

#include "core/color.h"
#include "core/color_codec.h"

namespace velmor {

// A colour value's three low bytes as a Qt colour (red in the low byte).
inline QColor ToQColor(ColorValue value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// Both carry 16 bits a channel: nothing is lost either way.
inline QColor ToQColor(const Color& c) {
    return QColor::fromRgba64(c.red, c.green, c.blue);
}
inline Color FromQColor(const QColor& c) {
    const QRgba64 v = c.rgba64();
    return {v.red(), v.green(), v.blue()};
}

}  // namespace velmor
