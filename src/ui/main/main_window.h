#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/favorites.h"
#include "app/options.h"
#include "core/color.h"

class QKeyEvent;
class QPushButton;

namespace velmor {

class CurrentColor;
class Options;
class Desktop;
class Prompter;
class TabControl;
class ValuePanel;
class NamedColorsPage;
class SafetyPage;
class CustomColorPage;
class FavoritesPage;
class ColorPage;
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

    MainWindow(Options& options, CurrentColor& current, Favorites& favorites, Prompter& prompter,
               Desktop& desktop, QWidget* parent = nullptr);
    ~MainWindow() override;

    void CopyChosenValue(Qt::KeyboardModifiers modifiers);
    // Makes the clipboard's colour current, in any notation the program reads.
    void PasteColor();
    // Makes the colour current and adds it to the favourites, in the letter
    // case its source writes it.
    void AddToFavorites(const Color& color, HexCase letterCase);

    // The command run by the pick button, Enter and the P key.
    void SetPickCommand(std::function<void()> command) { pickCommand_ = std::move(command); }
    void PickCommand();
    void OptionsCommand();
    // The right-click menu of a colour: "Copy as", and what the place adds.
    enum class MenuPlace { Grid, Panel, Favorites };
    void ShowColorMenu(const std::optional<Color>& color, QPoint globalPosition, MenuPlace place);
    void OpenContrast();
    void HelpCommand();
    void AboutCommand();

    TabControl* Tabs() const { return tabs_; }
    ValuePanel* Panel() const { return panel_; }
    NamedColorsPage* NamedColors() const { return namedPage_; }
    // These pages are built when first asked for.
    SafetyPage* Safety();
    CustomColorPage* Custom();
    FavoritesPage* FavoriteColors();
    PictureBox* Swatch() const { return swatch_; }
    QPushButton* PickButton() const { return pickButton_; }
    QPushButton* AddButton() const { return addButton_; }
    QPushButton* OptionsButton() const { return optionsButton_; }
    QPushButton* AboutButton() const { return aboutButton_; }
    QPushButton* HelpButton() const { return helpButton_; }
    QPushButton* ExitButton() const { return exitButton_; }
    const QTimer& PickTimer() const { return pickDelay_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void StartUp();
    // The current colour in the value panel and the swatch.
    void ShowCurrent();
    // What a palette page's choices, requests and menus do.
    void ConnectPage(ColorPage* page, HexCase letterCase, MenuPlace place);
    bool KeyPressed(const QKeyEvent& key);
    void KeyReleased(int key, Qt::KeyboardModifiers modifiers);
    bool IsOwnKeyTarget(QObject* watched) const;
    // The case of the value panel's colour text, as the options choose it.
    HexCase PanelCase() const;

    Options& options_;
    CurrentColor& current_;
    Favorites& favorites_;
    Prompter& prompter_;
    Desktop& desktop_;
    TabControl* tabs_ = nullptr;
    ValuePanel* panel_ = nullptr;
    NamedColorsPage* namedPage_ = nullptr;
    SafetyPage* safetyPage_ = nullptr;
    CustomColorPage* customPage_ = nullptr;
    FavoritesPage* favoritesPage_ = nullptr;
    PictureBox* swatch_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* pickButton_ = nullptr;
    QPushButton* optionsButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QTimer pickDelay_;
    QPointer<QWidget> contrast_;
    bool ctrlHeldAtC_ = false;
    std::function<void()> pickCommand_;
    Color startColor_;
    bool starting_ = false;
    bool painted_ = false;  // start-up shows the current colour once, at its end
};

}  // namespace velmor
