#pragma once

#include "files/CopyMovePlan.h"
#include "files/Fallible.h"
#include "files/FileListItem.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class FileListModel;
class Prompter;
class Shell;

// A list's own clipboard of files: full names and whether they are to be copied or moved.
enum class ClipboardMode { None, Copy, Cut };
struct FileListClipboard
{
    QStringList names;
    ClipboardMode mode = ClipboardMode::None;
};

enum class FolderChange { Created, Renamed, Deleted };

// What "Portapapers com Contingut" puts on the system clipboard for a file.
enum class ClipboardContent { None, Picture, Metafile, RichText, Text };

// The commands of an explorer file list on its rows: opening, going up, viewing, renaming,
// deleting to the trash, the list's own cut/copy/paste, new folders, attributes and sending to
// a folder. Every message goes through the Prompter and every document or trash request through
// the Shell; rows are the model's.
class FileListCommands : public QObject
{
    Q_OBJECT
public:
    FileListCommands(FileListModel &model, Prompter &prompter, Shell &shell,
                     QObject *parent = nullptr);

    // Opens the item: the parent entry goes up, a folder or volume is shown (a removable volume
    // must be ready), a file is opened by the desktop.
    void OpenItem(int row);
    // Shows the parent folder; from the root "/" the drive list.
    void GoUp();
    // Opens the file in the text editor or the desktop's viewer by its extension.
    void ViewItem(int row);
    static bool isViewable(const QString &path);

    // Whether the item may be renamed: "És de sols lectura" when the list or the file is
    // read-only.
    Fallible<void> checkRenamable(int row) const;
    // Where an item goes when its caption becomes `caption`: the item's folder + caption, plus
    // the old extension when the caption hid it. Refused for a name a file cannot carry.
    static Fallible<QString> renameTarget(const FileListItem &item, const QString &caption,
                                          bool hideFileExt);
    // Renames the item to the edited caption; returns whether something was renamed.
    bool RenameItem(int row, const QString &caption);

    void DeleteItems(const QList<int> &rows);
    void CutItems(const QList<int> &rows);
    void CopyItems(const QList<int> &rows);
    void PasteFiles();
    const FileListClipboard &clipboard() const { return m_clipboard; }

    // Makes the folder `name` in the shown folder; returns whether it was made.
    bool NewFolder(const QString &name);
    // Sets the item's attributes that this system keeps (read-only); re-reads the list.
    bool WriteAttributes(int row, const FileAttributes &attributes);
    // Copies the files of the rows into `folder`.
    void SendToFolder(const QList<int> &rows, const QString &folder);
    // The full paths of the rows, one per line.
    QString pathsAsText(const QList<int> &rows) const;
    static ClipboardContent clipboardContentKind(const QString &path);

    // A volume must be a known one and ready.
    static Fallible<void> driveReady(const QString &root);

    // The shell's copy or move of files into a folder, each under its own name. The windows
    // give the copy dialog with its questions and progress; the default copies plainly and
    // never overwrites.
    std::function<void(const QStringList &files, const QString &folder, TFileAction action)>
        transferFiles;
    // The system's error sound, made before a volume that is not ready is reported.
    std::function<void()> errorSound;

Q_SIGNALS:
    void BeforeDeleteItems();
    void OnDeleteItem(bool IsDir, const QString &FName);
    void AfterDeleteItems();
    void OnRenameItem(bool IsDir, const QString &OldFName, const QString &NewFName);
    // The list showed a folder by opening or going up: linked trees select it.
    void folderOpened(const QString &folder);
    // A folder was made, renamed or deleted from this list.
    void folderChanged(FolderChange change, const QString &oldPath, const QString &newPath);

private:
    void plainTransfer(const QStringList &files, const QString &folder, TFileAction action);
    void collectFiles(const QList<int> &rows, ClipboardMode mode);
    QStringList filesOfRows(const QList<int> &rows, bool reportFolders);

    FileListModel &m_model;
    Prompter &m_prompter;
    Shell &m_shell;
    FileListClipboard m_clipboard;
};
