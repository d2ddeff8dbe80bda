#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace velmor {

// The program's own pictures, drawn from the SVG files in its resources.
namespace Artwork {

QPixmap Pixmap(const QString& name, QSize size);
// Always ours, never the icon theme's: the pictures are part of the program's look,
// and a theme search at start-up costs a fifth of it.
QIcon Icon(const QString& name);
QCursor Cursor(const QString& name, QPoint hotSpot);

}  // namespace Artwork

}  // namespace velmor
