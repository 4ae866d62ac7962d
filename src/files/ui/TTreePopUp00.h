#pragma once

#include <QMenu>

class TTree0;

// The base of the tree menus: a menu that acts on one tree and opens beside the mouse.
class TTreePopUp00 : public QMenu
{
    Q_OBJECT

public:
    explicit TTreePopUp00(TTree0 *tree);

    TTree0 *tree() const { return m_tree; }
    // The entry named `name`, or nullptr.
    QAction *entry(const QString &name) const;

protected:
    QAction *addEntry(const QString &name, const QString &caption, const QIcon &icon,
                      void (TTree0::*slot)());
    // Enables the entries for the tree's selected node, just before the menu opens.
    virtual void updateEntries() {}

private:
    TTree0 *m_tree;
};
