#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "settings/app_options.h"
#include "settings/favorites_list.h"
#include "settings/settings_store.h"

class QPushButton;

namespace velmor {

class TabControl;
class ValuePanel;
class NamedColorsPage;
class SafetyPage;
class CustomColorPage;
class FavoritesPage;
class PictureBox;

// The main window: tabs of colours on the left, the value panel on the right,
// commands along the bottom. Closing it ends the program.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    enum Tab {
        NamedColorsTab = 0,
        SafetyPaletteTab = 1,
        CustomColorTab = 2,
        FavoriteColorsTab = 3
    };

    MainWindow(AppOptions& options, const SettingsFile& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The one way a colour becomes current.
    void ShowColor(const QString& colorText, const QString& name);
    void CopyChosenValue(Qt::KeyboardModifiers modifiers);
    // Adds a colour to the favourites; a full list is reported over `messageParent`
    // (this window when none is given).
    void Add2Favo(const QString& text, QWidget* messageParent = nullptr);

    // The command run by the pick button, Enter and the P key.
    void SetPickCommand(std::function<void()> command) { pickCommand_ = std::move(command); }
    void PickCommand();
    void OptionsCommand();
    void HelpCommand();
    void AboutCommand();

    const AppOptions& Options() const { return options_; }
    const FavoritesList& Favorites() const { return favorites_; }
    TabControl* Tabs() const { return tabs_; }
    ValuePanel* Panel() const { return panel_; }
    NamedColorsPage* NamedColors() const { return namedPage_; }
    SafetyPage* Safety() const { return safetyPage_; }
    CustomColorPage* Custom() const { return customPage_; }
    FavoritesPage* FavoriteColors() const { return favoritesPage_; }
    PictureBox* Swatch() const { return shape2_; }
    QPushButton* PickButton() const { return cmdPick_; }
    QPushButton* AddButton() const { return cmdAdd2Favo_; }
    QPushButton* OptionsButton() const { return cmdOptions_; }
    QPushButton* AboutButton() const { return command4_; }
    QPushButton* HelpButton() const { return command3_; }
    QPushButton* ExitButton() const { return cmdExit_; }
    const QTimer& PickTimer() const { return tmP_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void StartUp();
    void ToolbarCommand(int tabIndex, int position);
    void KeyReleased(int key, Qt::KeyboardModifiers modifiers);
    bool IsOwnKeyTarget(QObject* watched) const;

    AppOptions& options_;
    const SettingsFile& settings_;
    FavoritesList favorites_;
    TabControl* tabs_ = nullptr;
    ValuePanel* panel_ = nullptr;
    NamedColorsPage* namedPage_ = nullptr;
    SafetyPage* safetyPage_ = nullptr;
    CustomColorPage* customPage_ = nullptr;
    FavoritesPage* favoritesPage_ = nullptr;
    PictureBox* shape2_ = nullptr;
    QPushButton* cmdAdd2Favo_ = nullptr;
    QPushButton* cmdPick_ = nullptr;
    QPushButton* cmdOptions_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QTimer tmP_;
    bool ctrlHeldAtC_ = false;
    std::function<void()> pickCommand_;
};

}  // namespace velmor
