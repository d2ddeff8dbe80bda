#include "ui/main/window_commands.h"

#include <QAction>
#include <QWidget>

namespace velmor {

namespace {

struct CommandRow {
    const char* objectName;
    const char* text;
    QList<QKeySequence> keys;
};

}  // namespace

WindowCommands::WindowCommands(QWidget* window) : QObject(window) {
    // The buttons' own letters (Alt+F, Alt+O, ...) stay on the buttons.
    const CommandRow rows[Count] = {
        {"pickAction", QT_TR_NOOP("Pick Color..."), {}},
        {"addToFavoritesAction", QT_TR_NOOP("Add to Favorites"), {}},
        {"optionsAction", QT_TR_NOOP("Options..."), {}},
        {"aboutAction", QT_TR_NOOP("About..."), {}},
        {"helpAction", QT_TR_NOOP("Help..."), {}},
        {"exitAction", QT_TR_NOOP("Exit"), {}},
        {"contrastAction", QT_TR_NOOP("Contrast..."), {QKeySequence(Qt::CTRL | Qt::Key_K)}},
        {"schemesAction", QT_TR_NOOP("Schemes..."), {QKeySequence(Qt::CTRL | Qt::Key_H)}},
        {"pasteAction", QT_TR_NOOP("Paste a color"),
         QKeySequence::keyBindings(QKeySequence::Paste)},
        // The tabbed-dialog keys.
        {"nextTabAction",
         QT_TR_NOOP("Next tab"),
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}},
        {"previousTabAction",
         QT_TR_NOOP("Previous tab"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::Key_PageUp)}},
        // As the Menu key does.
        {"contextMenuAction", QT_TR_NOOP("Menu"), {QKeySequence(Qt::SHIFT | Qt::Key_F10)}},
    };
    for (int id = 0; id < Count; ++id) {
        auto* action = new QAction(tr(rows[id].text), window);
        action->setObjectName(QString::fromLatin1(rows[id].objectName));
        action->setShortcuts(rows[id].keys);
        window->addAction(action);
        actions_[id] = action;
    }
}

}  // namespace velmor
