#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmor {

// INI text read and edited the way the Windows profile functions treat it:
// section and key names match without regard to case, the first of duplicates
// wins, ";" and "#" lines are comments, a value in matching quotes loses them.
// Edits touch only the lines they must; every other byte is kept.
class IniDocument {
  public:
    explicit IniDocument(std::string content) : content_(std::move(content)) {}

    const std::string& Content() const { return content_; }

    // Every key of the section with its value as stored (trimmed, unquoted,
    // not cut), the first of
    // duplicates only, in file order.
    std::vector<std::pair<std::string, std::string>> Keys(std::string_view section) const;
    // Where each section stands in the text, from its header to the next
    // one, by its name in lower case: the first of sections that differ only
    // in case counts.
    std::map<std::string, std::pair<std::size_t, std::size_t>> SectionSpans() const;

    // Replaces the key in place, or adds it at the end of its section, or adds
    // the section at the end of the text.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

  private:
    std::string content_;
};

// Whether a name or value can be written without breaking the line structure.
bool IsWritableSectionName(std::string_view name);
bool IsWritableKeyName(std::string_view name);
bool IsWritableValue(std::string_view value);

}  // namespace velmor
