#include "platform/capture/screen_capture.h"

#include <QColorSpace>
#include <QPainter>

namespace velmor {

ProfileRef ScreenImage::ProfileAt(DevicePoint point) const {
    const int monitor = MonitorAt(monitors, point);
    if (monitor < 0 || static_cast<std::size_t>(monitor) >= profiles.size()) return nullptr;
    return profiles[static_cast<std::size_t>(monitor)];
}

QStringList SourceNotes(const ScreenImage& screen) {
    QStringList notes;
    if (screen.channelBits > 8) {
        notes << QObject::tr(
                     "the screen holds %1 bits a channel: hex and the fourteen values "
                     "are rounded to 8, srgb keeps them all.")
                     .arg(screen.channelBits);
    }
    for (const auto& profile : screen.profiles) {
        if (profile == nullptr) continue;
        notes << QObject::tr(
                     "a monitor has a color profile (%1): --managed prints its "
                     "values converted to sRGB.")
                     .arg(profile->Description());
        break;
    }
    if (screen.resampled) {
        notes << QObject::tr("monitors of a lower scale were resampled: their picks are blends.");
    }
    const QColorSpace space = screen.image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        notes << QObject::tr(
                     "the screenshot carries a color profile (%1); values are as the "
                     "screen holds them, not converted.")
                     .arg(space.description());
    }
    return notes;
}

int ChannelBits(const QImage& picture) {
    switch (picture.format()) {
        case QImage::Format_RGB30:
        case QImage::Format_BGR30:
        case QImage::Format_A2RGB30_Premultiplied:
        case QImage::Format_A2BGR30_Premultiplied:
            return 10;
        case QImage::Format_RGBX64:
        case QImage::Format_RGBA64:
        case QImage::Format_RGBA64_Premultiplied:
        case QImage::Format_Grayscale16:
        case QImage::Format_RGBX16FPx4:
        case QImage::Format_RGBA16FPx4:
        case QImage::Format_RGBA16FPx4_Premultiplied:
        case QImage::Format_RGBX32FPx4:
        case QImage::Format_RGBA32FPx4:
        case QImage::Format_RGBA32FPx4_Premultiplied:
            return 16;
        default:
            return 8;
    }
}

QImage KeptPicture(QImage picture) {
    const QImage::Format kept =
        ChannelBits(picture) > 8 ? QImage::Format_RGBX64 : QImage::Format_RGB32;
    if (picture.format() == kept) return picture;
    return picture.convertToFormat(kept);
}

QImage OwnedPicture(const QImage& view) {
    QImage kept = KeptPicture(view);
    // The same format still shares the memory it was given.
    return kept.constBits() == view.constBits() ? kept.copy() : kept;
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
    for (const QImage& p : pictures)
        screen.channelBits = std::max(screen.channelBits, ChannelBits(p));
    screen.image = QImage(layout->width, layout->height,
                          screen.channelBits > 8 ? QImage::Format_RGBX64 : QImage::Format_RGB32);
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
