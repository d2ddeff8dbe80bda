#include "core/pick_history.h"

#include <cstdio>
#include <vector>

#include "core/text.h"

namespace velmor {

namespace {

std::optional<Color> ReadEntry(std::string_view text) {
    text = TrimSpaces(text);
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    auto hex = [](std::string_view digits) -> std::optional<unsigned> {
        unsigned value = 0;
        for (const char ch : digits) {
            const int d = HexDigitValue(ch);
            if (d < 0) return std::nullopt;
            value = value * 16 + static_cast<unsigned>(d);
        }
        return value;
    };
    const std::size_t width = text.size() == 6 ? 2 : text.size() == 12 ? 4 : 0;
    if (width == 0) return std::nullopt;
    std::array<unsigned, 3> channel{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = hex(text.substr(i * width, width));
        if (!v) return std::nullopt;
        channel[i] = width == 2 ? *v * 257 : *v;
    }
    return Color{static_cast<std::uint16_t>(channel[0]), static_cast<std::uint16_t>(channel[1]),
                 static_cast<std::uint16_t>(channel[2])};
}

std::string WriteEntry(const Color& c) {
    char buffer[16];
    if (Color::From8(c.To8()) == c) {
        const Srgb8 e = c.To8();
        std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", e.red, e.green, e.blue);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04X%04X%04X", c.red, c.green, c.blue);
    }
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
