#pragma once

#include <algorithm>

#include "core/magnifier.h"

namespace velmor {

template <typename PixelAt>
void DrawMagnified(QImage& target, QPoint cursor, int zoom, int area, QRgb background,
                   PixelAt pixelAt) {
    const int w = target.width();
    const int h = target.height();
    const MagnifierSource s = MagnifierSourceRect(cursor.x(), cursor.y(), w, h, zoom);
    for (int row = 0; row < s.height; ++row) {
        const int top = row * zoom;
        const int bottom = std::min(top + zoom, h);
        for (int column = 0; column < s.width; ++column) {
            const auto pixel = pixelAt(s.x + column, s.y + row);
            const QRgb color = pixel ? *pixel : background;
            const int left = column * zoom;
            const int right = std::min(left + zoom, w);
            for (int y = top; y < bottom; ++y) {
                auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
                std::fill(line + left, line + right, color);
            }
        }
    }
    const QRgb dark = qRgb(0x80, 0x80, 0x80);
    const QRgb light = qRgb(0xC0, 0xC0, 0xC0);
    if (DrawsGridLines(zoom)) {
        for (int x = 0; x < w; x += zoom) {
            for (int y = 0; y < h; ++y) target.setPixel(x, y, IsDarkGridPixel(x, y) ? dark : light);
        }
        for (int y = 0; y < h; y += zoom) {
            auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
            for (int x = 0; x < w; ++x) line[x] = IsDarkGridPixel(x, y) ? dark : light;
        }
    }
    // A square outline, its pixels from `color(i)` along each side.
    auto outline = [&target](int origin, int size, auto color) {
        for (int i = origin; i <= origin + size; ++i) {
            for (const QPoint p : {QPoint(i, origin), QPoint(i, origin + size), QPoint(origin, i),
                                   QPoint(origin + size, i)}) {
                if (target.rect().contains(p)) target.setPixel(p, color(i));
            }
        }
    };
    if (area > 1) {
        // Black and white dashes show on any picture.
        const MagnifierSquare a = AreaOutline(w, zoom, area);
        outline(a.origin, a.size,
                [](int i) { return (i / 3) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255); });
    }
    outline(RedSquareOrigin(w, zoom), zoom, [](int) { return qRgb(255, 0, 0); });
}

}  // namespace velmor
