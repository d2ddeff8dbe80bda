#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "core/color.h"
#include "platform/screen_capture.h"
#include "settings/app_options.h"

class QWidget;

namespace velmor {

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
    void picked(const velmor::Color& color);
    void closed();
    // A right click on a colour the picker shows.
    void colorMenuRequested(const velmor::Color& color, QPoint globalPosition);
};

// Makes what the pick flow shows; the window layer provides it, so that the
// flow knows no widget of its own.
class PickViews {
  public:
    virtual ~PickViews() = default;
    // `owner` (may be null) is the window the picker stands in for.
    virtual std::unique_ptr<PickerView> MakePicker(ScreenImage screen, PointerControl& pointer,
                                                   const AppOptions& options, QWidget* owner) = 0;
    // A note shown while the desktop asks the user; `cancel` is called when
    // the user gives up waiting.
    virtual std::unique_ptr<QObject> ShowPermissionNote(std::function<void()> cancel) = 0;
};

}  // namespace velmor
