#include "ui/widgets/picture_box.h"

#include <QPainter>
#include <QResizeEvent>

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
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + box.left(), line + box.right() + 1, rgb);
    }
}

void PictureBox::BoxOutline(int left, int top, int right, int bottom, const QColor& color) {
    FillBox(left, top, right, top, color);
    FillBox(left, bottom, right, bottom, color);
    FillBox(left, top, left, bottom, color);
    FillBox(right, top, right, bottom, color);
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
