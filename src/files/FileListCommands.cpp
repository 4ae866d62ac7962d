#include "files/FileListCommands.h"

#include "files/FileListModel.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/Shell.h"
#include "files/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStorageInfo>

#include <algorithm>

namespace {

QString alreadyExistsMessage(const QString &name)
{
    return QStringLiteral("\"%1\" ja exiteix!").arg(name);
}

QString readOnlyMessage()
{
    return QString::fromUtf8("És de sols lectura");
}

QString foldersNotCopiedMessage()
{
    return QStringLiteral("Les carpetes no poden ser retallades o copiades en aquest component");
}

// A name that stays inside its folder: not empty, no separator, no line break, not "." or "..".
bool isUsableName(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QChar(0) || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            return false;
    return true;
}

// "No es pot <verb> l'arxiu <path>, ja que: <reason>", the reason judged from the disk.
QString failedMessage(const QString &verb, const QString &path)
{
    QString reason = shellFailureReason(path, ShellOperation::MoveToTrash);
    if (reason.isEmpty())
        reason = shellResultReason(int(ShellResult::AccessDenied));
    return shellOpenMessage(verb, path, reason);
}

QString badNameMessage(const QString &name)
{
    return QString::fromUtf8("El nom \"%1\" no és vàlid").arg(name);
}

// The viewer programs of the list, by upper-cased extension.
enum class Viewer { None, TextEditor, Document };

Viewer viewerFor(const QString &path)
{
    static const QStringList text{
        QStringLiteral("C"),   QStringLiteral("CPP"), QStringLiteral("DPK"), QStringLiteral("DPR"),
        QStringLiteral("H"),   QStringLiteral("INF"), QStringLiteral("INI"), QStringLiteral("PAS"),
        QStringLiteral("PRG"), QStringLiteral("TXT")};
    static const QStringList documents{QStringLiteral("DOC"), QStringLiteral("RTF"),
                                       QStringLiteral("WRI"), QStringLiteral("BMP")};
    const QString ext = fileExtension(path).toUpper();
    if (ext.isEmpty())
        return Viewer::None;
    if (text.contains(ext))
        return Viewer::TextEditor;
    if (documents.contains(ext))
        return Viewer::Document;
    return Viewer::None;
}

} // namespace

FileListCommands::FileListCommands(FileListModel &model, Prompter &prompter, Shell &shell,
                                   QObject *parent)
    : QObject(parent), m_model(model), m_prompter(prompter), m_shell(shell)
{
    transferFiles = [this](const QStringList &files, const QString &folder, TFileAction action) {
        plainTransfer(files, folder, action);
    };
    // Queued: the rename re-reads the list, which must not happen inside the editor's commit.
    connect(
        &m_model, &FileListModel::captionEdited, this,
        [this](const QString &path, const QString &caption) {
            if (const int row = m_model.rowOfPath(path); row >= 0)
                RenameItem(row, caption);
        },
        Qt::QueuedConnection);
}

void FileListCommands::OpenItem(int row)
{
    const FileListItem *item = m_model.item(row);
    if (!item)
        return;
    if (item->isParent) {
        GoUp();
        return;
    }
    if (item->kind == FileItemKind::File) {
        (void)ShellOpen(m_shell, m_prompter, QStringLiteral("Open"), item->path(), QString(),
                        extractFileDir(item->path()), ShowMode::Show);
        return;
    }
    const QString folder = item->path();
    if (item->kind == FileItemKind::Drive && item->driveType == DriveType::Removable) {
        const Fallible<void> ready = driveReady(folder);
        if (!ready.ok()) {
            if (errorSound)
                errorSound();
            m_prompter.ShowError(ready.error());
            return;
        }
    }
    if (m_model.setDirectory(folder))
        Q_EMIT folderOpened(excludeTrailingSeparator(folder));
}

void FileListCommands::GoUp()
{
    if (m_model.isDriveList())
        return;
    const QString current = excludeTrailingSeparator(m_model.Directory());
    if (QDir(current).isRoot()) {
        m_model.setDirectory(driveListText());
        return;
    }
    const QString parent = parentFolder(current);
    if (m_model.setDirectory(parent))
        Q_EMIT folderOpened(excludeTrailingSeparator(parent));
}

bool FileListCommands::isViewable(const QString &path)
{
    return viewerFor(path) != Viewer::None;
}

void FileListCommands::ViewItem(int row)
{
    const FileListItem *item = m_model.item(row);
    if (!item || item->kind != FileItemKind::File)
        return;
    const QString path = item->path();
    Fallible<void> done = Fallible<void>::success();
    switch (viewerFor(path)) {
    case Viewer::None: return;
    case Viewer::TextEditor: done = m_shell.openInTextEditor(path); break;
    case Viewer::Document: done = m_shell.openDocument(path); break;
    }
    if (!done.ok())
        m_prompter.ShowError(cannotOpenMessage(path, done.error()));
}

