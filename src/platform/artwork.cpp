#include "platform/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace velmor::Artwork {

QPixmap Pixmap(const QString& name, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/velmor/%1.svg").arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon Icon(const QString& name, const QString& themeName) {
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
    QIcon icon;
    for (int size : {16, 24, 32, 48}) icon.addPixmap(Pixmap(name, QSize(size, size)));
    return icon;
}

QCursor Cursor(const QString& name, QPoint hotSpot) {
    return QCursor(Pixmap(name, QSize(32, 32)), hotSpot.x(), hotSpot.y());
}

}  // namespace velmor::Artwork
