#include "settings/settings_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "core/text.h"
#include "settings/ini_document.h"
#include "settings/text_encoding.h"

namespace velmor {

namespace {

// Temporary files are ".settings.ini." and six characters from mkstemp.
constexpr std::size_t kTempSuffix = 6;
constexpr auto kStaleTemp = std::chrono::seconds(60);

std::string Reason(int error) {
    switch (error) {
        case ENOSPC:
            return "the disk is full";
        case EDQUOT:
            return "your disk quota is used up";
        case EROFS:
            return "the disk is mounted read-only";
        case EACCES:
        case EPERM:
            return "you are not allowed to write there";
        case ENOENT:
            return "its folder does not exist";
        case ENOTDIR:
            return "a part of its path is not a folder";
        case EISDIR:
            return "it is a folder, not a file";
        case ELOOP:
            return "it is a loop of symbolic links";
        case ENAMETOOLONG:
            return "its path is too long";
        case EIO:
            return "the disk reported an error";
        default:
            return std::strerror(error);
    }
}

SaveResult Failed(std::string reason) {
    return {false, std::move(reason)};
}

SaveResult FailedErrno(int error = errno) {
    return Failed(Reason(error));
}

// The file to read and write: a link is followed only to a regular file.
struct Target {
    std::string path;  // the regular file itself (links resolved)
    bool exists = false;
    struct stat status {};
};

std::optional<Target> Resolve(const std::string& requested, std::string& why) {
    Target t;
    t.path = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) != 0) {
        if (errno == ENOENT) return t;
        why = Reason(errno);
        return std::nullopt;
    }
    if (S_ISLNK(link.st_mode)) {
        std::error_code ec;
        const auto target = std::filesystem::canonical(requested, ec);
        if (ec) {
            why = ec.value() == ELOOP ? "it is a symbolic link that loops"
                                      : "it is a symbolic link to a file that does not exist";
            return std::nullopt;
        }
        t.path = target.string();
    }
    if (::stat(t.path.c_str(), &t.status) != 0) {
        why = Reason(errno);
        return std::nullopt;
    }
    if (S_ISDIR(t.status.st_mode)) {
        why = "it is a folder, not a file";
        return std::nullopt;
    }
    if (!S_ISREG(t.status.st_mode)) {
        why = "it is not a regular file";
        return std::nullopt;
    }
    t.exists = true;
    return t;
}

enum class ReadResult { Ok, Missing, Failed };

// Never blocks: a FIFO or a device is refused before a byte is read.
ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

// Values end at a NUL and lose the blanks around them, as the profile functions read.
std::string CleanValue(std::string_view value) {
    const auto nul = value.find('\0');
    if (nul != std::string_view::npos) value = value.substr(0, nul);
    return std::string(TrimSpaces(value));
}

const std::string& ResolveFile(const std::string& file) {
    return file.empty() ? DefaultIniPath() : file;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Where no file can be made beside the settings (or one would not keep the
// file's owner), they are rewritten in place. A shorter text is first written
// padded to the old length with blank lines and made durable, and only then
// cut: a crash between the two leaves blank lines, never an old key's tail.
SaveResult RewriteInPlace(const std::string& path, std::string_view content,
                          FileEncoding encoding) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FailedErrno();
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    std::string padded(content);
    if (ok && static_cast<std::size_t>(st.st_size) > padded.size()) {
        const std::string newline =
            EncodeText("\n", encoding)
                .substr(encoding == FileEncoding::Bytes ? 0 : 2);  // without the mark
        while (padded.size() + newline.size() <= static_cast<std::size_t>(st.st_size)) {
            padded += newline;
        }
    }
    ok = ok && WriteAll(fd, padded) && ::fsync(fd) == 0 &&
         ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !ok) return FailedErrno(ok ? errno : error);
    return {};
}

std::string UserName(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return found->pw_name;
    }
    return "user " + std::to_string(uid);
}

// Who owns the nearest folder that exists on the way to `path`: what root
// creates for another user's settings belongs to that user.
std::optional<std::pair<uid_t, gid_t>> ForeignOwner(const std::string& path) {
    if (::geteuid() != 0) return std::nullopt;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    struct stat st {};
    while (!folder.empty() && ::stat(folder.c_str(), &st) != 0) {
        if (folder == folder.parent_path()) return std::nullopt;
        folder = folder.parent_path();
    }
    if (folder.empty() || st.st_uid == 0) return std::nullopt;
    return std::make_pair(st.st_uid, st.st_gid);
}

// Creates the missing folders of `folder`, owned as the folder above them is.
std::error_code CreateFolders(const std::string& folder) {
    const auto owner = ForeignOwner(folder + "/settings.ini");
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path p = folder; !p.empty() && !std::filesystem::exists(p);
         p = p.parent_path()) {
        missing.push_back(p);
        if (p == p.parent_path()) break;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!ec && owner) {
        for (const auto& p : missing) {
            if (::chown(p.c_str(), owner->first, owner->second) != 0) {
                return std::error_code(errno, std::generic_category());
            }
        }
    }
    return ec;
}