Fallible<void> FileListCommands::checkRenamable(int row) const
{
    const FileListItem *item = m_model.item(row);
    if (!item || item->isParent || item->kind == FileItemKind::Drive)
        return Fallible<void>::failure(QString());
    if (m_model.ReadOnly() || item->attributes.readOnly)
        return Fallible<void>::failure(readOnlyMessage());
    return Fallible<void>::success();
}

Fallible<QString> FileListCommands::renameTarget(const FileListItem &item, const QString &caption,
                                                 bool hideFileExt)
{
    if (!isUsableName(caption))
        return Fallible<QString>::failure(badNameMessage(caption));
    const QString oldName = extractFileName(item.path());
    QString name = caption;
    if (captionHidesExtension(oldName, item.kind, hideFileExt))
        name += QLatin1Char('.') + fileExtension(oldName);
    return includeTrailingSeparator(extractFileDir(item.path())) + name;
}

bool FileListCommands::RenameItem(int row, const QString &caption)
{
    const FileListItem *found = m_model.item(row);
    if (!found)
        return false;
    const FileListItem item = *found;
    const Fallible<void> allowed = checkRenamable(row);
    if (!allowed.ok()) {
        if (!allowed.error().isEmpty())
            m_prompter.ShowError(allowed.error());
        return false;
    }
    const Fallible<QString> target =
        renameTarget(item, caption, m_model.settings().display.hideFileExt);
    if (!target.ok()) {
        m_prompter.ShowError(target.error());
        return false;
    }
    const QString oldPath = item.path();
    const QString newPath = target.value();
    // Names differing only in letter case are different files here: only the same text is
    // no change.
    if (newPath == oldPath)
        return false;
    const QFileInfo newInfo(newPath);
    if (newInfo.exists() || newInfo.isSymLink()) {
        m_prompter.ShowError(alreadyExistsMessage(extractFileName(newPath)));
        return false;
    }
    const bool isDir = item.kind == FileItemKind::Dir;
    const bool renamed = QFile::rename(oldPath, newPath);
    if (renamed)
        Q_EMIT OnRenameItem(isDir, oldPath, newPath);
    else
        m_prompter.ShowError(failedMessage(QStringLiteral("renomenar"), oldPath));
    m_model.Reread();
    if (renamed && isDir)
        Q_EMIT folderChanged(FolderChange::Renamed, oldPath, newPath);
    return renamed;
}

void FileListCommands::DeleteItems(const QList<int> &rows)
{
    if (m_model.isDriveList() || !QFileInfo(m_model.Directory()).isDir())
        return;
    struct Doomed
    {
        QString path;
        bool isDir;
    };
    std::vector<Doomed> doomed;
    bool anyFolder = false;
    for (int row : rows) {
        const FileListItem *item = m_model.item(row);
        if (!item || item->isParent || item->kind == FileItemKind::Drive)
            continue;
        const bool isDir = item->kind == FileItemKind::Dir;
        anyFolder = anyFolder || isDir;
        doomed.push_back({item->path(), isDir});
    }
    if (doomed.empty())
        return;
    Q_EMIT BeforeDeleteItems();
    for (const Doomed &d : doomed) {
        const Fallible<void> done = m_shell.moveToTrash(d.path);
        // The trash asks nothing, so a failure without words still has to be told.
        if (done.ok())
            Q_EMIT OnDeleteItem(d.isDir, d.path);
        else
            m_prompter.ShowError(done.error().isEmpty()
                                     ? failedMessage(QStringLiteral("esborrar"), d.path)
                                     : done.error());
    }
    Q_EMIT AfterDeleteItems();
    m_model.Reread();
    m_clipboard = FileListClipboard();
    if (anyFolder)
        Q_EMIT folderChanged(FolderChange::Deleted, doomed.front().path, QString());
}

QStringList FileListCommands::filesOfRows(const QList<int> &rows, bool reportFolders)
{
    QStringList files;
    for (int row : rows) {
        const FileListItem *item = m_model.item(row);
        if (!item)
            continue;
        if (item->kind != FileItemKind::File) {
            if (reportFolders && !item->isParent)
                m_prompter.ShowError(foldersNotCopiedMessage());
            continue;
        }
        files.append(item->path());
    }
    return files;
}

void FileListCommands::collectFiles(const QList<int> &rows, ClipboardMode mode)
{
    m_clipboard = FileListClipboard();
    m_clipboard.names = filesOfRows(rows, true);
    m_clipboard.mode = mode;
}

void FileListCommands::CutItems(const QList<int> &rows)
{
    collectFiles(rows, ClipboardMode::Cut);
}

void FileListCommands::CopyItems(const QList<int> &rows)
{
    collectFiles(rows, ClipboardMode::Copy);
}

