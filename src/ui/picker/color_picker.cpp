#include "ui/picker/color_picker.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyleHints>
#include <QToolButton>
#include <QWindow>
#include <cmath>
#include <cstdlib>

#include "ui/picker/magnifier_view.h"
#include "ui/picker/picker_surface.h"
#include "ui/widgets/arrow_keys.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/look.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"
#include "ui/widgets/twips.h"

namespace velmor {

namespace {

constexpr int kCellSize = 17;  // 255 twips
constexpr int kGrabTries = 40;

ColorValue ToColorValue(QRgb rgb) {
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}

QToolButton* PanelButton(const QString& icon, const QString& toolTip, QPoint at, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(Artwork::Icon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(QRect(at, QSize(23, 22)));
    return button;
}

}  // namespace

ColorPicker::ColorPicker(ScreenImage screen, PointerControl& pointer, const AppOptions& options,
                         QWidget* owner)
    : screen_(std::move(screen)), pointerControl_(pointer), options_(options), owner_(owner) {
    if (screen_.monitors.empty()) {
        screen_.monitors.push_back({{0, 0, screen_.image.width(), screen_.image.height()}, 1.0});
    }
    while (screen_.surfaces.size() < screen_.monitors.size()) {
        const DeviceRect& r = screen_.monitors[screen_.surfaces.size()].device;
        screen_.surfaces.push_back(QRect(r.x, r.y, r.width, r.height));
    }
    const std::optional<DevicePoint> at = pointerControl_.Position();
    // Where the pointer is not known yet, the arrow keys start from a marked
    // point in the middle of the first monitor.
    const DeviceRect& first = screen_.monitors.front().device;
    pointer_ = at.value_or(DevicePoint{first.x + first.width / 2, first.y + first.height / 2});
    panelMonitor_ = std::max(0, MonitorAt(screen_.monitors, pointer_));

    for (std::size_t i = 0; i < screen_.monitors.size(); ++i) {
        auto* surface = new PickerSurface(
            screen_, [this] { return MarkedPoint(); }, static_cast<int>(i), owner);
        connect(surface, &PickerSurface::pointerMoved, this, &ColorPicker::PointerMoved);
        connect(surface, &PickerSurface::pointerEntered, this, &ColorPicker::PointerEntered);
        connect(surface, &PickerSurface::pressed, this, &ColorPicker::Pressed);
        connect(surface, &PickerSurface::keyPressed, this, &ColorPicker::KeyPressed);
        connect(surface, &PickerSurface::closeRequested, this, &ColorPicker::Close);
        surfaces_.push_back(surface);
    }
    BuildPanel(PanelSurface());
    // The sample is the frozen pixel under the pointer, even where the panel opens.
    if (at && screen_.image.rect().contains(at->x, at->y)) {
        aim_ = Aim::Pointer;
        ReadSample(*at);
    }

    focusTimer_.setSingleShot(true);
    focusTimer_.setInterval(1000);
    connect(&focusTimer_, &QTimer::timeout, this, &ColorPicker::TakeKeyboard);
    grabRetry_.setSingleShot(true);
    grabRetry_.setInterval(50);
    connect(&grabRetry_, &QTimer::timeout, this, &ColorPicker::TakeKeyboard);
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

void ColorPicker::BuildPanel(QWidget* surface) {
    UseDesignFont(surface);
    const QColor face = surface->palette().color(QPalette::Button);
    panel_ = new QFrame(surface);
    panel_->setObjectName(QStringLiteral("panel"));
    panel_->setFrameShape(QFrame::Panel);
    panel_->setFrameShadow(QFrame::Raised);
    panel_->setAutoFillBackground(true);
    QPalette facePalette = panel_->palette();
    facePalette.setColor(QPalette::Window, face);
    panel_->setPalette(facePalette);
    panel_->setCursor(Qt::ArrowCursor);
    panel_->resize(TwipsToPixels(2070), TwipsToPixels(3855));
    const QRect area = screen_.surfaces[static_cast<std::size_t>(panelMonitor_)];
    panel_->move(area.width() - panel_->width(), 0);

    const QPoint cornerBar = TwipsPoint(90, 30);
    const struct {
        const char* icon;
        const char* tip;
        PanelCorner corner;
    } corners[] = {{"ltop", "Move to Left Top", PanelCorner::LeftTop},
                   {"rtop", "Move to Right Top", PanelCorner::RightTop},
                   {"ldown", "Move to Left Down", PanelCorner::LeftDown},
                   {"rdown", "Move to Right Down", PanelCorner::RightDown}};
    for (int i = 0; i < 4; ++i) {
        const auto& c = corners[i];
        auto* button =
            PanelButton(c.icon, tr(c.tip), cornerBar + QPoint((i % 2) * 23, (i / 2) * 22), panel_);
        cornerButtons_[static_cast<std::size_t>(i)] = button;
        connect(button, &QToolButton::clicked, this,
                [this, corner = c.corner] { MovePanel(corner); });
    }
    const QPoint favoritesBar = TwipsPoint(840, 30);
    addButton_ = PanelButton("favo", tr("Add to Favorites"), favoritesBar, panel_);
    removeButton_ =
        PanelButton("remo", tr("Remove from List"), favoritesBar + QPoint(23, 0), panel_);
    closeButton_ = PanelButton("close", tr("Close"), TwipsPoint(1665, 30), panel_);
    connect(addButton_, &QToolButton::clicked, this, [this] {
        if (HasSample()) emit picked(SampleColor());
    });
    connect(closeButton_, &QToolButton::clicked, this, &ColorPicker::Close);

    htmlField_ = new QLineEdit(QStringLiteral("#000000"), panel_);
    htmlField_->setObjectName(QStringLiteral("htmlField"));
    htmlField_->setReadOnly(true);
    htmlField_->setFocusPolicy(Qt::NoFocus);
    htmlField_->setGeometry(TwipsRect(840, 480, 735, 285));
    // The whole "#RRGGBB" fits the designed width only without the inner margins.
    htmlField_->setTextMargins(-1, 0, -1, 0);
    htmlField_->setAlignment(Qt::AlignCenter);
    QPalette facedText = htmlField_->palette();
    facedText.setColor(QPalette::Base, face);
    htmlField_->setPalette(facedText);

    sampleBox_ = new PictureBox(panel_);
    sampleBox_->setGeometry(TwipsRect(1650, 480, 255, 255));
    sampleBox_->FillWith(face);
    sample_ = ToColorValue(face.rgb());

    magnifier_ = new MagnifierView(panel_);
    magnifier_->setObjectName(QStringLiteral("magnifier"));
    magnifier_->setGeometry(TwipsRect(120, 1920, 1800, 1800));
    magnifier_->Clear();
    if (screen_.resampled) {
        // The desktop's picture holds every monitor at the highest scale.
        auto* note = new QLabel(tr("Picks on monitors of a lower scale are resampled."), panel_);
        note->setObjectName(QStringLiteral("resampledNote"));
        note->setWordWrap(true);
        note->setGeometry(8, panel_->height() - 2, panel_->width() - 16, 30);
        panel_->resize(panel_->width(), panel_->height() + 30);
        panel_->move(area.width() - panel_->width(), 0);
    }
    auto* historyFrame = new QWidget(panel_);
    historyFrame->setGeometry(
        QRect(TwipsPoint(120, 780), QSize(magnifier_->width(), TwipsToPixels(1095))));
    for (int i = 0; i < kHistoryCells; ++i) {
        auto* cell = new PictureBox(historyFrame);
        cell->setGeometry((i % 7) * kCellSize, (i / 7) * kCellSize, kCellSize, kCellSize);
        cell->installEventFilter(this);
        historyCells_[static_cast<std::size_t>(i)] = cell;
        FillCell(i, 0xFFFFFF);
    }
}

void ColorPicker::Open() {
    if (open_) return;
    open_ = true;
    for (PickerSurface* surface : surfaces_) surface->show();
    PanelSurface()->raise();
    if (aim_ != Aim::Unknown) MagnifyAround(pointer_, PanelArea());
    grabTries_ = 0;
    QTimer::singleShot(0, this, &ColorPicker::TakeKeyboard);
    focusTimer_.start();
}

void ColorPicker::Close() {
    if (!open_) return;
    open_ = false;
    focusTimer_.stop();
    grabRetry_.stop();
    for (PickerSurface* surface : surfaces_) {
        if (QWindow* window = surface->windowHandle()) window->setKeyboardGrabEnabled(false);
        surface->hide();
    }
    emit closed();
}

void ColorPicker::TakeKeyboard() {
    if (!open_) return;
    // Takes the keyboard without clicking anything: nothing acts for the user.
    QWidget* surface = PanelSurface();
    surface->activateWindow();
    surface->raise();
    QWindow* window = surface->windowHandle();
    const bool grabbed = window != nullptr && window->setKeyboardGrabEnabled(true);
    if (!grabbed && ++grabTries_ < kGrabTries) grabRetry_.start();
}

void ColorPicker::FillCell(int cell, ColorValue color) {
    history_[static_cast<std::size_t>(cell)] = color;
    PictureBox* box = historyCells_[static_cast<std::size_t>(cell)];
    box->FillWith(ToQColor(color));
    // A sunken edge: dark above and left, light below and right.
    const int last = kCellSize - 1;
    box->FillBox(0, 0, last, 0, QColor(128, 128, 128));
    box->FillBox(0, 0, 0, last, QColor(128, 128, 128));
    box->FillBox(0, last, last, last, Qt::white);
    box->FillBox(last, 0, last, last, Qt::white);
    box->Refresh();
}

QString ColorPicker::HtmlText() const {
    return htmlField_->text();
}

std::optional<DevicePoint> ColorPicker::MarkedPoint() const {
    if (aim_ == Aim::Pointer || (aim_ == Aim::Keys && pointerControl_.CanWarp())) {
        return std::nullopt;
    }
    return pointer_;
}

DeviceRect ColorPicker::PanelArea() const {
    const QRect g = panel_->geometry();
    return DeviceArea(PanelMonitorGeometry(), g.x(), g.y(), g.width(), g.height());
}

void ColorPicker::ReadSample(DevicePoint point) {
    sample_ = ToColorValue(screen_.image.pixel(point.x, point.y));
    sampleBox_->FillWith(ToQColor(sample_));
    ShowHtmlValue();
}

bool ColorPicker::Track(DevicePoint point) {
    return MoveTo(point, Aim::Pointer);
}

bool ColorPicker::MoveTo(DevicePoint point, Aim aim) {
    const std::optional<DevicePoint> markedBefore = MarkedPoint();
    const DevicePoint from = pointer_;
    const Aim previous = aim_;
    pointer_ = point;
    aim_ = aim;
    bool read =
        MonitorAt(screen_.monitors, point) >= 0 && screen_.image.rect().contains(point.x, point.y);
    const DeviceRect panel = PanelArea();
    read = read && !panel.Contains(point);
    if (read) {
        ReadSample(point);
        MagnifyAround(point, panel);
    } else if (previous == Aim::Unknown && aim == Aim::Pointer) {
        // A pointer off the picture samples nothing: the marked start stays.
        pointer_ = from;
        aim_ = Aim::Unknown;
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
    // The magnifier shows the screen as displayed: the panel too where it is near.
    const MagnifierSource source = MagnifierSourceRect(point.x, point.y, magnifier_->width(),
                                                       magnifier_->height(), MagnifierView::kZoom);
    const DeviceRect around{source.x, source.y, source.width, source.height};
    const bool nearPanel = around.x < panel.x + panel.width && panel.x < around.x + around.width &&
                           around.y < panel.y + panel.height && panel.y < around.y + around.height;
    QImage shown;
    if (nearPanel) {
        // The panel in device pixels, as it is drawn on its monitor.
        shown = panel_->grab().toImage().scaled(panel.width, panel.height);
    }
    magnifier_->Magnify(QPoint(point.x, point.y), [&](int x, int y) -> std::optional<QRgb> {
        if (nearPanel && panel.Contains({x, y})) return shown.pixel(x - panel.x, y - panel.y);
        if (MonitorAt(screen_.monitors, {x, y}) < 0) return std::nullopt;
        return screen_.image.pixel(x, y);
    });
}

void ColorPicker::ShowHtmlValue() {
    const Components c = SplitColor(sample_);
    htmlField_->setText(QString::fromStdString(ColorToHtml(c.red, c.green, c.blue)));
    htmlField_->setCursorPosition(0);
}

void ColorPicker::Pick() {
    // Nothing sampled yet: there is no colour to hand over.
    if (aim_ == Aim::Unknown) return;
    FillCell(historyNext_, sample_);
    historyNext_ = NextHistoryCell(historyNext_);
    emit picked(SampleColor());
}

Color ColorPicker::SampleColor() const {
    const Components c = SplitColor(sample_);
    return Color::From8(c.red, c.green, c.blue);
}

void ColorPicker::Recall(int cell) {
    if (aim_ == Aim::Unknown) aim_ = Aim::Keys;
    sample_ = HistoryColor(cell);
    sampleBox_->FillWith(ToQColor(sample_));
    ShowHtmlValue();
}

void ColorPicker::MovePanel(PanelCorner corner) {
    const QWidget* surface = PanelSurface();
    const PanelPosition p = PanelCornerPosition(corner, surface->width(), surface->height(),
                                                panel_->width(), panel_->height());
    panel_->move(p.left, p.top);
}

std::optional<DevicePoint> ColorPicker::EventPoint(int monitor, QPointF local) const {
    const Monitor& m = screen_.monitors[static_cast<std::size_t>(monitor)];
    // Rounded to whole logical pixels, the last device pixels lie half a
    // logical pixel past the surface's edge.
    const double right = (m.device.width - 0.5) / m.ratio;
    const double bottom = (m.device.height - 0.5) / m.ratio;
    const double x = local.x() >= right && local.x() < right + 1 ? right : local.x();
    const double y = local.y() >= bottom && local.y() < bottom + 1 ? bottom : local.y();
    const std::optional<DevicePoint> mapped = MapPointer(m, x, y);
    // At ratio 1 a whole logical pixel is the device pixel: no round trip.
    if (!mapped || m.ratio == 1.0) return mapped;
    // Qt's X11 events carry whole logical pixels; the server knows the device
    // pixel. Its answer counts when it agrees with the event.
    const std::optional<DevicePoint> exact = pointerControl_.Position();
    const int slack = static_cast<int>(std::ceil(m.ratio));
    if (exact && m.device.Contains(*exact) && std::abs(exact->x - mapped->x) <= slack &&
        std::abs(exact->y - mapped->y) <= slack) {
        return exact;
    }
    return mapped;
}

void ColorPicker::PointerMoved(int monitor, QPointF local) {
    const std::optional<DevicePoint> p = EventPoint(monitor, local);
    if (p) MoveTo(*p, Aim::Pointer);
}

void ColorPicker::PointerEntered(int monitor, QPointF local) {
    // Where the pointer can be read, the window system's own answer counts;
    // on Wayland an enter is all a surface learns of a pointer that jumped in.
    if (pointerControl_.CanWarp() && aim_ != Aim::Unknown) return;
    PointerMoved(monitor, local);
}

void ColorPicker::Pressed(int monitor, QPointF local, Qt::MouseButton button) {
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
    if (p && MoveTo(*p, Aim::Pointer)) Pick();
}

void ColorPicker::KeyPressed(const QKeyEvent& event) {
    if (options_.keyboardOff) {
        // Esc as a typed character still closes.
        if (event.text() == QStringLiteral("\x1b")) Close();
        return;
    }
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Pick();
            return;
        case Qt::Key_Escape:
            Close();
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
    const DevicePoint next = StepPointer(screen_.monitors, pointer_, delta.x(), delta.y());
    // The pointer goes to the exact pixel; the move it causes tracks the same one.
    if (pointerControl_.CanWarp()) pointerControl_.Warp(next);
    MoveTo(next, Aim::Keys);
}

bool ColorPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < kHistoryCells; ++i) {
            if (watched == historyCells_[static_cast<std::size_t>(i)]) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::LeftButton) Recall(i);
                if (mouse->button() == Qt::RightButton) {
                    const Components c = SplitColor(HistoryColor(i));
                    emit colorMenuRequested(
                        QString::fromStdString(ColorToHtml(c.red, c.green, c.blue)),
                        mouse->globalPosition().toPoint());
                }
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmor
