#include "ui/main/favorites_page.h"

#include <QFrame>
#include <QLineEdit>

#include "platform/message_box.h"
#include "ui/main/color_grid.h"
#include "ui/main/tab_toolbar.h"

namespace velmor {

FavoritesPage::FavoritesPage(FavoritesList& list, const SettingsFile& settings,
                             const AppOptions& options, QWidget* parent)
    : ColorPage(parent), list_(list), settings_(settings) {
    pic4_ = AddGrid(new FavoritesGrid(options, this), QStringLiteral("pic4"), 240, 480, 4815, 4035);
    connect(pic4_, &ColorGrid::cellPressed, this,
            [this](int hit) { DrawFavoritesGrid(static_cast<std::int16_t>(hit)); });
    connect(pic4_, &ColorGrid::keyMoved, this,
            [this](int index) { DrawFavoritesGrid(static_cast<std::int16_t>(index)); });

    QFrame* frmFavo = AddFrame(60, 4680, 5175, 615);
    tbRemove_ = new ImageToolbar(
        {{"Remove this color", "del", "Remove selected color from the favorite colors", "del",
          "edit-delete"},
         {"Clear all colors    ", "clear", "Clear all colors from the favorite colors", "clear",
          "edit-clear"},
         {"Clear same colors", "clear", "Clear all duplicated colors from the favorite colors",
          "clear", "edit-clear"}},
        Qt::Horizontal, frmFavo);
    tbRemove_->setObjectName(QStringLiteral("tbRemove"));
    tbRemove_->setGeometry(2, 2, frmFavo->width() - 4, frmFavo->height() - 4);
    connect(tbRemove_, &ImageToolbar::buttonClicked, this, [this](int position) {
        if (position == 1) RemoveSelectedFavorite();
        if (position == 2) ClearFavorites();
        if (position == 3) RemoveDuplicateFavorites();
    });

    AddCaption(QStringLiteral("Color:"), 120, 5280);
    QFrame* frame5 = AddFrame(120, 5280, 2415, 495);
    txtFavo_ = AddLine(frame5, QString());
    txtFavo_->setObjectName(QStringLiteral("txtFavo"));
    txtFavo_->setEnabled(false);
}

void FavoritesPage::LoadFavorites() {
    DrawFavoritesGrid(list_.Load(settings_));
}

void FavoritesPage::Add2Favo(const QString& text, QWidget* messageParent) {
    const std::string entry = FavoritesList::ExtractEntry(text.toStdString());
    emit showColor(QString::fromStdString("#" + entry), QString());
    if (list_.IsFull()) {
        ShowStopMessage(messageParent,
                        QStringLiteral("The  favorite colors are full, please remove some colors "
                                       "from the list before adding more..."));
        return;
    }
    list_.Append(entry);
    Save();
    DrawFavoritesGrid(-1);
}

void FavoritesPage::RemoveSelectedFavorite() {
    if (!list_.RemoveSelected()) return;
    Save();
    DrawFavoritesGrid(list_.SelectedIndex());
}

void FavoritesPage::ClearFavorites() {
    if (list_.NeedsConfirmation() &&
        !AskYesNo(window(),
                  QStringLiteral("Are you sure to clear all colors from the favorites?"))) {
        return;
    }
    list_.Clear();
    Save();
    DrawFavoritesGrid(-1);
}

void FavoritesPage::RemoveDuplicateFavorites() {
    if (list_.NeedsConfirmation() &&
        !AskYesNo(
            window(),
            QStringLiteral("Are you sure to remove all duplicated colors from the favorites?"))) {
        return;
    }
    if (list_.TooShortForDuplicates()) return;
    if (!list_.RemoveDuplicates()) {
        ShowInformation(window(),
                        QStringLiteral("No duplicated colors found in the favorites list!"));
        return;
    }
    Save();
    DrawFavoritesGrid(list_.SelectedIndex());
}

void FavoritesPage::DrawFavoritesGrid(std::int16_t selection) {
    std::vector<std::string> entries = list_.Entries();
    if (selection < -1 || selection >= static_cast<int>(entries.size())) selection = -1;
    // An empty list keeps its recorded selection and last index.
    list_.RecordDraw(selection, entries.size());
    tbRemove_->SetButtonEnabled(1, list_.CanRemoveSelected());
    tbRemove_->SetButtonEnabled(2, list_.CanClear());
    tbRemove_->SetButtonEnabled(3, list_.CanClear());
    const std::string entry =
        selection >= 0 ? entries[static_cast<std::size_t>(selection)] : std::string();
    pic4_->SetCells(std::move(entries));
    pic4_->Draw(selection);
    if (selection < 0) {
        txtFavo_->clear();
        txtFavo_->setEnabled(false);
        return;
    }
    txtFavo_->setText(QString::fromStdString("#" + entry));
    txtFavo_->setEnabled(true);
    emit showColor(txtFavo_->text(), QString());
}

}  // namespace velmor