void FileListCommands::PasteFiles()
{
    if (m_model.isDriveList() || !QFileInfo(m_model.Directory()).isDir())
        return;
    if (m_clipboard.names.isEmpty()) {
        m_prompter.messageBoxEx(QStringLiteral("No hi ha cap arxiu seleccionat"),
                                MsgKind::Information, {QStringLiteral("OK")});
        return;
    }
    const QString folder = m_model.Directory();
    // A file pasted into its own folder would be copied or moved onto itself.
    QStringList files;
    for (const QString &name : std::as_const(m_clipboard.names))
        if (includeTrailingSeparator(extractFileDir(name)) != folder)
            files.append(name);
    const TFileAction action =
        m_clipboard.mode == ClipboardMode::Cut ? TFileAction::faMove : TFileAction::faCopy;
    if (!files.isEmpty() && transferFiles)
        transferFiles(files, folder, action);
    m_model.Reread();
    m_clipboard = FileListClipboard();
}

bool FileListCommands::NewFolder(const QString &name)
{
    if (m_model.isDriveList())
        return false;
    if (!isUsableName(name)) {
        m_prompter.ShowError(badNameMessage(name));
        return false;
    }
    const QString path = m_model.Directory() + name;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        m_prompter.ShowError(alreadyExistsMessage(name));
        m_prompter.ShowError(QStringLiteral("%1 ja existia").arg(path));
        return false;
    }
    if (!QDir().mkdir(path)) {
        m_prompter.ShowError(failedMessage(QStringLiteral("crear"), path));
        return false;
    }
    m_model.Reread();
    Q_EMIT folderChanged(FolderChange::Created, path, path);
    return true;
}

bool FileListCommands::WriteAttributes(int row, const FileAttributes &attributes)
{
    const FileListItem *item = m_model.item(row);
    if (!item || item->isParent || item->kind == FileItemKind::Drive)
        return false;
    bool written = false;
    if (attributes.readOnly != item->attributes.readOnly) {
        QFile file(item->path());
        QFileDevice::Permissions p = file.permissions();
        // Qt sets the owner's write bit for either flag.
        if (attributes.readOnly)
            p &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser);
        else
            p |= QFileDevice::WriteOwner;
        written = file.setPermissions(p);
    }
    m_model.Reread();
    return written;
}

void FileListCommands::SendToFolder(const QList<int> &rows, const QString &folder)
{
    m_clipboard = FileListClipboard();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    const QString target = includeTrailingSeparator(QFileInfo(folder).absoluteFilePath());
    QStringList files;
    for (const QString &f : filesOfRows(rows, true))
        if (includeTrailingSeparator(extractFileDir(f)) != target)
            files.append(f);
    if (!files.isEmpty() && transferFiles)
        transferFiles(files, target, TFileAction::faCopy);
    if (target == m_model.Directory())
        m_model.Reread();
}

QString FileListCommands::pathsAsText(const QList<int> &rows) const
{
    QStringList paths;
    for (int row : rows)
        if (const FileListItem *item = m_model.item(row); item && !item->isParent)
            paths.append(item->path());
    return paths.join(QLatin1Char('\n'));
}

ClipboardContent FileListCommands::clipboardContentKind(const QString &path)
{
    const QString ext = fileExtension(path).toUpper();
    if (ext == QStringLiteral("WMF"))
        return ClipboardContent::Metafile;
    if (ext == QStringLiteral("RTF"))
        return ClipboardContent::RichText;
    if (ext == QStringLiteral("BMP") || !QImageReader::imageFormat(path).isEmpty())
        return ClipboardContent::Picture;
    if (viewerFor(path) == Viewer::TextEditor)
        return ClipboardContent::Text;
    if (QMimeDatabase().mimeTypeForFile(path).inherits(QStringLiteral("text/plain")))
        return ClipboardContent::Text;
    return ClipboardContent::None;
}

Fallible<void> FileListCommands::driveReady(const QString &root)
{
    const QStorageInfo storage(root);
    if (root.isEmpty() || !storage.isValid() ||
        QDir::cleanPath(storage.rootPath()) != QDir::cleanPath(root))
        return Fallible<void>::failure(
            QString::fromUtf8("No és un identificador vàlid per a un dispositiu"));
    if (!storage.isReady() || storage.bytesTotal() <= 0)
        return Fallible<void>::failure(
            QString::fromUtf8("No hi ha el disc al dispositiu %1\no el dispositiu no està llest")
                .arg(excludeTrailingSeparator(root)));
    return Fallible<void>::success();
}

void FileListCommands::plainTransfer(const QStringList &files, const QString &folder,
                                     TFileAction action)
{
    for (const QString &source : files) {
        const QString target = includeTrailingSeparator(folder) + extractFileName(source);
        if (QFileInfo::exists(target)) {
            m_prompter.ShowError(alreadyExistsMessage(extractFileName(target)));
            continue;
        }
        const bool done = action == TFileAction::faMove ? QFile::rename(source, target)
                                                        : QFile::copy(source, target);
        if (!done)
            m_prompter.ShowError(failedMessage(actionVerb(action), source));
    }
}
