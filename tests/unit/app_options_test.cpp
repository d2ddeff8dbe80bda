#include "settings/app_options.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace velmor {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

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
        EXPECT_EQ(options.upperCase, c.expected.upperCase) << c.content;
        EXPECT_EQ(options.keyboardOff, c.expected.keyboardOff) << c.content;
        EXPECT_EQ(options.ctrlCCopies, c.expected.ctrlCCopies) << c.content;
        EXPECT_EQ(options.copiedValue, c.expected.copiedValue) << c.content;
        EXPECT_EQ(options.copiedName, c.expected.copiedName) << c.content;
    }
}

}  // namespace
}  // namespace velmor
