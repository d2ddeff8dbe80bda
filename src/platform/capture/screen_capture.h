#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/pointer_mapper.h"
#include "platform/capture/monitor_profile.h"

namespace velmor {

// A frozen picture of every monitor, in device pixels, and where each monitor
// lies in it.
struct ScreenImage {
    QImage image;
    std::vector<Monitor> monitors;
    // Each monitor's surface in the toolkit's logical coordinates.
    std::vector<QRect> surfaces;
    // One picture of monitors of different scales, at the highest: those of a
    // lower scale were resampled, and their pixels are blends.
    bool resampled = false;
    // Bits a channel the screen holds; the picture keeps up to 16 of them.
    int channelBits = 8;
    // The desktop may have drawn the pointer into the picture (a portal's
    // screenshot): where it rests is no pixel of the screen.
    bool pointerShown = false;
    // Each monitor's ICC profile where the desktop publishes one (or null),
    // in the order of `monitors`.
    std::vector<std::shared_ptr<const MonitorProfile>> profiles;
    // Why a monitor's published profile is not used, where one was published.
    std::vector<QString> profileProblems;

    // The profile of the monitor showing a capture pixel, or null.
    ProfileRef ProfileAt(DevicePoint point) const;
};

// What is known of a capture that is not plain 8-bit sRGB, one sentence each:
// more bits a channel, monitors resampled, a picture with its own profile.
QStringList SourceNotes(const ScreenImage& screen);

// The bits a channel a picture's format holds (8, 10 or 16).
int ChannelBits(const QImage& picture);
// A picture over memory that is not its own, with its own copy of the pixels
// (a conversion to the same format would share them): 32-bit RGB, or 16 bits
// a channel where the picture has more than 8.
QImage OwnedPicture(const QImage& view);
// A picture of its own in the format the program keeps (32-bit RGB, or 16
// bits a channel where it has more than 8), converted only where it is not.
QImage KeptPicture(QImage picture);

// Outputs copied one by one, each in its own device pixels, as one picture:
// `logical` is where the desktop places each. Nothing when they cannot be
// laid out or there is no memory for the picture.
std::optional<ScreenImage> ComposeOutputs(const std::vector<QImage>& pictures,
                                          const std::vector<QRect>& logical);

// Takes one picture of the desktop. Exactly one of the signals answers each
// Request, at once or later (the desktop portal answers asynchronously).
class ScreenCapture : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // `parentWindow` identifies the requesting window to a portal ("x11:1a2b"),
    // or is empty.
    virtual void Request(const QString& parentWindow) = 0;
    // Gives up a request still waiting, leaving nothing on the desktop.
    virtual void Cancel() {}
    // The square a picker of the capture's own averages; others ignore it.
    virtual void SetSampleArea(int) {}

    // What may be tried after the desktop refused: asking the user again (the
    // desktop stopped waiting for an answer), or the desktop's own picker
    // (one colour, no frozen picture).
    enum class Remedy { AskAgain, DesktopPicker };
    virtual void Retry(Remedy) {}

  signals:
    void captured(const velmor::ScreenImage& screen);
    // Where no picture may be taken but the desktop picks a colour itself.
    void colorPicked(const QColor& color);
    void cancelled();
    void failed(const QString& reason);
    // The desktop is asking the user whether the picture may be taken, and
    // then no longer (answered, or the question is gone).
    void askingUser();
    void stoppedAsking();
    // The desktop refused the picture; `remedy` is what the user may try.
    void refused(const QString& reason, velmor::ScreenCapture::Remedy remedy);
    // Which way the picture was taken, or why a way was refused: one line
    // for --verbose.
    void routeNote(const QString& line);
};

// The pointer in capture pixels.
class PointerControl {
  public:
    virtual ~PointerControl() = default;
    virtual std::optional<DevicePoint> Position() const = 0;
    // Native Wayland lets no program move the pointer.
    virtual bool CanWarp() const = 0;
    virtual void Warp(DevicePoint point) = 0;
};

}  // namespace velmor
