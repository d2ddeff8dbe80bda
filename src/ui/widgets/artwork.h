#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace velmor {

// The program's own pictures, drawn from the SVG files in its resources.
namespace Artwork {

QPixmap Pixmap(const QString& name, QSize size);
// The desktop theme's icon where it has one, else ours.
QIcon Icon(const QString& name, const QString& themeName = QString());
QCursor Cursor(const QString& name, QPoint hotSpot);

}  // namespace Artwork

}  // namespace velmor
