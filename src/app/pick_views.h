#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "core/color.h"
#include "platform/capture/screen_capture.h"
#include "settings/app_options.h"

class QWidget;
class QWindow;

namespace velmor {

class PickerMemory;

// The picker as the pick flow drives it: opened over a frozen capture, it
// hands every pick over and says when it closed.
class PickerView : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    // Where a message about a pick belongs while the picker is open.
    virtual QWidget* MessageParent() const = 0;

  signals:
    // A pick as the screen holds it, with its monitor's ICC profile (null
    // where it has none). `keepPicking`: the user asked to go on picking
    // (Shift), where a pick would otherwise end a command-line pick.
    void picked(const velmor::Color& color, const velmor::ProfileRef& profile, bool keepPicking);
    void closed();
    // A right click on a colour the picker shows.
    void colorMenuRequested(const velmor::Color& color, QPoint globalPosition);
};

// The window the picker stands in for, as the pick flow takes it off the
// screen and brings it back.
class PickHost {
  public:
    virtual ~PickHost() = default;
    virtual bool IsShown() const = 0;
    // The window system's window, watched until it is really gone; null
    // while there is none.
    virtual QWindow* Handle() const = 0;
    virtual void Hide() = 0;
    // Shown again where it was, raised and active.
    virtual void Restore() = 0;
    // What the picker's surfaces and messages stand above.
    virtual QWidget* Widget() const = 0;
};

// Makes what the pick flow shows; the window layer provides it, so that the
// flow knows no widget of its own.
class PickViews {
  public:
    virtual ~PickViews() = default;
    // `owner` (may be null) is the window the picker stands in for.
    virtual std::unique_ptr<PickerView> MakePicker(ScreenImage screen, PointerControl& pointer,
                                                   const AppOptions& options, PickerMemory& memory,
                                                   QWidget* owner) = 0;
    // A note shown while the desktop asks the user; `cancel` is called when
    // the user gives up waiting.
    virtual std::unique_ptr<QObject> ShowPermissionNote(std::function<void()> cancel) = 0;
    // The desktop refused the picture: says why, and whether the user wants
    // to try `remedy`.
    virtual bool OfferRemedy(const QString& reason, ScreenCapture::Remedy remedy) = 0;
};

}  // namespace velmor
