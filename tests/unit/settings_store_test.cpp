#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "settings/ini_document.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

namespace velmor {
namespace {

// A folder of the test's own, and its settings.ini (not made yet).
struct InFolder : ::testing::Test {
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
};
using ReadSettingTest = InFolder;
using WriteSettingTest = InFolder;
using SettingsFileTest = InFolder;

struct ReadCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    const char* fallback;
    std::string expected;
};

TEST_F(ReadSettingTest, ReadsAsTheProfileFunctionsDo) {
    const ReadCase cases[] = {
        {"empty value is not the default", "[Options]\nUpper=\n", "Options", "Upper", "True", ""},
        {"missing section", "[Other]\nUpper=1\n", "Options", "Upper", "dflt", "dflt"},
        {"names ignore case", "[oPTIONS]\nupper=False\n", "Options", "Upper", "x", "False"},
        {"first duplicate section wins", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A", "k", "x", "1"},
        {"key only in later duplicate", "[A]\nk=1\n[A]\nj=3\n", "A", "j", "x", "x"},
        {"first duplicate key wins", "[A]\nk=1\nk=2\n", "A", "k", "x", "1"},
        {"comments are not keys", "[A]\n;k=1\n#k=2\nk=3\n", "A", "k", "x", "3"},
        {"double quotes removed", "[A]\nk=\"  q  \"\n", "A", "k", "x", "q"},
        {"unmatched quotes kept", "[A]\nk=\"v'\n", "A", "k", "x", "\"v'"},
        {"CR only", "[A]\rk=v\r[B]\rk=w", "B", "k", "x", "w"},
        {"BOM", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "x", "v"},
        {"unclosed header is no section", "[A\nk=v\n", "A", "k", "x", "x"},
        {"line without equals", "[A]\nk\nk=v\n", "A", "k", "x", "v"},
        {"blank names around section", "[  A  ]\n  k  =  v\n", "A", "k", "x", "v"},
        {"NUL ends a value", std::string("[A]\nk=a\0b\n", 10), "A", "k", "x", "a"},
        {"NUL ends a key name", std::string("[A]\nk\0x=v\nk=w\n", 14), "A", "k", "x", "v"},
        {"Ctrl+Z, VT and FF trimmed", "[A]\n\vk\f=\x1a v \x1a\n", "A", "k", "x", "v"},
        {"UTF-16 little endian", std::string("\xFF\xFE[\0A\0]\0\n\0k\0=\0\xE9\0\n\0", 18), "A", "k",
         "x", "\xC3\xA9"},
        {"UTF-16 big endian", std::string("\xFE\xFF\0[\0A\0]\0\n\0k\0=\0v", 16), "A", "k", "x",
         "v"},
        {"keys before any section", "k=v\n[A]\n", "A", "k", "x", "x"},
        {"empty key asks for nothing", "[A]\n=v\n", "A", "", "x", "x"},
    };
    for (const auto& c : cases) {
        WriteFile(file, c.content);
        EXPECT_EQ(ReadSetting(c.section, c.key, c.fallback, file), c.expected) << c.name;
    }
}

// A stored value cut by characters is a damaged favourites list's test.
TEST_F(ReadSettingTest, CutsALongDefaultTo2047Characters) {
    EXPECT_EQ(ReadSetting("A", "missing", std::string(3000, 'd'), file).size(), 2047u);
}

TEST_F(WriteSettingTest, KeepsEveryLineItDoesNotChange) {
    const struct {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"in place, CRLF kept",
         "; mine\r\n[Options]\r\nUpper = False\r\nExtra=1\r\n\r\n[Other]\r\nx=y\r\n", "Options",
         "upper", "True", "; mine\r\n[Options]\r\nUpper=True\r\nExtra=1\r\n\r\n[Other]\r\nx=y\r\n"},
        {"new key before the blank lines that end the section",
         "[Options]\nUpper=True\n\n[Other]\nx=y\n", "Options", "Copy", "False",
         "[Options]\nUpper=True\nCopy=False\n\n[Other]\nx=y\n"},
        {"last line without terminator", "[Options]\nUpper=True", "Options", "Copy", "True",
         "[Options]\nUpper=True\nCopy=True\n"},
        {"new section at the end", "[Other]\nx=y", "Options", "Copy", "True",
         "[Other]\nx=y\n\n[Options]\nCopy=True\n"},
        {"BOM and CR endings kept", "\xEF\xBB\xBF[A]\rk=1\r", "A", "k", "2",
         "\xEF\xBB\xBF[A]\rk=2\r"},
        {"mixed endings: a new key ends like the line before it", "[A]\rk=1\n\n[B]\r", "A", "j",
         "2", "[A]\rk=1\nj=2\n\n[B]\r"},
        {"delete key only", "[A]\nk=1\nj=2\n", "A", "k", "", "[A]\nj=2\n"},
        {"delete section keeps BOM", "\xEF\xBB\xBF[A]\nk=1\n[B]\nj=2\n", "A", "", "",
         "\xEF\xBB\xBF[B]\nj=2\n"},
        {"empty value deletes the only key", "[A]\nk=1\n", "A", "k", " ", "[A]\n"},
        {"a bare name is the key a write replaces", "[A]\n k \nj=1\n", "A", "k", "2",
         "[A]\n k=2\nj=1\n"},
        {"UTF-16 stays UTF-16", std::string("\xFF\xFE[\0A\0]\0\n\0", 10), "A", "k", "\xC3\xA9",
         std::string("\xFF\xFE[\0A\0]\0\n\0k\0=\0\xE9\0\n\0", 18)},
    };
    for (const auto& c : cases) {
        WriteFile(file, c.before);
        EXPECT_TRUE(WriteSetting(c.section, c.key, c.value, file)) << c.name;
        EXPECT_EQ(ReadFile(file), c.after) << c.name;
    }
}

TEST_F(WriteSettingTest, RefusesTextsThatWouldBreakTheFile) {
    WriteFile(file, "[A]\nk=1\n");
    EXPECT_FALSE(WriteSetting("A", "k", "1\n[Evil]\nx=1", file));
    EXPECT_FALSE(WriteSetting("A]", "k", "1", file));
    EXPECT_FALSE(WriteSetting("A", "k=j", "1", file));
    EXPECT_FALSE(WriteSetting("A", ";k", "1", file));
    EXPECT_FALSE(WriteSetting("", "k", "1", file));
    EXPECT_FALSE(WriteSetting("A", " \t ", "1", file));  // not a deletion of the section
    EXPECT_EQ(ReadFile(file), "[A]\nk=1\n");
}

// Every way a save can fail leaves the file as it was and says why.
TEST_F(SettingsFileTest, ASaveThatCannotBeDoneSaysWhyAndTouchesNothing) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* reason;
    } cases[] = {
        {"read-only file", [&] { WriteFile(file, "[A]\nk=1\n"), ::chmod(file.c_str(), 0444); },
         "the file is read-only"},
        {"a folder", [&] { std::filesystem::create_directory(file); },
         "it is a folder, not a file"},
        {"a FIFO", [&] { ::mkfifo(file.c_str(), 0644); }, "it is not a regular file"},
        {"a dangling link", [&] { std::filesystem::create_symlink(folder.File("gone.ini"), file); },
         "it is a symbolic link to a file that does not exist"},
        {"a link to a folder", [&] { std::filesystem::create_symlink(folder.Path(), file); },
         "it is a folder, not a file"},
        {"a link that loops",
         [&] {
             std::filesystem::remove(folder.File("loop.ini"));
             std::filesystem::create_symlink(folder.File("loop.ini"), file);
             std::filesystem::create_symlink(file, folder.File("loop.ini"));
         },
         "it is a symbolic link that loops"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(file);
        c.arrange();
        const auto before = std::filesystem::symlink_status(file).type();
        // Reading what is not a regular file gives the defaults, without blocking.
        EXPECT_EQ(SettingsFile(file).Read("A", "k", "dflt"),
                  std::string(c.name) == "read-only file" ? "1" : "dflt");
        const SaveResult result = SettingsFile(file).Write("A", "k", "2");
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
        EXPECT_EQ(std::filesystem::symlink_status(file).type(), before) << c.name;
        if (before == std::filesystem::file_type::regular) ::chmod(file.c_str(), 0644);
    }
    EXPECT_EQ(SettingsFile(folder.File("missing/settings.ini")).Write("A", "k", "v").reason,
              "its folder does not exist");
    EXPECT_EQ(SettingsFile("").Write("A", "k", "v").reason,
              "no folder for settings is known (HOME is not set)");
}

