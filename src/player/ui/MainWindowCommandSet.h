#pragma once

#include "player/PlayerView.h"
#include "player/ui/ActionRow.h"

#include <QPointer>
#include <QString>
#include <QStringView>

#include <functional>
#include <map>
#include <span>

class Prompter;
class QAction;
class QMainWindow;
class QMenu;
class QObject;
class QToolBar;
class QToolButton;
class QWidget;

// Builds the main window's menus, toolbar and commands from rows of the command table, keeps
// them by object name, and keeps the handlers of the commands that end a run. A row whose entry
// the window's ancestor already built (a menu, a command or a separator of the same object
// name) takes that entry into its place instead of building a second one.
class MainWindowCommandSet
{
public:
    MainWindowCommandSet(QMainWindow &window, Prompter &prompter);

    // The toolbar, the drop-down buttons, then every row the window builds itself, in order.
    void build(std::span<const ActionRow> rows, std::span<const DropDownRow> dropDowns);

    QAction *addAction(const ActionRow &row, QObject *owner);
    // A row of the main window's table; a name that is not there is a programming error.
    QAction *addAction(QStringView name, QObject *owner);
    QAction *action(QStringView name) const;
    QMenu *menu(QStringView name) const;
    QToolBar *toolBar() const { return m_toolBar; }
    // Puts a control that is not a command (an up-down) on the toolbar at `slot`; the returned
    // action shows and hides it.
    QAction *insertToolBarWidget(QWidget *widget, int slot);
    // The drop-down pair of a TB_... button name, or nullptr.
    QToolButton *dropDownButton(QStringView button) const;
    QToolButton *dropDownArrow(QStringView button) const;

    void setCommandHandler(PendingCommandCode code, QObject *context,
                           std::function<void()> handler);
    // Runs the handler of `code`; a code without one (or whose context has gone) is reported,
    // never dropped in silence.
    void carryOut(PendingCommandCode code);

    // Called when a command of a drop-down menu has run and become its button's command.
    std::function<void(QToolButton *button, QAction *action)> dropDownChosen;

    // Tooltip and status text from a hint written with "\r\n" line breaks.
    static void setHint(QAction *action, const QString &hint);
    static QString hintText(const QString &hint);

private:
    struct DropDown
    {
        QPointer<QToolButton> button;
        QPointer<QToolButton> arrow;
        QPointer<QMenu> menu;
    };
    struct Handler
    {
        QPointer<QObject> context;
        std::function<void()> run;
    };

    void addDropDown(const DropDownRow &row);
    // The entry of the row's name that the window's ancestor built, or nullptr.
    QAction *inheritedEntry(const ActionRow &row) const;
    void adopt(const ActionRow &row, QAction *action);
    QWidget *container(const char *name) const;
    void place(QAction *action, const char *containerName, int slot);
    void placeOnToolBar(QAction *action, const ToolBarPlace &place);
    void joinDropDown(QAction *action, const MenuPlace &group);

    QMainWindow &m_window;
    Prompter &m_prompter;
    QToolBar *m_toolBar = nullptr;
    std::map<QString, QPointer<QAction>> m_actions;
    std::map<QString, DropDown> m_dropDowns; // by the drop-down menu's name
    std::map<PendingCommandCode, Handler> m_handlers;
};
