#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <optional>
#include <vector>

#include "app/pick_views.h"
#include "core/color.h"
#include "core/color_codec.h"
#include "core/magnifier.h"
#include "platform/screen_capture.h"
#include "settings/app_options.h"
#include "ui/picker/picker_surface.h"

class QFrame;
class QKeyEvent;
class QLineEdit;
class QToolButton;
class QWidget;

namespace velmor {

class MagnifierView;
class PictureBox;

// The screen picker over a frozen capture: one full-screen surface per
// monitor, and one panel with the sample, 28 history cells and a magnifier on
// the monitor under the pointer. Every pick is handed over at once through
// `picked`; the picker stays open until Esc, a right click or its close button.
class ColorPicker : public PickerView {
    Q_OBJECT

  public:
    // `owner` (may be null) is the window the surfaces stand in for.
    ColorPicker(ScreenImage screen, PointerControl& pointer, const AppOptions& options,
                QWidget* owner = nullptr);
    ~ColorPicker() override;

    void Open() override;
    void Close();
    bool IsOpen() const override { return open_; }
    QWidget* MessageParent() const override { return PanelSurface(); }

    // Reads the captured pixel at a capture point into the sample, unless the
    // point lies off every monitor or under the panel. False when nothing was read.
    bool Track(DevicePoint point);
    void Pick();
    void Recall(int cell);
    void MovePanel(PanelCorner corner);

    // Events of the surfaces, in logical pixels of the monitor's surface.
    void PointerMoved(int monitor, QPointF local);
    void PointerEntered(int monitor, QPointF local);
    void Pressed(int monitor, QPointF local, Qt::MouseButton button);
    void KeyPressed(const QKeyEvent& event);

    const ScreenImage& Screen() const { return screen_; }
    QString HtmlText() const;
    ColorValue Sample() const { return sample_; }
    Color SampleColor() const;
    ColorValue HistoryColor(int cell) const { return history_[static_cast<std::size_t>(cell)]; }
    std::int16_t HistoryNext() const { return historyNext_; }
    DevicePoint PointerPoint() const { return pointer_; }
    // Whether the sample is a pixel of the capture (or a recalled one) yet:
    // on Wayland nothing is known of the pointer until it moves or enters.
    bool HasSample() const { return aim_ != Aim::Unknown; }
    // The sampled pixel where the pointer cannot show it.
    std::optional<DevicePoint> MarkedPoint() const;
    int PanelMonitor() const { return panelMonitor_; }
    PickerSurface* Surface(int monitor) const {
        return surfaces_[static_cast<std::size_t>(monitor)];
    }
    int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }
    // The surface that holds the panel; messages open above it.
    QWidget* PanelSurface() const;
    QFrame* Panel() const { return panel_; }
    MagnifierView* Magnifier() const { return magnifier_; }
    PictureBox* SampleBox() const { return sampleBox_; }
    QLineEdit* HtmlField() const { return htmlField_; }
    PictureBox* HistoryCell(int cell) const {
        return historyCells_[static_cast<std::size_t>(cell)];
    }
    QToolButton* CornerButton(int position) const {
        return cornerButtons_[static_cast<std::size_t>(position - 1)];
    }
    QToolButton* AddButton() const { return addButton_; }
    QToolButton* RemoveButton() const { return removeButton_; }
    QToolButton* CloseButton() const { return closeButton_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the sample follows: nothing yet, the pointer, or the arrow keys.
    enum class Aim { Unknown, Pointer, Keys };

    void BuildPanel(QWidget* surface);
    bool MoveTo(DevicePoint point, Aim aim);
    void TakeKeyboard();
    void FillCell(int cell, ColorValue color);
    std::optional<DevicePoint> EventPoint(int monitor, QPointF local) const;
    void ReadSample(DevicePoint point);
    void MagnifyAround(DevicePoint point, const DeviceRect& panel);
    void RepaintMarker(DevicePoint point);
    void ShowHtmlValue();
    DeviceRect PanelArea() const;
    const Monitor& PanelMonitorGeometry() const;

    ScreenImage screen_;
    PointerControl& pointerControl_;
    const AppOptions& options_;
    QPointer<QWidget> owner_;
    std::vector<QPointer<PickerSurface>> surfaces_;
    int panelMonitor_ = 0;
    bool open_ = false;

    QFrame* panel_ = nullptr;
    std::array<QToolButton*, 4> cornerButtons_{};
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QToolButton* closeButton_ = nullptr;
    QLineEdit* htmlField_ = nullptr;
    PictureBox* sampleBox_ = nullptr;
    std::array<PictureBox*, kHistoryCells> historyCells_{};
    MagnifierView* magnifier_ = nullptr;

    ColorValue sample_ = 0;
    std::array<ColorValue, kHistoryCells> history_{};
    std::int16_t historyNext_ = 0;
    DevicePoint pointer_;  // where the pointer is, or the sample point where it cannot move
    Aim aim_ = Aim::Unknown;
    QElapsedTimer lastPress_;
    QPointF lastPressAt_;
    QTimer focusTimer_;
    QTimer grabRetry_;
    int grabTries_ = 0;
};

}  // namespace velmor