TEST_F(SettingsFileTest, OneSaveIsOneTransaction) {
    WriteFile(file, "[Options]\nUpper=True\n");
    // A change that cannot be stored refuses the whole save.
    EXPECT_FALSE(SettingsFile(file).Edit([](SettingsEdit& e) {
        e.Set("Options", "Upper", "False");
        e.Set("Options", "Copy", "a\nb");
    }));
    EXPECT_EQ(ReadFile(file), "[Options]\nUpper=True\n");
    EXPECT_TRUE(SettingsFile(file).Edit([](SettingsEdit& e) {
        e.Set("Options", "Upper", "False");
        e.Set("Options", "Copy", "True");
    }));
    EXPECT_EQ(ReadFile(file), "[Options]\nUpper=False\nCopy=True\n");
}

TEST_F(SettingsFileTest, FollowsALinkToARegularFileAndKeepsItsMode) {
    const std::string real = folder.File("real.ini");
    WriteFile(real, "[A]\nk=1\n");
    ::chmod(real.c_str(), 0600);
    const std::string link = folder.File("settings.ini");
    std::filesystem::create_symlink(real, link);
    EXPECT_TRUE(SettingsFile(link).Write("A", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "[A]\nk=2\n");
    struct stat st {};
    ::stat(real.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SettingsFileTest, ASuccessfulSaveRemovesOnlyStaleTemporaryFiles) {
    const std::string stale = folder.File(".settings.ini.AbC123");
    const std::string fresh = folder.File(".settings.ini.XyZ789");
    const std::string other = folder.File(".settings.ini.toolong1");
    for (const auto& f : {stale, fresh, other}) WriteFile(f, "x");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    std::filesystem::last_write_time(stale, old);
    std::filesystem::last_write_time(other, old);
    EXPECT_TRUE(SettingsFile(file).Write("A", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(fresh));  // may belong to a save still running
    EXPECT_TRUE(std::filesystem::exists(other));  // not our pattern
}

TEST_F(SettingsFileTest, MakesTheConfigFolderOnTheFirstWriteOnly) {
    const SettingsFile settings(folder.File("config/velmor-color-picker/settings.ini"), true);
    EXPECT_EQ(settings.Read("Options", "Upper", "True"), "True");
    EXPECT_FALSE(std::filesystem::exists(folder.File("config")));
    EXPECT_TRUE(settings.Write("Options", "Upper", "False"));
    EXPECT_EQ(ReadFile(folder.File("config/velmor-color-picker/settings.ini")),
              "[Options]\nUpper=False\n");
}

TEST(ChooseSettingsLocation, BesideOnlyAPortableCopyElseTheConfigFolder) {
    const struct {
        const char* folder;
        bool system, beside, writable;
        const char* xdg;
        const char* home;
        const char* path;
    } cases[] = {
        {"/opt/v", false, false, true, "/cfg", "/home/u", "/opt/v/settings.ini"},
        {"/opt/v", false, true, false, "/cfg", "/home/u", "/opt/v/settings.ini"},
        {"/opt/v", false, false, false, "/cfg", "/home/u", "/cfg/velmor-color-picker/settings.ini"},
        // Installed: never beside the program, root included, even with a file there.
        {"/usr/bin", true, true, true, nullptr, "/root",
         "/root/.config/velmor-color-picker/settings.ini"},
        {"/opt/v", false, false, false, "", "/home/u",
         "/home/u/.config/velmor-color-picker/settings.ini"},
        {"/opt/v", false, false, false, "relative", "/home/u",
         "/home/u/.config/velmor-color-picker/settings.ini"},
        {"/usr/bin", true, false, false, nullptr, nullptr, ""},  // nowhere: saves say so
    };
    for (const auto& c : cases) {
        const SettingsLocation chosen =
            ChooseSettingsLocation({c.folder, c.system, c.beside, c.writable}, c.xdg, c.home);
        EXPECT_EQ(chosen.path, c.path) << c.folder << " " << c.system;
        EXPECT_EQ(chosen.createFolder,
                  std::string(c.path).find("velmor-color-picker/") != std::string::npos);
    }
    const struct {
        const char* folder;
        bool system;
    } folders[] = {{"/usr/bin", true},        {"/usr/local/bin/", true}, {"/usr", true},
                   {"/opt/velmor/bin", true}, {"/opt/velmor", false},    {"/home/u/build", false},
                   {"/usrlocal/bin", false}};
    for (const auto& f : folders) {
        EXPECT_EQ(IsSystemFolder(f.folder, "/opt/velmor/bin"), f.system) << f.folder;
    }
}

// Two running copies saving at once: neither loses the other's change.
TEST_F(SettingsFileTest, TwoCopiesSavingAtOnceKeepEachOthersChanges) {
    constexpr std::size_t kSaves = 300;
    // Each copy adds one mark to its own key per save; a change one copy
    // undoes for the other shows as a mark missing at the end.
    auto copy = [this](const char* section) {
        const SettingsFile settings(file);
        for (std::size_t i = 0; i < kSaves; ++i) {
            ASSERT_TRUE(
                settings.Write(section, "Marks", settings.Read(section, "Marks", "") + "x"));
        }
    };
    std::thread first(copy, "Favorites");
    std::thread second(copy, "Options");
    first.join();
    second.join();
    EXPECT_EQ(ReadSetting("Favorites", "Marks", "", file).size(), kSaves);
    EXPECT_EQ(ReadSetting("Options", "Marks", "", file).size(), kSaves);
}

TEST_F(SettingsFileTest, NoSaveWhileAnotherProcessHoldsTheFoldersLock) {
    WriteFile(file, "[A]\nk=1\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
        ::flock(fd, LOCK_EX);
        (void)!::write(ready[1], "x", 1);
        ::sleep(10);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    const SaveResult held = SettingsFile(file).Write("A", "k", "2");
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_FALSE(held.ok);
    EXPECT_EQ(held.reason, "another program has kept the settings folder locked for 3 seconds");
    EXPECT_EQ(ReadFile(file), "[A]\nk=1\n");
    EXPECT_TRUE(SettingsFile(file).Write("A", "k", "2"));  // the holder gone, saves go ahead
}

// Root saving a user's settings (sudo -E) leaves them the user's.
TEST_F(SettingsFileTest, RootKeepsTheOwnerOfAUsersFileAndOfTheFoldersItMakes) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can save another user's file";
    const uid_t user = 4242;
    const gid_t group = 4343;
    ASSERT_EQ(::chown(folder.Path().c_str(), user, group), 0);
    WriteFile(file, "[A]\nk=1\n");
    ASSERT_EQ(::chown(file.c_str(), user, group), 0);
    ASSERT_TRUE(SettingsFile(file).Write("A", "k", "2").ok);
    const std::string fresh = folder.File("config/velmor/settings.ini");
    ASSERT_TRUE(SettingsFile(fresh, true).Write("A", "k", "1").ok);
    for (const std::string& path :
         {file, folder.File("config"), folder.File("config/velmor"), fresh}) {
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
        EXPECT_EQ(st.st_uid, user) << path;
        EXPECT_EQ(st.st_gid, group) << path;
    }
    EXPECT_EQ(ReadFile(file), "[A]\nk=2\n");
}

// An ordinary user is told whose file it is, or that it cannot be read.
TEST_F(SettingsFileTest, AnotherUsersOrUnreadableFileIsNamedAsSuch) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may read and write any file";
    WriteFile(file, "[A]\nk=1\n");
    ::chmod(file.c_str(), 0);
    EXPECT_EQ(SettingsFile(file).Write("A", "k", "2").reason, "the file is unreadable to you");
    ::chmod(file.c_str(), 0644);
    // A file of root's that this user can only read.
    EXPECT_EQ(SettingsFile("/etc/hostname").Write("A", "k", "2").reason,
              "the file is owned by root");
}

// A folder that refuses new files, holding a settings.ini that may be written.
TEST_F(SettingsFileTest, AFileInALockedFolderIsRewrittenInPlace) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may create files in any folder";
    WriteFile(file, "[A]\nk=1\nlonger=line\n");
    ::chmod(folder.Path().c_str(), 0555);
    const SaveResult result = SettingsFile(file).Write("A", "longer", "");
    EXPECT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(ReadFile(file), "[A]\nk=1\n");
    // UTF-16 stays UTF-16 when shortened in place.
    WriteFile(file, std::string("\xff\xfe[\0A\0]\0\n\0k\0=\0\x31\0\n\0", 18));
    EXPECT_TRUE(SettingsFile(file).Write("A", "k", "").ok);
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadFile(file), std::string("\xff\xfe[\0A\0]\0\n\0", 10));
}

}  // namespace
}  // namespace velmor
