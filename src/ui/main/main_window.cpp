#include "ui/main/main_window.h"

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "platform/desktop/prompter.h"
#include "platform/desktop/startup_trace.h"
#include "ui/dialogs/contrast_window.h"
#include "ui/widgets/copy_as_menu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>

#include "core/color_parse.h"
#include "core/color_tables.h"
#include "platform/desktop/clipboard.h"
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
#include "ui/widgets/artwork.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/copied_note.h"
#include "ui/widgets/look.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/qt_color.h"
#include "ui/widgets/twips.h"

namespace velmor {

namespace {

const QColor kPaleGreen(0xC0, 0xFF, 0xC0);
// The favourites tab shows its colour line below its toolbar.
constexpr int kTallerBy = 450;

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

MainWindow::MainWindow(Options& options, CurrentColor& current, Favorites& favorites,
                       Prompter& prompter, Desktop& desktop, QWidget* parent)
    : QWidget(parent, FixedBorderFlags(Qt::Window, true)),
      options_(options),
      current_(current),
      favorites_(favorites),
      prompter_(prompter),
      desktop_(desktop) {
    setWindowTitle(QStringLiteral("Velmor Color Picker"));
    setWindowIcon(Artwork::Icon("app"));
    setObjectName(QStringLiteral("mainWindow"));
    UseDesignFont(this);
    // Taller than the layout by kTallerBy, so the favourites' colour line shows.
    setFixedSize(TwipsToPixels(8895), TwipsToPixels(6525 + kTallerBy));
    UseLayoutColors(this, kPaleGreen);

    BuildLayout();
    StartUp();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    pickButton_->setFocus(Qt::OtherFocusReason);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::BuildLayout() {
    tabs_ = new TabControl(this);
    tabs_->setGeometry(TwipsRect(120, 120, 5295, 5415 + kTallerBy));
    const AppOptions& values = options_.Values();
    namedPage_ = new NamedColorsPage(values);
    tabs_->AddPage(namedPage_, QStringLiteral("Named Colors"));
    ConnectPage(namedPage_, HexCase::Lower, MenuPlace::Grid);
    // The other pages are built when first shown.
    tabs_->AddPage(
        [this] {
            safetyPage_ = new SafetyPage(options_.Values());
            ConnectPage(safetyPage_, HexCase::Lower, MenuPlace::Grid);
            safetyPage_->MarkColor(startColor_);
            return safetyPage_;
        },
        QStringLiteral("Safety Palette"));
    tabs_->AddPage(
        [this] {
            customPage_ = new CustomColorPage;
            // A mixed colour is written in upper case.
            ConnectPage(customPage_, HexCase::Upper, MenuPlace::Grid);
            return customPage_;
        },
        QStringLiteral("Custom Color"));
    tabs_->AddPage(
        [this] {
            favoritesPage_ = new FavoritesPage(favorites_, options_.Values(), prompter_);
            ConnectPage(favoritesPage_, HexCase::Lower, MenuPlace::Favorites);
            return favoritesPage_;
        },
        QStringLiteral("Favorite Colors"));
    tabs_->SetCurrentIndex(NamedColorsTab);
    // The selected favourite is the current colour, whether its page was built or not.
    connect(&favorites_, &Favorites::changed, this, [this] {
        if (const std::optional<Color> selected = favorites_.SelectedColor())
            current_.Set(*selected);
    });

    panel_ = new ValuePanel(current_, values, this);
    // Start-up sets the colour several times over; it is shown once, at its end.
    connect(&current_, &CurrentColor::changed, this, [this] {
        if (!starting_) ShowCurrent();
    });
    connect(&options_, &Options::changed, this, [this] {
        if (!starting_) panel_->ShowColor();
    });

    auto* strip = new QFrame(this);
    strip->setFrameShape(QFrame::Box);
    strip->setFrameShadow(QFrame::Sunken);
    strip->setGeometry(TwipsRect(120, 5640 + kTallerBy, 8655, 735));
    swatch_ = new PictureBox(this);
    swatch_->setObjectName(QStringLiteral("swatch"));
    swatch_->setGeometry(TwipsRect(240, 5760 + kTallerBy, 495, 495));

    addButton_ = MakeCommandButton(QStringLiteral("Add to &Favorites"),
                                   TwipsRect(840, 5850 + kTallerBy, 1575, 315), this);
    pickButton_ = MakeCommandButton(QString(), TwipsRect(2760, 5850 + kTallerBy, 1455, 315), this);
    pickButton_->setObjectName(QStringLiteral("pickButton"));
    pickButton_->setAccessibleName(QStringLiteral("Pick Color..."));
    pickButton_->setToolTip(QStringLiteral("Pick Color..."));
    pickButton_->setIcon(QIcon(PickButtonPicture(pickButton_->size() - QSize(8, 6), font(),
                                                 palette().color(QPalette::ButtonText))));
    pickButton_->setIconSize(pickButton_->size() - QSize(8, 6));
    optionsButton_ = MakeCommandButton(QStringLiteral("&Options ..."),
                                       TwipsRect(4440, 5850 + kTallerBy, 975, 315), this);
    aboutButton_ = MakeCommandButton(QStringLiteral("&About ..."),
                                     TwipsRect(5465, 5850 + kTallerBy, 975, 315), this);
    helpButton_ = MakeCommandButton(QStringLiteral("&Help..."),
                                    TwipsRect(6480, 5850 + kTallerBy, 975, 315), this);
    exitButton_ = MakeCommandButton(QStringLiteral("E&xit"),
                                    TwipsRect(7800, 5850 + kTallerBy, 735, 315), this);

    // The pick button comes first in the tab order.
    setTabOrder(pickButton_, optionsButton_);
    setTabOrder(optionsButton_, aboutButton_);
    setTabOrder(aboutButton_, helpButton_);
    setTabOrder(helpButton_, exitButton_);
    setTabOrder(exitButton_, addButton_);

    connect(addButton_, &QPushButton::clicked, this,
            [this] { AddToFavorites(current_.Value(), PanelCase()); });
    connect(pickButton_, &QPushButton::clicked, this, &MainWindow::PickCommand);
    connect(optionsButton_, &QPushButton::clicked, this, &MainWindow::OptionsCommand);
    connect(aboutButton_, &QPushButton::clicked, this, &MainWindow::AboutCommand);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::HelpCommand);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);

