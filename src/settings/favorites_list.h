#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace velmor {

// The favourite colours as one text of entries joined by ";", with the selection.
// Pure list logic: the window shows messages and redraws the grid around it.
class FavoritesList {
  public:
    static constexpr std::int16_t kMaxEntries = 224;

    const std::string& Text() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    std::vector<std::string> Entries() const;
    std::size_t Count() const;
    std::int16_t SelectedIndex() const { return selectedIndex_; }
    std::int16_t LastIndex() const { return lastIndex_; }

    // Reads the list; gives the selection to draw: 0, or -1 for an empty list.
    std::int16_t Load(const SettingsFile& settings);
    SaveResult Save(const SettingsFile& settings) const;

    // The six digits inside "#RRGGBB" or either arrangement of a name line.
    static std::string ExtractEntry(std::string_view text);

    // A list of 224 entries takes no more.
    bool IsFull() const;
    void Append(std::string_view entry);

    // What a redraw of `entryCount` entries with this selection records: the
    // last index and the selection. An empty list keeps both.
    void RecordDraw(std::int16_t selection, std::size_t entryCount);

    // Removes the selected entry; false (and no selection) when there is none.
    bool RemoveSelected();
    void Clear();
    // Whether clearing or removing repeats asks the user first.
    bool NeedsConfirmation() const { return entries_.size() > 10; }
    // Drops later repeats; false when the list is too short or nothing was dropped.
    bool RemoveDuplicates();
    bool TooShortForDuplicates() const { return entries_.size() < 10; }

    bool CanRemoveSelected() const { return !entries_.empty() && selectedIndex_ >= 0; }
    bool CanClear() const { return !entries_.empty() && lastIndex_ >= 1; }

  private:
    std::string entries_;
    std::int16_t selectedIndex_ = -1;
    std::int16_t lastIndex_ = 0;
};

}  // namespace velmor
