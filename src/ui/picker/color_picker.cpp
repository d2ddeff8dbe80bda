#include "ui/picker/color_picker.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QToolButton>
#include <QWindow>
#include <cmath>

#include "platform/arrow_keys.h"
#include "platform/artwork.h"
#include "platform/look.h"
#include "platform/picture_box.h"
#include "platform/qt_color.h"
#include "platform/screen_access.h"
#include "platform/twips.h"
#include "ui/picker/magnifier_view.h"

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

ColorPicker::ColorPicker(QImage capture, ScreenAccess& screen, const AppOptions& options,
                         AddToFavorites addToFavorites, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      capture_(std::move(capture)),
      screen_(screen),
      options_(options),
      addToFavorites_(std::move(addToFavorites)),
      ratio_(screen.DevicePixelRatio()) {
    setObjectName(QStringLiteral("frmColorPicker"));
    UseDesignFont(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setGeometry(screen_.Geometry());
    setWindowState(Qt::WindowFullScreen);
    setCursor(Artwork::Cursor("eyedropper", QPoint(9, 22)));
    BuildPanel();

    timer1_.setSingleShot(true);
    timer1_.setInterval(1000);
    connect(&timer1_, &QTimer::timeout, this, &ColorPicker::TakeKeyboard);
    grabRetry_.setSingleShot(true);
    grabRetry_.setInterval(50);
    connect(&grabRetry_, &QTimer::timeout, this, &ColorPicker::TakeKeyboard);
}

void ColorPicker::BuildPanel() {
    const QColor face = palette().color(QPalette::Button);
    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setFrameShape(QFrame::Panel);
    frame1_->setFrameShadow(QFrame::Raised);
    frame1_->setAutoFillBackground(true);
    QPalette facePalette = frame1_->palette();
    facePalette.setColor(QPalette::Window, face);
    frame1_->setPalette(facePalette);
    frame1_->setCursor(Qt::ArrowCursor);
    frame1_->resize(TwipsToPixels(2070), TwipsToPixels(3855));
    frame1_->move(width() - frame1_->width(), 0);

    const QPoint toolbar1 = TwipsPoint(90, 30);
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
        toolbar1_[static_cast<std::size_t>(i)] =
            PanelButton(c.icon, c.tip, toolbar1 + QPoint((i % 2) * 23, (i / 2) * 22), frame1_);
        connect(toolbar1_[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, corner = c.corner] { MovePanel(corner); });
    }
    const QPoint toolbar3 = TwipsPoint(840, 30);
    addButton_ = PanelButton("favo", "Add to Favorites", toolbar3, frame1_);
    removeButton_ = PanelButton("remo", "Remove from List", toolbar3 + QPoint(23, 0), frame1_);
    closeButton_ = PanelButton("close", "Close", TwipsPoint(1665, 30), frame1_);
    connect(addButton_, &QToolButton::clicked, this, [this] { addToFavorites_(HtmlText(), this); });
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::reject);

    txtHTML_ = new QLineEdit(QStringLiteral("#000000"), frame1_);
    txtHTML_->setObjectName(QStringLiteral("txtHTML"));
    txtHTML_->setReadOnly(true);
    txtHTML_->setFocusPolicy(Qt::NoFocus);
    txtHTML_->setGeometry(TwipsRect(840, 480, 735, 285));
    QPalette facedText = txtHTML_->palette();
    facedText.setColor(QPalette::Base, face);
    txtHTML_->setPalette(facedText);

    picCap_ = new PictureBox(frame1_);
    picCap_->setGeometry(TwipsRect(1650, 480, 255, 255));
    picCap_->FillWith(face);
    sample_ = ToColorValue(face.rgb());

    picture1_ = new MagnifierView(frame1_);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(TwipsRect(120, 1920, 1800, 1800));
    picture1_->Clear();
    picture3_ = new QWidget(frame1_);
    picture3_->setGeometry(
        QRect(TwipsPoint(120, 780), QSize(picture1_->width(), TwipsToPixels(1095))));
    for (int i = 0; i < kHistoryCells; ++i) {
        auto* cell = new PictureBox(picture3_);
        cell->setGeometry((i % 7) * kCellSize, (i / 7) * kCellSize, kCellSize, kCellSize);
        cell->installEventFilter(this);
        picPal_[static_cast<std::size_t>(i)] = cell;
        FillCell(i, 0xFFFFFF);
    }
}

void ColorPicker::FillCell(int cell, ColorValue color) {
    history_[static_cast<std::size_t>(cell)] = color;
    PictureBox* box = picPal_[static_cast<std::size_t>(cell)];
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
    return txtHTML_->text();
}

QPoint ColorPicker::DevicePoint(QPointF logical) const {
    return QPoint(int(std::floor(logical.x() * ratio_)), int(std::floor(logical.y() * ratio_)));
}

void ColorPicker::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The sample, the text and the magnifier agree with the pointer from the start.
    pointer_ = screen_.PointerPosition();
    Track(pointer_);
    grabTries_ = 0;
    QTimer::singleShot(0, this, &ColorPicker::TakeKeyboard);
    timer1_.start();
}

void ColorPicker::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Flush in the top-right corner until the user moves the panel.
    if (!panelMoved_) frame1_->move(width() - frame1_->width(), 0);
}

