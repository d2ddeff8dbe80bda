#pragma once

#include "app/pick_views.h"

namespace velmor {

// A top-level widget as the window a pick stands in for.
class WidgetPickHost : public PickHost {
  public:
    explicit WidgetPickHost(QWidget& window) : window_(window) {}
    bool IsShown() const override;
    QWindow* Handle() const override;
    void Hide() override;
    void Restore() override;
    QWidget* Widget() const override { return &window_; }

  private:
    QWidget& window_;
};

// The picker and the permission note as widgets.
class WidgetPickViews : public PickViews {
  public:
    std::unique_ptr<PickerView> MakePicker(ScreenImage screen, PointerControl& pointer,
                                           const AppOptions& options, PickerMemory& memory,
                                           QWidget* owner) override;
    std::unique_ptr<QObject> ShowPermissionNote(std::function<void()> cancel) override;
    bool OfferRemedy(const QString& reason, ScreenCapture::Remedy remedy) override;
};

}  // namespace velmor
