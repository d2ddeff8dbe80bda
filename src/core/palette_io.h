#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// Palettes in the formats design tools read. Colours are six hex digits.
enum class PaletteFormat { Gimp, Css, Json, HexList };

// Entries that are not six hex digits are left out.
std::string ExportPalette(PaletteFormat format, const std::vector<std::string>& entries,
                          std::string_view name);

// A file larger than this is not read as a palette.
inline constexpr std::size_t kMaxPaletteBytes = 1 << 20;

struct PaletteImport {
    std::vector<std::string> colors;  // lower-case six hex digits, in file order
    std::size_t unreadable = 0;       // lines that looked like colours but were not
};

// A GIMP palette (it starts with "GIMP Palette") or a list of hex colours, one
// a line, "#" optional; blank lines and comments are skipped.
PaletteImport ImportPalette(std::string_view content);

}  // namespace velmor
