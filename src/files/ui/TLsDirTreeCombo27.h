#pragma once

#include "files/ui/FolderLinks.h"
#include "files/ui/LinkedListRef.h"
#include "files/ui/TTreeCombo0.h"

class Prompter;
class TLsDirTreeView;

// A folder selector shaped as an edit box: it shows the chosen node's caption and picture, and
// drops a folder tree down below itself.
class TLsDirTreeCombo27 : public TTreeCombo0, public LinkedFolderTree
{
    Q_OBJECT

public:
    explicit TLsDirTreeCombo27(Prompter &prompter, QWidget *parent = nullptr);

    void OpenPath(const QString &path) override;
    void Rebuild() override;
    void DropDownTree() override { DropDown(); }

    QString SelectedPath() const { return m_selectedPath; }
    // Takes the path (fires OnSelectItem and shows it in the linked list).
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
    void showNode(const QModelIndex &index);

    QString m_selectedPath = QStringLiteral("Dispositiu");
    LinkedListRef m_list;
    bool m_expandRoot = true;
};
