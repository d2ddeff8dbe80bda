#include "ui/main/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "platform/artwork.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/look.h"
#include "platform/picture_box.h"
#include "platform/qt_color.h"
#include "platform/twips.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/main/color_grid.h"
#include "ui/main/custom_color_page.h"
#include "ui/main/favorites_page.h"
#include "ui/main/named_colors_page.h"
#include "ui/main/safety_page.h"
#include "ui/main/tab_control.h"
#include "ui/main/value_panel.h"

namespace velmor {

namespace {

const QColor kPaleGreen(0xC0, 0xFF, 0xC0);

// The pick button's picture: a pencil and "Pick Color..." with the P underlined.
QPixmap PickButtonPicture(QSize size, const QFont& font, const QColor& textColor) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(6, (size.height() - 16) / 2, Artwork::Pixmap("pencil", QSize(16, 16)));
    painter.setFont(font);
    painter.setPen(textColor);
    const QRect textArea(26, 0, size.width() - 26, size.height());
    const QString rest = QStringLiteral("ick Color...");
    QFont underlined = font;
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("P"));
    const int pWidth = QFontMetrics(underlined).horizontalAdvance(QLatin1Char('P'));
    painter.setFont(font);
    painter.drawText(textArea.adjusted(pWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, rest);
    return picture;
}

}  // namespace

MainWindow::MainWindow(AppOptions& options, const SettingsFile& settings, QWidget* parent)
    : QWidget(parent, FixedBorderFlags(Qt::Window, true)), options_(options), settings_(settings) {
    setWindowTitle(QStringLiteral("Velmor Color Picker"));
    setWindowIcon(Artwork::Icon("app"));
    setObjectName(QStringLiteral("frmPalette"));
    UseDesignFont(this);
    setFixedSize(TwipsToPixels(8895), TwipsToPixels(6525));
    QPalette green = palette();
    green.setColor(QPalette::Window, kPaleGreen);
    setPalette(green);
    setAutoFillBackground(true);

    BuildLayout();
    StartUp();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    cmdPick_->setFocus(Qt::OtherFocusReason);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::BuildLayout() {
    tabs_ = new TabControl(this);
    tabs_->setGeometry(TwipsRect(120, 120, 5295, 5415));
    namedPage_ = new NamedColorsPage(options_);
    safetyPage_ = new SafetyPage(options_);
    customPage_ = new CustomColorPage;
    favoritesPage_ = new FavoritesPage(favorites_, settings_, options_);
    tabs_->AddPage(namedPage_, QStringLiteral("Named Colors"));
    tabs_->AddPage(safetyPage_, QStringLiteral("Safety Palette"));
    tabs_->AddPage(customPage_, QStringLiteral("Custom Color"));
    tabs_->AddPage(favoritesPage_, QStringLiteral("Favorite Colors"));
    tabs_->SetCurrentIndex(NamedColorsTab);

    panel_ = new ValuePanel(options_, this);

    auto* strip = new QFrame(this);
    strip->setFrameShape(QFrame::Box);
    strip->setFrameShadow(QFrame::Sunken);
    strip->setGeometry(TwipsRect(120, 5640, 8655, 735));
    shape2_ = new PictureBox(this);
    shape2_->setObjectName(QStringLiteral("Shape2"));
    shape2_->setGeometry(TwipsRect(240, 5760, 495, 495));
    connect(panel_, &ValuePanel::swatchColorChanged, this, [this](ColorValue color) {
        shape2_->FillWith(ToQColor(color));
        shape2_->BoxOutline(0, 0, shape2_->width() - 1, shape2_->height() - 1, Qt::black);
    });

    cmdAdd2Favo_ = MakeCommandButton(QStringLiteral("Add to &Favorites"),
                                     TwipsRect(840, 5850, 1575, 315), this);
    cmdPick_ = MakeCommandButton(QString(), TwipsRect(2760, 5850, 1455, 315), this);
    cmdPick_->setObjectName(QStringLiteral("cmdPick"));
    cmdPick_->setAccessibleName(QStringLiteral("Pick Color..."));
    cmdPick_->setToolTip(QStringLiteral("Pick Color..."));
    cmdPick_->setIcon(QIcon(PickButtonPicture(cmdPick_->size() - QSize(8, 6), font(),
                                              palette().color(QPalette::ButtonText))));
    cmdPick_->setIconSize(cmdPick_->size() - QSize(8, 6));
    cmdOptions_ =
        MakeCommandButton(QStringLiteral("&Options ..."), TwipsRect(4440, 5850, 975, 315), this);
    command4_ =
        MakeCommandButton(QStringLiteral("&About ..."), TwipsRect(5465, 5850, 975, 315), this);
    command3_ =
        MakeCommandButton(QStringLiteral("&Help..."), TwipsRect(6480, 5850, 975, 315), this);
    cmdExit_ = MakeCommandButton(QStringLiteral("E&xit"), TwipsRect(7800, 5850, 735, 315), this);

    // The pick button comes first in the tab order.
    setTabOrder(cmdPick_, cmdOptions_);
    setTabOrder(cmdOptions_, command4_);
    setTabOrder(command4_, command3_);
    setTabOrder(command3_, cmdExit_);
    setTabOrder(cmdExit_, cmdAdd2Favo_);

    connect(cmdAdd2Favo_, &QPushButton::clicked, this,
            [this] { Add2Favo(panel_->CurrentColorText()); });
    connect(cmdPick_, &QPushButton::clicked, this, &MainWindow::PickCommand);
    connect(cmdOptions_, &QPushButton::clicked, this, &MainWindow::OptionsCommand);
    connect(command4_, &QPushButton::clicked, this, &MainWindow::AboutCommand);
    connect(command3_, &QPushButton::clicked, this, &MainWindow::HelpCommand);
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);

    const std::pair<ColorPage*, int> pages[] = {{namedPage_, NamedColorsTab},
                                                {safetyPage_, SafetyPaletteTab},
                                                {customPage_, CustomColorTab},
                                                {favoritesPage_, FavoriteColorsTab}};
    for (const auto& [page, index] : pages) {
        connect(page, &ColorPage::showColor, this, &MainWindow::ShowColor);
        connect(page, &ColorPage::addToFavorites, this,
                [this](const QString& text) { Add2Favo(text); });
        connect(page, &ColorPage::copyChosenValue, this, &MainWindow::CopyChosenValue);
        connect(page, &ColorPage::toolbarClicked, this,
                [this, index = index](int position) { ToolbarCommand(index, position); });
    }

    tmP_.setSingleShot(true);
    tmP_.setInterval(100);
    connect(&tmP_, &QTimer::timeout, this, &MainWindow::PickCommand);
}

