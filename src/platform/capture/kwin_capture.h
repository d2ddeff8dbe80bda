#pragma once

#include <QDBusConnection>
#include <QString>
#include <optional>

#include "platform/capture/screen_capture.h"

namespace velmor {

// Every screen copied in its own device pixels through KWin's ScreenShot2
// D-Bus interface (KDE Plasma on Wayland), which KWin grants to programs whose
// desktop file names the interface. Nothing where KWin does not offer it or
// refuses; `why` then says what happened.
std::optional<ScreenImage> CopyKWinScreens(QDBusConnection bus, QString* why = nullptr);

}  // namespace velmor
