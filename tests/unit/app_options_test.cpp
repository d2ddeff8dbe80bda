#include "settings/app_options.h"
#include "settings/picker_settings.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace velmor {
namespace {

TEST(ParseBooleanSetting, AcceptsWordsInAnyCaseAndWholeNumbers) {
    const struct {
        const char* text;
        std::optional<bool> expected;
    } cases[] = {{"True", true}, {"false", false}, {"FALSE", false},
                 {"0", false},   {"1", true},      {"-1", true},
                 {" 7 ", true},  {"yes", {}},      {"", {}},
                 {"1.0", {}},    {"Tru", {}},      {"99999999999999999999999", {}}};
    for (const auto& c : cases) EXPECT_EQ(ParseBooleanSetting(c.text), c.expected) << c.text;
}

TEST(LoadOptions, UsesEachKeysDefaultWhenItCannotBeRead) {
    const struct {
        const char* content;
        AppOptions expected;
    } cases[] = {
        {"", {true, false, true, 8, ""}},
        {"[Options]\nUpper=false\nRemove=1\nCopy=0\nValue=-1\n", {false, true, false, -1, ""}},
        {"[Options]\nUpper=-1\nValue=14\n", {true, false, true, 14, ""}},
        {"[Options]\nUpper=maybe\nRemove=\nCopy=2.5\nValue=12.5\n", {true, false, true, 8, ""}},
        {"[Options]\nValue=40000\n", {true, false, true, 8, ""}},
        {"[Options]\nValue= 3 \nRemove='True'\n", {true, true, true, 3, ""}},
        // A notation or template chosen by name.
        {"[Options]\nValue=oklch\n", {true, false, true, 8, "oklch"}},
    };
    TempFolder folder;
    const SettingsFile settings(folder.File("settings.ini"));
    for (const auto& c : cases) {
        WriteFile(settings.Path(), c.content);
        AppOptions options{false, true, false, 0, "x"};
        LoadOptions(options, settings);
        EXPECT_EQ(options, c.expected) << c.content;
    }
}

TEST(PickerSettings, AZoomThatCannotBeUsedBecomesOneThatCan) {
    const struct {
        const char* content;
        std::int32_t zoom;
    } cases[] = {{"", 9},
                 {"[Picker]\nZoom=16\n", 16},
                 {"[Picker]\nZoom=11\n", 12},
                 {"[Picker]\nZoom=0\n", 2},
                 {"[Picker]\nZoom=999999999999\n", 32},
                 {"[Picker]\nZoom=big\n", 9}};
    TempFolder folder;
    const std::string path = folder.File("settings.ini");
    for (const auto& c : cases) {
        WriteFile(path, c.content);
        EXPECT_EQ(LoadPickerSettings(SettingsFile(path)).zoom, c.zoom) << c.content;
    }
}

TEST(PickerSettings, SavingTouchesOnlyItsOwnSection) {
    TempFolder folder;
    const std::string path = folder.File("settings.ini");
    const std::string before = "[Options]\r\nUpper=True\r\n[Favorites]\r\nFavorites=ff0000\r\n";
    WriteFile(path, before);
    PickerSettings values;
    values.zoom = 24;
    values.history.Add(Color::From8(1, 2, 3));
    ASSERT_TRUE(SavePickerSettings(values, SettingsFile(path)));
    const std::string after = ReadFile(path);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(LoadPickerSettings(SettingsFile(path)), values);
    // An emptied history takes its key out.
    values.history = {};
    ASSERT_TRUE(SavePickerSettings(values, SettingsFile(path)));
    EXPECT_EQ(ReadFile(path).find("History"), std::string::npos);
}

}  // namespace
}  // namespace velmor
