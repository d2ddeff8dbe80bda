#include "app/application.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "app/pick_flow.h"
#include "core/value_formatter.h"
#include "platform/display_probe.h"
#include "platform/portal_capture.h"
#include "platform/prompter.h"
#include "platform/x11_screen.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/main/main_window.h"

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

std::unique_ptr<ScreenCapture> MakeCapture() {
    if (InWaylandSession()) return std::make_unique<PortalCapture>();
    return std::make_unique<X11Capture>();
}

std::unique_ptr<PointerControl> MakePointer() {
    if (OnX11()) return std::make_unique<X11Pointer>();
    return std::make_unique<SurfaceOnlyPointer>();
}

SettingsFile OpenSettings() {
    return SettingsFile(ChooseSettingsLocation(ApplicationFolder(), VELMOR_INSTALL_BINDIR,
                                               std::getenv("XDG_CONFIG_HOME"),
                                               std::getenv("HOME")));
}

}  // namespace

Application::Application(const CommandLine& commandLine) : commandLine_(commandLine) {}

Application::~Application() = default;

int Application::Run(int& argc, char** argv) {
    // Qt sees only the program's name: no other option changes what it does.
    int qtArgc = 1;
    (void)argc;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmor Color Picker"));
    QApplication::setApplicationVersion(QStringLiteral("1.20"));
    return commandLine_.pick ? RunPickOnly() : RunWindow();
}

int Application::RunWindow() {
    const SettingsFile settings = OpenSettings();
    MessageBoxPrompter prompter;
    Options options(settings);
    CurrentColor current;
    Favorites favorites(settings);
    const auto capture = MakeCapture();
    const auto pointer = MakePointer();
    PickFlow flow(*capture, *pointer, options.Values());
    MainWindow window(options, current, favorites, prompter);
    flow.SetMainWindow(&window);
    window.SetPickCommand([&flow] { flow.Start(); });
    QObject::connect(&flow, &PickFlow::picked, &window, [&](const QString& text) {
        window.AddToFavorites(text, flow.MessageParent());
    });
    QObject::connect(&flow, &PickFlow::finished, &window,
                     [&](PickFlow::Outcome outcome, const QString& reason) {
                         if (outcome == PickFlow::Outcome::Failed) {
                             prompter.ShowStopMessage(&window, reason);
                         }
                     });
    // A save that fails says so once, over whatever the user is looking at.
    auto tell = [&](const QString& message) {
        prompter.ShowStopMessage(flow.MessageParent() != nullptr ? flow.MessageParent() : &window,
                                 message);
    };
    QObject::connect(&favorites, &Favorites::saveFailed, &window, tell);
    QObject::connect(&options, &Options::saveFailed, &window, tell);
    window.show();
    return QApplication::exec();
}

int Application::RunPickOnly() {
    // Reads the options for the letter case; writes nothing.
    const SettingsFile settings = OpenSettings();
    AppOptions options;
    ResetOptions(options);
    LoadOptions(options, settings);
    const auto capture = MakeCapture();
    const auto pointer = MakePointer();
    PickFlow flow(*capture, *pointer, options);
    const int format = commandLine_.format;
    int status = -1;  // the first answer counts: a pick, a close, or a failure
    auto finish = [&status](int code) {
        if (status >= 0) return;
        status = code;
        QApplication::exit(code);
    };
    QObject::connect(&flow, &PickFlow::picked, &flow, [&](const QString& text) {
        if (status >= 0) return;
        const FormattedColor f = FormatColor(text.toStdString(), {}, options.upperCase);
        std::printf("%s\n", f.texts[static_cast<std::size_t>(format)].c_str());
        std::fflush(stdout);
        finish(0);
    });
    QObject::connect(
        &flow, &PickFlow::finished, &flow, [&](PickFlow::Outcome outcome, const QString& reason) {
            if (outcome == PickFlow::Outcome::Failed && status < 0) {
                std::fprintf(stderr, "velmor-color-picker: %s\n", reason.toLocal8Bit().constData());
                finish(2);
            }
            finish(1);
        });
    QTimer::singleShot(0, &flow, &PickFlow::Start);
    return QApplication::exec();
}

}  // namespace velmor
