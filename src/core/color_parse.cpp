#include "core/color_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/color_tables.h"
#include "core/notations.h"
#include "core/text.h"

namespace velmor {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

// A long value and the classic hexadecimal notations hold blue in the high byte.
std::optional<ParsedColor> FromBgr(std::optional<std::uint32_t> value) {
    if (!value || *value > 0xFFFFFF) return std::nullopt;
    return ParsedColor{
        Color::From8(int(*value & 0xFF), int(*value >> 8 & 0xFF), int(*value >> 16 & 0xFF))};
}

std::optional<ParsedColor> FromHexDigits(std::string_view digits) {
    const std::optional<std::uint32_t> v = HexNumber(digits);
    if (!v) return std::nullopt;
    switch (digits.size()) {
        case 3:
        case 4: {
            // Each digit doubled: #f80 is #ff8800.
            const int shift = digits.size() == 4 ? 4 : 0;
            const auto nibble = [&](int i) { return int(*v >> (shift + 4 * (2 - i)) & 0xF) * 17; };
            return ParsedColor{Color::From8(nibble(0), nibble(1), nibble(2)), digits.size() == 4};
        }
        case 6:
        case 8: {
            const int shift = digits.size() == 8 ? 8 : 0;
            const auto byte = [&](int i) { return int(*v >> (shift + 8 * (2 - i)) & 0xFF); };
            return ParsedColor{Color::From8(byte(0), byte(1), byte(2)), digits.size() == 8};
        }
        default:
            return std::nullopt;
    }
}

// One argument of a CSS colour function.
struct Argument {
    double value = 0;
    enum class Unit { Number, Percent, Degrees } unit = Unit::Number;
    bool none = false;
};

std::optional<Argument> ReadArgument(std::string_view token) {
    Argument a;
    if (token == "none") {
        a.none = true;
        return a;
    }
    const char* end = token.data() + token.size();
    const auto [stop, ec] = std::from_chars(token.data(), end, a.value);
    if (ec != std::errc{} || !std::isfinite(a.value)) return std::nullopt;
    const std::string_view unit(stop, static_cast<std::size_t>(end - stop));
    if (unit.empty()) return a;
    if (unit == "%") {
        a.unit = Argument::Unit::Percent;
        return a;
    }
    a.unit = Argument::Unit::Degrees;
    if (unit == "deg") return a;
    if (unit == "rad")
        a.value *= 180.0 / kPi;
    else if (unit == "grad")
        a.value *= 0.9;
    else if (unit == "turn")
        a.value *= 360.0;
    else
        return std::nullopt;
    return a;
}

// The arguments, and the opacity after "/" or as a fourth comma argument.
struct Arguments {
    std::vector<Argument> values;
    bool alpha = false;
};

std::optional<Arguments> ReadArguments(std::string_view inside) {
    Arguments out;
    std::string token;
    bool slash = false;
    const auto flush = [&]() -> bool {
        if (token.empty()) return true;
        const std::optional<Argument> a = ReadArgument(token);
        token.clear();
        if (!a) return false;
        if (slash) {
            out.alpha = !(a->unit == Argument::Unit::Percent ? a->value >= 100 : a->value >= 1);
        } else {
            out.values.push_back(*a);
        }
        return true;
    };
    for (char c : inside) {
        if (c == ',' || c == ' ' || c == '\t' || c == '/') {
            if (!flush()) return std::nullopt;
            if (c == '/') {
                if (slash) return std::nullopt;
                slash = true;
            }
        } else {
            token += c;
        }
    }
    if (!flush()) return std::nullopt;
    // Commas separate all the arguments (the legacy way) or none of them.
    const auto commas = std::count(inside.begin(), inside.end(), ',');
    if (commas != 0 && (slash || commas + 1 != static_cast<long>(out.values.size()))) {
        return std::nullopt;
    }
    if (out.values.size() == 4 && !slash && commas == 3) {  // rgba(r, g, b, a)
        const Argument a = out.values.back();
        out.values.pop_back();
        out.alpha = !(a.unit == Argument::Unit::Percent ? a.value >= 100 : a.value >= 1);
    }
    if (out.values.size() != 3) return std::nullopt;
    return out;
}

// A component where 100% means `full`; "none" is zero.
double Scaled(const Argument& a, double full) {
    if (a.none) return 0;
    return a.unit == Argument::Unit::Percent ? a.value / 100.0 * full : a.value;
}

std::optional<ParsedColor> FromFunction(std::string_view name, std::string_view inside) {
    // rgba() and hsla() are rgb() and hsl(); color() names its space first.
    std::string open(name);
    if (open == "rgba" || open == "hsla") open.pop_back();
    open += '(';
    if (name == "color") {
        inside = TrimSpaces(inside);
        const std::size_t space = inside.find(' ');
        if (space == std::string_view::npos) return std::nullopt;
        open += std::string(inside.substr(0, space)) + ' ';
        inside = inside.substr(space + 1);
    }
    const NotationRow* row = ReadableRow(open);
    if (row == nullptr) return std::nullopt;
    const std::optional<Arguments> args = ReadArguments(inside);
    if (!args) return std::nullopt;
    const std::vector<Argument>& v = args->values;
    double c[3] = {};
    const double full[3] = {row->full.x, row->full.y, row->full.z};
    for (std::size_t i = 0; i < 3; ++i) {
        // An angle only in a hue's place, and a hue never in percent.
        const bool hue = row->units[i] == 'h';
        if (hue ? v[i].unit == Argument::Unit::Percent : v[i].unit == Argument::Unit::Degrees) {
            return std::nullopt;
        }
        c[i] = Scaled(v[i], full[i]);
    }
    const Triple rgb = row->read({c[0], c[1], c[2]});
    return ParsedColor{Color::FromUnit(rgb.x, rgb.y, rgb.z), args->alpha};
}

// Names are compared with "grey" spelt "gray": CSS takes both.
std::string GrayName(std::string name) {
    for (std::size_t at = name.find("grey"); at != std::string::npos; at = name.find("grey")) {
        name.replace(at, 4, "gray");
    }
    return name;
}

std::optional<ParsedColor> FromName(const std::string& lower) {
    static const std::unordered_map<std::string, Srgb8> names = [] {
        std::unordered_map<std::string, Srgb8> map;
        const ColorTables& t = ColorTables::Instance();
        const auto add = [&](const std::vector<std::string>& n,
                             const std::vector<std::string>& hex) {
            for (std::size_t i = 0; i < n.size() && i < hex.size(); ++i) {
                const auto v = HexNumber(hex[i]);
                if (v) {
                    map.emplace(GrayName(ToLowerAscii(n[i])),
                                Srgb8{int(*v >> 16), int(*v >> 8 & 0xFF), int(*v & 0xFF)});
                }
            }
        };
        add(t.BasicNames(), t.BasicHex());
        add(t.AdditionalNames(), t.AdditionalHex());
        // CSS names the tables spell another way.
        map.emplace("rebeccapurple", Srgb8{0x66, 0x33, 0x99});
        map.emplace("cyan", Srgb8{0x00, 0xFF, 0xFF});
        map.emplace("magenta", Srgb8{0xFF, 0x00, 0xFF});
        map.emplace("lightgray", Srgb8{0xD3, 0xD3, 0xD3});
        return map;
    }();
    const auto found = names.find(GrayName(lower));
    if (found == names.end()) return std::nullopt;
    return ParsedColor{Color::From8(found->second)};
}

}  // namespace

