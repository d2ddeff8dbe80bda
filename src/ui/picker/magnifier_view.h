#pragma once

#include <QImage>
#include <functional>
#include <optional>

#include "ui/widgets/picture_box.h"

namespace velmor {

// Draws `target` (its whole size is the inner size) as the pixels around
// `cursor` enlarged zoom times, with the two-grey grid from 8 times on, the
// red square around the cursor's pixel and, for an area wider than one
// pixel, its outline. `pixelAt` gives a source pixel, or nothing for a pixel
// off the screen, which shows the background colour.
template <typename PixelAt>
void DrawMagnified(QImage& target, QPoint cursor, int zoom, int area, QRgb background,
                   PixelAt pixelAt);

// The magnifier of the picker, redrawn on every pointer move and zoom step.
class MagnifierView : public PictureBox {
    Q_OBJECT

  public:
    explicit MagnifierView(QWidget* parent = nullptr);

    // `pixelAt` gives the screen as shown at a device pixel, or nothing off it.
    using PixelAt = std::function<std::optional<QRgb>(int x, int y)>;
    void Magnify(QPoint cursor, int zoom, int area, const PixelAt& pixelAt);
};

}  // namespace velmor

#include "ui/picker/magnifier_view_impl.h"
