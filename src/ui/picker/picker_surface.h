#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>

#include "core/pointer_mapper.h"

namespace velmor {

class ColorPicker;

// The frozen picture of one monitor, full screen on that monitor. It draws its
// part of the shared capture and hands pointer and key events to the picker.
class PickerSurface : public QWidget {
    Q_OBJECT

  public:
    PickerSurface(ColorPicker& picker, int monitor, QWidget* owner);

    int MonitorIndex() const { return monitor_; }
    // The outline drawn around a capture pixel of this monitor, in logical pixels.
    QRectF MarkerRect(DevicePoint point) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    ColorPicker& picker_;
    int monitor_;
};

}  // namespace velmor
