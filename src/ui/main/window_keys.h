#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace velmor {

// The keys a window takes as a person lets them go, in that window only: P
// picks after a short wait, C copies (Ctrl held when it went down still
// counts), and Enter clicks the focused button or else the default one.
class WindowKeys : public QObject {
    Q_OBJECT

  public:
    struct Handlers {
        std::function<void()> pick;
        std::function<void(Qt::KeyboardModifiers)> copy;
        std::function<bool()> keyboardOff;  // P and C are switched off
        std::function<QAbstractButton*()> defaultButton;
    };
    WindowKeys(QWidget* window, Handlers handlers);

    const QTimer& PickTimer() const { return pickDelay_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Pressed(const QKeyEvent& key);
    void Released(int key, Qt::KeyboardModifiers modifiers);

    QWidget* window_;
    Handlers handlers_;
    QTimer pickDelay_;
    bool ctrlHeldAtC_ = false;
};

}  // namespace velmor
