#pragma once

#include "files/SendToEntry.h"

#include <QMenu>

#include <vector>

class TLsFilelistView27;

// The file list's built-in menu. Its entries are enabled for what the list shows each time it
// opens; the "E&nvia a" submenu lists the user's Send To shortcuts after its own three entries.
class TLsFileListView27PopUp : public QMenu
{
    Q_OBJECT
public:
    explicit TLsFileListView27PopUp(TLsFilelistView27 &list);

    // Enables the entries for the list's state and fills the Send To shortcuts.
    void prepare();
    // The entry of that object name (ItemOpen, Send_To1, ...).
    QAction *entry(const QString &name) const;

private:
    QAction *add(QMenu *menu, const QString &name, const QString &text,
                 void (TLsFilelistView27::*slot)());

    TLsFilelistView27 &m_list;
    QMenu *m_send = nullptr;
    std::vector<QAction *> m_shortcutActions;
};
