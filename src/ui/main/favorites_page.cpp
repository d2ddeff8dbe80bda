#include "ui/main/favorites_page.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QShortcut>

#include "app/favorites.h"
#include "core/palette_io.h"
#include "platform/desktop/prompter.h"
#include "ui/main/color_grid.h"
#include "ui/main/tab_toolbar.h"

namespace velmor {

namespace {

// Qt's own chooser: desktops with a file-chooser portal show theirs.
struct ExportKind {
    PaletteFormat format;
    const char* filter;
    const char* suffix;
};
constexpr ExportKind kExports[] = {
    {PaletteFormat::Gimp, QT_TRANSLATE_NOOP("FavoritesPage", "GIMP palette (*.gpl)"), ".gpl"},
    {PaletteFormat::Css, QT_TRANSLATE_NOOP("FavoritesPage", "CSS custom properties (*.css)"),
     ".css"},
    {PaletteFormat::Json, QT_TRANSLATE_NOOP("FavoritesPage", "JSON (*.json)"), ".json"},
    {PaletteFormat::HexList, QT_TRANSLATE_NOOP("FavoritesPage", "Hex list (*.txt)"), ".txt"}};

}  // namespace

FavoritesPage::FavoritesPage(Favorites& favorites, const AppOptions& options, Prompter& prompter,
                             QWidget* parent)
    : ColorPage(parent), favorites_(favorites), prompter_(prompter) {
    grid_ = AddGrid(new FavoritesGrid(options, this), QStringLiteral("favoritesGrid"), 240, 480,
                    4815, 4035);
    grid_->setAccessibleName(tr("Favorite colors"));
    connect(grid_, &ColorGrid::cellPressed, this,
            [this](int hit) { favorites_.Select(static_cast<std::int16_t>(hit)); });
    connect(grid_, &ColorGrid::keyMoved, this,
            [this](int index) { favorites_.Select(static_cast<std::int16_t>(index)); });

    QFrame* toolbarFrame = AddFrame(60, 4680, 5175, 615);
    removeToolbar_ =
        new ImageToolbar({{tr("Remove this color"), "removeColor",
                           tr("Remove selected color from the favorite colors"), "del"},
                          {tr("Clear all colors    "), "clearColors",
                           tr("Clear all colors from the favorite colors"), "clear"},
                          {tr("Clear same colors"), "clearSameColors",
                           tr("Clear all duplicated colors from the favorite colors"), "clear"}},
                         Qt::Horizontal, toolbarFrame);
    removeToolbar_->setObjectName(QStringLiteral("removeToolbar"));
    removeToolbar_->setGeometry(2, 2, toolbarFrame->width() - 4, toolbarFrame->height() - 4);
    connect(removeToolbar_->Action(QStringLiteral("removeColor")), &QAction::triggered, this,
            &FavoritesPage::RemoveSelectedFavorite);
    connect(removeToolbar_->Action(QStringLiteral("clearColors")), &QAction::triggered, this,
            &FavoritesPage::ClearFavorites);
    connect(removeToolbar_->Action(QStringLiteral("clearSameColors")), &QAction::triggered, this,
            &FavoritesPage::RemoveDuplicateFavorites);

    // Below the toolbar, inside the tab (taller by this line than the layout drew it).
    QLabel* caption = AddCaption(tr("Color:"), 120, 5445);
    QFrame* lineFrame = AddFrame(720, 5325, 2415, 495);
    favoriteLine_ = AddLine(caption, lineFrame, QString());
    favoriteLine_->setObjectName(QStringLiteral("favoriteLine"));
    favoriteLine_->setEnabled(false);

    // Delete removes the selected color; Shift+Delete clears the list, asking first.
    auto* remove = new QShortcut(QKeySequence::Delete, grid_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &FavoritesPage::RemoveSelectedFavorite);
    auto* clear = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete), grid_, nullptr, nullptr,
                                Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, this, [this] {
        if (favorites_.CanClear()) ClearFavorites();
    });

    connect(&favorites_, &Favorites::changed, this, &FavoritesPage::Redraw);
    Redraw();
}

