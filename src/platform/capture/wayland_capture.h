#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "platform/capture/screen_capture.h"

namespace velmor {

// Every output copied in its own device pixels through the compositor's
// screencopy protocol (wlroots compositors: sway, Hyprland, river, labwc): no
// dialog, no file, exact at mixed scales. Nothing when the compositor does
// not offer it or the copy fails; `why` then says what happened.
std::optional<ScreenImage> CopyWaylandOutputs(QString* why = nullptr);

// A function of the program's Wayland module, beside the program in the build
// folder or where it is installed; null when the module or the name is missing.
void* WaylandModuleEntry(const char* name);

// On a Wayland session: a direct copy where the compositor offers one, the
// desktop portal everywhere else.
class WaylandCapture : public ScreenCapture {
    Q_OBJECT

  public:
    explicit WaylandCapture(std::unique_ptr<ScreenCapture> portal, QObject* parent = nullptr);
    ~WaylandCapture() override;

    void Request(const QString& parentWindow) override;
    void Cancel() override;
    void Retry(Remedy remedy) override;

  private:
    std::unique_ptr<ScreenCapture> portal_;
};

}  // namespace velmor
