#include "platform/capture/wayland_capture.h"

#include <string>

#include "platform/capture/kwin_capture.h"
#include "platform/capture/late_libraries.h"
#include "platform/capture/wayland_outputs.h"
#include "settings/settings_location.h"

namespace velmor {

void* WaylandModuleEntry(const char* name) {
    // Opened once, and kept open for the program's life.
    static const LateLibraries* module = [] {
        const std::string folder = ApplicationFolder();
        for (const std::string& path :
             {folder + "/" + kWaylandOutputsModule,
              folder + "/../lib/velmor-color-picker/" + kWaylandOutputsModule}) {
            auto* opened = new LateLibraries({path.c_str()});
            if (opened->Opened()) return opened;
            delete opened;
        }
        return static_cast<LateLibraries*>(nullptr);
    }();
    return module != nullptr ? module->Find(name) : nullptr;
}

std::optional<ScreenImage> CopyWaylandOutputs(QString* why) {
    const auto fail = [why](const QString& reason) -> std::optional<ScreenImage> {
        if (why != nullptr) *why = reason;
        return std::nullopt;
    };
    const auto copy =
        reinterpret_cast<CopyOutputsFunction>(WaylandModuleEntry(kWaylandOutputsEntry));
    if (copy == nullptr) return fail(QStringLiteral("the screen-copy module is not installed"));
    WaylandOutputs outputs;
    if (!copy(&outputs)) return fail(outputs.why);
    for (QImage& picture : outputs.pictures) picture = KeptPicture(std::move(picture));
    std::optional<ScreenImage> screen = ComposeOutputs(outputs.pictures, outputs.logical);
    if (!screen) return fail(QStringLiteral("the outputs' sizes do not agree"));
    return screen;
}

WaylandCapture::WaylandCapture(std::unique_ptr<ScreenCapture> portal, QObject* parent)
    : ScreenCapture(parent), portal_(std::move(portal)) {
    connect(portal_.get(), &ScreenCapture::captured, this, &ScreenCapture::captured);
    connect(portal_.get(), &ScreenCapture::colorPicked, this, &ScreenCapture::colorPicked);
    connect(portal_.get(), &ScreenCapture::cancelled, this, &ScreenCapture::cancelled);
    connect(portal_.get(), &ScreenCapture::failed, this, [this](const QString& reason) {
        // Where the portal fails, the missing module may be the real cause.
        if (WaylandModuleEntry(kWaylandOutputsEntry) != nullptr) {
            emit failed(reason);
            return;
        }
        emit failed(reason + QLatin1Char('\n') +
                    tr("The program's own screen-copy module (%1), which reads the screens of "
                       "sway and other wlroots desktops without the portal, is not installed "
                       "beside it; reinstall the program.")
                        .arg(QString::fromLatin1(kWaylandOutputsModule)));
    });
    connect(portal_.get(), &ScreenCapture::askingUser, this, &ScreenCapture::askingUser);
    connect(portal_.get(), &ScreenCapture::stoppedAsking, this, &ScreenCapture::stoppedAsking);
    connect(portal_.get(), &ScreenCapture::refused, this, &ScreenCapture::refused);
    connect(portal_.get(), &ScreenCapture::routeNote, this, &ScreenCapture::routeNote);
}

WaylandCapture::~WaylandCapture() = default;

void WaylandCapture::Request(const QString& parentWindow) {
    // The compositor's own exact copies first; the portal works everywhere.
    QString why;
    std::optional<ScreenImage> screen = CopyKWinScreens(QDBusConnection::sessionBus(), &why);
    if (screen) {
        emit routeNote(tr("captured through KWin's screenshot interface"));
        emit captured(*screen);
        return;
    }
    emit routeNote(why);
    screen = CopyWaylandOutputs(&why);
    if (screen) {
        emit routeNote(tr("captured through the compositor's screencopy"));
        emit captured(*screen);
        return;
    }
    emit routeNote(tr("no screencopy: %1").arg(why));
    portal_->Request(parentWindow);
}

void WaylandCapture::Retry(Remedy remedy) {
    portal_->Retry(remedy);
}

void WaylandCapture::Cancel() {
    portal_->Cancel();
}

}  // namespace velmor
