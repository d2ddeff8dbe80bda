#include "ui/picker/magnifier_view.h"

#include <optional>

namespace velmor {

MagnifierView::MagnifierView(QWidget* parent) : PictureBox(parent) {
    SetBackColor(palette().color(QPalette::Base));
}

void MagnifierView::Magnify(QPoint cursor, const QImage& screen, const QImage* overlay,
                            QPoint overlayAt) {
    QImage& image = Canvas();
    const QRect overlayRect = overlay != nullptr ? QRect(overlayAt, overlay->size()) : QRect();
    DrawMagnified(image, cursor, kZoom, BackColor().rgb(),
                  [&](int x, int y) -> std::optional<QRgb> {
                      if (overlayRect.contains(x, y)) {
                          return overlay->pixel(x - overlayAt.x(), y - overlayAt.y());
                      }
                      if (!screen.rect().contains(x, y)) return std::nullopt;
                      return screen.pixel(x, y);
                  });
    Refresh();
}

}  // namespace velmor
