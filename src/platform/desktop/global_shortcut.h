#pragma once

#include <QKeySequence>
#include <QObject>

namespace velmor {

// A key combination that reaches the program wherever the focus is, held
// for the program by the display server or by the desktop's own service.
class GlobalShortcut : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // Takes the combination, giving up the one held before; false when there
    // is no such key or another program holds it already.
    virtual bool Grab(const QKeySequence& sequence) = 0;
    virtual void Release() = 0;

  signals:
    void activated();
};

}  // namespace velmor
