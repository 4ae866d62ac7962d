#pragma once

#include "files/ui/FolderLinks.h"
#include "files/ui/LinkedListRef.h"
#include "files/ui/TTreePanel0.h"

class Prompter;
class TLsDirTreeView;

// A folder selector shaped as a panel: the chosen folder's name in the middle, the folders that
// hold it on the left, and a folder tree dropped down below.
class TLsDirTreePanel : public TTreePanel0, public LinkedFolderTree
{
    Q_OBJECT

public:
    explicit TLsDirTreePanel(Prompter &prompter, QWidget *parent = nullptr);

    void OpenPath(const QString &path) override;
    void Rebuild() override;

    QString SelectedPath() const { return m_selectedPath; }
    // Takes the path (without trailing separator): fires OnSelectItem, shows it in the panel and
    // in the linked list.
    void setSelectedPath(const QString &path);
    void setFileList(LinkedFileList *list);
    LinkedFileList *FileList() const { return m_list.get(); }
    bool ExpandRoot() const { return m_expandRoot; }
    void setExpandRoot(bool expand);
    TLsDirTreeView *dirTree() const;

Q_SIGNALS:
    void OnSelectItem(const QString &path);
    void OnBeforeWriteItems();
    void OnAfterWriteItems();

protected:
    void takeEntered() override;
    void takeClicked(const QModelIndex &index) override;

private:
    Prompter &m_prompter;
    QString m_selectedPath = QStringLiteral("Dispositiu");
    LinkedListRef m_list;
    bool m_expandRoot = true;
};
