#include "files/ui/TLsDirTree20.h"

#include "files/FolderBranch.h"
#include "files/FolderDrives.h"
#include "files/FolderTreeModel.h"
#include "files/FolderTreeTexts.h"
#include "files/Prompter.h"
#include "files/Shell.h"
#include "files/TreeWalk.h"
#include "files/ui/TLsDirTree20PopUp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

// Hands a committed name to the tree rather than to the model: the folder is renamed on disk
// first, after the questions, once the editor has closed.
class RenameDelegate : public QStyledItemDelegate
{
public:
    explicit RenameDelegate(TLsDirTree20 *tree) : QStyledItemDelegate(tree), m_tree(tree) {}

    void setModelData(QWidget *editor, QAbstractItemModel *,
                      const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line)
            return;
        const QPersistentModelIndex node(index);
        const QString name = line->text();
        QTimer::singleShot(0, m_tree, [tree = m_tree, node, name] {
            if (node.isValid())
                tree->RenameFolder(node, name);
        });
    }

private:
    TLsDirTree20 *m_tree;
};

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

TLsDirTree20::TLsDirTree20(Prompter &prompter, Shell &shell, QWidget *parent)
    : TTree0(prompter, parent), m_shell(shell)
{
    setObjectName(QStringLiteral("TLsDirTree20"));
    setItemDelegate(new RenameDelegate(this));
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_ownMenu = new TLsDirTree20PopUp(this);
    setPopUpMenu(m_ownMenu);
    Rebuild();
}

TLsDirTree20::~TLsDirTree20() = default;

void TLsDirTree20::Rebuild()
{
    TTree0::Rebuild();
    expand(folderModel()->rootIndex());
}

void TLsDirTree20::setPopUpMenuEnabled(bool enabled)
{
    m_popUpEnabled = enabled;
    setPopUpMenu(enabled ? m_ownMenu : nullptr);
}

void TLsDirTree20::setFileList(LinkedFileList *list)
{
    m_list.set(list);
    m_list.show(m_selectedPath);
}

LinkedFileList *TLsDirTree20::FileList() const
{
    return m_list.get();
}

void TLsDirTree20::OpenPath(const QString &path)
{
    if (openPathInTree(path))
        m_selectedPath = QDir::cleanPath(path);
}

void TLsDirTree20::chooseNode(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    FolderTreeModel *m = folderModel();
    if (!m->hasDrives())
        m->rebuild();
    QString path;
    switch (m->kindOf(index)) {
    case FolderTreeModel::NodeKind::Root: path = QStringLiteral("Dispositiu"); break;
    case FolderTreeModel::NodeKind::Drive: {
        path = m->pathOf(index);
        const DriveKind type = m->driveKindOf(index);
        if (type == DriveKind::Removable || type == DriveKind::CdRom) {
            const Fallible<void> ready = checkDriveReady(path);
            if (!ready.ok()) {
                QApplication::beep();
                prompter().ShowError(ready.error());
                return;
            }
        }
        break;
    }
    case FolderTreeModel::NodeKind::Folder:
        path = m->pathOf(index);
        // A folder removed while shown is not offered to the list.
        if (!QFileInfo(path).isDir()) {
            QApplication::beep();
            prompter().ShowError(folderNotFoundMessage(path));
            return;
        }
        break;
    }
    m_selectedPath = path;
    m_list.show(path);
    Q_EMIT OnSelectItem(path);
}

bool TLsDirTree20::AddFolder(const QString &name)
{
    const QModelIndex parent = selectedNode();
    if (!parent.isValid() || treeLevel(parent) == 0) {
        prompter().ShowError(QStringLiteral("No es poden afegir dispositius"));
        return false;
    }
    const Fallible<void> valid = checkNewFolderName(name);
    if (!valid.ok()) {
        QApplication::beep();
        prompter().ShowError(valid.error());
        return false;
    }
    const QString path = joinPath(folderModel()->pathOf(parent), name);
    // A folder already there, or one that may not be made, changes nothing.
    if (!QDir().mkdir(path))
        return false;
    Rebuild();
    OpenPath(path);
    if (name == QStringLiteral("Nova carpeta")) {
        m_justCreated = selectedNode();
        EditSelected();
    }
    return true;
}

void TLsDirTree20::EditSelected()
{
    const QModelIndex node = selectedNode();
    if (node.isValid())
        QAbstractItemView::edit(node);
}

bool TLsDirTree20::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!index.isValid() || m_readOnly || treeLevel(index) < 2)
        return false;
    return TTree0::edit(index, trigger, event);
}

