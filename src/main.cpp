#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/screen_access.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/main/main_window.h"
#include "ui/picker/pick_command.h"

namespace {

constexpr const char* kUsage =
    "Usage: velmor-color-picker [--help] [--version]\n"
    "\n"
    "Pick any colour on the screen, choose named and web-safe colours, and copy\n"
    "the current colour in fourteen notations. Options and favourites are kept in\n"
    "settings.ini beside the program, or in ~/.config/velmor-color-picker/ when the\n"
    "program's folder cannot be written.\n";

}  // namespace

int main(int argc, char* argv[]) {
    // These answer without a display, before Qt needs one.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Velmor Color Picker 1.20");
            return 0;
        }
    }
    // Qt sees only the program's name: no other option changes what it does.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmor Color Picker"));
    QApplication::setApplicationVersion(QStringLiteral("1.20"));

    const velmor::SettingsFile settings(velmor::ChooseSettingsLocation(
        velmor::ApplicationFolder(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    velmor::AppOptions options;
    velmor::MainWindow window(options, settings);
    velmor::QtScreenAccess screen;
    window.SetPickCommand([&] { velmor::RunPickCommand(window, screen, options); });
    window.show();
    return QApplication::exec();
}
