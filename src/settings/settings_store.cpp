#include "settings/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/text.h"
#include "settings/ini_document.h"

namespace velmor {

namespace {

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    out.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[16384];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return ReadResult::Failed;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string CleanValue(std::string_view value) {
    return std::string(TrimSpaces(RemoveAll(value, '\0')));
}

const std::string& ResolveFile(const std::string& file) {
    return file.empty() ? DefaultIniPath() : file;
}

}  // namespace

std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultValue, const std::string& file) {
    std::string content;
    std::optional<std::string> stored;
    if (!key.empty() && ReadWholeFile(ResolveFile(file), content) == ReadResult::Ok) {
        stored = IniDocument(std::move(content)).Lookup(TrimBlanks(section), TrimBlanks(key));
    }
    std::string value = stored ? std::move(*stored) : std::string(defaultValue);
    if (value.size() > kMaxSettingLength) value.resize(kMaxSettingLength);
    return CleanValue(value);
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file) {
    const std::string cleaned = CleanValue(value);
    const std::string& path = ResolveFile(file);
    const std::string_view sectionName = TrimBlanks(section);
    const std::string_view keyName = TrimBlanks(key);
    if (!IsWritableSectionName(sectionName) || !IsWritableValue(cleaned)) return false;
    // Only a key that is truly empty deletes the section; a blank one is refused.
    if (keyName.empty() != key.empty()) return false;
    if (!keyName.empty() && !IsWritableKeyName(keyName)) return false;

    std::string content;
    if (ReadWholeFile(path, content) == ReadResult::Failed) return false;
    IniDocument doc(content);
    if (keyName.empty()) {
        doc.RemoveSection(sectionName);
    } else if (cleaned.empty()) {
        doc.RemoveKey(sectionName, keyName);
    } else {
        doc.Set(sectionName, keyName, cleaned);
    }
    if (doc.Content() == content) {
        return true;  // nothing to change, so nothing is written
    }
    return ReplaceFileAtomically(path, doc.Content());
}

bool ReplaceFileAtomically(const std::string& requested, std::string_view content) {
    std::error_code ec;
    std::string path = requested;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto target = std::filesystem::canonical(path, ec);
        if (ec) return false;
        path = target.string();
    }
    const std::filesystem::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    std::string temp = folder + "/." + target.filename().string() + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    temp.assign(name.data());

    mode_t mode = 0666;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    const bool ok = WriteAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk too.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

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

SettingsLocation ChooseSettingsLocation(const std::string& programFolder, const char* xdgConfigHome,
                                        const char* home) {
    std::error_code ec;
    return ChooseSettingsLocation(programFolder,
                                  std::filesystem::exists(SettingsPathIn(programFolder), ec),
                                  ::access(programFolder.c_str(), W_OK) == 0, xdgConfigHome, home);
}

SettingsLocation ChooseSettingsLocation(const std::string& programFolder, bool settingsBeside,
                                        bool folderWritable, const char* xdgConfigHome,
                                        const char* home) {
    const std::string beside = SettingsPathIn(programFolder);
    if (settingsBeside || folderWritable) return {beside, false};
    std::string config;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        config = xdgConfigHome;
    } else if (home != nullptr && home[0] != '\0') {
        config = std::string(home) + "/.config";
    } else {
        return {beside, false};  // nowhere better to go
    }
    return {SettingsPathIn(config + "/velmor-color-picker"), true};
}

bool SettingsFile::Write(std::string_view section, std::string_view key,
                         std::string_view value) const {
    if (createFolder_) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    }
    return WriteSetting(section, key, value, path_);
}

}  // namespace velmor
