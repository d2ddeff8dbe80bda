#pragma once

#include "platform/capture/screen_capture.h"

namespace velmor {

// True when the program talks to an X server (natively or on XWayland).
bool OnX11();
// True when that X server is XWayland, whose root counts logical pixels.
bool OnXWayland();

// The whole X screen: every monitor, even those the toolkit does not list
// (nested servers report their heads through Xinerama only).
class X11Capture : public ScreenCapture {
    Q_OBJECT

  public:
    using ScreenCapture::ScreenCapture;
    void Request(const QString& parentWindow) override;
};

// The pointer on the X server's root window, which counts in device pixels.
class X11Pointer : public PointerControl {
  public:
    std::optional<DevicePoint> Position() const override;
    bool CanWarp() const override { return true; }
    void Warp(DevicePoint point) override;
};

// Keeps a full-screen surface out of taskbars and pagers and makes it
// transient for its owner (0 for none). Does nothing away from X11.
void MarkAsPickerSurface(unsigned long window, unsigned long owner);

}  // namespace velmor
