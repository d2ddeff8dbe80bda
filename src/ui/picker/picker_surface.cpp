#include "ui/picker/picker_surface.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include "platform/capture/x11_screen.h"
#include "platform/desktop/startup_trace.h"
#include "ui/widgets/artwork.h"

namespace velmor {

PickerSurface::PickerSurface(const ScreenImage& screen, MarkedPoint marked, int monitor,
                             QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      screen_(screen),
      marked_(std::move(marked)),
      monitor_(monitor) {
    setObjectName(QStringLiteral("pickerSurface"));
    setWindowTitle(tr("Pick a color"));
    setAccessibleDescription(tr("Arrow keys move one pixel, Shift ten; Enter picks; Esc closes."));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setCursor(Artwork::Cursor("eyedropper", QPoint(9, 22)));
    // Where the toolkit places this monitor; the window manager then makes the
    // surface cover it exactly.
    const QRect area = screen_.surfaces[static_cast<std::size_t>(monitor)];
    if (QScreen* screen = QGuiApplication::screenAt(area.center())) setScreen(screen);
    setGeometry(area);
    setWindowState(Qt::WindowFullScreen);
    MarkAsPickerSurface(winId(), owner != nullptr ? owner->winId() : 0);
    windowHandle()->installEventFilter(this);
}

void PickerSurface::paintEvent(QPaintEvent* event) {
    if (!painted_) {
        painted_ = true;
        StartupMark("picker painted");
    }
    QPainter painter(this);
    const Monitor& m = screen_.monitors[static_cast<std::size_t>(monitor_)];
    const QRect r = event->rect();
    const QRectF source(m.device.x + r.x() * m.ratio, m.device.y + r.y() * m.ratio,
                        r.width() * m.ratio, r.height() * m.ratio);
    painter.drawImage(QRectF(r), screen_.image, source);
    if (const auto marked = marked_(); marked && MonitorAt(screen_.monitors, *marked) == monitor_) {
        // Where the pointer cannot be moved, the sampled pixel is outlined.
        painter.setPen(QPen(Qt::red, 0));
        painter.drawRect(MarkerRect(*marked));
    }
}

QRectF PickerSurface::MarkerRect(DevicePoint point) const {
    const Monitor& m = screen_.monitors[static_cast<std::size_t>(monitor_)];
    const LogicalPoint c = SurfacePoint(m, point);
    const double half = std::max(2.0, 1.5 / m.ratio);
    return QRectF(c.x - half, c.y - half, 2 * half, 2 * half);
}

// The toolkit rounds a widget's event position to whole logical pixels; the
// window's (scene) position keeps the fraction that Wayland's pointer carries,
// and the surface is the window.
void PickerSurface::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(monitor_, event->scenePosition());
}

void PickerSurface::mousePressEvent(QMouseEvent* event) {
    emit pressed(monitor_, event->scenePosition(), event->button(), event->modifiers());
}

bool PickerSurface::eventFilter(QObject* watched, QEvent* event) {
    // A pointer that only enters (the surface appeared under it) is followed
    // too, at the window's position: the widget's enter is rounded.
    if (watched == windowHandle() && event->type() == QEvent::Enter) {
        emit pointerEntered(monitor_, static_cast<QEnterEvent*>(event)->position());
    }
    return QWidget::eventFilter(watched, event);
}

void PickerSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();  // the press before it has picked already
}

void PickerSurface::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->button());
    if (event->button() == Qt::RightButton) emit closeRequested();
}

void PickerSurface::wheelEvent(QWheelEvent* event) {
    // A touchpad sends small steps; they count once they make a notch. Some
    // systems turn a wheel with Shift into a horizontal one.
    const QPoint delta = event->angleDelta();
    wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ %= QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) emit wheelTurned(notches, event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}

void PickerSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) emit sized(monitor_, event->size());
}

void PickerSurface::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(*event);
}

void PickerSurface::closeEvent(QCloseEvent* event) {
    // Alt+F4 or the window manager closing one surface closes the picker.
    event->ignore();
    emit closeRequested();
}

}  // namespace velmor
