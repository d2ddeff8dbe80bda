#pragma once

#include <algorithm>

#include "core/magnifier.h"

namespace velmor {

template <typename PixelAt>
void DrawMagnified(QImage& target, QPoint cursor, int zoom, QRgb background, PixelAt pixelAt) {
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
    for (int x = 0; x < w; x += zoom) {
        for (int y = 0; y < h; ++y) target.setPixel(x, y, IsDarkGridPixel(x, y) ? dark : light);
    }
    for (int y = 0; y < h; y += zoom) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = IsDarkGridPixel(x, y) ? dark : light;
    }
    const int o = RedSquareOrigin(w, zoom);
    const QRgb red = qRgb(255, 0, 0);
    for (int i = o; i <= o + zoom; ++i) {
        for (const QPoint p :
             {QPoint(i, o), QPoint(i, o + zoom), QPoint(o, i), QPoint(o + zoom, i)}) {
            if (target.rect().contains(p)) target.setPixel(p, red);
        }
    }
}

}  // namespace velmor
