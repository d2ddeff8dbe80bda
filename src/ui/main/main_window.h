#pragma once

#include <QWidget>
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
class WindowCommands;
class WindowKeys;

// The main window: tabs of colours on the left, the value panel on the right,
// commands along the bottom. A view of the models it is given, which are
// loaded before it is built. Closing it ends the program.
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

    void CopyChosenValue(Qt::KeyboardModifiers modifiers);
    // Makes the clipboard's colour current, in any notation the program reads.
    void PasteColor();
    // Makes the colour current and adds it to the favourites, in the letter
    // case its source writes it.
    void AddToFavorites(const Color& color, HexCase letterCase);

    // The window's commands; the pick button, Enter and the P key trigger Pick.
    const WindowCommands& Commands() const { return *commands_; }
    void PickCommand();
    void OptionsCommand();
    // The right-click menu of a colour: "Copy as", and what the place adds.
    enum class MenuPlace { Grid, Panel, Favorites };
    void ShowColorMenu(const std::optional<Color>& color, QPoint globalPosition, MenuPlace place);
    void OpenContrast();
    void OpenSchemes();
    void HelpCommand();
    void AboutCommand();

    TabControl* Tabs() const { return tabs_; }
    ValuePanel* Panel() const { return panel_; }
    NamedColorsPage* NamedColors() const;
    // These pages are built when first asked for.
    SafetyPage* Safety() const;
    CustomColorPage* Custom() const;
    FavoritesPage* FavoriteColors() const;
    PictureBox* Swatch() const { return swatch_; }
    QPushButton* PickButton() const { return Button("pickButton"); }
    QPushButton* AddButton() const { return Button("addButton"); }
    QPushButton* OptionsButton() const { return Button("optionsButton"); }
    QPushButton* AboutButton() const { return Button("aboutButton"); }
    QPushButton* HelpButton() const { return Button("helpButton"); }
    QPushButton* ExitButton() const { return Button("exitButton"); }
    const QTimer& PickTimer() const;

  signals:
    // The pick button, Enter or the P key asked for a pick.
    void pickRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Sets the colour TEXT names, or says why it names none.
    void PasteText(const QString& text);
    void BuildPages();
    void BuildCommandStrip();
    void ConnectCommands();
    // The current colour in the value panel and the swatch.
    void ShowCurrent();
    // What a palette page's choices, requests and menus do.
    void ConnectPage(ColorPage* page, HexCase letterCase, MenuPlace place);
    void MoveTab(int step);
    void OpenFocusMenu();
    QPushButton* Button(const char* name) const;
    // The window of that kind, made on first use and shown in front.
    template <typename ToolWindow, typename Make>
    ToolWindow* ShowToolWindow(Make make);
    // The case of the value panel's colour text, as the options choose it.
    HexCase PanelCase() const;

    Options& options_;
    CurrentColor& current_;
    Favorites& favorites_;
    Prompter& prompter_;
    Desktop& desktop_;
    WindowCommands* commands_;
    WindowKeys* keys_;
    TabControl* tabs_ = nullptr;
    ValuePanel* panel_ = nullptr;
    PictureBox* swatch_ = nullptr;
};

}  // namespace velmor
