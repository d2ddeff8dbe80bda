#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/capture/screen_capture.h"

namespace velmor::testing {

// A capture of one picture, one monitor the size of it.
inline ScreenImage Shot(QImage image, bool resampled = false) {
    ScreenImage screen;
    screen.image = std::move(image);
    screen.resampled = resampled;
    return screen;
}

// The pointer as a test sets it.
class FakePointer : public PointerControl {
  public:
    std::optional<DevicePoint> Position() const override { return at; }
    bool CanWarp() const override { return canWarp; }
    void Warp(DevicePoint p) override { at = p; }
    std::optional<DevicePoint> at = DevicePoint{10, 20};
    bool canWarp = true;
};

// A screen that answers as a test says, and counts what it was asked.
class FakeCapture : public ScreenCapture {
  public:
    void Request(const QString& parent) override {
        ++requests;
        parentWindow = parent;
        if (answer) answer(*this);
    }
    void Cancel() override { ++cancels; }
    void Retry(Remedy remedy) override {
        retries << remedy;
        if (answer) answer(*this);
    }
    QList<Remedy> retries;
    std::function<void(FakeCapture&)> answer;
    QString parentWindow;
    int requests = 0;
    int cancels = 0;
};

}  // namespace velmor::testing