std::optional<ParsedColor> ParseColor(std::string_view text) {
    text = TrimSpaces(text);
    // The classic HTML notations are quoted: "#FF8C00" and "DarkOrange".
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = TrimSpaces(text.substr(1, text.size() - 2));
    }
    if (text.empty() || text.size() > 200) return std::nullopt;
    const std::string lower = ToLowerAscii(text);
    const std::string_view l(lower);
    if (l.front() == '#') return FromHexDigits(l.substr(1));
    if (l.starts_with("&h") && l.back() == '&')
        return FromBgr(HexNumber(l.substr(2, l.size() - 3)));
    if (l.front() == '$') return FromBgr(HexNumber(l.substr(1)));
    if (l.starts_with("0x")) {
        const std::string_view digits = l.substr(2);
        if (digits.size() == 8) return FromBgr(HexNumber(digits));
        if (digits.size() == 6) return FromHexDigits(digits);
        return std::nullopt;
    }
    if (l.find_first_not_of("0123456789") == std::string_view::npos) {
        std::uint32_t value = 0;
        const auto [end, ec] = std::from_chars(l.data(), l.data() + l.size(), value);
        if (ec != std::errc{} || end != l.data() + l.size()) return std::nullopt;
        return FromBgr(value);
    }
    const std::size_t open = l.find('(');
    if (open != std::string_view::npos) {
        if (l.back() != ')') return std::nullopt;
        return FromFunction(TrimSpaces(l.substr(0, open)), l.substr(open + 1, l.size() - open - 2));
    }
    return FromName(lower);
}

}  // namespace velmor
