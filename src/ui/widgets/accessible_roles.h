#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QTimer>

#include "core/color.h"

namespace velmor {

// A box that only groups other controls.
class BorderFrame : public QFrame {
    Q_OBJECT

  public:
    explicit BorderFrame(QWidget* parent) : QFrame(parent) {}
};

// A line of text a screen reader reads whole. Qt tells readers that a line
// edit's text runs in pieces of no length, and Orca, joining them, leaves
// out the last character: "#33009" for "#330099".
class TextLine : public QLineEdit {
    Q_OBJECT

  public:
    explicit TextLine(QWidget* parent) : QLineEdit(parent) {}
    TextLine(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}
};

// An invisible child of a window that a screen reader hears each time it is
// shown. What it says waits for a short pause: a colour change makes Orca
// drop, as a flood, what comes with the many changes of text it causes, and
// of several things said in a row only the last is worth hearing.
class Announcement : public QWidget {
    Q_OBJECT

  public:
    explicit Announcement(QWidget* parent);
    void Say(const QString& text);

  private:
    QTimer pause_;
    QString text_;
};

// Our windows are windows and our boxes are panels to a screen reader. Qt
// calls a plain top-level widget a filler and every QFrame a frame, and Orca
// takes the innermost frame for the window: finding it inactive, it drops
// every focus change inside. Called once the application exists.
void InstallAccessibleRoles();

// Has a screen reader say TEXT shortly, as a notification of NEAR's window.
void Announce(QWidget* near, const QString& text);

// A colour as a reader says it: "about DarkOrange, orange, dE 6.7, #FF8C40".
QString SpokenColor(const Color& color);

}  // namespace velmor
