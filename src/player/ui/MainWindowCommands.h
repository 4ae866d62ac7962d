#pragma once

#include "player/PlayerView.h"
#include "player/ui/ActionRow.h"

#include <QStringView>

#include <functional>

class QAction;
class QMenu;
class QObject;
class QWidget;

// What the main window offers the controllers of other subsystems: they add their rows of the
// command table (menu entries, toolbar buttons, drop-down entries) and the handlers of the
// commands that end a run, without knowing the window itself.
class MainWindowCommands
{
public:
    virtual ~MainWindowCommands() = default;

    // Builds the command table's row named `name` (a row built by a controller) and places it
    // in its menu, toolbar slot and drop-down menu. A command's action is owned by `owner` and
    // goes with it; separators and submenus belong to the menu that holds them.
    virtual QAction *addAction(QStringView name, QObject *owner) = 0;
    // The same for a row that is not in the table (one that exists only at run time).
    virtual QAction *addAction(const ActionRow &row, QObject *owner) = 0;
    // The action, separator or submenu's action built for the row named `name`, or nullptr.
    virtual QAction *action(QStringView name) const = 0;
    // A menu of the menu bar, a submenu or a drop-down menu by object name, or nullptr.
    virtual QMenu *menu(QStringView name) const = 0;
    // Carries out `code` when a run has ended on it (or at once when none was running), for as
    // long as `context` lives. A later handler for the same code replaces the earlier one.
    virtual void setCommandHandler(PendingCommandCode code, QObject *context,
                                   std::function<void()> handler) = 0;
    // The commands whose windows come with a later controller (the slide list and table
    // editors, the option dialogs: awaitingWindowNames()) stay disabled until that controller
    // says its window is there; their enabling rules apply from then on.
    virtual void setCommandAvailable(QStringView name, bool available) = 0;
    // The parent of the dialogs the commands open.
    virtual QWidget *dialogParent() = 0;
};
