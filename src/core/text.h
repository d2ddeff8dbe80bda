#pragma once

#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// Trims the space character only, as the program's texts are trimmed everywhere.
std::string_view TrimSpaces(std::string_view text);
// Trims the blanks INI files are read without: spaces, tabs, vertical tabs,
// form feeds and Ctrl+Z.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimBlanksLeft(std::string_view text);
std::string RemoveAll(std::string_view text, char c);
std::vector<std::string> Split(std::string_view text, char separator);
std::string Join(const std::vector<std::string>& parts, char separator);
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// TEXT as valid UTF-8: each byte that does not belong to a well-formed
// character (stray, truncated, overlong, a surrogate, past U+10FFFF) becomes
// U+FFFD.
std::string ValidUtf8(std::string_view text);

// Whether a colon-separated list ("ubuntu:GNOME", as XDG_CURRENT_DESKTOP
// reads) holds one of NAMES, letter case aside.
bool ListNames(std::string_view list, std::initializer_list<std::string_view> names);

// The value of one hexadecimal digit, or -1.
int HexDigitValue(char c);

// Substring helpers that never read past the end and never split a UTF-8
// character: the first n characters, n characters from a zero-based start,
// and the last n characters.
std::string_view Left(std::string_view text, std::size_t n);
std::string_view Mid(std::string_view text, std::size_t start, std::size_t n);
std::string_view Right(std::string_view text, std::size_t n);

// A whole decimal number as typed by a user: surrounding spaces are ignored, one
// leading "+" or "-" is allowed, then one or more ASCII digits and nothing else.
// Fractions ("12.5"), exponents ("1e2"), hex and values outside T fail.
template <typename T>
std::optional<T> ParseWholeNumber(std::string_view text) {
    text = TrimSpaces(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '-' && (text.size() == 1 || first[1] < '0' || first[1] > '9')) {
        return std::nullopt;
    }
    T value{};
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

// "a, b, c": the names of a table's rows, for messages and help.
template <typename Rows>
std::string JoinedNames(const Rows& rows) {
    std::string list;
    for (const auto& row : rows) {
        if (!list.empty()) list += ", ";
        list += row.name;
    }
    return list;
}

inline std::optional<std::int16_t> ParseInt16(std::string_view text) {
    return ParseWholeNumber<std::int16_t>(text);
}
inline std::optional<std::int32_t> ParseInt32(std::string_view text) {
    return ParseWholeNumber<std::int32_t>(text);
}

}  // namespace velmor
