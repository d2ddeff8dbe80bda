#include "ui/main/window_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace velmor {

WindowKeys::WindowKeys(QWidget* window, Handlers handlers)
    : QObject(window), window_(window), handlers_(std::move(handlers)) {
    pickDelay_.setSingleShot(true);
    pickDelay_.setInterval(100);
    connect(&pickDelay_, &QTimer::timeout, this, [this] { handlers_.pick(); });
    // The window's own keys reach its window-system window first, before
    // the focus widget; that window exists once the widget is shown.
    window->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == window_) {
        if (type == QEvent::Show && window_->windowHandle() != nullptr) {
            window_->windowHandle()->removeEventFilter(this);
            window_->windowHandle()->installEventFilter(this);
        }
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        if (key->key() == Qt::Key_C && !key->isAutoRepeat()) {
            ctrlHeldAtC_ = key->modifiers().testFlag(Qt::ControlModifier);
        }
        return Pressed(*key);
    }
    if (!key->isAutoRepeat()) {
        Qt::KeyboardModifiers modifiers = key->modifiers();
        // Ctrl let go a moment before C still counts as Ctrl+C.
        if (key->key() == Qt::Key_C && ctrlHeldAtC_) modifiers |= Qt::ControlModifier;
        if (key->key() == Qt::Key_C) ctrlHeldAtC_ = false;
        Released(key->key(), modifiers);
    }
    return false;
}

bool WindowKeys::Pressed(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
    auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (focused == nullptr || focused->window() != window_) focused = handlers_.defaultButton();
    if (focused != nullptr) focused->click();
    return true;
}

void WindowKeys::Released(int key, Qt::KeyboardModifiers modifiers) {
    if (handlers_.keyboardOff() || pickDelay_.isActive()) return;
    if (key == Qt::Key_P) {
        pickDelay_.start();
    } else if (key == Qt::Key_C) {
        handlers_.copy(modifiers);
    }
}

}  // namespace velmor
