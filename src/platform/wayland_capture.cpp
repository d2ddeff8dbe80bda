#include "platform/wayland_capture.h"

#include <string>

#include "platform/kwin_capture.h"
#include "platform/late_libraries.h"
#include "platform/wayland_outputs.h"
#include "settings/settings_location.h"

namespace velmor {

namespace {

// Beside the program in the build folder, or where it is installed.
CopyOutputsFunction CopyOutputsModule() {
    static const CopyOutputsFunction function = [] {
        const std::string folder = ApplicationFolder();
        for (const std::string& path :
             {folder + "/" + kWaylandOutputsModule,
              folder + "/../lib/velmor-color-picker/" + kWaylandOutputsModule}) {
            const LateLibraries module({path.c_str()});
            CopyOutputsFunction copy = nullptr;
            if (module.Opened() && module.Find(kWaylandOutputsEntry, copy)) return copy;
        }
        return CopyOutputsFunction{};
    }();
    return function;
}

}  // namespace

std::optional<ScreenImage> CopyWaylandOutputs(QString* why) {
    const auto fail = [why](const QString& reason) -> std::optional<ScreenImage> {
        if (why != nullptr) *why = reason;
        return std::nullopt;
    };
    const CopyOutputsFunction copy = CopyOutputsModule();
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
    connect(portal_.get(), &ScreenCapture::failed, this, &ScreenCapture::failed);
    connect(portal_.get(), &ScreenCapture::askingUser, this, &ScreenCapture::askingUser);
}

WaylandCapture::~WaylandCapture() = default;

void WaylandCapture::Request(const QString& parentWindow) {
    // The compositor's own exact copies first; the portal works everywhere.
    std::optional<ScreenImage> screen = CopyKWinScreens(QDBusConnection::sessionBus());
    if (!screen) screen = CopyWaylandOutputs();
    if (screen) {
        emit captured(*screen);
        return;
    }
    portal_->Request(parentWindow);
}

void WaylandCapture::Cancel() {
    portal_->Cancel();
}

}  // namespace velmor
