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
#include "platform/desktop/font_warmup.h"
#include "platform/desktop/prompter.h"
#include "platform/desktop/startup_trace.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/dialogs/help.h"
#include "ui/picker/widget_pick_views.h"
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
    // Every window in the layouts' font, message boxes and menus too, so
    // that they match; and a control laid out before it joins its window
    // (a line edit is, at once) loads no second font.
    QApplication::setFont(LayoutFont(QApplication::font()));
    return commandLine_.pick ? RunPickOnly() : RunWindow();
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
    StartupMark("window built");
    program.Window().show();
    return QApplication::exec();
}

namespace {

// What --pick prints for a picked colour: one of the fourteen, a notation or
// a template from [Formats]; an error names what is wrong.
struct PickOutput {
    std::function<std::string(const Color&)> write;
    std::string error;
};

PickOutput ChoosePickOutput(const CommandLine& line, const Options& options) {
    const bool upper = options.Values().upperCase;
    if (line.formatName.empty()) {
        const int index = line.format;
        return {[index, upper](const Color& color) {
                    return FormatColor(color, {}, upper).texts[static_cast<std::size_t>(index)];
                },
                {}};
    }
    // A notation of the table or a template, checked before anything opens.
    Templates templates = options.TemplateList();
    std::string error;
    if (!WriteNamed(line.formatName, Color{}, templates, &error)) return {{}, error};
    return {[name = line.formatName, templates = std::move(templates)](const Color& color) {
                return WriteNamed(name, color, templates).value_or(std::string());
            },
            {}};
}

}  // namespace

int Application::RunPickOnly() {
    // Reads the options for the letter case and the templates; writes only
    // the picker's zoom and history.
    const SettingsFile settings = OpenSettings();
    Options options(settings);
    options.Load();
    const PickOutput output = ChoosePickOutput(commandLine_, options);
    if (!output.error.empty()) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", output.error.c_str());
        return 2;
    }
    const auto capture = MakeCapture(Route(waylandSession_, displays_));
    const auto pointer = MakePointer();
    WidgetPickViews views;
    // The zoom and the history carry over between command-line picks too.
    PickerMemory memory(settings);
    memory.Load();
    memory.SetArea(commandLine_.average);
    QObject::connect(&memory, &PickerMemory::saveFailed, [](const QString& message) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", message.toLocal8Bit().constData());
    });
    PickFlow flow(*capture, *pointer, options.Values(), memory, views);
    // The pick's end decides when the program exits, not its last window
    // closing (a message about a refusal, the permission note).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (commandLine_.verbose) {
        QObject::connect(capture.get(), &ScreenCapture::routeNote, [](const QString& line) {
            std::fprintf(stderr, "velmor-color-picker: %s\n", line.toLocal8Bit().constData());
        });
        // What the printed value is: never silently less than the screen holds.
        QObject::connect(capture.get(), &ScreenCapture::captured, [](const ScreenImage& screen) {
            for (const QString& note : SourceNotes(screen)) {
                std::fprintf(stderr, "velmor-color-picker: %s\n", note.toLocal8Bit().constData());
            }
        });
    }
    int status = -1;  // the first answer counts: a pick, a close, or a failure
    auto finish = [&status](int code) {
        if (status >= 0) return;
        status = code;
        QApplication::exit(code);
    };
    const bool managed = commandLine_.managed;
    QObject::connect(
        &flow, &PickFlow::picked, &flow,
        [&, managed](const Color& color, const ProfileRef& profile) {
            if (status >= 0) return;
            if (managed && profile == nullptr) {
                std::fputs(
                    "velmor-color-picker: the monitor has no color profile; the value is "
                    "the screen's own\n",
                    stderr);
            }
            const Color printed = managed && profile != nullptr ? profile->ToSrgb(color) : color;
            std::printf("%s\n", output.write(printed).c_str());
            std::fflush(stdout);
            finish(0);
        });
    QObject::connect(
        &flow, &PickFlow::finished, &flow, [&](PickFlow::Outcome outcome, const QString& reason) {
            const bool failed =
                outcome == PickFlow::Outcome::Failed || outcome == PickFlow::Outcome::Refused;
            if (failed && status < 0) {
                std::fprintf(stderr, "velmor-color-picker: %s\n", reason.toLocal8Bit().constData());
                finish(2);
            }
            finish(1);
        });
    QTimer::singleShot(0, &flow, &PickFlow::Start);
    const int code = QApplication::exec();
    memory.Save();
    return code;
}

}  // namespace velmor
