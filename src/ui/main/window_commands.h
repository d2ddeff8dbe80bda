#pragma once

#include <QObject>
#include <array>

class QAction;
class QWidget;

namespace velmor {

// The main window's commands, each a named action with its shortcut, made
// in one place; buttons, keys and menus trigger them.
class WindowCommands : public QObject {
    Q_OBJECT

  public:
    enum Id {
        Pick,
        AddToFavorites,
        Options,
        About,
        Help,
        Exit,
        Contrast,
        Schemes,
        Paste,
        NextTab,
        PreviousTab,
        ContextMenu,
        Count
    };

    // The actions belong to `window`, whose shortcuts they are.
    explicit WindowCommands(QWidget* window);

    QAction* operator[](Id id) const { return actions_[id]; }

  private:
    std::array<QAction*, Count> actions_{};
};

}  // namespace velmor
