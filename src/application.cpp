#include "application.h"

#include <QApplication>
#include <QImageReader>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_pick.h"
#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "app/pick_flow.h"
#include "app/picker_memory.h"
#include "core/notations.h"
#include "core/value_formatter.h"
#include "platform/capture/child_picker.h"
#include "platform/capture/portal_capture.h"
#include "platform/capture/wayland_capture.h"
#include "platform/capture/x11_screen.h"
#include "platform/desktop/clipboard_keeper.h"
#include "platform/desktop/font_warmup.h"
#include "platform/desktop/prompter.h"
#include "platform/desktop/startup_trace.h"
#include "platform/desktop/termination.h"
#include "resident.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/dialogs/help.h"
#include "ui/picker/widget_pick_views.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/look.h"
#include "ui/widgets/message_box_prompter.h"
#include "window_program.h"

namespace velmor {

namespace {

// Where the pointer can be neither read nor moved (native Wayland): the
// picker follows the pointer's moves over its surfaces and keys move a drawn
// sample point.
class SurfaceOnlyPointer : public PointerControl {
  public:
    std::optional<DevicePoint> Position() const override { return std::nullopt; }
    bool CanWarp() const override { return false; }
    void Warp(DevicePoint) override {}
};

CaptureRoute Route(bool waylandSession, const DisplayFacts& facts) {
    return ChooseCaptureRoute({OnX11(), OnXWayland(), waylandSession}, facts);
}

std::unique_ptr<ScreenCapture> MakeCapture(CaptureRoute route) {
    switch (route) {
        case CaptureRoute::X11:
            return std::make_unique<X11Capture>();
        case CaptureRoute::Portal:
            return std::make_unique<PortalCapture>();
        case CaptureRoute::Wayland:
            return std::make_unique<WaylandCapture>(std::make_unique<PortalCapture>());
        case CaptureRoute::WaylandChild:
            return std::make_unique<ChildPicker>(QCoreApplication::applicationFilePath());
    }
    return nullptr;
}

// XWayland's root counts logical pixels: its pointer cannot name a device
// pixel, so there too the picker maps the surfaces' own positions.
std::unique_ptr<PointerControl> MakePointer() {
    if (OnX11() && !OnXWayland()) return std::make_unique<X11Pointer>();
    return std::make_unique<SurfaceOnlyPointer>();
}

SettingsFile OpenSettings() {
    return SettingsFile(ChooseSettingsLocation(ApplicationFolder(), VELMOR_INSTALL_BINDIR,
                                               std::getenv("XDG_CONFIG_HOME"),
                                               std::getenv("HOME")));
}

}  // namespace

Application::Application(const CommandLine& commandLine, bool waylandSession,
                         const DisplayFacts& displays)
    : commandLine_(commandLine), waylandSession_(waylandSession), displays_(displays) {}

int Application::Run(char** argv) {
    // Qt sees the program's name and its own options, nothing of ours.
    std::vector<std::string> qtArguments{argv[0]};
    qtArguments.insert(qtArguments.end(), commandLine_.toolkit.begin(), commandLine_.toolkit.end());
    std::vector<char*> qtArgv;
    for (std::string& a : qtArguments) qtArgv.push_back(a.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());
    FontWarmup fonts;
    QApplication app(qtArgc, qtArgv.data());
    fonts.Wait();
    StartupMark("Qt started");
    QApplication::setApplicationName(QStringLiteral(VELMOR_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VELMOR_VERSION));
    // The desktop finds the entry, icon and name of the windows by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMOR_APP_ID));
    // Screenshots of the largest desktops (three 5K monitors: 177 MB) are read;
    // the toolkit's default stops at 128 MB.
    QImageReader::setAllocationLimit(1024);
    InstallAccessibleRoles();
    // Every window in the layouts' font, message boxes and menus too, so
    // that they match; and a control laid out before it joins its window
    // (a line edit is, at once) loads no second font.
    QApplication::setFont(LayoutFont(QApplication::font()));
    QuitOnTermination();
    const int status = commandLine_.pick ? RunPickOnly() : RunWindow();
    // What was copied stays on the clipboard after the program.
    KeepClipboardAfterExit();
    return status;
}

int Application::RunWindow() {
    const SettingsFile settings = OpenSettings();
    MessageBoxPrompter prompter;
    const auto capture = MakeCapture(Route(waylandSession_, displays_));
    const auto pointer = MakePointer();
    WidgetPickViews views;
    SystemDesktop desktop;
    WindowProgram program(settings, {*capture, *pointer, prompter, views, desktop});
    desktop.SetFailure([&prompter, &program](const QUrl& url) {
        prompter.ShowStopMessage(&program.Window(), OpenFailedMessage(url));
    });
    // One copy a session: a later start reaches this one. Its name is taken
    // last, so that whoever sees it finds the shortcut ready.
    Resident resident(program, *capture, *pointer, views, desktop);
    if (commandLine_.background) {
        resident.StayInBackground();
        if (!resident.Register()) {
            std::fputs("velmor-color-picker: already running in this session\n", stderr);
            return 0;
        }
    } else {
        resident.Register();
        StartupMark("window built");
        program.Window().show();
    }
    return QApplication::exec();
}

int Application::RunPickOnly() {
    // Reads the options for the letter case and the templates; writes only
    // the picker's zoom and history.
    const SettingsFile settings = OpenSettings();
    Options options(settings);
    options.Load();
    const auto capture = MakeCapture(Route(waylandSession_, displays_));
    const auto pointer = MakePointer();
    WidgetPickViews views;
    // The zoom and the history carry over between command-line picks too.
    PickerMemory memory(settings);
    memory.Load();
    QObject::connect(&memory, &PickerMemory::saveFailed, [](const QString& message) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", message.toLocal8Bit().constData());
    });
    CommandPick pick(commandLine_, options, *capture, *pointer, memory, views);
    // The pick's end decides when the program exits, not its last window
    // closing (a message about a refusal, the permission note).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&pick, &CommandPick::note, [](const QString& line) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", line.toLocal8Bit().constData());
    });
    QObject::connect(
        &pick, &CommandPick::answered, [](int status, const QString& out, const QString& err) {
            std::fputs(out.toLocal8Bit().constData(), stdout);
            std::fflush(stdout);
            if (!err.isEmpty()) {
                std::fprintf(stderr, "velmor-color-picker: %s\n", err.toLocal8Bit().constData());
            }
            QApplication::exit(status);
        });
    pick.Start();
    const int code = QApplication::exec();
    memory.Save();
    return code;
}

}  // namespace velmor
