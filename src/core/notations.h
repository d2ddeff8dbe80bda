#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/color.h"

namespace velmor {

// What a written colour may depend on besides the colour: the letter case of
// hexadecimal digits and a name chosen for it (else the tables' name).
struct WriteStyle {
    bool upper = false;
    std::string_view name;
};

// One way of writing a colour, and of reading it back where the parser reads
// it as a function. A new notation is one row of a table below.
struct NotationRow {
    std::string_view name;      // as --format and settings.ini take it; "" for a classic format
    std::string_view menuText;  // as menus and lists show it
    std::string_view caption;   // as the value panel labels it
    std::string_view open;      // the text before the components: "rgb(", "#", "&H00"
    std::string_view close;     // and after them: ")", "&"
    // Per component: ' ' a number, '%' written as a percentage, 'h' a hue.
    std::string_view units;
    std::string_view letters;  // the components' template placeholders, {hsl.h}; "" for none
    std::vector<std::string> (*parts)(const Color& c, const WriteStyle& style);
    // Back to sRGB (channels 0 to 1) from the components in the units `parts`
    // writes, where 100% of each is `full`; none for a notation the parser
    // reads another way.
    Triple (*read)(Triple components) = nullptr;
    Triple full{};
};

// The notations of the "Copy as" menu, --format names and the Ctrl+C list.
// A new notation is one row of this table; the names below are only for the
// rows the program itself refers to, in the table's order.
extern const std::span<const NotationRow> kNotationTable;
enum class Notation { Hex, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb, Hsv, Cmyk, Nearest };

const NotationRow& RowOf(Notation n);
std::string_view NotationName(Notation n);
std::optional<Notation> NotationNamed(std::string_view name);
// "hex, rgb, ..., cmyk", for help and messages.
std::string NotationNameList();
// The row a CSS function starts with: "rgb(", "color(srgb "; none when no
// row reads it.
const NotationRow* ReadableRow(std::string_view open);

// A row's text: its components between `open` and `close`, percentages marked.
std::string WriteRow(const NotationRow& row, const Color& c, const WriteStyle& style = {});
// As CSS Color 4 serialises: "rgb(255 140 0)", "oklch(0.7505 0.1791 58.28)",
// "hsl(none 0% 50%)" for a grey. color(srgb ...) keeps a colour's precision to
// four decimals; the others write the 8-bit value.
std::string WriteNotation(Notation n, const Color& c);
// CSS color() in a named space, "color(display-p3 0.784 0.1 1)": channels to
// four decimals from the colour's full precision.
std::string WriteColorFunction(std::string_view space, const Color& c);

// A user's template: text with placeholders such as {hex}, {r}, {hsl.h} or
// {oklch.l}. Nothing when a placeholder is unknown or a brace is unmatched;
// `error` then says which.
std::optional<std::string> ExpandTemplate(std::string_view pattern, const Color& c,
                                          std::string* error = nullptr);

// What a name writes: a notation of the table, else the template of that
// name in `templates` (compared without case). Nothing for an unknown name or
// a template that cannot be read; `error` then says which.
using Templates = std::vector<std::pair<std::string, std::string>>;
std::optional<std::string> WriteNamed(std::string_view name, const Color& c,
                                      const Templates& templates, std::string* error = nullptr);

// Fixed decimals without trailing zeros, and never "-0".
std::string FixedNumber(double v, int decimals);

}  // namespace velmor
