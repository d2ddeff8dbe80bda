#pragma once

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
