#include "app/favorites.h"

#include <QFile>
#include <QFileInfo>

#include "core/text.h"

namespace velmor {

Favorites::Favorites(const SettingsFile& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

namespace {

constexpr std::string_view kNames = "FavoriteNames";

}  // namespace

void Favorites::Load() {
    names_.clear();
    for (auto& [color, name] : settings_.ReadSection(kNames)) names_[ToLowerAscii(color)] = name;
    Select(list_.Load(settings_));
}

std::string Favorites::NameOf(const std::string& entry) const {
    const auto found = names_.find(ToLowerAscii(entry));
    return found == names_.end() ? std::string() : found->second;
}

std::optional<Color> Favorites::SelectedColor() const {
    const std::int16_t selection = Selection();
    if (selection < 0 || selection >= static_cast<int>(colors_.size())) return std::nullopt;
    return colors_[static_cast<std::size_t>(selection)];
}

std::optional<QString> Favorites::ExportTo(PaletteFormat format, const QString& path) const {
    const std::vector<std::string> entries = list_.Entries();
    std::vector<std::string> names;
    for (const std::string& e : entries) names.push_back(NameOf(e));
    const std::string text = ExportPalette(format, entries, "Velmor favorites", names);
    if (const SaveResult saved = ReplaceFileAtomically(path.toStdString(), text); !saved) {
        return tr("The favorites could not be exported to %1: %2.")
            .arg(path, QString::fromStdString(saved.reason));
    }
    return std::nullopt;
}

Favorites::Imported Favorites::ImportFrom(const QString& path) {
    Imported imported;
    const QFileInfo info(path);
    if (info.isFile() && info.size() > qint64(kMaxPaletteBytes)) {
        imported.error = tr("%1 is too large to be a palette.").arg(path);
        return imported;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        imported.error = tr("%1 could not be read.").arg(path);
        return imported;
    }
    const QByteArray bytes = file.read(qint64(kMaxPaletteBytes) + 1);
    const PaletteImport palette = ImportPalette(std::string_view(bytes.constData(), bytes.size()));
    if (palette.colors.empty()) {
        imported.error =
            tr("No colors could be read from %1; the favorites are unchanged.").arg(path);
        return imported;
    }
    imported.read = palette.colors.size();
    imported.unreadable = palette.unreadable;
    imported.added = AddMany(palette.colors, palette.names);
    return imported;
}

bool Favorites::Add(const Color& color, HexCase letterCase) {
    if (list_.IsFull()) {
        emit addRefused(FullMessage());
        return false;
    }
    const std::string digits = color.Html().substr(1);
    list_.Append(letterCase == HexCase::Lower ? ToLowerAscii(digits) : digits);
    SaveAndSelect(-1);
    return true;
}

std::size_t Favorites::AddMany(const std::vector<std::string>& colors,
                               const std::vector<std::string>& names) {
    std::size_t added = 0;
    std::map<std::string, std::string> named;
    for (const std::string& color : colors) {
        if (list_.IsFull()) break;
        list_.Append(color);
        if (added < names.size()) {
            // One line of plain text: what a palette file may hold is cleaned first.
            std::string name = ValidUtf8(names[added]);
            for (char& c : name) {
                if (static_cast<unsigned char>(c) < 0x20) c = ' ';
            }
            name = std::string(Left(TrimSpaces(name), 100));
            if (!name.empty()) named[ToLowerAscii(color)] = name;
        }
        ++added;
    }
    if (added == 0) return 0;
    // The list and its names in one save.
    const SaveResult result = settings_.Edit([&](SettingsEdit& edit) {
        edit.Set("Favorites", "Favorites", list_.Text());
        for (const auto& [color, name] : named) edit.Set(kNames, color, name);
    });
    if (result) {
        for (auto& [color, name] : named) names_[color] = name;
    }
    Report(result);
    Select(-1);
    return added;
}

QString Favorites::FullMessage() {
    return tr(
        "The  favorite colors are full, please remove some colors from the list before "
        "adding more...");
}

void Favorites::Select(std::int16_t index) {
    const std::size_t count = list_.Count();
    if (index < -1 || index >= static_cast<int>(count)) index = -1;
    list_.RecordDraw(index, count);
    colors_.clear();
    for (const std::string& entry : list_.Entries()) {
        colors_.push_back(Color::FromValue(HtmlToColor(entry)));
    }
    emit changed();
}

bool Favorites::RemoveSelected() {
    if (!list_.RemoveSelected()) return false;
    SaveAndSelect(list_.SelectedIndex());
    return true;
}

void Favorites::Clear() {
    list_.Clear();
    SaveAndSelect(-1);
}

bool Favorites::RemoveDuplicates() {
    if (!list_.RemoveDuplicates()) return false;
    SaveAndSelect(list_.SelectedIndex());
    return true;
}

void Favorites::SaveAndSelect(std::int16_t selection) {
    Report(list_.Save(settings_));
    Select(selection);
}

void Favorites::Report(const SaveResult& result) {
    if (result) return;
    emit saveFailed(
        tr("Your favorites could not be saved to %1: %2.")
            .arg(QString::fromStdString(settings_.Path()), QString::fromStdString(result.reason)));
}

}  // namespace velmor
