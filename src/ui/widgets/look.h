#pragma once

#include <QFont>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace velmor {

// The layouts are measured for an 8-point sans serif at 96 dots per inch, 11
// pixels high; every window uses that size so its texts fit their controls.
inline QFont LayoutFont(QFont font) {
    // Arial's metrics are the closest to the layouts' own font.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), font.family()});
    font.setPixelSize(11);
    return font;
}
inline void UseLayoutFont(QWidget* window) {
    window->setFont(LayoutFont(window->font()));
}

// The light colours the layouts were drawn with, whatever the desktop's theme:
// a window that paints its own light background keeps dark text on it, and
// so do its controls.
inline QPalette LayoutPalette(const QColor& window) {
    QPalette p(QColor(240, 240, 240), window);
    const QColor grey(0x66, 0x66, 0x66);  // 4.5:1 or better on every layout background
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            p.setColor(group, role, off ? grey : QColor(Qt::black));
        }
        p.setColor(group, QPalette::Base, off ? QColor(240, 240, 240) : QColor(Qt::white));
        p.setColor(group, QPalette::PlaceholderText, grey);
        p.setColor(group, QPalette::Link, QColor(0, 0, 255));
        p.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        p.setColor(group, QPalette::ToolTipText, Qt::black);
    }
    return p;
}

// Where the keyboard is: a dotted frame along the widget's edge, drawn on
// top of what it painted (the grids and bars draw none of their own).
inline void DrawFocusFrame(QWidget* widget) {
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
}

// Shows `text` in a read-only line: whole where it fits, else shortened with
// "…" and whole in the tooltip, which a reader gets as the description.
inline void ShowFitted(QLineEdit* line, const QString& text) {
    // The room inside the frame and the line's own margins.
    const int room = line->contentsRect().width() - 6;
    const QString shown = line->fontMetrics().elidedText(text, Qt::ElideRight, room);
    line->setText(shown);
    line->setCursorPosition(0);
    line->setToolTip(shown == text ? QString() : text);
    line->setAccessibleDescription(line->toolTip());
}

// Makes `window` paint the layout's background, in the layout's colours.
inline void UseLayoutColors(QWidget* window, const QColor& background) {
    window->setPalette(LayoutPalette(background));
    window->setAutoFillBackground(true);
}

}  // namespace velmor
