#pragma once

#include <QImage>
#include <QPoint>

namespace velmor {

// What the picker needs of the screen: one capture of the primary screen in
// device pixels, and the pointer, in device pixels from the screen's origin.
class ScreenAccess {
  public:
    virtual ~ScreenAccess() = default;

    // A null image when the screen cannot be read (as under Wayland).
    virtual QImage Capture() = 0;
    virtual QRect Geometry() const = 0;  // logical pixels
    virtual qreal DevicePixelRatio() const = 0;
    virtual QPoint PointerPosition() const = 0;
    virtual void SetPointerPosition(QPoint devicePosition) = 0;
};

// The primary screen through Qt: QScreen for the capture, QCursor for the pointer.
class QtScreenAccess : public ScreenAccess {
  public:
    QImage Capture() override;
    QRect Geometry() const override;
    qreal DevicePixelRatio() const override;
    QPoint PointerPosition() const override;
    void SetPointerPosition(QPoint devicePosition) override;
};

}  // namespace velmor
