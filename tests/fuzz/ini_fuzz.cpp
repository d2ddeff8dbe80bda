// Arbitrary INI text, then one write: the write must read back as written and
// leave every other line of the file alone.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text.h"
#include "settings/ini_document.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

namespace {

// How many lines of the old text are not kept around the one place a write
// changes: the old lines less the common leading and trailing lines.
std::size_t LostLines(std::string_view before, std::string_view after) {
    const auto a = velmor::Split(before, '\n');
    const auto b = velmor::Split(after, '\n');
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    return a.size() - head - tail;
}

// A NUL ends a value; the blanks around it go; matching quotes go.
std::string ExpectedRead(std::string value) {
    value = value.substr(0, value.find('\0'));
    value = std::string(velmor::TrimSpaces(value));
    std::string_view v = velmor::TrimBlanks(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(velmor::TrimSpaces(velmor::Left(v, velmor::kMaxSettingLength)));
}

const std::string& FuzzFile() {
    static const std::string path =
        "/dev/shm/velmor-ini-fuzz-" + std::to_string(::getpid()) + ".ini";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first bytes pick the section, key and value out of the input's tail.
    const std::size_t nameLength = data[0] % 8 + 1;
    const std::size_t valueLength = data[1] % 32;
    const std::string_view rest = input.substr(2);
    const std::string section(rest.substr(0, nameLength));
    const std::string key(rest.substr(std::min(rest.size(), nameLength), nameLength));
    const std::string value(rest.substr(std::min(rest.size(), 2 * nameLength), valueLength));
    const std::string content(rest.substr(std::min(rest.size(), 2 * nameLength + valueLength)));

    // Reading any text is safe.
    velmor::IniDocument doc(content);
    (void)doc.Keys(section);
    (void)doc.SectionSpans();

    const std::string& file = FuzzFile();
    if (!velmor::ReplaceFileAtomically(file, content)) std::abort();
    const bool wrote = velmor::WriteSetting(section, key, value, file);
    const std::string after = velmor::ReadFile(file);
    if (!wrote) {
        if (after != content) std::abort();  // a refused write changes nothing
        return 0;
    }
    // A UTF-16 file is rewritten whole in its encoding; its text is checked by the tests.
    const bool utf16 = content.size() >= 2 &&
                       (content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF");
    const std::string expected = ExpectedRead(value);
    if (!utf16 && !expected.empty() && !velmor::TrimBlanks(key).empty()) {
        if (velmor::ReadSetting(section, key, "\x01", file) != expected) std::abort();
        // One line replaced, or a terminator added to the last line.
        if (LostLines(content, after) > 1) std::abort();
    }
    return 0;
}
