#pragma once

#include "files/ui/FolderLinks.h"
#include "files/ui/LinkedListRef.h"
#include "files/ui/TTree0.h"

#include <QPointer>

class Shell;
class TLsDirTree20PopUp;

// The docked folder tree. A click on a node's label or picture, or Enter, chooses it: the linked
// list shows its folder and OnSelectItem fires. Its own menu creates, renames and deletes folders
// (to the trash) and measures a branch.
class TLsDirTree20 : public TTree0, public LinkedFolderTree
{
    Q_OBJECT

public:
    TLsDirTree20(Prompter &prompter, Shell &shell, QWidget *parent = nullptr);
    ~TLsDirTree20() override;

    void OpenPath(const QString &path) override;
    void Rebuild() override;

    // The linked list: linking shows the tree's selected path in it.
    void setFileList(LinkedFileList *list);
    LinkedFileList *FileList() const;
    // The folder last chosen, "Dispositiu" for the root.
    QString SelectedPath() const { return m_selectedPath; }

    bool PopUpMenuEnabled() const { return m_popUpEnabled; }
    void setPopUpMenuEnabled(bool enabled);
    TLsDirTree20PopUp *ownMenu() const { return m_ownMenu; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Chooses a node as a click or Enter does.
    void chooseNode(const QModelIndex &index);

    // Creates a folder in the selected one; "Nova carpeta" is then opened for naming. Returns
    // whether a folder was created.
    bool AddFolder(const QString &name = QStringLiteral("Nova carpeta"));
    // Commits a new name for a folder node.
    void RenameFolder(const QModelIndex &index, const QString &newName);
    // Starts editing the selected folder's name.
    void EditSelected();
    void DeleteFolder();
    // Measures the selected branch off the window's thread and shows its size.
    void TreeSize();

Q_SIGNALS:
    void OnSelectItem(const QString &path);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    using TTree0::edit;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    Shell &m_shell;
    LinkedListRef m_list;
    QString m_selectedPath = QStringLiteral("Dispositiu");
    bool m_popUpEnabled = true;
    bool m_readOnly = false;
    TLsDirTree20PopUp *m_ownMenu = nullptr;
    QPersistentModelIndex m_pressed;
    QPersistentModelIndex m_justCreated;
};
