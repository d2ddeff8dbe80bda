#include "ui/picker/color_picker.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <utility>

#include "ui/picker/magnifier_view.h"
#include "ui/picker/picker_surface.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/arrow_keys.h"
#include "ui/widgets/qt_color.h"

namespace velmor {

namespace {

// Every monitor has a surface; a capture that names none is one monitor.
// The surfaces the capture names are where the desktop lays the monitors out,
// which arrow keys follow from one to the next.
ScreenImage WithSurfaces(ScreenImage screen) {
    if (screen.monitors.empty()) {
        screen.monitors.push_back({{0, 0, screen.image.width(), screen.image.height()}, 1.0});
    }
    for (std::size_t i = 0; i < screen.monitors.size() && i < screen.surfaces.size(); ++i) {
        const QRect& s = screen.surfaces[i];
        screen.monitors[i].layout = {s.x(), s.y(), s.width(), s.height()};
    }
    while (screen.surfaces.size() < screen.monitors.size()) {
        const DeviceRect& r = screen.monitors[screen.surfaces.size()].device;
        screen.surfaces.push_back(QRect(r.x, r.y, r.width, r.height));
    }
    return screen;
}

}  // namespace

ColorPicker::ColorPicker(ScreenImage screen, PointerControl& pointer, const AppOptions& options,
                         PickerMemory& memory, QWidget* owner)
    : screen_(WithSurfaces(std::move(screen))),
      pointerControl_(pointer),
      options_(options),
      memory_(memory),
      session_(
          screen_.monitors, screen_.image.width(), screen_.image.height(),
          [this](DevicePoint p) { return FromQColor(screen_.image.pixelColor(p.x, p.y)); },
          pointer.Position(), pointer.CanWarp(), memory.History(), memory.Area()),
      zoom_(memory.Zoom()) {
    panelMonitor_ = std::max(0, MonitorAt(screen_.monitors, session_.Point()));
    for (std::size_t i = 0; i < screen_.monitors.size(); ++i) {
        auto* surface = new PickerSurface(
            screen_, [this] { return MarkedPoint(); }, static_cast<int>(i), owner);
        connect(surface, &PickerSurface::pointerMoved, this, &ColorPicker::PointerMoved);
        connect(surface, &PickerSurface::pointerEntered, this, &ColorPicker::PointerEntered);
        connect(surface, &PickerSurface::pressed, this, &ColorPicker::Pressed);
        connect(surface, &PickerSurface::released, this, &ColorPicker::Released);
        connect(surface, &PickerSurface::keyPressed, this, &ColorPicker::KeyPressed);
        connect(surface, &PickerSurface::closeRequested, this, &ColorPicker::Close);
        connect(surface, &PickerSurface::wheelTurned, this, &ColorPicker::WheelTurned);
        connect(surface, &PickerSurface::sized, this, &ColorPicker::SurfaceSized);
        surfaces_.push_back(surface);
    }

    QList<PickerPanel::Note> notes;
    if (screen_.resampled) {
        // The desktop's picture holds every monitor at the highest scale.
        notes.append({QStringLiteral("resampledNote"),
                      tr("Picks on monitors of a lower scale are resampled.")});
    }
    if (screen_.channelBits > 8) {
        notes.append({QStringLiteral("deepNote"),
                      tr("This screen has %1 bits a channel: hex is rounded to 8, "
                         "\"Copy as\" srgb keeps them all.")
                          .arg(screen_.channelBits)});
    }
    const bool profiled = std::any_of(screen_.profiles.begin(), screen_.profiles.end(),
                                      [](const auto& p) { return p != nullptr; });
    if (profiled) notes.append({QStringLiteral("managedNote"), QString()});
    panel_ = new PickerPanel(notes, PanelSurface());
    const QRect area = screen_.surfaces[static_cast<std::size_t>(panelMonitor_)];
    panel_->move(area.width() - panel_->width(), 0);
    ShowHistory();
    panel_->ShowZoom(zoom_, session_.Area());
    if (HasSample()) ShowSample();
    connect(panel_, &PickerPanel::cornerChosen, this, &ColorPicker::MovePanel);
    connect(panel_, &PickerPanel::addRequested, this, [this] {
        if (HasSample()) HandOver(session_.Sample(), false);
    });
    connect(panel_, &PickerPanel::removeRequested, this, &ColorPicker::RemoveSelected);
    connect(panel_, &PickerPanel::closeRequested, this, &ColorPicker::Close);
    connect(panel_, &PickerPanel::keyPressed, this, &ColorPicker::KeyPressed);
    connect(panel_, &PickerPanel::historyPressed, this,
            [this](int cell, Qt::MouseButton button, QPoint at) {
                if (button == Qt::LeftButton) Recall(cell);
                if (button == Qt::RightButton) emit colorMenuRequested(HistoryColor(cell), at);
            });
}

ColorPicker::~ColorPicker() {
    for (PickerSurface* surface : surfaces_) delete surface;  // null once the owner went first
}

QWidget* ColorPicker::PanelSurface() const {
    return surfaces_[static_cast<std::size_t>(panelMonitor_)];
}

const Monitor& ColorPicker::PanelMonitorGeometry() const {
    return screen_.monitors[static_cast<std::size_t>(panelMonitor_)];
}

void ColorPicker::Open() {
    if (open_) return;
    open_ = true;
    for (PickerSurface* surface : surfaces_) surface->show();
    PanelSurface()->raise();
    if (HasSample()) MagnifyAround(session_.Point(), PanelArea());
    keyboard_.Start(PanelSurface());
    // The keys act on the picture, not on the panel's first button.
    PanelSurface()->setFocus(Qt::ActiveWindowFocusReason);
}

void ColorPicker::Close() {
    if (!open_) return;
    HandOverHeld();
    if (!open_) return;
    open_ = false;
    keyboard_.Stop();
    for (PickerSurface* surface : surfaces_) surface->hide();
    emit closed();
}

DeviceRect ColorPicker::PanelArea() const {
    const QRect g = panel_->geometry();
    return DeviceArea(PanelMonitorGeometry(), g.x(), g.y(), g.width(), g.height());
}

void ColorPicker::ShowSample() {
    panel_->ShowSample(session_.Sample());
    panel_->ShowManaged(InSrgb());
}

void ColorPicker::HandOver(const Color& color, bool keepPicking) {
    emit picked(color, screen_.ProfileAt(session_.Point()), keepPicking);
}

void ColorPicker::HandOverHeld() {
    if (!held_) return;
    const HeldPick pick = *held_;
    held_.reset();
    emit picked(pick.color, pick.profile, pick.keepPicking);
}

std::optional<Color> ColorPicker::InSrgb() const {
    const ProfileRef profile = screen_.ProfileAt(session_.Point());
    if (profile == nullptr) return std::nullopt;
    return profile->ToSrgb(session_.Sample());
}

bool ColorPicker::Track(DevicePoint point) {
    return MoveTo(point, PickSession::Aim::Pointer);
}

bool ColorPicker::MoveTo(DevicePoint point, PickSession::Aim aim) {
    const std::optional<DevicePoint> markedBefore = MarkedPoint();
    const DeviceRect panel = PanelArea();
    const bool read = session_.MoveTo(point, aim, panel);
    if (read) {
        ShowSample();
        MagnifyAround(point, panel);
    }
    const std::optional<DevicePoint> marked = MarkedPoint();
    if (marked != markedBefore) {
        // Only the outlines move: the old one and the new one are repainted.
        if (markedBefore) RepaintMarker(*markedBefore);
        if (marked) RepaintMarker(*marked);
    }
    return read;
}

void ColorPicker::RepaintMarker(DevicePoint point) {
    const int monitor = MonitorAt(screen_.monitors, point);
    if (monitor < 0) return;
    PickerSurface* surface = surfaces_[static_cast<std::size_t>(monitor)];
    if (surface != nullptr)
        surface->update(surface->MarkerRect(point).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void ColorPicker::MagnifyAround(DevicePoint point, const DeviceRect& panel) {
    MagnifierView* magnifier = panel_->Magnifier();
    // The magnifier shows the screen as displayed: the panel too where it is near.
    const MagnifierSource source =
        MagnifierSourceRect(point.x, point.y, magnifier->width(), magnifier->height(), zoom_);
    const DeviceRect around{source.x, source.y, source.width, source.height};
    const bool nearPanel = around.x < panel.x + panel.width && panel.x < around.x + around.width &&
                           around.y < panel.y + panel.height && panel.y < around.y + around.height;
    QImage shown;
    if (nearPanel) {
        // The panel in device pixels, as it is drawn on its monitor.
        shown = panel_->grab().toImage().scaled(panel.width, panel.height);
    }
    magnifier->Magnify(QPoint(point.x, point.y), zoom_, session_.Area(),
                       [&](int x, int y) -> std::optional<QRgb> {
                           if (nearPanel && panel.Contains({x, y}))
                               return shown.pixel(x - panel.x, y - panel.y);
                           if (MonitorAt(screen_.monitors, {x, y}) < 0) return std::nullopt;
                           return screen_.image.pixel(x, y);
                       });
}

void ColorPicker::Remagnify() {
    // The magnifier shows nothing until something was sampled.
    if (!HasSample() || !open_) return;
    MagnifyAround(session_.Point(), PanelArea());
}

void ColorPicker::ShowHistory() {
    for (int i = 0; i < kHistoryCells; ++i) panel_->ShowHistoryCell(i, session_.History(i));
    panel_->SelectHistoryCell(session_.SelectedCell());
}

std::optional<Color> ColorPicker::TakePick() {
    const std::optional<Color> color = session_.Pick();
    // Nothing sampled yet: there is no colour to hand over.
    if (!color) return std::nullopt;
    // Kept before the hand-over, which may end a command-line pick.
    memory_.SetHistory(session_.Picks());
    ShowHistory();
    QString said = tr("Picked %1").arg(SpokenColor(*color));
    if (const std::optional<Color> before = std::exchange(lastPick_, color)) {
        const int height = panel_->height();
        said += QStringLiteral(". ") + panel_->ShowComparison(*before, *color);
        // Grown by a line: it stays in the corner it was put in.
        if (panel_->height() != height && corner_) MovePanel(*corner_);
    }
    Announce(PanelSurface(), said);
    return color;
}

void ColorPicker::Pick(bool keepPicking) {
    HandOverHeld();
    if (const std::optional<Color> color = TakePick()) HandOver(*color, keepPicking);
}

void ColorPicker::Recall(int cell) {
    session_.Recall(cell);
    panel_->SelectHistoryCell(session_.SelectedCell());
    ShowSample();
}

void ColorPicker::RemoveSelected() {
    if (!session_.RemoveSelected()) return;
    memory_.SetHistory(session_.Picks());
    ShowHistory();
}

void ColorPicker::Zoom(int steps) {
    const int zoom = ZoomStep(zoom_, steps);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    memory_.SetZoom(zoom);
    panel_->ShowZoom(zoom_, session_.Area());
    Remagnify();
}

void ColorPicker::ChangeArea(int steps) {
    const int area = AreaStep(session_.Area(), steps);
    if (area == session_.Area()) return;
    session_.SetArea(area);
    memory_.SetArea(area);
    panel_->ShowZoom(zoom_, area);
    if (HasSample()) ShowSample();
    Remagnify();
}

void ColorPicker::WheelTurned(int notches, bool shift) {
    if (shift) {
        ChangeArea(notches);
    } else {
        Zoom(notches);
    }
}

void ColorPicker::SurfaceSized(int monitor, QSize size) {
    const auto i = static_cast<std::size_t>(monitor);
    QRect& surface = screen_.surfaces[i];
    const std::optional<double> ratio =
        ConfiguredRatio(screen_.monitors[i], size.width(), size.height());
    if (size == surface.size() || !ratio) return;
    screen_.monitors[i].ratio = *ratio;
    session_.SetRatio(monitor, *ratio);
    surface.setSize(size);
    surfaces_[i]->update();
    if (monitor == panelMonitor_) {
        // Still in its corner of the surface as it really is.
        panel_->move(std::clamp(panel_->x(), 0, std::max(0, size.width() - panel_->width())),
                     std::clamp(panel_->y(), 0, std::max(0, size.height() - panel_->height())));
        Remagnify();
    }
}

void ColorPicker::MovePanel(PanelCorner corner) {
    corner_ = corner;
    const QWidget* surface = PanelSurface();
    const PanelPosition p = PanelCornerPosition(corner, surface->width(), surface->height(),
                                                panel_->width(), panel_->height());
    panel_->move(p.left, p.top);
}

std::optional<DevicePoint> ColorPicker::EventPoint(int monitor, QPointF local) const {
    // The server's answer is asked only where a logical pixel spans several.
    const Monitor& m = screen_.monitors[static_cast<std::size_t>(monitor)];
    const std::optional<DevicePoint> exact =
        m.ratio == 1.0 ? std::nullopt : pointerControl_.Position();
    return session_.EventPoint(monitor, local.x(), local.y(), exact);
}

void ColorPicker::PointerMoved(int monitor, QPointF local) {
    const std::optional<DevicePoint> p = EventPoint(monitor, local);
    if (p) MoveTo(*p, PickSession::Aim::Pointer);
}

void ColorPicker::PointerEntered(int monitor, QPointF local) {
    // Where the pointer can be read, the window system's own answer counts;
    // on Wayland an enter is all a surface learns of a pointer that jumped in.
    if (!session_.TakesEnter()) return;
    if (screen_.pointerShown && !HasSample()) {
        // The picture holds the pointer's own arrow where it rests: the keys
        // start there, but nothing is sampled until the pointer moves.
        if (const std::optional<DevicePoint> p = EventPoint(monitor, local)) {
            const std::optional<DevicePoint> marked = MarkedPoint();
            session_.StartAt(*p);
            if (marked) RepaintMarker(*marked);
            RepaintMarker(*p);
        }
        return;
    }
    PointerMoved(monitor, local);
}

void ColorPicker::Pressed(int monitor, QPointF local, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton) return;
    // The second press of a double click belongs to the click before it.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool secondOfDouble =
        lastPress_.isValid() && lastPress_.elapsed() < hints->mouseDoubleClickInterval() &&
        (local - lastPressAt_).manhattanLength() <= hints->mouseDoubleClickDistance();
    lastPress_.start();
    lastPressAt_ = local;
    if (secondOfDouble) {
        lastPress_.invalidate();
        return;
    }
    const std::optional<DevicePoint> p = EventPoint(monitor, local);
    // A point off the capture picks nothing rather than the last sample.
    if (!p || !MoveTo(*p, PickSession::Aim::Pointer)) return;
    HandOverHeld();
    if (const std::optional<Color> color = TakePick())
        held_ = HeldPick{*color, screen_.ProfileAt(session_.Point()),
                         modifiers.testFlag(Qt::ShiftModifier)};
}

void ColorPicker::Released(Qt::MouseButton button) {
    if (button == Qt::LeftButton) HandOverHeld();
}

void ColorPicker::KeyPressed(const QKeyEvent& event) {
    HandOverHeld();
    if (options_.keyboardOff) {
        // Esc as a typed character still closes.
        if (event.text() == QStringLiteral("\x1b")) Close();
        return;
    }
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Pick(event.modifiers().testFlag(Qt::ShiftModifier));
            return;
        case Qt::Key_Escape:
            Close();
            return;
        // + is Shift+= on many keyboards; the keypad's come with their own codes.
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            Zoom(1);
            return;
        case Qt::Key_Minus:
            Zoom(-1);
            return;
        case Qt::Key_BracketLeft:
            ChangeArea(-1);
            return;
        case Qt::Key_BracketRight:
            ChangeArea(1);
            return;
        case Qt::Key_Delete:
            RemoveSelected();
            return;
        default:
            break;
    }
    const std::optional<GridKey> arrow = ArrowKeyOf(event.key());
    if (!arrow) return;
    const auto mods = event.modifiers();
    const int step =
        PickerKeyStep(mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::AltModifier),
                      mods.testFlag(Qt::ShiftModifier));
    const QPoint delta = ArrowDelta(*arrow, step);
    const DevicePoint next = session_.Stepped(delta.x(), delta.y());
    // The pointer goes to the exact pixel; the move it causes tracks the same one.
    if (pointerControl_.CanWarp()) pointerControl_.Warp(next);
    MoveTo(next, PickSession::Aim::Keys);
    if (HasSample()) Announce(PanelSurface(), SpokenColor(session_.Sample()));
}

}  // namespace velmor
