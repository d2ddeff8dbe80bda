#pragma once

#include <optional>
#include <string>

#include "core/color_codec.h"

namespace velmor {

// The converter's five boxes as typed.
struct ConverterTexts {
    std::string html, longValue, red, green, blue;
    friend bool operator==(const ConverterTexts&, const ConverterTexts&) = default;
};

enum class ConverterBox { Html, Long, Component };

struct ConverterResult {
    ConverterTexts texts;
    // The preview's new colour; nothing leaves it as it was.
    std::optional<ColorValue> preview;
};

// What leaving a box does to the others: each step whose conversion fails is
// skipped and the later steps still run.
ConverterResult ConverterLeft(ConverterBox box, ConverterTexts texts);

}  // namespace velmor
