#include "ui/picker/magnifier_view.h"

#include <optional>

namespace velmor {

MagnifierView::MagnifierView(QWidget* parent) : PictureBox(parent) {
    SetBackColor(palette().color(QPalette::Base));
}

void MagnifierView::Magnify(QPoint cursor, int zoom, int area, const PixelAt& pixelAt) {
    DrawMagnified(Canvas(), cursor, zoom, area, BackColor().rgb(), pixelAt);
    Refresh();
}

}  // namespace velmor
