#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// Palettes in the formats drawing and web tools read. Colours are six hex digits.
enum class PaletteFormat { Gimp, Css, Json, HexList };

// Entries that are not six hex digits are left out. Each colour carries its
// name where `names` gives one at its index, else its name in the colour
// tables; GIMP lines, CSS properties and JSON objects keep them.
std::string ExportPalette(PaletteFormat format, const std::vector<std::string>& entries,
                          std::string_view name, const std::vector<std::string>& names = {});

// A file larger than this is not read as a palette.
inline constexpr std::size_t kMaxPaletteBytes = 1 << 20;

struct PaletteImport {
    std::vector<std::string> colors;  // lower-case six hex digits, in file order
    std::vector<std::string> names;   // the name of each, or the empty text
    std::size_t unreadable = 0;       // lines that looked like colours but were not
};

// A GIMP palette (it starts with "GIMP Palette"), CSS custom properties
// ("--name: color;"), JSON (strings that are colours, named by a "name" in
// the same object), or a list of colours, one a line, each optionally followed
// by a name. Colours are in any notation the program reads (#abc, #rrggbbaa,
// rgb(), names, ...). A UTF-8 byte-order mark, blank lines and comments are
// skipped.
PaletteImport ImportPalette(std::string_view content);

}  // namespace velmor