void ColorPicker::TakeKeyboard() {
    // Takes the keyboard without clicking anything: nothing acts for the user.
    activateWindow();
    raise();
    QWindow* window = windowHandle();
    const bool grabbed = window != nullptr && window->setKeyboardGrabEnabled(true);
    if (!grabbed && ++grabTries_ < kGrabTries) grabRetry_.start();
}

QRect ColorPicker::PanelDeviceRect() const {
    return QRect(frame1_->pos() * ratio_, frame1_->size() * ratio_);
}

bool ColorPicker::OverPanel(const QMouseEvent* event) const {
    return frame1_->geometry().contains(event->position().toPoint());
}

void ColorPicker::Track(QPoint devicePoint) {
    const QRect panel = PanelDeviceRect();
    if (!capture_.rect().contains(devicePoint) || panel.contains(devicePoint)) return;
    pointer_ = devicePoint;
    sample_ = ToColorValue(capture_.pixel(devicePoint));
    picCap_->FillWith(ToQColor(sample_));
    ShowHtmlValue();
    // The magnifier shows the screen as displayed: the panel too where it is near.
    const MagnifierSource source =
        MagnifierSourceRect(devicePoint.x(), devicePoint.y(), picture1_->width(),
                            picture1_->height(), MagnifierView::kZoom);
    const QRect area(source.x, source.y, source.width, source.height);
    if (area.intersects(panel)) {
        const QImage shown = frame1_->grab().toImage();
        picture1_->Magnify(devicePoint, capture_, &shown, panel.topLeft());
    } else {
        picture1_->Magnify(devicePoint, capture_, nullptr, QPoint());
    }
}

void ColorPicker::ShowHtmlValue() {
    const Components c = SplitColor(sample_);
    txtHTML_->setText(QString::fromStdString(ColorToHtml(c.red, c.green, c.blue)));
}

void ColorPicker::Pick() {
    FillCell(historyNext_, sample_);
    historyNext_ = NextHistoryCell(historyNext_);
    addToFavorites_(HtmlText(), this);
}

void ColorPicker::Recall(int cell) {
    sample_ = HistoryColor(cell);
    picCap_->FillWith(ToQColor(sample_));
    ShowHtmlValue();
}

void ColorPicker::MovePanel(PanelCorner corner) {
    const PanelPosition p =
        PanelCornerPosition(corner, width(), height(), frame1_->width(), frame1_->height());
    frame1_->move(p.left, p.top);
    panelMoved_ = true;
}

void ColorPicker::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r, capture_,
                      QRectF(QPointF(r.topLeft()) * ratio_, QSizeF(r.size()) * ratio_));
}

void ColorPicker::mouseMoveEvent(QMouseEvent* event) {
    const QPoint device = DevicePoint(event->position());
    // A move the platform reports after a key move lands on the logical pixel
    // the pointer was put on; the finer device point of the key move stands.
    if (keyMoved_) {
        keyMoved_ = false;
        auto logical = [this](QPoint p) {
            return QPoint(int(std::floor(p.x() / ratio_)), int(std::floor(p.y() / ratio_)));
        };
        if (logical(pointer_) == logical(device)) return;
    }
    Track(device);
}

void ColorPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || OverPanel(event)) {
        return;
    }
    // The second press of a double click belongs to the click before it.
    const QPoint at = event->position().toPoint();
    const bool secondOfDouble =
        lastPress_.isValid() &&
        lastPress_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
        (at - lastPressAt_).manhattanLength() <=
            QGuiApplication::styleHints()->mouseDoubleClickDistance();
    lastPress_.start();
    lastPressAt_ = at;
    if (secondOfDouble) {
        lastPress_.invalidate();
        return;
    }
    Track(DevicePoint(event->position()));
    Pick();
}

void ColorPicker::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();  // the press before it has picked already
}

void ColorPicker::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && !OverPanel(event)) {
        reject();
    }
}

void ColorPicker::keyPressEvent(QKeyEvent* event) {
    if (options_.Remove) {
        // Esc as a typed character still closes.
        if (event->text() == QStringLiteral("\x1b")) reject();
        return;
    }
    const auto mods = event->modifiers();
    const int step =
        PickerKeyStep(mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::AltModifier),
                      mods.testFlag(Qt::ShiftModifier));
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Pick();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            break;
    }
    const std::optional<GridKey> arrow = ArrowKeyOf(event->key());
    if (!arrow) return;
    const QPoint delta = ArrowDelta(*arrow, step);
    // The pointer stays on the screen.
    QPoint next = pointer_ + delta;
    next.setX(std::clamp(next.x(), 0, std::max(0, capture_.width() - 1)));
    next.setY(std::clamp(next.y(), 0, std::max(0, capture_.height() - 1)));
    screen_.SetPointerPosition(next);
    keyMoved_ = ratio_ != 1.0;
    const QRect panel = PanelDeviceRect();
    if (panel.contains(next)) {
        pointer_ = next;  // over the panel the sample and magnifier keep their state
    } else {
        Track(next);
    }
}

bool ColorPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < kHistoryCells; ++i) {
            if (watched == picPal_[static_cast<std::size_t>(i)]) {
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) Recall(i);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmor
