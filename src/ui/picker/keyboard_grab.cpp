#include "ui/picker/keyboard_grab.h"

#include <QWidget>
#include <QWindow>

namespace velmor {

namespace {

constexpr int kTries = 40;

}  // namespace

KeyboardGrab::KeyboardGrab(QObject* parent) : QObject(parent) {
    again_.setSingleShot(true);
    again_.setInterval(1000);
    connect(&again_, &QTimer::timeout, this, &KeyboardGrab::Take);
    retry_.setSingleShot(true);
    retry_.setInterval(50);
    connect(&retry_, &QTimer::timeout, this, &KeyboardGrab::Take);
}

void KeyboardGrab::Start(QWidget* window) {
    window_ = window;
    tries_ = 0;
    QTimer::singleShot(0, this, &KeyboardGrab::Take);
    again_.start();
}

void KeyboardGrab::Stop() {
    again_.stop();
    retry_.stop();
    if (window_ && window_->windowHandle()) window_->windowHandle()->setKeyboardGrabEnabled(false);
    window_ = nullptr;
}

void KeyboardGrab::Take() {
    if (!window_) return;
    window_->activateWindow();
    window_->raise();
    QWindow* handle = window_->windowHandle();
    const bool grabbed = handle != nullptr && handle->setKeyboardGrabEnabled(true);
    if (!grabbed && ++tries_ < kTries) retry_.start();
}

}  // namespace velmor
