#include "settings/favorites_list.h"

#include <algorithm>

#include <limits>

#include "core/text.h"

namespace velmor {

namespace {

constexpr std::string_view kSection = "Favorites";
constexpr std::string_view kKey = "Favorites";

std::int16_t ToIndex(std::size_t value) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());
    return static_cast<std::int16_t>(value > kMax ? kMax : value);
}

}  // namespace

std::vector<std::string> FavoritesList::Entries() const {
    if (entries_.empty()) return {};
    return Split(entries_, ';');
}

std::size_t FavoritesList::Count() const {
    return entries_.empty()
               ? 0
               : static_cast<std::size_t>(std::count(entries_.begin(), entries_.end(), ';')) + 1;
}

std::int16_t FavoritesList::Load(const SettingsFile& settings) {
    entries_ = settings.Read(kSection, kKey, "");
    lastIndex_ = ToIndex(entries_.size() / 7);
    selectedIndex_ = entries_.empty() ? -1 : 0;
    return selectedIndex_;
}

SaveResult FavoritesList::Save(const SettingsFile& settings) const {
    return settings.Write(kSection, kKey, entries_);
}

std::string FavoritesList::ExtractEntry(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    std::string piece;
    if (trimmed.find('(') != std::string_view::npos) {
        const auto parts = Split(trimmed, '(');
        const std::string& chosen = parts[0].find('#') != std::string::npos ? parts[0] : parts[1];
        piece = RemoveAll(RemoveAll(TrimSpaces(chosen), ')'), '#');
    } else {
        piece = RemoveAll(trimmed, '#');
    }
    return std::string(TrimSpaces(piece));
}

bool FavoritesList::IsFull() const {
    if (entries_.size() <= 1338) return false;
    return Split(entries_, ';').size() > static_cast<std::size_t>(kMaxEntries - 1);
}

void FavoritesList::Append(std::string_view entry) {
    if (entries_.empty()) {
        entries_ = std::string(entry);
    } else {
        entries_ += ';';
        entries_ += entry;
    }
}

void FavoritesList::RecordDraw(std::int16_t selection, std::size_t entryCount) {
    if (entries_.empty() || entryCount == 0) return;
    lastIndex_ = ToIndex(entryCount - 1);
    selectedIndex_ = selection;
}

bool FavoritesList::RemoveSelected() {
    if (selectedIndex_ < 0 || entries_.empty()) {
        selectedIndex_ = -1;
        return false;
    }
    auto parts = Split(entries_, ';');
    const auto index = static_cast<std::size_t>(selectedIndex_);
    if (index >= parts.size()) {
        selectedIndex_ = -1;
        return false;
    }
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(index));
    entries_ = Join(parts, ';');
    if (index == parts.size()) --selectedIndex_;
    return true;
}

void FavoritesList::Clear() {
    entries_.clear();
    selectedIndex_ = -1;
}

bool FavoritesList::RemoveDuplicates() {
    if (TooShortForDuplicates()) return false;
    const auto parts = Split(entries_, ';');
    std::string kept = parts[0];
    std::size_t keptCount = 1;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        // A piece of text already present counts as a repeat, as an empty entry does.
        if (kept.find(parts[i]) != std::string::npos) continue;
        kept += ';';
        kept += parts[i];
        ++keptCount;
    }
    if (keptCount == parts.size()) return false;
    entries_ = std::move(kept);
    selectedIndex_ = ToIndex(keptCount - 1);
    return true;
}

}  // namespace velmor
