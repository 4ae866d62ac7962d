#pragma once

#include <QString>
#include <QStyle>

#include <initializer_list>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// A check-style command of the listing and index windows, on the toolbar (button "TB_" + the
// name after "A_") and at the end of `menu`.
QAction *addListingToggle(QMainWindow &window, QToolBar *bar, QMenu *menu, const char *name,
                          const QString &caption, QStyle::StandardPixmap picture);

// `text` with its "%s" marks replaced in turn by `values` (marks left over stay as they are).
QString fillPercentS(const QString &text, std::initializer_list<QString> values);

// A hint of two alternatives ("... %so ... %s") with "(estat actual) " put before the one in
// force: the first when `on`.
QString stateHint(const QString &alternatives, bool on);

// Puts `hint` (written with "\r\n" breaks) as the action's tooltip and status text.
void setToggleHint(QAction *action, const QString &hint);
