#pragma once

#include "app/pick_views.h"

namespace velmor {

// The picker and the permission note as widgets.
class WidgetPickViews : public PickViews {
  public:
    std::unique_ptr<PickerView> MakePicker(ScreenImage screen, PointerControl& pointer,
                                           const AppOptions& options, QWidget* owner) override;
    std::unique_ptr<QObject> ShowPermissionNote(std::function<void()> cancel) override;
};

}  // namespace velmor
