#include "ui/main/main_window.h"

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "platform/desktop/prompter.h"
#include "platform/desktop/startup_trace.h"
#include "ui/dialogs/contrast_window.h"
#include "ui/dialogs/schemes_window.h"
#include "ui/widgets/copy_as_menu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFrame>
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
#include "ui/main/window_commands.h"
#include "ui/main/window_keys.h"
#include "ui/widgets/accessible_roles.h"
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
      desktop_(desktop),
      commands_(new WindowCommands(this)),
      keys_(new WindowKeys(
          this,
          {[this] { PickCommand(); },
           [this](Qt::KeyboardModifiers modifiers) { CopyChosenValue(modifiers); },
           [this] { return options_.Values().keyboardOff; }, [this] { return PickButton(); }})) {
    setWindowTitle(QStringLiteral("Velmor Color Picker"));
    setWindowIcon(Artwork::Icon("app"));
    setObjectName(QStringLiteral("mainWindow"));
    UseLayoutFont(this);
    // Taller than the layout by kTallerBy, so the favourites' colour line shows.
    setFixedSize(TwipsToPixels(8895), TwipsToPixels(6525 + kTallerBy));
    UseLayoutColors(this, kPaleGreen);

    BuildPages();
    BuildCommandStrip();
    ConnectCommands();
    ShowCurrent();
    QCoreApplication::processEvents();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    PickButton()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::BuildPages() {
    tabs_ = new TabControl(this);
    tabs_->setGeometry(TwipsRect(120, 120, 5295, 5415 + kTallerBy));
    const AppOptions& values = options_.Values();
    auto* named = new NamedColorsPage(values);
    tabs_->AddPage(named, QStringLiteral("Named Colors"));
    // The palettes mark the colour the window opened with, not their first
    // cell; the safety palette when it is built. Drawn before they are
    // connected, so drawing chooses nothing.
    named->DrawBasicGrid(0);
    named->DrawAdditionalGrid(-1);
    const Color opening = current_.Value();
    named->MarkColor(opening);
    ConnectPage(named, HexCase::Lower, MenuPlace::Grid);
    // The other pages are built when first shown.
    tabs_->AddPage(
        [this, opening] {
            auto* page = new SafetyPage(options_.Values());
            ConnectPage(page, HexCase::Lower, MenuPlace::Grid);
            page->MarkColor(opening);
            return page;
        },
        QStringLiteral("Safety Palette"));
    tabs_->AddPage(
        [this] {
            auto* page = new CustomColorPage;
            // A mixed colour is written in upper case.
            ConnectPage(page, HexCase::Upper, MenuPlace::Grid);
            return page;
        },
        QStringLiteral("Custom Color"));
    tabs_->AddPage(
        [this] {
            auto* page = new FavoritesPage(favorites_, options_.Values(), prompter_);
            ConnectPage(page, HexCase::Lower, MenuPlace::Favorites);
            return page;
        },
        QStringLiteral("Favorite Colors"));
    tabs_->SetCurrentIndex(NamedColorsTab);

    panel_ = new ValuePanel(current_, values, this);
    connect(&current_, &CurrentColor::changed, this, &MainWindow::ShowCurrent);
    connect(&options_, &Options::changed, panel_, &ValuePanel::ShowColor);
    connect(panel_, &ValuePanel::colorMenuRequested, this,
            [this](QPoint at) { ShowColorMenu(current_.Value(), at, MenuPlace::Panel); });
}

void MainWindow::BuildCommandStrip() {
    auto* strip = new BorderFrame(this);
    strip->setFrameShape(QFrame::Box);
    strip->setFrameShadow(QFrame::Sunken);
    strip->setGeometry(TwipsRect(120, 5640 + kTallerBy, 8655, 735));
    swatch_ = new PictureBox(this);
    swatch_->setObjectName(QStringLiteral("swatch"));
    swatch_->setGeometry(TwipsRect(240, 5760 + kTallerBy, 495, 495));

    const struct {
        WindowCommands::Id command;
        const char* name;
        QString text;
        QRect place;
    } buttons[] = {
        // The pick button comes first in the tab order, the add button last.
        {WindowCommands::Pick, "pickButton", QString(),
         TwipsRect(2760, 5850 + kTallerBy, 1455, 315)},
        {WindowCommands::Options, "optionsButton", QStringLiteral("&Options ..."),
         TwipsRect(4440, 5850 + kTallerBy, 975, 315)},
        {WindowCommands::About, "aboutButton", QStringLiteral("&About ..."),
         TwipsRect(5465, 5850 + kTallerBy, 975, 315)},
        {WindowCommands::Help, "helpButton", QStringLiteral("&Help..."),
         TwipsRect(6480, 5850 + kTallerBy, 975, 315)},
        {WindowCommands::Exit, "exitButton", QStringLiteral("E&xit"),
         TwipsRect(7800, 5850 + kTallerBy, 735, 315)},
        {WindowCommands::AddToFavorites, "addButton", QStringLiteral("Add to &Favorites"),
         TwipsRect(840, 5850 + kTallerBy, 1575, 315)},
    };
    QWidget* previous = nullptr;
    for (const auto& b : buttons) {
        QPushButton* button = MakeCommandButton(b.text, b.place, this);
        button->setObjectName(QString::fromLatin1(b.name));
        connect(button, &QPushButton::clicked, (*commands_)[b.command], &QAction::trigger);
        if (previous != nullptr) setTabOrder(previous, button);
        previous = button;
    }
    QPushButton* pick = PickButton();
    pick->setAccessibleName(QStringLiteral("Pick Color..."));
    pick->setToolTip(QStringLiteral("Pick Color..."));
    pick->setIcon(QIcon(PickButtonPicture(pick->size() - QSize(8, 6), font(),
                                          palette().color(QPalette::ButtonText))));
    pick->setIconSize(pick->size() - QSize(8, 6));
}

void MainWindow::ConnectCommands() {
    const WindowCommands& c = *commands_;
    connect(c[WindowCommands::Pick], &QAction::triggered, this, &MainWindow::PickCommand);
    connect(c[WindowCommands::AddToFavorites], &QAction::triggered, this,
            [this] { AddToFavorites(current_.Value(), PanelCase()); });
    connect(c[WindowCommands::Options], &QAction::triggered, this, &MainWindow::OptionsCommand);
    connect(c[WindowCommands::About], &QAction::triggered, this, &MainWindow::AboutCommand);
    connect(c[WindowCommands::Help], &QAction::triggered, this, &MainWindow::HelpCommand);
    connect(c[WindowCommands::Exit], &QAction::triggered, this, &QWidget::close);
    connect(c[WindowCommands::Contrast], &QAction::triggered, this, &MainWindow::OpenContrast);
    connect(c[WindowCommands::Schemes], &QAction::triggered, this, &MainWindow::OpenSchemes);
    // Ctrl+V pastes a colour, unless a box that takes text has the focus.
    connect(c[WindowCommands::Paste], &QAction::triggered, this, [this] {
        if (!options_.Values().keyboardOff &&
            qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr) {
            PasteColor();
        }
    });
    connect(c[WindowCommands::NextTab], &QAction::triggered, this, [this] { MoveTab(1); });
    connect(c[WindowCommands::PreviousTab], &QAction::triggered, this, [this] { MoveTab(-1); });
    connect(c[WindowCommands::ContextMenu], &QAction::triggered, this, &MainWindow::OpenFocusMenu);
}

void MainWindow::MoveTab(int step) {
    const int count = tabs_->Count();
    if (count > 0) tabs_->SetCurrentIndex((tabs_->CurrentIndex() + step + count) % count);
}

void MainWindow::OpenFocusMenu() {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != this) target = this;
    const QPoint at = target->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &menu);
}

