#pragma once

#include <string>

namespace velmor {

// The folder that holds the running executable.
const std::string& ApplicationFolder();
// The folder, "/", the executable's base name and ".ini"; worked out once.
const std::string& DefaultIniPath();
// "settings.ini" in the given folder.
std::string SettingsPathIn(const std::string& folder);

// An installed program's folder: the install prefix's bin, or anything under /usr.
bool IsSystemFolder(const std::string& folder, const std::string& installBinFolder);

// Where settings.ini lives. Beside the program only for a portable or build
// copy (one already stands there, or the folder can be written); for an
// installed program, whoever runs it, in $XDG_CONFIG_HOME (or ~/.config)
// /velmor-color-picker. An empty path when no configuration folder is known.
struct SettingsLocation {
    std::string path;
    bool createFolder = false;  // the folder is made on the first write
};
struct ProgramFolder {
    std::string path;
    bool system = false;          // installed, never written beside
    bool settingsBeside = false;  // a settings.ini stands there
    bool writable = false;
};
SettingsLocation ChooseSettingsLocation(const ProgramFolder& program, const char* xdgConfigHome,
                                        const char* home);
// The same, looking at the program's folder on disk.
SettingsLocation ChooseSettingsLocation(const std::string& programFolder,
                                        const std::string& installBinFolder,
                                        const char* xdgConfigHome, const char* home);

}  // namespace velmor
