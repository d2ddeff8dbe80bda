#include "platform/screen_capture.h"

#include <QPainter>

namespace velmor {

QImage OwnedRgb32(const QImage& view) {
    if (view.format() == QImage::Format_RGB32) return view.copy();
    return view.convertToFormat(QImage::Format_RGB32);
}

std::optional<ScreenImage> ComposeOutputs(const std::vector<QImage>& pictures,
                                          const std::vector<QRect>& logical) {
    if (pictures.size() != logical.size()) return std::nullopt;
    std::vector<OutputShot> shots;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QRect& l = logical[i];
        shots.push_back(
            {{l.x(), l.y(), l.width(), l.height()}, pictures[i].width(), pictures[i].height()});
    }
    const std::optional<OutputLayout> layout = LayOutOutputs(shots);
    if (!layout) return std::nullopt;
    ScreenImage screen;
    screen.image = QImage(layout->width, layout->height, QImage::Format_RGB32);
    if (screen.image.isNull()) return std::nullopt;
    screen.image.fill(Qt::black);
    QPainter painter(&screen.image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const DeviceRect& d = layout->monitors[i].device;
        painter.drawImage(QPoint(d.x, d.y), pictures[i]);
    }
    painter.end();
    screen.monitors = layout->monitors;
    screen.surfaces = logical;
    return screen;
}

}  // namespace velmor