// Removes what interrupted saves left beside the file: our own pattern only,
// and only once it is old enough not to belong to a save still running.
void RemoveStaleTemporaries(const std::string& path) {
    const std::filesystem::path target(path);
    const std::string prefix = "." + target.filename().string() + ".";
    const std::string folder = FolderOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const auto now = std::chrono::system_clock::now();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kTempSuffix) continue;
        const std::string full = folder + "/" + std::string(name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtime);
        if (now - modified > kStaleTemp) ::unlink(full.c_str());
    }
    ::closedir(dir);
}

// Saves of several running copies take turns: each holds the folder's lock
// from its read to its replace, so none undoes another's change. Waits a few
// seconds for a holder that hangs; a save without the lock could undo its
// change, so then the save is refused. Where the folder cannot be locked at
// all, saves go ahead.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        for (int tries = 0; tries < 600; ++tries) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
            if (errno != EWOULDBLOCK && errno != EINTR) return;
            ::usleep(5000);
        }
        busy_ = true;
    }
    bool Busy() const { return busy_; }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
    bool busy_ = false;
};

SaveResult ReplaceResolved(const Target& target, std::string_view content, FileEncoding encoding) {
    const std::string folder = FolderOf(target.path);
    std::string temp =
        folder + "/." + std::filesystem::path(target.path).filename().string() + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (target.exists && (error == EACCES || error == EPERM)) {
            return RewriteInPlace(target.path, content, encoding);
        }
        return FailedErrno(error);
    }
    temp.assign(name.data());

    mode_t mode = 0666;
    if (target.exists) {
        mode = target.status.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    // The replacement keeps the owner of the file it replaces (or of the folder
    // a new one goes into); where this program cannot give it that owner, the
    // file is rewritten in place instead.
    std::optional<std::pair<uid_t, gid_t>> owner;
    if (target.exists) {
        if (target.status.st_uid != ::geteuid() || target.status.st_gid != ::getegid()) {
            owner = std::make_pair(target.status.st_uid, target.status.st_gid);
        }
    } else {
        owner = ForeignOwner(target.path);
    }
    if (owner && ::fchown(fd, owner->first, owner->second) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        if (target.exists) return RewriteInPlace(target.path, content, encoding);
        return FailedErrno(error);
    }
    bool ok = WriteAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return FailedErrno(error);
    }
    // The rename itself must reach the disk too.
    SyncFolder(folder);
    RemoveStaleTemporaries(target.path);
    return {};
}

}  // namespace

void SettingsEdit::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleaned = CleanValue(value);
    const std::string_view sectionName = TrimBlanks(section);
    const std::string_view keyName = TrimBlanks(key);
    // Only a key that is truly empty deletes the section; a blank one is refused.
    if (!IsWritableSectionName(sectionName) || !IsWritableValue(cleaned) ||
        keyName.empty() != key.empty() || (!keyName.empty() && !IsWritableKeyName(keyName))) {
        refused_ = true;
        return;
    }
    changes_.push_back({std::string(sectionName), std::string(keyName), cleaned});
}

namespace {

// The file's text as UTF-8, and how it was encoded; nothing when it cannot be read.
struct FileText {
    std::string text;
    FileEncoding encoding = FileEncoding::Bytes;
};

std::optional<FileText> ReadText(const std::string& path) {
    std::string content;
    if (ReadWholeFile(path, content) == ReadResult::Failed) return std::nullopt;
    const FileEncoding encoding = DetectEncoding(content);
    return FileText{DecodeText(content, encoding), encoding};
}

// One reading of a file. Start-up asks for a dozen settings, and parsing is
// what costs: reads of the same bytes share one reading, and a section's keys
// are parsed when first asked for (a file may hold 100,000 templates).
using SectionKeys = std::vector<std::pair<std::string, std::string>>;
struct Reading {
    std::string bytes;
    std::string text;
    std::map<std::string, std::pair<std::size_t, std::size_t>> spans;
    std::mutex lock;
    std::map<std::string, SectionKeys> keys;
};

std::mutex readingsLock;
std::map<std::string, std::shared_ptr<Reading>> readings;

std::shared_ptr<Reading> ReadingOf(const std::string& path) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) == ReadResult::Failed) return nullptr;
    {
        const std::lock_guard<std::mutex> hold(readingsLock);
        const auto known = readings.find(path);
        if (known != readings.end() && known->second->bytes == bytes) return known->second;
    }
    auto reading = std::make_shared<Reading>();
    reading->text = DecodeText(bytes, DetectEncoding(bytes));
    reading->spans = IniDocument(reading->text).SectionSpans();
    reading->bytes = std::move(bytes);
    const std::lock_guard<std::mutex> hold(readingsLock);
    readings[path] = reading;
    return reading;
}

