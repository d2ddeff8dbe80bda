#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>

#include "core/pointer_mapper.h"
#include "platform/capture/screen_capture.h"

namespace velmor {

// The frozen picture of one monitor, full screen on that monitor. It draws its
// part of the shared capture, and the marked point `marked` gives, and tells
// what the pointer and the keys do by its signals.
class PickerSurface : public QWidget {
    Q_OBJECT

  public:
    using MarkedPoint = std::function<std::optional<DevicePoint>()>;
    PickerSurface(const ScreenImage& screen, MarkedPoint marked, int monitor, QWidget* owner);

    int MonitorIndex() const { return monitor_; }
    // The outline drawn around a capture pixel of this monitor, in logical pixels.
    QRectF MarkerRect(DevicePoint point) const;

  signals:
    // Positions are in logical pixels of this surface, with their fraction.
    void pointerMoved(int monitor, QPointF local);
    void pointerEntered(int monitor, QPointF local);
    void pressed(int monitor, QPointF local, Qt::MouseButton button,
                 Qt::KeyboardModifiers modifiers);
    void released(Qt::MouseButton button);
    void closeRequested();
    void keyPressed(const QKeyEvent& event);
    // Whole wheel notches, up positive; with Shift held or not.
    void wheelTurned(int notches, bool shift);
    // The compositor gave the surface its size, in logical pixels.
    void sized(int monitor, QSize size);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const ScreenImage& screen_;
    MarkedPoint marked_;
    int monitor_;
    int wheelRest_ = 0;
    bool painted_ = false;  // eighths of a degree short of a whole notch
};

}  // namespace velmor
