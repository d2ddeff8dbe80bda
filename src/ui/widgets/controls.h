#pragma once

#include <QKeySequence>
#include <QPushButton>
#include <QRect>
#include <QShortcut>

namespace velmor {

// A command button at a fixed place. It is never a default button by itself:
// which key clicks what is up to its window.
inline QPushButton* MakeCommandButton(const QString& text, QRect geometry, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A window with a fixed border: a title, a close box, a minimise button if asked.
inline Qt::WindowFlags FixedBorderFlags(Qt::WindowType kind, bool minimiseButton) {
    Qt::WindowFlags flags = kind | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (minimiseButton) flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

// A tool window without a close button of its own: Esc closes it, as it
// does a dialog.
inline void CloseOnEscape(QWidget* window) {
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
}

}  // namespace velmor
