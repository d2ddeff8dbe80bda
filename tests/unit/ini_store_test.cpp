#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/ini_document.h"
#include "settings/settings_store.h"
#include "temp_folder.h"

namespace velmor {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

struct ReadCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    const char* fallback;
    std::string expected;
};

TEST(ReadSetting, ReadsAsTheProfileFunctionsDo) {
    const ReadCase cases[] = {
        {"spaces around value", "[Options]\nUpper=  True  \n", "Options", "Upper", "x", "True"},
        {"empty value is not the default", "[Options]\nUpper=\n", "Options", "Upper", "True", ""},
        {"missing key", "[Options]\nCopy=1\n", "Options", "Upper", "True", "True"},
        {"missing section", "[Other]\nUpper=1\n", "Options", "Upper", "dflt", "dflt"},
        {"names ignore case", "[oPTIONS]\nupper=False\n", "Options", "Upper", "x", "False"},
        {"first duplicate section wins", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A", "k", "x", "1"},
        {"key only in later duplicate", "[A]\nk=1\n[A]\nj=3\n", "A", "j", "x", "x"},
        {"first duplicate key wins", "[A]\nk=1\nk=2\n", "A", "k", "x", "1"},
        {"comments are not keys", "[A]\n;k=1\n#k=2\nk=3\n", "A", "k", "x", "3"},
        {"double quotes removed", "[A]\nk=\"  q  \"\n", "A", "k", "x", "q"},
        {"single quotes removed", "[A]\nk='v'\n", "A", "k", "x", "v"},
        {"unmatched quotes kept", "[A]\nk=\"v'\n", "A", "k", "x", "\"v'"},
        {"CRLF", "[A]\r\nk=v\r\n", "A", "k", "x", "v"},
        {"CR only", "[A]\rk=v\r[B]\rk=w", "B", "k", "x", "w"},
        {"BOM", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "x", "v"},
        {"unclosed header is no section", "[A\nk=v\n", "A", "k", "x", "x"},
        {"line without equals", "[A]\nk\nk=v\n", "A", "k", "x", "v"},
        {"value keeps later equals", "[A]\nk=a=b\n", "A", "k", "x", "a=b"},
        {"blank names around section", "[  A  ]\n  k  =  v\n", "A", "k", "x", "v"},
        {"NULs removed", std::string("[A]\nk=a\0b\n", 10), "A", "k", "x", "ab"},
        {"keys before any section", "k=v\n[A]\n", "A", "k", "x", "x"},
        {"empty key asks for nothing", "[A]\n=v\n", "A", "", "x", "x"},
    };
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
    for (const auto& c : cases) {
        WriteFile(file, c.content);
        EXPECT_EQ(ReadSetting(c.section, c.key, c.fallback, file), c.expected) << c.name;
    }
}

TEST(ReadSetting, CutsLongValuesAndDefaultsTo2047Characters) {
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
    WriteFile(file, "[A]\nk=" + std::string(3000, 'z') + "\n");
    EXPECT_EQ(ReadSetting("A", "k", "", file), std::string(2047, 'z'));
    EXPECT_EQ(ReadSetting("A", "missing", std::string(3000, 'd'), file).size(), 2047u);
}

TEST(ReadSetting, NeverFailsOnMissingOrUnreadableFiles) {
    TempFolder folder;
    EXPECT_EQ(ReadSetting("Options", "Upper", "True", folder.File("settings.ini")), "True");
    EXPECT_EQ(ReadSetting("Favorites", "Favorites", "", folder.File("settings.ini")), "");
    EXPECT_FALSE(std::filesystem::exists(folder.File("settings.ini")));
    // A directory where the file should be.
    EXPECT_EQ(ReadSetting("Options", "Upper", "True", folder.Path()), "True");
    const std::string big = folder.File("big.ini");
    WriteFile(big, std::string(50 << 20, '[') + "\n[A]\nk=v");
    EXPECT_EQ(ReadSetting("A", "k", "x", big), "v");
}

TEST(WriteSetting, CreatesReplacesAndDeletes) {
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
    EXPECT_TRUE(WriteSetting("Favorites", "Favorites", "  ff0000  ", file));
    EXPECT_EQ(ReadFile(file), "[Favorites]\nFavorites=ff0000\n");
    EXPECT_TRUE(WriteSetting("Options", "Upper", "True", file));
    EXPECT_TRUE(WriteSetting("Options", "Value", "8", file));
    EXPECT_TRUE(WriteSetting("favorites", "FAVORITES", "ff0000;00ff00", file));
    EXPECT_EQ(ReadFile(file),
              "[Favorites]\nFavorites=ff0000;00ff00\n\n[Options]\nUpper=True\nValue=8\n");
    EXPECT_TRUE(WriteSetting("Favorites", "Favorites", "   ", file));
    EXPECT_EQ(ReadSetting("Favorites", "Favorites", "gone", file), "gone");
    EXPECT_TRUE(WriteSetting("Options", "", "", file));
    EXPECT_EQ(ReadFile(file), "[Favorites]\n\n");
}

TEST(WriteSetting, KeepsEveryLineItDoesNotChange) {
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
    };
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
    for (const auto& c : cases) {
        WriteFile(file, c.before);
        EXPECT_TRUE(WriteSetting(c.section, c.key, c.value, file)) << c.name;
        EXPECT_EQ(ReadFile(file), c.after) << c.name;
    }
}

