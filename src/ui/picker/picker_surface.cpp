#include "ui/picker/picker_surface.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "platform/x11_screen.h"
#include "ui/picker/color_picker.h"
#include "ui/widgets/artwork.h"

namespace velmor {

PickerSurface::PickerSurface(ColorPicker& picker, int monitor, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picker_(picker),
      monitor_(monitor) {
    setObjectName(QStringLiteral("pickerSurface"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setCursor(Artwork::Cursor("eyedropper", QPoint(9, 22)));
    // Where the toolkit places this monitor; the window manager then makes the
    // surface cover it exactly.
    const QRect area = picker_.Screen().surfaces[static_cast<std::size_t>(monitor)];
    if (QScreen* screen = QGuiApplication::screenAt(area.center())) setScreen(screen);
    setGeometry(area);
    setWindowState(Qt::WindowFullScreen);
    MarkAsPickerSurface(winId(), owner != nullptr ? owner->winId() : 0);
    windowHandle()->installEventFilter(this);
}

void PickerSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Monitor& m = picker_.Screen().monitors[static_cast<std::size_t>(monitor_)];
    const QRect r = event->rect();
    const QRectF source(m.device.x + r.x() * m.ratio, m.device.y + r.y() * m.ratio,
                        r.width() * m.ratio, r.height() * m.ratio);
    painter.drawImage(QRectF(r), picker_.Screen().image, source);
    if (const auto marked = picker_.MarkedPoint();
        marked && MonitorAt(picker_.Screen().monitors, *marked) == monitor_) {
        // Where the pointer cannot be moved, the sampled pixel is outlined.
        painter.setPen(QPen(Qt::red, 0));
        painter.drawRect(MarkerRect(*marked));
    }
}

QRectF PickerSurface::MarkerRect(DevicePoint point) const {
    const Monitor& m = picker_.Screen().monitors[static_cast<std::size_t>(monitor_)];
    const LogicalPoint c = SurfacePoint(m, point);
    const double half = std::max(2.0, 1.5 / m.ratio);
    return QRectF(c.x - half, c.y - half, 2 * half, 2 * half);
}

// The toolkit rounds a widget's event position to whole logical pixels; the
// window's (scene) position keeps the fraction that Wayland's pointer carries,
// and the surface is the window.
void PickerSurface::mouseMoveEvent(QMouseEvent* event) {
    picker_.PointerMoved(monitor_, event->scenePosition());
}

void PickerSurface::mousePressEvent(QMouseEvent* event) {
    picker_.Pressed(monitor_, event->scenePosition(), event->button());
}

bool PickerSurface::eventFilter(QObject* watched, QEvent* event) {
    // A pointer that only enters (the surface appeared under it) is followed
    // too, at the window's position: the widget's enter is rounded.
    if (watched == windowHandle() && event->type() == QEvent::Enter) {
        picker_.PointerEntered(monitor_, static_cast<QEnterEvent*>(event)->position());
    }
    return QWidget::eventFilter(watched, event);
}

void PickerSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();  // the press before it has picked already
}

void PickerSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) picker_.Close();
}

void PickerSurface::keyPressEvent(QKeyEvent* event) {
    picker_.KeyPressed(*event);
}

void PickerSurface::closeEvent(QCloseEvent* event) {
    // Alt+F4 or the window manager closing one surface closes the picker.
    event->ignore();
    picker_.Close();
}

}  // namespace velmor