void FavoritesPage::RemoveSelectedFavorite() {
    favorites_.RemoveSelected();
}

void FavoritesPage::ClearFavorites() {
    if (favorites_.NeedsConfirmation() &&
        !prompter_.AskYesNo(window(), tr("Are you sure to clear all colors from the favorites?"))) {
        return;
    }
    favorites_.Clear();
}

void FavoritesPage::RemoveDuplicateFavorites() {
    if (favorites_.NeedsConfirmation() &&
        !prompter_.AskYesNo(
            window(), tr("Are you sure to remove all duplicated colors from the favorites?"))) {
        return;
    }
    if (favorites_.TooShortForDuplicates()) return;
    if (!favorites_.RemoveDuplicates()) {
        prompter_.ShowInformation(window(),
                                  tr("No duplicated colors found in the favorites list!"));
    }
}

void FavoritesPage::ExportFavorites() {
    QStringList filters;
    for (const ExportKind& k : kExports) filters << tr(k.filter);
    QString filter = filters.front();
    QString path =
        prompter_.AskFile(window(), true, tr("Export favorites"), filters.join(";;"), &filter);
    if (path.isEmpty()) return;
    const ExportKind* kind = &kExports[0];
    for (const ExportKind& k : kExports) {
        if (path.endsWith(QLatin1String(k.suffix), Qt::CaseInsensitive) || filter == tr(k.filter)) {
            kind = &k;
            if (path.endsWith(QLatin1String(k.suffix), Qt::CaseInsensitive)) break;
        }
    }
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) path += QLatin1String(kind->suffix);
    if (const std::optional<QString> error = favorites_.ExportTo(kind->format, path)) {
        prompter_.ShowStopMessage(window(), *error);
    }
}

void FavoritesPage::ImportFavorites() {
    QString filter;
    const QString path =
        prompter_.AskFile(window(), false, tr("Import favorites"),
                          tr("Palettes (*.gpl *.css *.json *.txt *.hex);;All files (*)"), &filter);
    if (path.isEmpty()) return;
    const Favorites::Imported imported = favorites_.ImportFrom(path);
    if (imported.error) {
        prompter_.ShowStopMessage(window(), *imported.error);
        return;
    }
    const std::size_t added = imported.added;
    QString message = tr("Colors added to the favorites: %1.").arg(added);
    if (added < imported.read) {
        message +=
            QLatin1Char(' ') +
            tr("Colors that did not fit (the list holds 224): %1.").arg(imported.read - added);
    }
    if (imported.unreadable > 0) {
        message +=
            QLatin1Char(' ') + tr("Lines that could not be read: %1.").arg(imported.unreadable);
    }
    prompter_.ShowInformation(window(), message);
}

void FavoritesPage::Redraw() {
    const std::vector<std::string> entries = favorites_.Entries();
    const std::vector<Color>& colors = favorites_.Colors();
    const std::int16_t selection = favorites_.Selection();
    removeToolbar_->Action(QStringLiteral("removeColor"))
        ->setEnabled(favorites_.CanRemoveSelected());
    removeToolbar_->Action(QStringLiteral("clearColors"))->setEnabled(favorites_.CanClear());
    removeToolbar_->Action(QStringLiteral("clearSameColors"))->setEnabled(favorites_.CanClear());
    const bool selected = selection >= 0 && selection < static_cast<int>(entries.size());
    std::vector<std::string> names;
    for (const std::string& entry : entries) names.push_back(favorites_.NameOf(entry));
    grid_->SetCells(colors, names);
    grid_->Draw(selected ? selection : -1);
    if (!selected) {
        favoriteLine_->clear();
        favoriteLine_->setEnabled(false);
        return;
    }
    const auto index = static_cast<std::size_t>(selection);
    // The line shows the entry as stored; the colour is the one its cell draws.
    favoriteLine_->setText(QString::fromStdString("#" + entries[index]));
    favoriteLine_->setEnabled(true);
}

}  // namespace velmor