TEST(WriteSetting, RefusesTextsThatWouldBreakTheFile) {
    TempFolder folder;
    const std::string file = folder.File("settings.ini");
    WriteFile(file, "[A]\nk=1\n");
    EXPECT_FALSE(WriteSetting("A", "k", "1\n[Evil]\nx=1", file));
    EXPECT_FALSE(WriteSetting("A]", "k", "1", file));
    EXPECT_FALSE(WriteSetting("A", "k=j", "1", file));
    EXPECT_FALSE(WriteSetting("A", ";k", "1", file));
    EXPECT_FALSE(WriteSetting("", "k", "1", file));
    EXPECT_FALSE(WriteSetting("A", " \t ", "1", file));  // not a deletion of the section
    EXPECT_EQ(ReadFile(file), "[A]\nk=1\n");
}

TEST(WriteSetting, FailsWithoutTouchingAnythingWhenItCannotWrite) {
    TempFolder folder;
    // The path is a directory.
    EXPECT_FALSE(WriteSetting("A", "k", "1", folder.Path()));
    // The folder is missing.
    EXPECT_FALSE(WriteSetting("A", "k", "1", folder.File("missing/settings.ini")));
    // The folder is read-only (root may still write, so only check the file then).
    const std::string file = folder.File("settings.ini");
    WriteFile(file, "[A]\nk=1\n");
    ::chmod(folder.Path().c_str(), 0555);
    const bool wrote = WriteSetting("A", "k", "2", file);
    ::chmod(folder.Path().c_str(), 0755);
    if (::geteuid() != 0) {
        EXPECT_FALSE(wrote);
    }
    EXPECT_EQ(ReadFile(file), wrote ? "[A]\nk=2\n" : "[A]\nk=1\n");
    // No temporary file is left behind either way.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(WriteSetting, KeepsTheFileModeAndFollowsALink) {
    TempFolder folder;
    const std::string real = folder.File("real.ini");
    WriteFile(real, "[A]\nk=1\n");
    ::chmod(real.c_str(), 0600);
    const std::string link = folder.File("settings.ini");
    std::filesystem::create_symlink(real, link);
    EXPECT_TRUE(WriteSetting("A", "k", "2", link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "[A]\nk=2\n");
    struct stat st {};
    ::stat(real.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(DefaultIniPath, IsNamedAfterTheExecutableAndUsedForAnEmptyFileName) {
    const std::string& path = DefaultIniPath();
    EXPECT_EQ(path, ApplicationFolder() + "/unit_tests.ini");
    EXPECT_EQ(&DefaultIniPath(), &path);
    std::filesystem::remove(path);
    EXPECT_TRUE(WriteSetting("A", "k", "v", ""));
    EXPECT_EQ(ReadSetting("A", "k", "x", ""), "v");
    EXPECT_EQ(ReadFile(path), "[A]\nk=v\n");
    std::filesystem::remove(path);
    EXPECT_EQ(SettingsPathIn("/opt/app"), "/opt/app/settings.ini");
}

TEST(IniDocument, ReadsBackWhatWasSetAmongAwkwardLines) {
    IniDocument doc("garbage\n[\n]\n[A\n=\n[B]\r\nk\r\n");
    doc.Set("B", "k", "v");
    doc.Set("C", "k", "'w'");
    EXPECT_EQ(doc.Lookup("B", "k"), "v");
    EXPECT_EQ(doc.Lookup("C", "k"), "w");
    EXPECT_EQ(doc.Content().substr(0, 15), "garbage\n[\n]\n[A\n");
}

}  // namespace
}  // namespace velmor

namespace velmor {
namespace {

TEST(ChooseSettingsLocation, KeepsPortableUseAndFallsBackToTheConfigFolder) {
    const struct {
        bool beside, writable;
        const char* xdg;
        const char* home;
        const char* path;
        bool create;
    } cases[] = {
        {false, true, "/cfg", "/home/u", "/opt/v/settings.ini", false},
        {true, false, "/cfg", "/home/u", "/opt/v/settings.ini", false},
        {false, false, "/cfg", "/home/u", "/cfg/velmor-color-picker/settings.ini", true},
        {false, false, nullptr, "/home/u", "/home/u/.config/velmor-color-picker/settings.ini",
         true},
        {false, false, "", "/home/u", "/home/u/.config/velmor-color-picker/settings.ini", true},
        {false, false, "rel", "/home/u", "/home/u/.config/velmor-color-picker/settings.ini", true},
        {false, false, nullptr, nullptr, "/opt/v/settings.ini", false},
    };
    for (const auto& c : cases) {
        const auto chosen = ChooseSettingsLocation("/opt/v", c.beside, c.writable, c.xdg, c.home);
        EXPECT_EQ(chosen.path, c.path);
        EXPECT_EQ(chosen.createFolder, c.create);
    }
}

TEST(SettingsFile, MakesTheConfigFolderOnTheFirstWriteOnly) {
    testing::TempFolder folder;
    const SettingsFile settings(
        ChooseSettingsLocation("/opt/v", false, false, folder.File("config").c_str(), nullptr));
    EXPECT_EQ(settings.Read("Options", "Upper", "True"), "True");
    EXPECT_FALSE(std::filesystem::exists(folder.File("config")));
    EXPECT_TRUE(settings.Write("Options", "Upper", "False"));
    EXPECT_EQ(testing::ReadFile(folder.File("config/velmor-color-picker/settings.ini")),
              "[Options]\nUpper=False\n");
    // Without the flag a missing folder stays a failed write.
    EXPECT_FALSE(SettingsFile(folder.File("missing/settings.ini")).Write("A", "k", "v"));
}

}  // namespace
}  // namespace velmor
