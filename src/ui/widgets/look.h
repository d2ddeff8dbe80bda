#pragma once

#include <QFont>
#include <QWidget>

namespace velmor {

// The layouts are measured for an 8-point sans serif at 96 dots per inch, 11
// pixels high; every window uses that size so its texts fit their controls.
inline void UseDesignFont(QWidget* window) {
    QFont font = window->font();
    // Arial's metrics are the closest to the layouts' own font.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), font.family()});
    font.setPixelSize(11);
    window->setFont(font);
}

}  // namespace velmor
