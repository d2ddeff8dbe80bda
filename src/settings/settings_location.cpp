#include "settings/settings_location.h"

#include <unistd.h>

#include <filesystem>

namespace velmor {

namespace {

// The running executable's path, or an empty path when it cannot be told.
const std::filesystem::path& ExecutablePath() {
    static const std::filesystem::path exe = [] {
        std::error_code ec;
        auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::filesystem::path() : path;
    }();
    return exe;
}

std::string Normal(const std::string& folder) {
    std::string p = std::filesystem::path(folder).lexically_normal().string();
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

}  // namespace

const std::string& ApplicationFolder() {
    static const std::string folder =
        ExecutablePath().has_parent_path() ? ExecutablePath().parent_path().string() : ".";
    return folder;
}

const std::string& DefaultIniPath() {
    static const std::string path = [] {
        const std::string stem = ExecutablePath().empty() ? std::string("velmor-color-picker")
                                                          : ExecutablePath().stem().string();
        std::string folder = ApplicationFolder();
        if (folder.empty() || folder.back() != '/') folder += '/';
        return folder + stem + ".ini";
    }();
    return path;
}

std::string SettingsPathIn(const std::string& folder) {
    return folder + "/settings.ini";
}

bool IsSystemFolder(const std::string& folder, const std::string& installBinFolder) {
    const std::string f = Normal(folder);
    return (!installBinFolder.empty() && f == Normal(installBinFolder)) || f == "/usr" ||
           f.starts_with("/usr/");
}

SettingsLocation ChooseSettingsLocation(const ProgramFolder& program, const char* xdgConfigHome,
                                        const char* home) {
    if (!program.system && (program.settingsBeside || program.writable)) {
        return {SettingsPathIn(program.path), false};
    }
    std::string config;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        config = xdgConfigHome;
    } else if (home != nullptr && home[0] == '/') {
        config = std::string(home) + "/.config";
    } else {
        return {};  // nowhere to keep them: saves say so
    }
    return {SettingsPathIn(config + "/velmor-color-picker"), true};
}

SettingsLocation ChooseSettingsLocation(const std::string& programFolder,
                                        const std::string& installBinFolder,
                                        const char* xdgConfigHome, const char* home) {
    std::error_code ec;
    ProgramFolder program;
    program.path = programFolder;
    program.system = IsSystemFolder(programFolder, installBinFolder);
    if (!program.system) {  // an installed program's folder is never looked at
        program.settingsBeside = std::filesystem::exists(SettingsPathIn(programFolder), ec);
        program.writable = ::access(programFolder.c_str(), W_OK) == 0;
    }
    return ChooseSettingsLocation(program, xdgConfigHome, home);
}

}  // namespace velmor
