#include "settings/ini_document.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "core/text.h"

namespace velmor {

namespace {

enum class LineKind { Blank, Comment, Section, Key, Other };

struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // one past the last byte before the terminator
    std::size_t next = 0;   // first byte of the following line
    LineKind kind = LineKind::Other;
    std::string_view name;    // section or key name, trimmed
    std::string_view value;   // key value, trimmed
    std::size_t nameEnd = 0;  // key lines: offset just past the name as written
};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A name as the profile functions compare it: a C string, which a NUL ends.
std::string_view UpToNul(std::string_view name) {
    return name.substr(0, name.find('\0'));
}

std::vector<Line> ParseLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        line.end = end;
        if (end < text.size()) {
            line.next = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
                            ? end + 2
                            : end + 1;
        } else {
            line.next = end;
        }
        std::size_t bodyStart = line.begin;
        if (line.begin == 0 && text.substr(0, kBom.size()) == kBom) bodyStart = kBom.size();
        const std::string_view raw = text.substr(bodyStart, line.end - bodyStart);
        const std::string_view body = TrimBlanks(raw);
        if (body.empty()) {
            line.kind = LineKind::Blank;
        } else if (body.front() == ';' || body.front() == '#') {
            line.kind = LineKind::Comment;
        } else if (body.front() == '[') {
            const auto close = body.rfind(']');
            if (close != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = TrimBlanks(body.substr(1, close - 1));
            }
        } else {
            const auto eq = raw.find('=');
            // A line without "=" is a bare name: no key to read, but one a write replaces.
            if (eq != std::string_view::npos) {
                line.kind = LineKind::Key;
                line.value = TrimBlanks(raw.substr(eq + 1));
            }
            line.name = eq != std::string_view::npos ? TrimBlanks(raw.substr(0, eq)) : body;
            const std::size_t indent = raw.size() - TrimBlanksLeft(raw).size();
            line.nameEnd = bodyStart + indent + line.name.size();
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

struct SectionSpan {
    std::size_t header = 0;  // index of the header line
    std::size_t end = 0;     // index one past the section's last line
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section ||
            !EqualsIgnoreCaseAscii(UpToNul(lines[i].name), section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

// With `bare`, a line that is only the key's name counts too, as the profile
// functions find it when they write.
std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   std::string_view key, bool bare = false) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const bool candidate =
            lines[i].kind == LineKind::Key || (bare && lines[i].kind == LineKind::Other);
        if (candidate && EqualsIgnoreCaseAscii(UpToNul(lines[i].name), key)) return i;
    }
    return std::nullopt;
}

// The terminator the file already uses; new files get LF.
std::string_view LineEnding(std::string_view text) {
    const auto pos = text.find_first_of("\r\n");
    if (pos == std::string_view::npos || text[pos] == '\n') return "\n";
    if (pos + 1 < text.size() && text[pos + 1] == '\n') return "\r\n";
    return "\r";
}

std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

namespace {

// The keys of the section whose header is lines[header], up to the next header.
std::vector<std::pair<std::string, std::string>> KeysFrom(const std::vector<Line>& lines,
                                                          std::size_t header) {
    std::vector<std::pair<std::string, std::string>> out;
    // The first of keys that differ only in case counts; later ones are duplicates.
    std::unordered_set<std::string> seen;
    for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        const std::string_view name = UpToNul(lines[i].name);
        if (lines[i].kind != LineKind::Key || name.empty()) continue;
        if (!seen.insert(ToLowerAscii(name)).second) continue;
        out.emplace_back(std::string(name), Unquoted(lines[i].value));
    }
    return out;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> IniDocument::Keys(std::string_view section) const {
    const auto lines = ParseLines(content_);
    const auto span = FindSection(lines, section);
    if (!span) return {};
    return KeysFrom(lines, span->header);
}

std::map<std::string, std::pair<std::size_t, std::size_t>> IniDocument::SectionSpans() const {
    std::map<std::string, std::pair<std::size_t, std::size_t>> out;
    const auto lines = ParseLines(content_);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        const std::size_t stop = end < lines.size() ? lines[end].begin : content_.size();
        out.try_emplace(ToLowerAscii(UpToNul(lines[i].name)), lines[i].begin, stop);
        i = end - 1;
    }
    return out;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const auto lines = ParseLines(content_);
    const std::string eol(LineEnding(content_));
    const auto span = FindSection(lines, section);
    if (span) {
        if (const auto at = FindKey(lines, *span, key, true)) {
            const Line& line = lines[*at];
            content_.replace(line.nameEnd, line.end - line.nameEnd, "=" + std::string(value));
            return;
        }
        // After the section's last line that is not blank, so trailing blank
        // lines keep separating it from the next section.
        std::size_t last = span->header;
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            if (lines[i].kind != LineKind::Blank) last = i;
        }
        // The new line ends as the line before it does, so that mixed line
        // endings cannot merge it with its neighbour.
        const Line& before = lines[last];
        std::string ending = content_.substr(before.end, before.next - before.end);
        std::string insert = std::string(key) + "=" + std::string(value);
        if (ending.empty()) {
            ending = eol;
            insert = eol + insert;  // the last line had no terminator yet
        }
        content_.insert(before.next, insert + ending);
        return;
    }
    std::string tail;
    if (!lines.empty()) {
        if (lines.back().next == lines.back().end) tail += eol;
        if (lines.back().kind != LineKind::Blank) tail += eol;
    }
    tail +=
        "[" + std::string(section) + "]" + eol + std::string(key) + "=" + std::string(value) + eol;
    content_ += tail;
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
    const auto lines = ParseLines(content_);
    const auto span = FindSection(lines, section);
    if (!span) return;
    if (const auto at = FindKey(lines, *span, key)) {
        content_.erase(lines[*at].begin, lines[*at].next - lines[*at].begin);
    }
}

void IniDocument::RemoveSection(std::string_view section) {
    const auto lines = ParseLines(content_);
    const auto span = FindSection(lines, section);
    if (!span) return;
    const std::size_t begin = lines[span->header].begin;
    const std::size_t end = span->end < lines.size() ? lines[span->end].begin : content_.size();
    // A byte-order mark before the header stays where it was.
    const std::size_t keep =
        (begin == 0 && std::string_view(content_).substr(0, kBom.size()) == kBom) ? kBom.size() : 0;
    content_.erase(begin + keep, end - begin - keep);
}

bool IsWritableSectionName(std::string_view name) {
    return !name.empty() &&
           name.find_first_of(std::string_view("\r\n]\0", 4)) == std::string_view::npos;
}

bool IsWritableKeyName(std::string_view name) {
    if (name.empty() ||
        name.find_first_of(std::string_view("\r\n=\0", 4)) != std::string_view::npos) {
        return false;
    }
    // A name that starts like a header or a comment would not read back as a key.
    const std::string_view trimmed = TrimBlanks(name);
    return !trimmed.empty() && trimmed.front() != '[' && trimmed.front() != ';' &&
           trimmed.front() != '#';
}

bool IsWritableValue(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace velmor
