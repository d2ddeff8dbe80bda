#include "ui/picker/picker_panel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include "core/color_design.h"
#include "core/color_names.h"
#include "core/color_spaces.h"
#include "ui/picker/magnifier_view.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/look.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"
#include "ui/widgets/twips.h"

namespace velmor {

namespace {

constexpr int kCellSize = 17;  // 255 twips

bool IsPickerKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus:
        case Qt::Key_BracketLeft:
        case Qt::Key_BracketRight:
        case Qt::Key_Delete:
            return true;
        default:
            return false;
    }
}

QToolButton* PanelButton(const QString& icon, const QString& toolTip, QPoint at, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(Artwork::Icon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setAutoRaise(true);
    // Tab reaches the buttons and Space presses them; the picker's own keys
    // pass them by (see eventFilter).
    button->setFocusPolicy(Qt::TabFocus);
    button->setGeometry(QRect(at, QSize(23, 22)));
    return button;
}

}  // namespace

PickerPanel::PickerPanel(const QList<Note>& notes, QWidget* surface) : QFrame(surface) {
    UseLayoutFont(surface);
    const QColor face = surface->palette().color(QPalette::Button);
    setObjectName(QStringLiteral("panel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette facePalette = palette();
    facePalette.setColor(QPalette::Window, face);
    setPalette(facePalette);
    setCursor(Qt::ArrowCursor);
    resize(TwipsToPixels(2070), TwipsToPixels(3855));

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
            PanelButton(c.icon, tr(c.tip), cornerBar + QPoint((i % 2) * 23, (i / 2) * 22), this);
        cornerButtons_[static_cast<std::size_t>(i)] = button;
        connect(button, &QToolButton::clicked, this,
                [this, corner = c.corner] { emit cornerChosen(corner); });
    }
    const QPoint favoritesBar = TwipsPoint(840, 30);
    addButton_ = PanelButton("favo", tr("Add to Favorites"), favoritesBar, this);
    removeButton_ = PanelButton("remo", tr("Remove from List"), favoritesBar + QPoint(23, 0), this);
    closeButton_ = PanelButton("close", tr("Close"), TwipsPoint(1665, 30), this);
    connect(addButton_, &QToolButton::clicked, this, &PickerPanel::addRequested);
    connect(removeButton_, &QToolButton::clicked, this, &PickerPanel::removeRequested);
    removeButton_->setEnabled(false);
    for (QToolButton* button : findChildren<QToolButton*>()) button->installEventFilter(this);
    connect(closeButton_, &QToolButton::clicked, this, &PickerPanel::closeRequested);

    htmlField_ = new TextLine(QStringLiteral("#000000"), this);
    htmlField_->setObjectName(QStringLiteral("htmlField"));
    htmlField_->setReadOnly(true);
    htmlField_->setFocusPolicy(Qt::NoFocus);
    // A little wider than drawn, so "#FAEBD7" shows whole in any font.
    htmlField_->setGeometry(TwipsRect(840, 480, 795, 285));
    // The whole "#RRGGBB" fits the panel's width only without the inner margins.
    htmlField_->setTextMargins(-1, 0, -1, 0);
    htmlField_->setAlignment(Qt::AlignCenter);
    QPalette facedText = htmlField_->palette();
    facedText.setColor(QPalette::Base, face);
    htmlField_->setPalette(facedText);

    htmlField_->setAccessibleName(tr("Sample"));
    sampleBox_ = new PictureBox(this);
    sampleBox_->setGeometry(TwipsRect(1650, 480, 255, 255));
    sampleBox_->FillWith(face);

    magnifier_ = new MagnifierView(this);
    magnifier_->setObjectName(QStringLiteral("magnifier"));
    magnifier_->setGeometry(TwipsRect(120, 1920, 1800, 1800));
    magnifier_->Clear();
    // Below the magnifier: the sample's name, then the zoom and the area.
    // Lines below the magnifier, each lengthening the panel: the sample's
    // name (two lines), the zoom and the area, then the notes.
    auto addLine = [this](const QString& name, const QString& text, int height) {
        auto* line = new QLabel(text, this);
        line->setObjectName(name);
        line->setWordWrap(true);
        if (height == 0) height = line->heightForWidth(width() - 16);
        line->setGeometry(8, this->height() - 2, width() - 16, height);
        resize(width(), this->height() + height + 2);
        return line;
    };
    const int lineHeight = fontMetrics().lineSpacing();
    nameLine_ = addLine(QStringLiteral("nameLine"), QString(), 2 * lineHeight);
    zoomLine_ = addLine(QStringLiteral("zoomLine"), QString(), lineHeight);
    for (const Note& n : notes) addLine(n.name, n.text, 0);
    // Added below the rest once there are two picks to compare: until then
    // the panel covers no more of the screen than it needs.
    compareLine_ = new QLabel(this);
    compareLine_->setObjectName(QStringLiteral("compareLine"));
    compareLine_->setWordWrap(true);
    compareLine_->hide();
    auto* historyFrame = new QWidget(this);
    historyFrame->setGeometry(
        QRect(TwipsPoint(120, 780), QSize(magnifier_->width(), TwipsToPixels(1095))));
    for (int i = 0; i < kHistoryCells; ++i) {
        auto* cell = new PictureBox(historyFrame);
        cell->setGeometry((i % 7) * kCellSize, (i / 7) * kCellSize, kCellSize, kCellSize);
        cell->installEventFilter(this);
        historyCells_[static_cast<std::size_t>(i)] = cell;
    }
}

void PickerPanel::ShowSample(const Color& color) {
    sampleBox_->FillWith(ToQColor(color));
    const QString hex = QString::fromStdString(color.Html());
    htmlField_->setText(hex);
    htmlField_->setCursorPosition(0);
    const QString described = QString::fromStdString(DescribeByName(color));
    nameLine_->setText(described);
    sampleBox_->setAccessibleName(tr("Sample: %1").arg(SpokenColor(color)));
}

void PickerPanel::ShowZoom(int zoom, int area) {
    zoomLine_->setText(area == 1 ? tr("Zoom %1x, one pixel").arg(zoom)
                                 : tr("Zoom %1x, mean of %2 x %2").arg(zoom).arg(area));
}

QString PickerPanel::ShowComparison(const Color& before, const Color& last) {
    const QString ratio = QString::fromStdString(ContrastRatioText(ContrastRatio(before, last)));
    const QString difference = QString::number(DeltaE(before, last), 'f', 2);
    compareLine_->setText(tr("Last two: ΔE00 %1, %2:1").arg(difference, ratio));
    if (compareLine_->isHidden()) {
        const int lines = 2 * fontMetrics().lineSpacing();
        compareLine_->setGeometry(8, height() - 2, width() - 16, lines);
        resize(width(), height() + lines + 2);
        compareLine_->show();
    }
    return tr("From the pick before: difference %1, contrast %2 to 1").arg(difference, ratio);
}

void PickerPanel::ShowManaged(const std::optional<Color>& srgb) {
    auto* line = findChild<QLabel*>(QStringLiteral("managedNote"));
    if (line == nullptr) return;
    line->setText(tr("sRGB through the monitor's profile: %1")
                      .arg(srgb ? QString::fromStdString(srgb->Html()) : QStringLiteral("-")));
}

void PickerPanel::ShowHistoryCell(int cell, const Color& color) {
    cellColors_[static_cast<std::size_t>(cell)] = ToQColor(color);
    DrawHistoryCell(cell);
}

void PickerPanel::SelectHistoryCell(std::optional<int> cell) {
    const std::optional<int> before = selectedCell_;
    selectedCell_ = cell;
    if (before) DrawHistoryCell(*before);
    if (cell) DrawHistoryCell(*cell);
    removeButton_->setEnabled(cell.has_value());
}

void PickerPanel::DrawHistoryCell(int cell) {
    PictureBox* box = historyCells_[static_cast<std::size_t>(cell)];
    box->FillWith(cellColors_[static_cast<std::size_t>(cell)]);
    const int last = kCellSize - 1;
    if (selectedCell_ == cell) {
        // The selected cell: a black and a white ring, seen on any colour.
        box->BoxOutline(0, 0, last, last, Qt::black);
        box->BoxOutline(1, 1, last - 1, last - 1, Qt::white);
    } else {
        // A sunken edge: dark above and left, light below and right.
        box->FillBox(0, 0, last, 0, QColor(128, 128, 128));
        box->FillBox(0, 0, 0, last, QColor(128, 128, 128));
        box->FillBox(0, last, last, last, Qt::white);
        box->FillBox(last, 0, last, last, Qt::white);
    }
    box->Refresh();
}

bool PickerPanel::eventFilter(QObject* watched, QEvent* event) {
    // A focused button would take the arrows (to move the focus) and Enter;
    // they stay the picker's keys.
    if (event->type() == QEvent::KeyPress && qobject_cast<QToolButton*>(watched) != nullptr) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsPickerKey(key->key())) {
            emit keyPressed(*key);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < kHistoryCells; ++i) {
            if (watched == historyCells_[static_cast<std::size_t>(i)]) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                emit historyPressed(i, mouse->button(), mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace velmor