void MainWindow::StartUp() {
    ResetOptions(options_);
    namedPage_->DrawBasicGrid(0);
    namedPage_->DrawAdditionalGrid(-1);
    safetyPage_->DrawSafetyGrid(0);
    LoadOptions(options_, settings_);
    favoritesPage_->LoadFavorites();
    QCoreApplication::processEvents();
}

void MainWindow::ShowColor(const QString& colorText, const QString& name) {
    panel_->ShowColor(colorText, name);
}

void MainWindow::CopyChosenValue(Qt::KeyboardModifiers modifiers) {
    panel_->CopyChosenValue(modifiers);
}

void MainWindow::Add2Favo(const QString& text, QWidget* messageParent) {
    favoritesPage_->Add2Favo(text, messageParent != nullptr ? messageParent : this);
}

void MainWindow::PickCommand() {
    if (pickCommand_) pickCommand_();
}

void MainWindow::OptionsCommand() {
    {
        OptionsDialog dialog(options_, settings_, this);
        dialog.exec();
    }
    ShowColor(panel_->CurrentColorText(), panel_->CurrentName());
}

void MainWindow::HelpCommand() {
    OpenHelpFile();
}

void MainWindow::AboutCommand() {
    AboutBox box(this);
    box.exec();
}

void MainWindow::ToolbarCommand(int tabIndex, int position) {
    QString line;
    switch (tabIndex) {
        case NamedColorsTab:
            line = namedPage_->NameLine()->text();
            break;
        case SafetyPaletteTab:
            line = safetyPage_->SafeLine()->text();
            break;
        case CustomColorTab:
            line = customPage_->CustomLine()->text();
            break;
        default:
            return;
    }
    if (position == 1) Add2Favo(line);
    if (position == 2) PutTextOnClipboard(line);
}

bool MainWindow::IsOwnKeyTarget(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || !isVisible()) return false;
    // A key event travels up from the focus widget; only its first stop counts.
    QWidget* focus = QApplication::focusWidget();
    const QWidget* first = (focus != nullptr && focus->window() == this) ? focus : this;
    return widget == first;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && IsOwnKeyTarget(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyPress &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            // Enter clicks the focused command button, or else the pick button.
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            (focused != nullptr ? focused : cmdPick_)->click();
            return true;
        }
        if (key->key() == Qt::Key_C && !key->isAutoRepeat()) {
            // Ctrl let go a moment before C still counts as Ctrl+C.
            if (type == QEvent::KeyPress) {
                ctrlHeldAtC_ = key->modifiers().testFlag(Qt::ControlModifier);
            } else {
                KeyReleased(key->key(), key->modifiers() |
                                            (ctrlHeldAtC_ ? Qt::ControlModifier : Qt::NoModifier));
                ctrlHeldAtC_ = false;
            }
        } else if (type == QEvent::KeyRelease && !key->isAutoRepeat()) {
            KeyReleased(key->key(), key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::KeyReleased(int key, Qt::KeyboardModifiers modifiers) {
    if (options_.Remove) return;
    if (tmP_.isActive()) return;
    if (key == Qt::Key_P) {
        tmP_.start();
    } else if (key == Qt::Key_C) {
        CopyChosenValue(modifiers);
    }
}

}  // namespace velmor
