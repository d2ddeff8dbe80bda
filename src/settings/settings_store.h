#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmor {

// Longest value a read gives back, as the profile functions' 2048-character buffer.
inline constexpr std::size_t kMaxSettingLength = 2047;

// Reads one value of an INI file anew from disk; the default for a missing file,
// section or key. An empty file name means DefaultIniPath().
std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultValue, const std::string& file);

// Stores key=value; an empty value deletes the key, an empty key the section.
// The file is replaced atomically; false when nothing could be written, in which
// case the file is untouched.
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file);

// The folder that holds the running executable.
const std::string& ApplicationFolder();
// The folder, "/", the executable's base name and ".ini"; worked out once.
const std::string& DefaultIniPath();
// "settings.ini" in the given folder.
std::string SettingsPathIn(const std::string& folder);

// Where settings.ini lives: beside the program when one stands there already or
// the folder can be written (portable use); otherwise in the user's
// configuration folder, $XDG_CONFIG_HOME (or ~/.config) /velmor-color-picker.
struct SettingsLocation {
    std::string path;
    bool createFolder = false;  // the folder is made on the first write
};
SettingsLocation ChooseSettingsLocation(const std::string& programFolder, bool settingsBeside,
                                        bool folderWritable, const char* xdgConfigHome,
                                        const char* home);
// The same, looking at the program's folder on disk.
SettingsLocation ChooseSettingsLocation(const std::string& programFolder, const char* xdgConfigHome,
                                        const char* home);

// Atomically replaces a file's content: written beside it, flushed, renamed over it.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);

// The settings file every part of the program is handed; fixed at start-up.
class SettingsFile {
  public:
    explicit SettingsFile(std::string path, bool createFolder = false)
        : path_(std::move(path)), createFolder_(createFolder) {}
    explicit SettingsFile(const SettingsLocation& location)
        : SettingsFile(location.path, location.createFolder) {}

    const std::string& Path() const { return path_; }
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const {
        return ReadSetting(section, key, defaultValue, path_);
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) const;

  private:
    std::string path_;
    bool createFolder_ = false;
};

}  // namespace velmor
