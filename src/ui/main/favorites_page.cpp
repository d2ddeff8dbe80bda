#include "ui/main/favorites_page.h"

#include <QFrame>
#include <QLineEdit>

#include "app/favorites.h"
#include "platform/prompter.h"
#include "ui/main/color_grid.h"
#include "ui/main/tab_toolbar.h"

namespace velmor {

FavoritesPage::FavoritesPage(Favorites& favorites, const AppOptions& options, Prompter& prompter,
                             QWidget* parent)
    : ColorPage(parent), favorites_(favorites), prompter_(prompter) {
    grid_ = AddGrid(new FavoritesGrid(options, this), QStringLiteral("favoritesGrid"), 240, 480,
                    4815, 4035);
    connect(grid_, &ColorGrid::cellPressed, this,
            [this](int hit) { favorites_.Select(static_cast<std::int16_t>(hit)); });
    connect(grid_, &ColorGrid::keyMoved, this,
            [this](int index) { favorites_.Select(static_cast<std::int16_t>(index)); });

    QFrame* toolbarFrame = AddFrame(60, 4680, 5175, 615);
    removeToolbar_ = new ImageToolbar(
        {{tr("Remove this color"), "del", tr("Remove selected color from the favorite colors"),
          "del", "edit-delete"},
         {tr("Clear all colors    "), "clear", tr("Clear all colors from the favorite colors"),
          "clear", "edit-clear"},
         {tr("Clear same colors"), "clear",
          tr("Clear all duplicated colors from the favorite colors"), "clear", "edit-clear"}},
        Qt::Horizontal, toolbarFrame);
    removeToolbar_->setObjectName(QStringLiteral("removeToolbar"));
    removeToolbar_->setGeometry(2, 2, toolbarFrame->width() - 4, toolbarFrame->height() - 4);
    connect(removeToolbar_, &ImageToolbar::buttonClicked, this, [this](int position) {
        if (position == 1) RemoveSelectedFavorite();
        if (position == 2) ClearFavorites();
        if (position == 3) RemoveDuplicateFavorites();
    });

    // Below the toolbar, inside the tab (taller by this line than the layout drew it).
    AddCaption(tr("Color:"), 120, 5445);
    QFrame* lineFrame = AddFrame(720, 5325, 2415, 495);
    favoriteLine_ = AddLine(lineFrame, QString());
    favoriteLine_->setObjectName(QStringLiteral("favoriteLine"));
    favoriteLine_->setEnabled(false);

    connect(&favorites_, &Favorites::changed, this, &FavoritesPage::Redraw);
    Redraw();
}

void FavoritesPage::RemoveSelectedFavorite() {
    favorites_.RemoveSelected();
}

void FavoritesPage::ClearFavorites() {
    if (favorites_.List().NeedsConfirmation() &&
        !prompter_.AskYesNo(window(),
                            tr("Are you sure to clear all colors from the favorites?"))) {
        return;
    }
    favorites_.Clear();
}

void FavoritesPage::RemoveDuplicateFavorites() {
    const FavoritesList& list = favorites_.List();
    if (list.NeedsConfirmation() &&
        !prompter_.AskYesNo(
            window(), tr("Are you sure to remove all duplicated colors from the favorites?"))) {
        return;
    }
    if (list.TooShortForDuplicates()) return;
    if (!favorites_.RemoveDuplicates()) {
        prompter_.ShowInformation(window(),
                                  tr("No duplicated colors found in the favorites list!"));
    }
}

void FavoritesPage::Redraw() {
    const FavoritesList& list = favorites_.List();
    std::vector<std::string> entries = list.Entries();
    const std::int16_t selection = favorites_.Selection();
    removeToolbar_->SetButtonEnabled(1, list.CanRemoveSelected());
    removeToolbar_->SetButtonEnabled(2, list.CanClear());
    removeToolbar_->SetButtonEnabled(3, list.CanClear());
    const bool selected = selection >= 0 && selection < static_cast<int>(entries.size());
    const std::string entry = selected ? entries[static_cast<std::size_t>(selection)] : std::string();
    grid_->SetCells(std::move(entries));
    grid_->Draw(selected ? selection : -1);
    if (!selected) {
        favoriteLine_->clear();
        favoriteLine_->setEnabled(false);
        return;
    }
    favoriteLine_->setText(QString::fromStdString("#" + entry));
    favoriteLine_->setEnabled(true);
    emit colorChosen(favoriteLine_->text(), QString());
}

}  // namespace velmor
