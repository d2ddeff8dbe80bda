#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings_location.h"

namespace velmor {

// Longest value a read gives back, as the profile functions' 2048-character buffer.
inline constexpr std::size_t kMaxSettingLength = 2047;

// Reads one value of an INI file anew from disk; the default for a missing file,
// section or key, and for anything that is not a regular file. An empty file
// name means DefaultIniPath().
std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultValue, const std::string& file);

// Every key of a section with its value, read as ReadSetting reads one.
std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section,
                                                             const std::string& file);

// What became of a save: on failure, why, in words fit for a message
// ("the disk is full"), and the file on disk is as it was.
struct SaveResult {
    bool ok = true;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// The key changes of one save.
class SettingsEdit {
  public:
    // Stores key=value; an empty value deletes the key, an empty key the section.
    void Set(std::string_view section, std::string_view key, std::string_view value);

  private:
    friend SaveResult EditSettings(const std::string&, bool,
                                   const std::function<void(SettingsEdit&)>&);
    struct Change {
        std::string section, key, value;
    };
    std::vector<Change> changes_;
    bool refused_ = false;
};

// One transaction: the file is read once, every change is made, and the file
// is replaced once (atomically where the folder allows a file beside it,
// otherwise rewritten in place). Only a regular file, or a link to one, is
// read or replaced; a read-only file is left alone.
SaveResult EditSettings(const std::string& file, bool createFolder,
                        const std::function<void(SettingsEdit&)>& edit);

// One key, as the profile function: false when nothing could be written.
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file);

// Replaces a file's content atomically: written beside it, flushed, renamed over it.
SaveResult ReplaceFileAtomically(const std::string& path, std::string_view content);

// The settings file every part of the program is handed; fixed at start-up.
class SettingsFile {
  public:
    explicit SettingsFile(std::string path, bool createFolder = false)
        : path_(std::move(path)), createFolder_(createFolder) {}
    explicit SettingsFile(const SettingsLocation& location)
        : SettingsFile(location.path, location.createFolder) {}

    const std::string& Path() const { return path_; }
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const;
    std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section) const;
    SaveResult Write(std::string_view section, std::string_view key, std::string_view value) const;
    SaveResult Edit(const std::function<void(SettingsEdit&)>& edit) const;

  private:
    std::string path_;
    bool createFolder_ = false;
};

}  // namespace velmor