// The keys of a section as Keys() gives them, or null without the section;
// they stay while the reading does.
const SectionKeys* KeysOf(Reading& reading, std::string_view section) {
    const std::string name = ToLowerAscii(TrimBlanks(section));
    const auto span = reading.spans.find(name);
    if (span == reading.spans.end()) return nullptr;
    const std::lock_guard<std::mutex> hold(reading.lock);
    auto known = reading.keys.find(name);
    if (known == reading.keys.end()) {
        const auto [begin, end] = span->second;
        known = reading.keys
                    .emplace(name, IniDocument(reading.text.substr(begin, end - begin)).Keys(name))
                    .first;
    }
    return &known->second;
}

}  // namespace

std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultValue, const std::string& file) {
    std::string_view value = defaultValue;
    key = TrimBlanks(key);
    const auto reading = key.empty() ? nullptr : ReadingOf(ResolveFile(file));
    if (const SectionKeys* keys = reading ? KeysOf(*reading, section) : nullptr) {
        const auto found = std::find_if(keys->begin(), keys->end(), [key](const auto& stored) {
            return EqualsIgnoreCaseAscii(stored.first, key);
        });
        if (found != keys->end()) value = found->second;
    }
    return CleanValue(Left(value, kMaxSettingLength));
}

std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section,
                                                             const std::string& file) {
    const auto reading = ReadingOf(ResolveFile(file));
    const SectionKeys* stored = reading ? KeysOf(*reading, section) : nullptr;
    if (stored == nullptr) return {};
    SectionKeys keys = *stored;
    for (auto& [key, value] : keys) value = CleanValue(Left(value, kMaxSettingLength));
    return keys;
}

SaveResult EditSettings(const std::string& file, bool createFolder,
                        const std::function<void(SettingsEdit&)>& edit) {
    const std::string& requested = ResolveFile(file);
    SettingsEdit changes;
    edit(changes);
    if (changes.refused_) return Failed("a name or value cannot be stored in an INI line");

    std::string why;
    std::optional<Target> target = Resolve(requested, why);
    if (!target) return Failed(why);
    if (!target->exists && createFolder) {
        if (const std::error_code ec = CreateFolders(FolderOf(target->path))) {
            return FailedErrno(ec.value());
        }
    }
    const FolderLock lock(FolderOf(target->path));
    if (lock.Busy()) {
        return Failed("another program has kept the settings folder locked for 3 seconds");
    }
    target = Resolve(requested, why);  // again: another copy may have saved meanwhile
    if (!target) return Failed(why);
    if (target->exists) {
        const char* path = target->path.c_str();
        if (::access(path, R_OK) != 0) return Failed("the file is unreadable to you");
        const bool writable = (target->status.st_mode & 0222) != 0 && ::access(path, W_OK) == 0;
        if (!writable && target->status.st_uid != ::geteuid()) {
            return Failed("the file is owned by " + UserName(target->status.st_uid));
        }
        if (!writable) return Failed("the file is read-only");
    }
    // Read under the lock: another copy may have saved since this one looked.
    const auto read = ReadText(target->path);
    if (!read) return FailedErrno();
    IniDocument doc(read->text);
    for (const auto& c : changes.changes_) {
        if (c.key.empty()) {
            doc.RemoveSection(c.section);
        } else if (c.value.empty()) {
            doc.RemoveKey(c.section, c.key);
        } else {
            doc.Set(c.section, c.key, c.value);
        }
    }
    if (doc.Content() == read->text) return {};  // nothing to change, so nothing is written
    return ReplaceResolved(*target, EncodeText(doc.Content(), read->encoding), read->encoding);
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file) {
    return EditSettings(file, false, [&](SettingsEdit& e) { e.Set(section, key, value); }).ok;
}

SaveResult ReplaceFileAtomically(const std::string& path, std::string_view content) {
    std::string why;
    const std::optional<Target> target = Resolve(path, why);
    if (!target) return Failed(why);
    return ReplaceResolved(*target, content, FileEncoding::Bytes);
}

std::string SettingsFile::Read(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    if (path_.empty()) return CleanValue(defaultValue);
    return ReadSetting(section, key, defaultValue, path_);
}

std::vector<std::pair<std::string, std::string>> SettingsFile::ReadSection(
    std::string_view section) const {
    if (path_.empty()) return {};
    return velmor::ReadSection(section, path_);
}

SaveResult SettingsFile::Write(std::string_view section, std::string_view key,
                               std::string_view value) const {
    return Edit([&](SettingsEdit& e) { e.Set(section, key, value); });
}

SaveResult SettingsFile::Edit(const std::function<void(SettingsEdit&)>& edit) const {
    if (path_.empty()) return Failed("no folder for settings is known (HOME is not set)");
    return EditSettings(path_, createFolder_, edit);
}

}  // namespace velmor
