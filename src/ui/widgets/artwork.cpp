#include "ui/widgets/artwork.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QStyle>
#include <QStyleOption>
#include <array>

namespace velmor::Artwork {

namespace {

// The sizes the build draws every picture at.
constexpr std::array kSizes = {16, 24, 32, 48, 64, 96};

// A drawing as the build left it: raw premultiplied ARGB32 pixels.
QImage Drawing(const QString& name, int size) {
    const QResource resource(QStringLiteral(":/velmor/%1-%2.argb").arg(name).arg(size));
    const QByteArray pixels = resource.uncompressedData();
    if (pixels.size() != qsizetype(size) * size * 4) return {};
    return QImage(reinterpret_cast<const uchar*>(pixels.constData()), size, size,
                  QImage::Format_ARGB32_Premultiplied)
        .copy();
}

// An icon that reads one of its drawings only when a size is first shown,
// and only that one.
class ArtworkEngine final : public QIconEngine {
  public:
    explicit ArtworkEngine(QString name) : name_(std::move(name)) {}

    QIconEngine* clone() const override { return new ArtworkEngine(name_); }
    QString key() const override { return QStringLiteral("velmor-artwork"); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const quint64 key =
            (quint64(size.width()) << 32) | (quint64(size.height()) << 8) | quint64(mode);
        if (const auto found = shown_.constFind(key); found != shown_.constEnd()) return *found;
        QPixmap drawn = Pixmap(name_, size);
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            // Disabled and selected as the style shows every other icon.
            QStyleOption option;
            drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        shown_.insert(key, drawn);
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1;
        QPixmap drawn = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    // What a window's icon is handed to the window system in: every size
    // offered is read and sent at start-up, and the desktop takes the large
    // ones from the installed theme icon.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48)};
    }

  private:
    QString name_;
    QHash<quint64, QPixmap> shown_;
};

}  // namespace

QPixmap Pixmap(const QString& name, QSize size) {
    // The smallest drawing at least as large, scaled down if it must be.
    int drawn = kSizes.back();
    for (const int s : kSizes) {
        if (s >= size.width() && s >= size.height()) {
            drawn = s;
            break;
        }
    }
    QPixmap pixmap = QPixmap::fromImage(Drawing(name, drawn));
    if (pixmap.size() != size) {
        pixmap = pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return pixmap;
}

QIcon Icon(const QString& name) {
    static QHash<QString, QIcon> cache;
    auto found = cache.find(name);
    if (found == cache.end()) found = cache.insert(name, QIcon(new ArtworkEngine(name)));
    return *found;
}

QCursor Cursor(const QString& name, QPoint hotSpot) {
    return QCursor(Pixmap(name, QSize(32, 32)), hotSpot.x(), hotSpot.y());
}

}  // namespace velmor::Artwork
