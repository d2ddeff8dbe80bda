#pragma once

#include "settings/favorites_list.h"
#include "settings/settings_store.h"
#include "ui/main/color_page.h"

namespace velmor {

class FavoritesGrid;

// "Favorite Colors": the favourites grid and its commands. Every change of the
// list is saved at once.
class FavoritesPage : public ColorPage {
    Q_OBJECT

  public:
    FavoritesPage(FavoritesList& list, const SettingsFile& settings, const AppOptions& options,
                  QWidget* parent = nullptr);

    void LoadFavorites();
    // Adds the colour in the text; a full list is reported in a box over `messageParent`.
    void Add2Favo(const QString& text, QWidget* messageParent);
    void RemoveSelectedFavorite();
    void ClearFavorites();
    void RemoveDuplicateFavorites();
    void DrawFavoritesGrid(std::int16_t selection);

    FavoritesGrid* Grid() const { return pic4_; }
    QLineEdit* FavoriteLine() const { return txtFavo_; }
    ImageToolbar* RemoveToolbar() const { return tbRemove_; }

  private:
    void Save() { list_.Save(settings_); }

    FavoritesList& list_;
    const SettingsFile& settings_;
    FavoritesGrid* pic4_;
    ImageToolbar* tbRemove_;
    QLineEdit* txtFavo_;
};

}  // namespace velmor
