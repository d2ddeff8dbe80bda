#include "app/favorites.h"

namespace velmor {

Favorites::Favorites(const SettingsFile& settings, QObject* parent)
    : QObject(parent), settings_(settings) {}

void Favorites::Load() {
    Select(list_.Load(settings_));
}

bool Favorites::Add(const std::string& entry) {
    if (list_.IsFull()) return false;
    list_.Append(entry);
    SaveAndSelect(-1);
    return true;
}

std::size_t Favorites::AddMany(const std::vector<std::string>& colors) {
    std::size_t added = 0;
    for (const std::string& color : colors) {
        if (list_.IsFull()) break;
        list_.Append(color);
        ++added;
    }
    if (added > 0) SaveAndSelect(-1);
    return added;
}

void Favorites::Select(std::int16_t index) {
    const std::size_t count = list_.Count();
    if (index < -1 || index >= static_cast<int>(count)) index = -1;
    list_.RecordDraw(index, count);
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
    const SaveResult result = list_.Save(settings_);
    if (!result) {
        emit saveFailed(tr("Your favourites could not be saved to %1: %2.")
                            .arg(QString::fromStdString(settings_.Path()),
                                 QString::fromStdString(result.reason)));
    }
    Select(selection);
}

}  // namespace velmor
