#include "platform/screen_access.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace velmor {

QImage QtScreenAccess::Capture() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QPixmap grab = screen->grabWindow(0);
    if (grab.isNull()) return {};
    // The image shares the pixmap's pixels; the pixmap goes out of scope here.
    QImage image = grab.toImage();
    image.setDevicePixelRatio(1.0);
    return image;
}

QRect QtScreenAccess::Geometry() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

qreal QtScreenAccess::DevicePixelRatio() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

QPoint QtScreenAccess::PointerPosition() const {
    const qreal ratio = DevicePixelRatio();
    const QPoint logical = QCursor::pos() - Geometry().topLeft();
    return QPoint(int(std::floor(logical.x() * ratio)), int(std::floor(logical.y() * ratio)));
}

void QtScreenAccess::SetPointerPosition(QPoint devicePosition) {
    // Qt places the pointer in logical pixels: at a ratio above 1 the smallest
    // step is one logical pixel.
    const qreal ratio = DevicePixelRatio();
    QCursor::setPos(Geometry().topLeft() + QPoint(int(std::floor(devicePosition.x() / ratio)),
                                                  int(std::floor(devicePosition.y() / ratio))));
}

}  // namespace velmor
