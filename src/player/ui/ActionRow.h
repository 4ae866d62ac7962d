#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QStyle>

#include <cstdint>

// One row of the main window's command table: everything about a command that is data rather
// than behaviour. A loop turns rows into actions and puts them into their menus and toolbar
// slots; the behaviour is connected by object name afterwards.
//
// Menus, the toolbar and the drop-down menus are ordered by slot numbers, not by the order in
// which rows are built: a controller composed later lands in its place between the window's own
// entries. Slots leave gaps so rows can be added between existing ones.

enum class RowKind : std::uint8_t {
    Command,   // a QAction
    Separator, // a named separator (access levels hide some of them)
    SubMenu,   // a QMenu, in the menu bar or inside another menu
};

// Who builds the row: the window when it is created, or the controller that carries out the
// command when it is composed (through MainWindowCommands::addAction).
enum class RowBuilder : std::uint8_t { Window, Controller };

// A standard style icon, or a freedesktop theme icon with the standard one as fallback.
struct ActionPicture
{
    int standard = -1; // a QStyle::StandardPixmap, or -1 for none
    const char *theme = nullptr;
};

constexpr ActionPicture standardPicture(QStyle::StandardPixmap pixmap)
{
    return ActionPicture{int(pixmap), nullptr};
}

constexpr ActionPicture themePicture(const char *theme, QStyle::StandardPixmap fallback)
{
    return ActionPicture{int(fallback), theme};
}

// A place in a menu (or in the menu bar, kMainMenu): the container's object name and the slot.
struct MenuPlace
{
    const char *menu = nullptr; // nullptr: not in any menu
    int slot = 0;
};

// A place on the toolbar: the button's object name and the slot.
struct ToolBarPlace
{
    const char *button = nullptr;
    int slot = 0; // 0: not on the toolbar
};

struct ActionRow
{
    const char *name = nullptr; // the object name: A_..., MI_..., or a separator's name
    RowKind kind = RowKind::Command;
    RowBuilder builder = RowBuilder::Window;
    const char *caption = ""; // UTF-8
    const char *hint = "";    // UTF-8, lines broken by "\r\n"; "" leaves the caption as hint
    QKeyCombination key = {}; // Qt::Key_unknown: no key
    ActionPicture picture = {};
    MenuPlace menu = {};
    ToolBarPlace toolBar = {};
    // The drop-down menu (PUM_...) of a toolbar button that carries the last command chosen.
    MenuPlace group = {};
    bool checkable = false;
    bool enabled = true; // before any list is open

    // The row's key as a shortcut; empty when it has none.
    QKeySequence shortcut() const
    {
        return key.key() == Qt::Key_unknown ? QKeySequence() : QKeySequence(key);
    }
};

// A toolbar button that carries one command of its drop-down menu, with the arrow that opens
// the menu beside it.
struct DropDownRow
{
    const char *button = nullptr; // TB_...
    const char *arrow = nullptr;  // SB_...
    const char *menu = nullptr;   // PUM_...
    const char *arrowHint = "";
    int slot = 0; // toolbar slot of the pair
};

// The object names of the two top-level containers.
inline constexpr const char kMainMenu[] = "MainMenu";
inline constexpr const char kToolBar[] = "ToolBar";
