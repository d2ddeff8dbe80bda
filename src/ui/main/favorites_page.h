#pragma once

#include <functional>

#include "ui/main/color_page.h"

namespace velmor {

class Favorites;
class FavoritesGrid;
class Prompter;

// "Favorite Colors": the favourites grid and its commands, drawn from the
// favourites model.
class FavoritesPage : public ColorPage {
    Q_OBJECT

  public:
    FavoritesPage(Favorites& favorites, const AppOptions& options, Prompter& prompter,
                  QWidget* parent = nullptr);

    // Asks for a file to save to or open; empty when cancelled. `filter` picks
    // among `filters` and tells which was chosen.
    void ExportFavorites();
    void ImportFavorites();

    void RemoveSelectedFavorite();
    void ClearFavorites();
    void RemoveDuplicateFavorites();

    FavoritesGrid* Grid() const { return grid_; }
    QLineEdit* FavoriteLine() const { return favoriteLine_; }
    ImageToolbar* RemoveToolbar() const { return removeToolbar_; }

  private:
    void Redraw();

    Favorites& favorites_;
    Prompter& prompter_;
    FavoritesGrid* grid_;
    ImageToolbar* removeToolbar_;
    QLineEdit* favoriteLine_;
};

}  // namespace velmor
