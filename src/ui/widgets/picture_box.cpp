#include "ui/widgets/picture_box.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace velmor {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& PictureBox::Image() {
    DrawPending();
    EnsureImage();
    return image_;
}

QImage& PictureBox::Canvas() {
    EnsureImage();
    return image_;
}

void PictureBox::EnsureImage() const {
    if (image_.size() == size()) return;
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(BackColor());
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

void PictureBox::SetBackColor(const QColor& color) {
    backColor_ = color;
}

void PictureBox::Clear() {
    EnsureImage();
    image_.fill(BackColor());
    update();
}

void PictureBox::FillBox(int left, int top, int right, int bottom, const QColor& color) {
    EnsureImage();
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).intersected(image_.rect());
    if (box.isEmpty()) return;
    const QRgb rgb = color.rgb();
    // The grids draw hundreds of small boxes: the lines found by arithmetic.
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(line + box.left(), line + box.right() + 1, rgb);
    }
}

void PictureBox::BoxOutline(int left, int top, int right, int bottom, const QColor& color) {
    FillBox(left, top, right, top, color);
    FillBox(left, bottom, right, bottom, color);
    FillBox(left, top, left, bottom, color);
    FillBox(right, top, right, bottom, color);
}

void PictureBox::FillFramed(int left, int top, int right, int bottom,
                            std::initializer_list<QRgb> rings, QRgb fill) {
    EnsureImage();
    const int n = static_cast<int>(rings.size());
    const QRgb* ring = rings.begin();
    const int x0 = left - n, x1 = right + n, y0 = top - n, y1 = bottom + n;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const int width = image_.width();
    // Row by row, each pixel written once: the grids draw a hundred and more at start-up.
    for (int y = std::max(y0, 0); y <= std::min(y1, image_.height() - 1); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        const auto put = [line, width](int from, int to, QRgb rgb) {
            from = std::max(from, 0);
            to = std::min(to, width - 1);
            if (from <= to) std::fill(line + from, line + to + 1, rgb);
        };
        const int depth = std::min({y - y0, y1 - y, n});
        for (int d = 0; d < depth; ++d) {
            put(x0 + d, x0 + d, ring[d]);
            put(x1 - d, x1 - d, ring[d]);
        }
        put(x0 + depth, x1 - depth, depth < n ? ring[depth] : fill);
    }
}

void PictureBox::FillOutlined(const QColor& color) {
    FillWith(color);
    BoxOutline(0, 0, width() - 1, height() - 1, Qt::black);
}

PictureBox* PictureBox::Swatch(int size, QWidget* parent) {
    auto* swatch = new PictureBox(parent);
    swatch->setFixedSize(size, size);
    return swatch;
}

void PictureBox::FillWith(const QColor& color) {
    EnsureImage();
    image_.fill(color);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    DrawPending();
    EnsureImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    EnsureImage();
    QWidget::resizeEvent(event);
}

}  // namespace velmor
