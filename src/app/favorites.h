#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/palette_io.h"
#include "settings/favorites_list.h"
#include "settings/settings_store.h"

namespace velmor {

// The letter case an entry is stored in: the file keeps each colour as its
// source wrote it (the tables in lower case, composed values in upper), and
// older copies of the program read it back that way.
enum class HexCase { Lower, Upper };

// The favourite colours and their file: every change is saved at once. A save
// that fails keeps the list in memory and says why through `saveFailed`.
class Favorites : public QObject {
    Q_OBJECT

  public:
    explicit Favorites(const SettingsFile& settings, QObject* parent = nullptr);

    // The list as the file holds it.
    const std::string& Text() const { return list_.Text(); }
    std::vector<std::string> Entries() const { return list_.Entries(); }
    // The entries as colours, read once a change; an entry a damaged file
    // spoilt reads as the list draws it.
    const std::vector<Color>& Colors() const { return colors_; }
    std::int16_t Selection() const { return list_.SelectedIndex(); }
    // The selected entry's colour: what the window makes current.
    std::optional<Color> SelectedColor() const;

    bool CanRemoveSelected() const { return list_.CanRemoveSelected(); }
    bool CanClear() const { return list_.CanClear(); }
    // Whether clearing or removing repeats asks the user first.
    bool NeedsConfirmation() const { return list_.NeedsConfirmation(); }
    bool TooShortForDuplicates() const { return list_.TooShortForDuplicates(); }

    // Writes the list, with the names, as a palette file; the reason on failure.
    std::optional<QString> ExportTo(PaletteFormat format, const QString& path) const;
    struct Imported {
        std::optional<QString> error;  // nothing was added, and why
        std::size_t read = 0;          // colours read from the file
        std::size_t added = 0;         // of them, those that fitted
        std::size_t unreadable = 0;    // lines that looked like colours but were not
    };
    Imported ImportFrom(const QString& path);

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
    std::vector<Color> colors_;
    // Names by colour, kept in [FavoriteNames] beside the list, which older
    // copies read and write as it always was.
    std::map<std::string, std::string> names_;
};

}  // namespace velmor