void TLsDirTree20::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A new folder left with its name: a later rename of it asks as any other does.
    if (hint == QAbstractItemDelegate::RevertModelCache)
        m_justCreated = QPersistentModelIndex();
    TTree0::closeEditor(editor, hint);
}

void TLsDirTree20::RenameFolder(const QModelIndex &index, const QString &newName)
{
    const bool justCreated = m_justCreated.isValid() && QModelIndex(m_justCreated) == index;
    m_justCreated = QPersistentModelIndex();
    if (!index.isValid() || treeLevel(index) < 2)
        return;
    FolderTreeModel *m = folderModel();
    const QString oldName = index.data().toString();
    if (newName == oldName)
        return;
    const Fallible<void> valid = checkRenameFolderName(newName);
    if (!valid.ok()) {
        QApplication::beep();
        if (!valid.error().isEmpty())
            prompter().ShowError(valid.error());
        return;
    }
    if (!justCreated && !prompter().AskYes(renameFolderQuestion(oldName, newName)))
        return;
    const QString oldPath = m->pathOf(index);
    const QString parentPath = m->pathOf(index.parent());
    const QString newPath = joinPath(parentPath, newName);
    const QFileInfo target(newPath);
    // A rename onto another folder's name would replace it when empty: refused. (Only letter
    // case changed on a file system that ignores it names the same folder: allowed.)
    if (target.exists() && target.canonicalFilePath() != QFileInfo(oldPath).canonicalFilePath()) {
        prompter().ShowError(QStringLiteral("\"%1\" ja exiteix!").arg(newName));
        return;
    }
    if (!QFileInfo(oldPath).isDir()) {
        QApplication::beep();
        prompter().ShowError(folderNotFoundMessage(oldPath));
        return;
    }
    if (!QDir().rename(oldPath, newPath)) {
        prompter().ShowError(QStringLiteral("No s'ha pogut renomenar la carpeta\r%1").arg(oldPath));
        return;
    }
    const QPersistentModelIndex parent(index.parent());
    m->renameNode(index, newName);
    selectNode(parent);
    m_selectedPath = parentPath;
    m_list.show(parentPath);
}

void TLsDirTree20::DeleteFolder()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid() || treeLevel(node) < 2)
        return;
    const QString path = folderModel()->pathOf(node);
    if (!QFileInfo(path).isDir()) {
        QApplication::beep();
        prompter().ShowError(folderNotFoundMessage(path));
        return;
    }
    if (!prompter().AskYes(deleteFolderQuestion(path)))
        return;
    const Fallible<void> trashed = m_shell.moveToTrash(path);
    if (!trashed.ok()) {
        prompter().ShowError(
            QStringLiteral("No s'ha pogut esborrar la carpeta\r%1\r%2").arg(path, trashed.error()));
        return;
    }
    const QPersistentModelIndex parent(node.parent());
    const QString parentPath = folderModel()->pathOf(parent);
    selectNode(parent);
    folderModel()->removeRow(node.row(), parent);
    m_selectedPath = parentPath;
    m_list.show(parentPath);
}

void TLsDirTree20::TreeSize()
{
    const QModelIndex node = selectedNode();
    if (!node.isValid() || treeLevel(node) < 1)
        return;
    const QString path = folderModel()->pathOf(node);
    const bool volume = treeLevel(node) == 1;
    auto total = std::make_shared<BranchSize>();
    startJob(
        path,
        [path, total](const std::atomic_bool &cancel, std::atomic<qint64> &count) {
            *total = measureFolderBranch(path, cancel, count);
        },
        [this, path, volume, total] {
            if (!total->cancelled)
                prompter().ShowInfo(treeSizeMessage(volume, path, total->bytes));
        });
}

void TLsDirTree20::mousePressEvent(QMouseEvent *event)
{
    TTree0::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton ? QPersistentModelIndex(nodeAtLabel(event->pos()))
                                                  : QPersistentModelIndex();
}

void TLsDirTree20::mouseReleaseEvent(QMouseEvent *event)
{
    TTree0::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_pressed.isValid())
        return;
    const QModelIndex released = nodeAtLabel(event->pos());
    const QModelIndex pressed = m_pressed;
    m_pressed = QPersistentModelIndex();
    if (released == pressed && state() != EditingState)
        chooseNode(pressed);
}

void TLsDirTree20::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != EditingState) {
        chooseNode(selectedNode());
        event->accept();
        return;
    }
    TTree0::keyPressEvent(event);
}