    connect(panel_, &ValuePanel::colorMenuRequested, this,
            [this](QPoint at) { ShowColorMenu(current_.Value(), at, MenuPlace::Panel); });

    pickDelay_.setSingleShot(true);
    pickDelay_.setInterval(100);
    connect(&pickDelay_, &QTimer::timeout, this, &MainWindow::PickCommand);
}

void MainWindow::ConnectPage(ColorPage* page, HexCase letterCase, MenuPlace place) {
    connect(page, &ColorPage::colorChosen, &current_, &CurrentColor::Set);
    // The palettes' lines write their table's lower-case digits.
    connect(page, &ColorPage::addToFavoritesRequested, this,
            [this, letterCase](const Color& color) { AddToFavorites(color, letterCase); });
    connect(page, &ColorPage::copyRequested, this,
            [](const QString& text) { CopyAndSay(text, QApplication::focusWidget()); });
    connect(page, &ColorPage::colorMenuRequested, this,
            [this, place](const std::optional<Color>& color, QPoint at) {
                ShowColorMenu(color, at, place);
            });
}

SafetyPage* MainWindow::Safety() {
    return static_cast<SafetyPage*>(tabs_->Page(SafetyPaletteTab));
}

CustomColorPage* MainWindow::Custom() {
    return static_cast<CustomColorPage*>(tabs_->Page(CustomColorTab));
}

FavoritesPage* MainWindow::FavoriteColors() {
    return static_cast<FavoritesPage*>(tabs_->Page(FavoriteColorsTab));
}

void MainWindow::ShowCurrent() {
    panel_->ShowColor();
    swatch_->FillWith(ToQColor(current_.Value()));
    const QString name = current_.Name();
    swatch_->setAccessibleName(
        tr("Current color: %1")
            .arg(name.isEmpty() ? current_.Text() : name + QStringLiteral(", ") + current_.Text()));
    swatch_->BoxOutline(0, 0, swatch_->width() - 1, swatch_->height() - 1, Qt::black);
}

void MainWindow::StartUp() {
    starting_ = true;
    namedPage_->DrawBasicGrid(0);
    namedPage_->DrawAdditionalGrid(-1);
    // The safety palette's first cell starts current, its page drawn or not.
    current_.Set(ColorTables::Instance().SafetyColors().front());
    options_.Load();
    favorites_.Load();
    // The palettes show the color that start-up made current, not the first
    // cell; the safety palette marks it when it is built.
    startColor_ = current_.Value();
    namedPage_->MarkColor(startColor_);
    starting_ = false;
    ShowCurrent();
    QCoreApplication::processEvents();
}

void MainWindow::CopyChosenValue(Qt::KeyboardModifiers modifiers) {
    const AppOptions& values = options_.Values();
    if (values.copiedName.empty()) {
        panel_->CopyChosenValue(modifiers);
        return;
    }
    // A notation or template chosen by name.
    if (!modifiers.testFlag(Qt::ControlModifier) || !values.ctrlCCopies) return;
    const std::optional<std::string> text =
        WriteNamed(values.copiedName, current_.Value(), options_.TemplateList());
    if (text) CopyAndSay(QString::fromStdString(*text), panel_);
}

HexCase MainWindow::PanelCase() const {
    return options_.Values().upperCase ? HexCase::Upper : HexCase::Lower;
}

void MainWindow::AddToFavorites(const Color& color, HexCase letterCase) {
    current_.Set(color);
    favorites_.Add(color, letterCase);
}

void MainWindow::PickCommand() {
    if (pickCommand_) pickCommand_();
}

void MainWindow::OptionsCommand() {
    OptionsDialog dialog(options_, this);
    dialog.exec();
    // Either way the colour is shown anew, as after any change of the options.
    panel_->ShowColor();
}

void MainWindow::HelpCommand() {
    OpenHelp(prompter_, desktop_, this);
}

void MainWindow::ShowColorMenu(const std::optional<Color>& color, QPoint globalPosition,
                               MenuPlace place) {
    if (!color && place != MenuPlace::Favorites) return;
    QMenu menu(this);
    // The current colour's menu offers its monitor's view too, where it was picked on one.
    if (color) {
        AddCopyAsMenu(menu, *color, options_.TemplateList(),
                      place == MenuPlace::Panel ? current_.Profile() : nullptr);
    }
    if (place == MenuPlace::Panel) {
        menu.addAction(tr("Contrast..."), QKeySequence(Qt::CTRL | Qt::Key_K), this,
                       &MainWindow::OpenContrast);
    }
    if (place == MenuPlace::Favorites) {
        if (color) menu.addSeparator();
        FavoritesPage* page = FavoriteColors();
        menu.addAction(tr("Export favorites..."), page, &FavoritesPage::ExportFavorites);
        menu.addAction(tr("Import..."), page, &FavoritesPage::ImportFavorites);
    }
    menu.exec(globalPosition);
}

void MainWindow::OpenContrast() {
    if (!contrast_) {
        auto* window = new ContrastWindow(current_, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        contrast_ = window;
    }
    contrast_->show();
    contrast_->raise();
    contrast_->activateWindow();
}

void MainWindow::AboutCommand() {
    AboutBox box(desktop_, this);
    box.exec();
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
    if (type == QEvent::Paint && watched == this && !painted_) {
        painted_ = true;
        StartupMark("window painted");
    }
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && IsOwnKeyTarget(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyPress && KeyPressed(*key)) return true;
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

void MainWindow::PasteColor() {
    const QString text = ClipboardText().trimmed();
    const std::optional<ParsedColor> parsed = ParseColor(text.toStdString());
    if (!parsed) {
        const QString shown = text.length() > 40 ? text.left(40) + QStringLiteral("...") : text;
        prompter_.ShowStopMessage(
            this, text.isEmpty()
                      ? tr("The clipboard holds no text to read a color from.")
                      : tr("The clipboard holds no color: \"%1\" is not a color this program "
                           "reads (#RRGGBB, rgb(), hsl(), oklch(), a color name, ...).")
                            .arg(shown));
        return;
    }
    current_.Set(parsed->color);
    if (parsed->alphaIgnored) {
        QToolTip::showText(mapToGlobal(rect().center()),
                           tr("The pasted color's opacity was left out."), this);
    }
}

bool MainWindow::KeyPressed(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        // Enter clicks the focused button (a copy button too), or else the pick button.
        auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        (focused != nullptr ? focused : static_cast<QAbstractButton*>(pickButton_))->click();
        return true;
    }
    // Shift+F10 opens the context menu, as the Menu key does.
    if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != this) target = this;
        const QPoint at = target->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &menu);
        return true;
    }
    if (key.key() == Qt::Key_K && key.modifiers() == Qt::ControlModifier) {
        OpenContrast();
        return true;
    }
    // Ctrl+V pastes a colour, unless a box that takes text has the focus.
    if (key.matches(QKeySequence::Paste) && !options_.Values().keyboardOff &&
        qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr) {
        PasteColor();
        return true;
    }
    // The tabbed-dialog keys: Ctrl+Tab and Ctrl+PageDown forward, with Shift
    // or PageUp back.
    if (key.modifiers().testFlag(Qt::ControlModifier)) {
        const int count = tabs_->Count();
        int step = 0;
        if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_PageDown) step = 1;
        if (key.key() == Qt::Key_Backtab || key.key() == Qt::Key_PageUp) step = -1;
        if (key.key() == Qt::Key_Tab && key.modifiers().testFlag(Qt::ShiftModifier)) step = -1;
        if (step != 0 && count > 0) {
            tabs_->SetCurrentIndex((tabs_->CurrentIndex() + step + count) % count);
            return true;
        }
    }
    return false;
}

void MainWindow::KeyReleased(int key, Qt::KeyboardModifiers modifiers) {
    if (options_.Values().keyboardOff) return;
    if (pickDelay_.isActive()) return;
    if (key == Qt::Key_P) {
        pickDelay_.start();
    } else if (key == Qt::Key_C) {
        CopyChosenValue(modifiers);
    }
}

}  // namespace velmor
