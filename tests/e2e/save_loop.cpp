// Saves favourites to one settings.ini without end, each save one entry longer
// than the last, so that scripts/save-kill-check can kill it mid-save.
#include <cstdio>
#include <string>

#include "settings/settings_store.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: save_loop SETTINGS.INI\n", stderr);
        return 2;
    }
    const velmor::SettingsFile settings(argv[1]);
    std::string entries = "000000";
    for (unsigned i = 1;; ++i) {
        char entry[8];
        std::snprintf(entry, sizeof entry, ";%06x", i & 0xFFFFFF);
        entries += entry;
        if (entries.size() > 1500) entries = "000000";
        if (!settings.Edit([&](velmor::SettingsEdit& e) {
                e.Set("Favorites", "Favorites", entries);
                e.Set("Options", "Value", std::to_string(i % 14));
            })) {
            return 1;
        }
    }
}
