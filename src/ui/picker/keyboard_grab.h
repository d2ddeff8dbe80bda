#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace velmor {

// Takes the keyboard for a full-screen window without clicking anything:
// activates it at once and again after a second (some window managers hand
// focus back late), and retries a refused grab for two seconds.
class KeyboardGrab : public QObject {
    Q_OBJECT

  public:
    explicit KeyboardGrab(QObject* parent = nullptr);

    void Start(QWidget* window);
    // Lets the keyboard go; the window stays as it is.
    void Stop();

  private:
    void Take();

    QPointer<QWidget> window_;
    QTimer again_;
    QTimer retry_;
    int tries_ = 0;
};

}  // namespace velmor
