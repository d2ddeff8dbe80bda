#include "core/pick_history.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "core/text.h"

namespace velmor {

namespace {

// "RRGGBB" as every hex text is read, or twelve digits for 16 bits a channel.
std::optional<Color> ReadEntry(std::string_view text) {
    if (const auto c = ParseHexColor(text)) return Color::From8(*c);
    text = TrimSpaces(text);
    if (text.size() != 12) return std::nullopt;
    std::array<std::uint16_t, 3> channel{};
    for (std::size_t i = 0; i < 3; ++i) {
        const char* first = text.data() + 4 * i;
        const auto [end, ec] = std::from_chars(first, first + 4, channel[i], 16);
        if (ec != std::errc{} || end != first + 4) return std::nullopt;
    }
    return Color{channel[0], channel[1], channel[2]};
}

std::string WriteEntry(const Color& c) {
    if (Color::From8(c.To8()) == c) return c.Html().substr(1);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X%04X%04X", c.red, c.green, c.blue);
    return buffer;
}

}  // namespace

int PickHistory::Count() const {
    // The filled cells run without a gap up to the one before `next_`.
    int count = 0;
    for (int i = 1; i <= kCells; ++i) {
        if (!Cell((next_ - i + kCells) % kCells)) break;
        ++count;
    }
    return count;
}

int PickHistory::Add(const Color& color) {
    const int cell = next_;
    cells_[static_cast<std::size_t>(cell)] = color;
    next_ = (next_ + 1) % kCells;
    return cell;
}

bool PickHistory::Remove(int cell) {
    if (cell < 0 || cell >= kCells || !Cell(cell)) return false;
    const int last = (next_ - 1 + kCells) % kCells;
    for (int i = cell; i != last; i = (i + 1) % kCells) {
        cells_[static_cast<std::size_t>(i)] = cells_[static_cast<std::size_t>((i + 1) % kCells)];
    }
    cells_[static_cast<std::size_t>(last)].reset();
    next_ = last;
    return true;
}

std::string PickHistory::ToText() const {
    std::string text;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ',';
        text += WriteEntry(*Cell((Oldest() + i) % kCells));
    }
    return text;
}

PickHistory PickHistory::FromText(std::string_view text) {
    PickHistory history;
    for (const std::string& entry : Split(text, ',')) {
        if (const auto color = ReadEntry(entry)) history.Add(*color);
    }
    return history;
}

}  // namespace velmor
