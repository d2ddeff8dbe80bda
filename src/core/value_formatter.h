#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/color_codec.h"
#include "core/notations.h"

namespace velmor {

// The fourteen ways of writing a colour; the index is shared by the panel rows,
// the options list and the stored "Value" option.
enum class ValueFormat : std::int16_t {
    ColorValue = 0,
    ColorName = 1,
    RValue = 2,
    GValue = 3,
    BValue = 4,
    LongValue = 5,
    HexFormat = 6,
    HtmlName = 7,
    HtmlFormat = 8,
    RgbFormat = 9,
    VbFormat = 10,
    CppFormat = 11,
    DelphiFormat = 12,
    JavaFormat = 13,
};

inline constexpr int kValueFormatCount = 14;

bool IsValueFormat(int index);
std::string_view ValueFormatListItem(int index);
std::string_view ValueFormatCaption(int index);

struct FormattedColor {
    std::array<std::string, kValueFormatCount> texts;
    ColorValue color = 0;

    const std::string& Text(ValueFormat f) const { return texts[static_cast<std::size_t>(f)]; }
};

// The fourteen classic formats, as rows of the notations' shape.
extern const std::array<NotationRow, kValueFormatCount> kClassicFormats;

// Every classic text of a colour; an empty name is looked up in the tables.
FormattedColor FormatColor(const Color& color, std::string_view name, bool upper);

// The line under the named grids: "Name  (#hex)" or "#hex  (Name)".
std::string NameLine(std::string_view name, std::string_view tableHex, bool namesFirst);

}  // namespace velmor
