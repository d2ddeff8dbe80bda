#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <optional>
#include <vector>

#include "app/options.h"
#include "app/pick_views.h"
#include "app/picker_memory.h"
#include "core/color.h"
#include "core/magnifier.h"
#include "core/pick_session.h"
#include "platform/capture/screen_capture.h"
#include "ui/picker/keyboard_grab.h"
#include "ui/picker/picker_panel.h"
#include "ui/picker/picker_surface.h"

class QKeyEvent;
class QWidget;

namespace velmor {

// The screen picker over a frozen capture: one full-screen surface per
// monitor, and one panel with the sample, 28 history cells and a magnifier on
// the monitor under the pointer. Every pick is handed over at once through
// `picked`; the picker stays open until Esc, a right click or its close button.
class ColorPicker : public PickerView {
    Q_OBJECT

  public:
    // `owner` (may be null) is the window the surfaces stand in for;
    // `memory` gives the zoom, the area and the history, and keeps them.
    ColorPicker(ScreenImage screen, PointerControl& pointer, const AppOptions& options,
                PickerMemory& memory, QWidget* owner = nullptr);
    ~ColorPicker() override;

    void Open() override;
    void Close();
    bool IsOpen() const override { return open_; }
    QWidget* MessageParent() const override { return PanelSurface(); }

    // Reads the captured pixel at a capture point into the sample, unless the
    // point lies off every monitor or under the panel. False when nothing was read.
    bool Track(DevicePoint point);
    // Shift+Enter or a Shift+click keeps picking: the pick says so.
    void Pick(bool keepPicking = false);
    void Recall(int cell);
    void RemoveSelected();
    void MovePanel(PanelCorner corner);
    // Steps through the magnifications and the sample areas.
    void Zoom(int steps);
    void ChangeArea(int steps);
    int ZoomLevel() const { return zoom_; }

    // Events of the surfaces, in logical pixels of the monitor's surface.
    void PointerMoved(int monitor, QPointF local);
    void PointerEntered(int monitor, QPointF local);
    void Pressed(int monitor, QPointF local, Qt::MouseButton button,
                 Qt::KeyboardModifiers modifiers = {});
    void Released(Qt::MouseButton button);
    void KeyPressed(const QKeyEvent& event);
    void WheelTurned(int notches, bool shift);
    // The compositor configured a surface at another size than the layout
    // said: its pixels are mapped and drawn at the scale it really has.
    void SurfaceSized(int monitor, QSize size);

    const PickSession& Session() const { return session_; }
    QString HtmlText() const { return QString::fromStdString(session_.Sample().Html()); }
    Color HistoryColor(int cell) const { return session_.History(cell); }
    // Whether the sample is a pixel of the capture (or a recalled one) yet:
    // on Wayland nothing is known of the pointer until it moves or enters.
    bool HasSample() const { return session_.HasSample(); }
    std::optional<DevicePoint> MarkedPoint() const { return session_.MarkedPoint(); }
    int PanelMonitor() const { return panelMonitor_; }
    PickerSurface* Surface(int monitor) const {
        return surfaces_[static_cast<std::size_t>(monitor)];
    }
    int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }
    // The surface that holds the panel; messages open above it.
    QWidget* PanelSurface() const;
    PickerPanel* Panel() const { return panel_; }

  private:
    bool MoveTo(DevicePoint point, PickSession::Aim aim);
    std::optional<DevicePoint> EventPoint(int monitor, QPointF local) const;
    void ShowSample();
    // The sample through its monitor's profile, where it has one.
    std::optional<Color> InSrgb() const;
    // A pick, as the screen holds it and through its monitor's profile.
    void HandOver(const Color& color, bool keepPicking);
    void HandOverHeld();
    // The sample into the history, kept; nothing before anything was sampled.
    std::optional<Color> TakePick();
    void MagnifyAround(DevicePoint point, const DeviceRect& panel);
    // The magnifier again where the sample is, after a zoom or area change.
    void Remagnify();
    void ShowHistory();
    void RepaintMarker(DevicePoint point);
    DeviceRect PanelArea() const;
    const Monitor& PanelMonitorGeometry() const;

    ScreenImage screen_;
    PointerControl& pointerControl_;
    const AppOptions& options_;
    PickerMemory& memory_;
    PickSession session_;
    int zoom_;
    std::vector<QPointer<PickerSurface>> surfaces_;
    int panelMonitor_ = 0;
    // The corner the panel was moved to; at first it stands at the top right.
    std::optional<PanelCorner> corner_;
    bool open_ = false;
    PickerPanel* panel_ = nullptr;
    KeyboardGrab keyboard_;
    // A click's pick, handed over when its button comes up: a picker that
    // closes on a pick must keep its surfaces until then, or the release
    // lands on whatever lies below (a panel, GNOME's Activities).
    struct HeldPick {
        Color color;
        ProfileRef profile;
        bool keepPicking;
    };
    std::optional<HeldPick> held_;
    // This picker's last pick, compared on the panel with the next.
    std::optional<Color> lastPick_;
    QElapsedTimer lastPress_;
    QPointF lastPressAt_;
};

}  // namespace velmor