QPushButton* MainWindow::Button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

const QTimer& MainWindow::PickTimer() const {
    return keys_->PickTimer();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    static bool painted = false;
    if (!painted) {
        painted = true;
        StartupMark("window painted");
    }
    QWidget::paintEvent(event);
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
    for (ColorGrid* grid : page->findChildren<ColorGrid*>()) {
        grid->StartKeysAt([this] { return current_.Value(); });
    }
}

NamedColorsPage* MainWindow::NamedColors() const {
    return static_cast<NamedColorsPage*>(tabs_->Page(NamedColorsTab));
}

SafetyPage* MainWindow::Safety() const {
    return static_cast<SafetyPage*>(tabs_->Page(SafetyPaletteTab));
}

CustomColorPage* MainWindow::Custom() const {
    return static_cast<CustomColorPage*>(tabs_->Page(CustomColorTab));
}

FavoritesPage* MainWindow::FavoriteColors() const {
    return static_cast<FavoritesPage*>(tabs_->Page(FavoriteColorsTab));
}

void MainWindow::ShowCurrent() {
    panel_->ShowColor();
    swatch_->FillOutlined(ToQColor(current_.Value()));
    const QString name = current_.Name();
    swatch_->setAccessibleName(
        tr("Current color: %1")
            .arg(name.isEmpty() ? current_.Text() : name + QStringLiteral(", ") + current_.Text()));
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
    emit pickRequested();
}

