#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>
#include <memory>

#include "app/pick_views.h"
#include "app/picker_memory.h"
#include "core/color.h"
#include "platform/capture/screen_capture.h"

namespace velmor {

struct AppOptions;

// One pick, start to end: the main window leaves the screen (and the window
// system confirms it), the desktop is captured, the picker opens, and on its
// close the main window comes back where and as it was. The pick button, the
// P key and the command-line pick all start it.
class PickFlow : public QObject {
    Q_OBJECT

  public:
    enum class State { Idle, WaitingForWindow, Capturing, Picking };
    // Refused: the desktop refused and the user, told why, did not try again.
    enum class Outcome { Closed, Cancelled, Failed, Refused };
    Q_ENUM(Outcome)

    PickFlow(ScreenCapture& capture, PointerControl& pointer, const AppOptions& options,
             PickerMemory& memory, PickViews& views, QObject* parent = nullptr);
    ~PickFlow() override;

    // The window taken off the screen while picking; none for a command-line pick.
    void SetHost(PickHost* host) { host_ = host; }
    void Start();

    State CurrentState() const { return state_; }
    PickerView* Picker() const { return picker_.get(); }
    // Where a message about a pick belongs: above the picker while it is open.
    QWidget* MessageParent() const;

  signals:
    void picked(const velmor::Color& color, const velmor::ProfileRef& profile, bool keepPicking);
    void colorMenuRequested(const velmor::Color& color, QPoint globalPosition);
    void finished(velmor::PickFlow::Outcome outcome, const QString& reason);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void WindowGone();
    void Capture();
    void OnCaptured(const ScreenImage& screen);
    void OnColorPicked(const QColor& color);
    void Finish(Outcome outcome, const QString& reason = {});
    void RestoreMainWindow();
    void ShowPermissionNote();
    void OnRefused(const QString& reason, ScreenCapture::Remedy remedy);

    ScreenCapture& capture_;
    PointerControl& pointer_;
    const AppOptions& options_;
    PickerMemory& memory_;
    PickHost* host_ = nullptr;
    State state_ = State::Idle;
    PickViews& views_;
    std::unique_ptr<PickerView> picker_;
    std::unique_ptr<QObject> note_;
    QTimer windowTimeout_;
    QTimer settle_;
    bool restoreWindow_ = false;
    bool quitOnLastWindow_ = true;
};

}  // namespace velmor
