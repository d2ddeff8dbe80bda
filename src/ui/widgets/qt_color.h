#pragma once

#include <QColor>

#include "core/color_codec.h"

namespace velmor {

// A colour value's three low bytes as a Qt colour (red in the low byte).
inline QColor ToQColor(ColorValue value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

}  // namespace velmor