void MainWindow::OptionsCommand() {
    OptionsDialog dialog(options_, desktop_, prompter_, this);
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
        menu.addAction((*commands_)[WindowCommands::Contrast]);
        menu.addAction((*commands_)[WindowCommands::Schemes]);
    }
    if (place == MenuPlace::Favorites) {
        if (color) menu.addSeparator();
        FavoritesPage* page = FavoriteColors();
        menu.addAction(tr("Export favorites..."), page, &FavoritesPage::ExportFavorites);
        menu.addAction(tr("Import..."), page, &FavoritesPage::ImportFavorites);
    }
    menu.exec(globalPosition);
}

template <typename ToolWindow, typename Make>
ToolWindow* MainWindow::ShowToolWindow(Make make) {
    auto* window = findChild<ToolWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void MainWindow::OpenContrast() {
    ShowToolWindow<ContrastWindow>([this] { return new ContrastWindow(current_, this); });
}

void MainWindow::OpenSchemes() {
    ShowToolWindow<SchemesWindow>([this] {
        auto* window = new SchemesWindow(current_, this);
        // As Ctrl+C copies; the current colour stays, and so does the scheme.
        connect(window, &SchemesWindow::copyRequested, this, [this, window](const Color& color) {
            const std::optional<std::string> text = options_.CopiedText(color);
            CopyAndSay(QString::fromStdString(text.value_or(color.Html())), window->focusWidget());
        });
        connect(
            window, &SchemesWindow::addToFavoritesRequested, this,
            [this, window](const Color& color) {
                if (favorites_.Add(color, PanelCase())) {
                    Announce(
                        window,
                        tr("Added %1 to the favorites").arg(QString::fromStdString(color.Html())));
                }
            });
        return window;
    });
}

void MainWindow::AboutCommand() {
    AboutBox box(desktop_, this);
    box.exec();
}

void MainWindow::PasteColor() {
    ReadClipboardText(this, [this](const ClipboardRead& read) {
        if (read.problem.isEmpty()) {
            PasteText(read.text.trimmed());
        } else {
            prompter_.ShowStopMessage(this,
                                      tr("The clipboard could not be read: %1.").arg(read.problem));
        }
    });
}

void MainWindow::PasteText(const QString& text) {
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
    QString said = tr("Pasted %1").arg(SpokenColor(current_.Value()));
    if (parsed->alphaIgnored) {
        const QString note = tr("The pasted color's opacity was left out.");
        QToolTip::showText(mapToGlobal(rect().center()), note, this);
        said += QStringLiteral(". ") + note;
    }
    Announce(this, said);
}

}  // namespace velmor
