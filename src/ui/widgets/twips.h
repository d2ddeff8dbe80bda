#pragma once

#include <QRect>

namespace velmor {

// Window layouts are given in twips; 15 twips make one pixel.
constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

inline QPoint TwipsPoint(int left, int top) {
    return QPoint(TwipsToPixels(left), TwipsToPixels(top));
}

}  // namespace velmor
