#pragma once

#include "files/FileListCommands.h"
#include "files/FileListModel.h"
#include "files/PosixFileOps.h"
#include "files/SendToEntry.h"
#include "files/ui/FolderLinks.h"

#include <QPointer>
#include <QTreeView>

#include <functional>
#include <optional>

class Prompter;
class Shell;
class TLsFileListView27PopUp;

// The explorer file list: one folder, or the volumes ("Dispositiu"), as a report with five
// columns, with its keyboard commands and built-in menu. It keeps linked folder trees and a
// second list in step when it changes folder or makes, renames or deletes folders. The rows and
// the commands live in the core (FileListModel, FileListCommands); this view maps keys, clicks
// and menu entries onto them and asks the user for names, folders and attributes.
class TLsFilelistView27 : public QTreeView, public LinkedFileList
{
    Q_OBJECT
public:
    TLsFilelistView27(Prompter &prompter, Shell &shell, QWidget *parent = nullptr);
    ~TLsFilelistView27() override;

    FileListModel &listModel() { return m_model; }
    FileListCommands &commands() { return m_commands; }

    // LinkedFileList: the folder without its trailing separator, or "Dispositiu".
    QString Directory() const override;
    void SetDirectory(const QString &path) override;

    bool Active() const { return m_model.Active(); }
    void setActive(bool on) { m_model.setActive(on); }
    QString Mask() const { return m_model.settings().Mask; }
    void setMask(const QString &mask);
    QString MaskExc() const { return m_model.settings().MaskExc; }
    void setMaskExc(const QString &mask);
    void setShowFolders(bool on);
    void setShowHideFolders(bool on);
    void setHideFileExt(bool on);
    void setTypeName(bool on);
    void setSizeInKbytes(bool on);
    void setDateFormat(TDTFormat format);
    void setTimeFormatStr(const QString &format);
    void setDateMin(const QDateTime &when);
    void setDateMax(const QDateTime &when);
    void setSizeMin(qint64 size);
    void setSizeMax(qint64 size);
    void setFtArchive(TPropertyPresent p);
    void setFtHidden(TPropertyPresent p);
    void setFtReadOnly(TPropertyPresent p);
    void setFtSystem(TPropertyPresent p);
    bool DblClickToOpen = true;
    bool PopUpMenuEnabled() const { return m_popupEnabled; }
    void setPopUpMenuEnabled(bool on) { m_popupEnabled = on; }
    void setOtherSortDir(bool on) { m_model.setOtherSortDir(on); }
    void setReadOnly(bool on) { m_model.setReadOnly(on); }

    // The links: trees and selectors (kept while they live) and a second list.
    void setDirTree(LinkedFolderTree *tree) { setLink(m_dirTree, tree); }
    void setDirTreeCombo(LinkedFolderTree *tree) { setLink(m_dirTreeCombo, tree); }
    void setDirTreePanel(LinkedFolderTree *tree) { setLink(m_dirTreePanel, tree); }
    void setFilelistView(TLsFilelistView27 *list) { m_filelistView = list; }
    TLsFilelistView27 *FilelistView() const { return m_filelistView; }

    // Free kilobytes on the volume of the folder shown.
    qint64 DriveFreeSpace() const;
    // Selected items, or all items when none is selected.
    int SelectedNumber() const;
    // Bytes of the selected items.
    qint64 SelectedSize() const;
    int SelectedFileCount() const;
    QString SelectedFilePath() const;
    // The selected rows in list order; the first is the current item.
    QList<int> selectedRows() const;
    int currentItemRow() const;

    void Reread() { m_model.Reread(); }
    void OpenSelected();
    void ViewSelected();
    void RenameSelected();
    void DeleteSelected();
    void CutSelected();
    void CopySelected();
    void PasteFiles();
    void NewFolder();
    void EditAttributes();
    void GoUp();
    void SendToFolder();
    void SendToClipboardAsContent();
    void SendToClipboardAsNames();
    void SendToShortcut(const SendToEntry &entry);

    TLsFileListView27PopUp *popupMenu() const { return m_popup; }
    // Where the menu's "E&nvia a" shortcuts come from.
    QString sendToFolder;

    // The questions this list asks, replaceable by tests and by the owner: a folder to send to
    // (starting at a folder), a new folder's name, the attributes of an item.
    std::function<QString(QWidget *parent, const QString &start)> chooseFolder;
    std::function<std::optional<QString>(QWidget *parent, const QString &title,
                                         const QString &prompt)>
        askText;
    std::function<std::optional<FileAttributes>(QWidget *parent, const QString &name,
                                                const FileAttributes &attributes)>
        askAttributes;

Q_SIGNALS:
    void OnChangeDirectory();
    void BeforeDeleteItems();
    void AfterDeleteItems();
    void OnDeleteItem(bool IsDir, const QString &FName);
    void OnRenameItem(bool IsDir, const QString &OldFName, const QString &NewFName);
    void OnChange();
    // A double click while DblClickToOpen is off, on anything but the parent entry.
    void OnDblClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    struct TreeLink
    {
        QPointer<QObject> object;
        LinkedFolderTree *tree = nullptr;
    };
    void setLink(TreeLink &link, LinkedFolderTree *tree);
    std::vector<LinkedFolderTree *> linkedTrees() const;
    void editSettings(const std::function<void(FileListSettings &)> &change);
    void onListingFinished();
    void onDoubleClick(const QModelIndex &index);
    void followFolderChange(FolderChange change, const QString &oldPath, const QString &newPath);
    void transfer(const QStringList &files, const QString &folder, TFileAction action);
    void updateSortIndicator();
    bool hasSelection() const;

    Prompter &m_prompter;
    Shell &m_shell;
    PosixFileOps m_ops;
    FileListModel m_model;
    FileListCommands m_commands;
    TLsFileListView27PopUp *m_popup = nullptr;
    bool m_popupEnabled = true;
    TreeLink m_dirTree, m_dirTreeCombo, m_dirTreePanel;
    QPointer<TLsFilelistView27> m_filelistView;
    QString m_selectedFilePath;
};
