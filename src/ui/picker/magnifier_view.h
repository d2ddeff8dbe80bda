#pragma once

#include <QImage>

#include "platform/picture_box.h"

namespace velmor {

// Draws `target` (its whole size is the inner size) as the pixels around
// `cursor` enlarged zoom times, with the two-grey grid and the red square
// around the cursor's pixel. `pixelAt` gives a source pixel, or nothing for a
// pixel off the screen, which shows the background colour.
template <typename PixelAt>
void DrawMagnified(QImage& target, QPoint cursor, int zoom, QRgb background, PixelAt pixelAt);

// The magnifier of the picker: 9 times, redrawn on every pointer move.
class MagnifierView : public PictureBox {
    Q_OBJECT

  public:
    static constexpr int kZoom = 9;

    explicit MagnifierView(QWidget* parent = nullptr);

    // `screen` is the screen as shown; `overlay` (may be null) lies over it at
    // `overlayAt`, both in device pixels.
    void Magnify(QPoint cursor, const QImage& screen, const QImage* overlay, QPoint overlayAt);
};

}  // namespace velmor

#include "ui/picker/magnifier_view_impl.h"
