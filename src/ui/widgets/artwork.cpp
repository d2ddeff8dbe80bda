#include "ui/widgets/artwork.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace velmor::Artwork {

namespace {

QString PathOf(const QString& name) {
    return QStringLiteral(":/velmor/%1.svg").arg(name);
}

}  // namespace

QPixmap Pixmap(const QString& name, QSize size) {
    // Drawn once per name and size for the whole run.
    static QHash<QString, QPixmap> cache;
    const QString key = name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x') +
                        QString::number(size.height());
    if (const auto found = cache.constFind(key); found != cache.constEnd()) return *found;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(PathOf(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    cache.insert(key, pixmap);
    return pixmap;
}

QIcon Icon(const QString& name, const QString& themeName) {
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
    // The SVG icon engine draws each size only when it is first shown.
    static QHash<QString, QIcon> cache;
    auto found = cache.find(name);
    if (found == cache.end()) found = cache.insert(name, QIcon(PathOf(name)));
    return *found;
}

QCursor Cursor(const QString& name, QPoint hotSpot) {
    return QCursor(Pixmap(name, QSize(32, 32)), hotSpot.x(), hotSpot.y());
}

}  // namespace velmor::Artwork
