#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QAction;
class QKeySequence;
class QMenu;
class QToolBar;
class QWidget;

// The pictures of the shared windows' commands: the desktop theme's icon when it has one, else a
// small pictogram drawn here, so no button is ever blank.
enum class CommandIcon {
    Undo,
    Cut,
    Copy,
    Paste,
    Clear,
    SelectAll,
    Help,
    Exit,
    First,
    Prior,
    Next,
    Last,
    Insert,
    Delete,
    Bookmark,
    GotoBookmark,
    Post,
    Cancel,
};

QIcon commandIcon(CommandIcon which);

// A toolbar picture of one or two characters, for the commands that have no theme icon: the
// caption stays the button's tooltip.
QIcon glyphIcon(const QString &glyph, const QColor &colour = QColor(0, 0, 128));

// Puts `action` on `bar` as a button named `buttonName`, whose accessible name is the action's
// caption without its accelerator mark.
void addToolBarButton(QToolBar *bar, QAction *action, const QString &buttonName);

// A window's command: an action owned by `window`, named `name` ("A_E_Copy"), with its caption,
// hint, key and picture, put in `menu` and on `bar` as the button "TB_" + the name after "A_".
QAction *addWindowCommand(QWidget *window, QToolBar *bar, QMenu *menu, const char *name,
                          const QString &caption, const QString &hint, const QKeySequence &key,
                          CommandIcon icon);

// A caption without its "&" accelerator marks ("&&" stays a single "&").
QString plainCaption(const QString &caption);
