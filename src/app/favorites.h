#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/color.h"
#include "settings/favorites_list.h"
#include "settings/settings_store.h"

namespace velmor {

// The letter case an entry is stored in: the design's list keeps each colour
// as its source wrote it (the tables in lower case, composed values in upper).
enum class HexCase { Lower, Upper };

// The favourite colours and their file: every change is saved at once. A save
// that fails keeps the list in memory and says why through `saveFailed`.
class Favorites : public QObject {
    Q_OBJECT

  public:
    explicit Favorites(const SettingsFile& settings, QObject* parent = nullptr);

    const FavoritesList& List() const { return list_; }
    std::vector<std::string> Entries() const { return list_.Entries(); }
    // The entries as colours; an entry a damaged file spoilt reads as the list draws it.
    std::vector<Color> Colors() const;
    std::int16_t Selection() const { return list_.SelectedIndex(); }
    // The selected entry's colour: what the window makes current.
    std::optional<Color> SelectedColor() const;

    void Load();
    // Appends a colour; when the list is full it stays as it was, and
    // `addRefused` says so.
    bool Add(const Color& color, HexCase letterCase = HexCase::Upper);
    // Appends colours (six hex digits each) until the list is full, in one
    // save, with their names where `names` gives them; gives how many went in.
    std::size_t AddMany(const std::vector<std::string>& colors,
                        const std::vector<std::string>& names = {});
    // A favourite colour's own name (from an imported palette), or the empty text.
    std::string NameOf(const std::string& entry) const;
    void Select(std::int16_t index);
    // What the user is told when a colour does not fit.
    static QString FullMessage();
    bool RemoveSelected();
    void Clear();
    // False when nothing was repeated.
    bool RemoveDuplicates();

  signals:
    void changed();
    void saveFailed(const QString& message);
    void addRefused(const QString& message);

  private:
    // Every change is saved at once; a failure is told, and the list stays.
    void SaveAndSelect(std::int16_t selection);
    void Report(const SaveResult& result);

    const SettingsFile& settings_;
    FavoritesList list_;
    // Names by colour, kept in [FavoriteNames] beside the design's list, which
    // older copies read and write as it always was.
    std::map<std::string, std::string> names_;
};

}  // namespace velmor
