#pragma once

#include "files/ui/CommandIcons.h"

#include <QKeySequence>
#include <QMainWindow>

class HelpRequester;
class QAbstractItemModel;
class QAction;
class QMenu;
class QTableView;
class QToolBar;
class RecordNavigator;

// A window showing a table in a read-only grid, with a record navigator, the grid's commands in
// the menu "Graella" (go to the first or the last record, note a record and go back to it) and
// help and exit in "Altres". The go-to commands are enabled exactly when the navigator's
// corresponding buttons are.
class TFPresentRxDBGrid : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFPresentRxDBGrid(QWidget *parent = nullptr);

    // The table shown; the window does not own it, and it must outlive the window.
    void setModel(QAbstractItemModel *model);
    QTableView *grid() const { return m_grid; }
    RecordNavigator *navigator() const { return m_navigator; }
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *gridMenu() const { return m_gridMenu; }
    // The actions by object name (A_G_First, A_G_Last, A_G_Bookmark, A_G_GotoBookmark, A_Help,
    // A_Exit, and in the editing window A_G_Insert, A_G_Delete), or nullptr.
    QAction *action(const QString &name) const;

    // A_Help opens the topic of `context`; it stays disabled until help is given. The requester
    // must outlive the window.
    void setHelp(HelpRequester *help, int context);

protected:
    void showEvent(QShowEvent *event) override;
    QAction *addCommand(const char *name, const QString &caption, const QString &hint,
                        const QKeySequence &key, CommandIcon icon, QMenu *menu);
    // The actions follow the navigator's buttons; the editing window adds its own.
    virtual void followNavigator();

private:
    QTableView *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_gridMenu = nullptr;
    QMenu *m_othersMenu = nullptr;
    HelpRequester *m_requester = nullptr;
    int m_helpContext = 0;
    bool m_centred = false;
};
