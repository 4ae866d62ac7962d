#include "files/ui/TLsFilelistView27.h"

#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/Shell.h"
#include "files/ShellOpen.h"
#include "files/TextCodec.h"
#include "files/ui/TCCopyMoveBoxDlg.h"
#include "files/ui/TCopyFilesProgressBox.h"
#include "files/ui/TFFileAttributes.h"
#include "files/ui/TLsFileListView27PopUp.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMimeData>
#include <QStorageInfo>
#include <QStyle>

namespace {

// Shell icons by kind and extension: asking the provider for every one of thousands of files
// would stat each again.
class IconCache
{
public:
    QIcon iconFor(const FileListItem &item, const QStyle *style)
    {
        if (item.isParent)
            return style->standardIcon(QStyle::SP_FileDialogToParent);
        if (item.kind == FileItemKind::Drive)
            return m_provider.icon(item.driveType == DriveType::CdRom ? QFileIconProvider::Drive
                                                                      : QFileIconProvider::Drive);
        if (item.kind == FileItemKind::Dir)
            return m_provider.icon(QFileIconProvider::Folder);
        const QString ext = fileExtension(item.path()).toLower();
        auto found = m_byExtension.constFind(ext);
        if (found != m_byExtension.constEnd())
            return *found;
        const QIcon icon = m_provider.icon(QFileInfo(item.path()));
        m_byExtension.insert(ext, icon);
        return icon;
    }

private:
    QFileIconProvider m_provider;
    QHash<QString, QIcon> m_byExtension;
};

} // namespace

TLsFilelistView27::TLsFilelistView27(Prompter &prompter, Shell &shell, QWidget *parent)
    : QTreeView(parent), m_prompter(prompter), m_shell(shell), m_model(this),
      m_commands(m_model, prompter, shell, this)
{
    auto icons = std::make_shared<IconCache>();
    m_model.iconFor = [icons, this](const FileListItem &item) {
        return icons->iconFor(item, style());
    };
    m_model.setAsynchronous(true);
    setModel(&m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setStretchLastSection(false);
    header()->resizeSection(0, 220);
    header()->resizeSection(1, 70);
    header()->resizeSection(2, 90);
    header()->resizeSection(3, 150);
    header()->resizeSection(4, 60);
    // The selection stays drawn as selected when the list loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    sendToFolder = sendToFolderPath();
    chooseFolder = [](QWidget *owner, const QString &start) {
        return QFileDialog::getExistingDirectory(owner, QStringLiteral("Envia a"), start);
    };
    askText = [](QWidget *owner, const QString &title,
                 const QString &prompt) -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };
    askAttributes = [](QWidget *owner, const QString &name,
                       const FileAttributes &attributes) -> std::optional<FileAttributes> {
        TFFileAttributes dialog(name, attributes, owner);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.attributes();
    };

    m_commands.transferFiles = [this](const QStringList &files, const QString &folder,
                                      TFileAction action) { transfer(files, folder, action); };
    m_commands.errorSound = [] { QApplication::beep(); };
    m_popup = new TLsFileListView27PopUp(*this);

    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        m_model.clickColumn(section);
        updateSortIndicator();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, &TLsFilelistView27::onDoubleClick);
    connect(&m_model, &FileListModel::listingFinished, this, &TLsFilelistView27::onListingFinished);
    connect(&m_model, &FileListModel::OnChangeDirectory, this,
            &TLsFilelistView27::OnChangeDirectory);
    connect(&m_model, &QAbstractItemModel::modelReset, this,
            [this] { m_selectedFilePath.clear(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TLsFilelistView27::OnChange);
    connect(&m_commands, &FileListCommands::BeforeDeleteItems, this,
            &TLsFilelistView27::BeforeDeleteItems);
    connect(&m_commands, &FileListCommands::AfterDeleteItems, this,
            &TLsFilelistView27::AfterDeleteItems);
    connect(&m_commands, &FileListCommands::OnDeleteItem, this, &TLsFilelistView27::OnDeleteItem);
    connect(&m_commands, &FileListCommands::OnRenameItem, this, &TLsFilelistView27::OnRenameItem);
    connect(&m_commands, &FileListCommands::folderOpened, this, [this](const QString &folder) {
        for (LinkedFolderTree *tree : linkedTrees())
            tree->OpenPath(folder);
    });
    connect(&m_commands, &FileListCommands::folderChanged, this,
            &TLsFilelistView27::followFolderChange);
    updateSortIndicator();
    m_model.Reread();
}

TLsFilelistView27::~TLsFilelistView27()
{
    // The model goes before the view's base: no selection model may outlive it half-torn.
    setModel(nullptr);
}

QString TLsFilelistView27::Directory() const
{
    if (m_model.isDriveList())
        return driveListText();
    return excludeTrailingSeparator(m_model.Directory());
}

void TLsFilelistView27::SetDirectory(const QString &path)
{
    m_model.setDirectory(path);
}

void TLsFilelistView27::editSettings(const std::function<void(FileListSettings &)> &change)
{
    FileListSettings s = m_model.settings();
    change(s);
    m_model.setSettings(s);
}

void TLsFilelistView27::setMask(const QString &mask)
{
    editSettings([&](FileListSettings &s) { s.Mask = mask; });
}
void TLsFilelistView27::setMaskExc(const QString &mask)
{
    editSettings([&](FileListSettings &s) { s.MaskExc = mask; });
}
void TLsFilelistView27::setShowFolders(bool on)
{
    editSettings([&](FileListSettings &s) { s.ShowFolders = on; });
}
void TLsFilelistView27::setShowHideFolders(bool on)
{
    editSettings([&](FileListSettings &s) { s.ShowHideFolders = on; });
}
void TLsFilelistView27::setHideFileExt(bool on)
{
    editSettings([&](FileListSettings &s) { s.display.hideFileExt = on; });
}
void TLsFilelistView27::setTypeName(bool on)
{
    editSettings([&](FileListSettings &s) { s.display.typeName = on; });
}
void TLsFilelistView27::setSizeInKbytes(bool on)
{
    editSettings([&](FileListSettings &s) { s.display.sizeInKbytes = on; });
}
void TLsFilelistView27::setDateFormat(TDTFormat format)
{
    editSettings([&](FileListSettings &s) { s.display.dateFormat = format; });
}
void TLsFilelistView27::setTimeFormatStr(const QString &format)
{
    editSettings([&](FileListSettings &s) { s.display.timeFormatStr = format; });
}
void TLsFilelistView27::setDateMin(const QDateTime &when)
{
    editSettings([&](FileListSettings &s) { s.filter.DateMin = when; });
}
void TLsFilelistView27::setDateMax(const QDateTime &when)
{
    editSettings([&](FileListSettings &s) { s.filter.DateMax = when; });
}
void TLsFilelistView27::setSizeMin(qint64 size)
{
    editSettings([&](FileListSettings &s) { s.filter.SizeMin = size; });
}
void TLsFilelistView27::setSizeMax(qint64 size)
{
    editSettings([&](FileListSettings &s) { s.filter.SizeMax = size; });
}
void TLsFilelistView27::setFtArchive(TPropertyPresent p)
{
    editSettings([&](FileListSettings &s) { s.filter.ftArchive = p; });
}
void TLsFilelistView27::setFtHidden(TPropertyPresent p)
{
    editSettings([&](FileListSettings &s) { s.filter.ftHidden = p; });
}
void TLsFilelistView27::setFtReadOnly(TPropertyPresent p)
{
    editSettings([&](FileListSettings &s) { s.filter.ftReadOnly = p; });
}
void TLsFilelistView27::setFtSystem(TPropertyPresent p)
{
    editSettings([&](FileListSettings &s) { s.filter.ftSystem = p; });
}

void TLsFilelistView27::setLink(TreeLink &link, LinkedFolderTree *tree)
{
    link.tree = tree;
    link.object = dynamic_cast<QObject *>(tree);
}

std::vector<LinkedFolderTree *> TLsFilelistView27::linkedTrees() const
{
    std::vector<LinkedFolderTree *> trees;
    for (const TreeLink *link : {&m_dirTree, &m_dirTreeCombo, &m_dirTreePanel})
        if (link->tree && link->object)
            trees.push_back(link->tree);
    return trees;
}

qint64 TLsFilelistView27::DriveFreeSpace() const
{
    if (m_model.isDriveList())
        return 0;
    const QStorageInfo storage(m_model.Directory());
    return storage.isValid() ? storage.bytesAvailable() / 1024 : 0;
}

QList<int> TLsFilelistView27::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TLsFilelistView27::hasSelection() const
{
    return selectionModel()->hasSelection();
}

int TLsFilelistView27::currentItemRow() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.front();
}

int TLsFilelistView27::SelectedNumber() const
{
    const int selected = int(selectionModel()->selectedRows().size());
    return selected > 0 ? selected : m_model.rowCount();
}

qint64 TLsFilelistView27::SelectedSize() const
{
    qint64 total = 0;
    for (int row : selectedRows())
        if (const FileListItem *item = m_model.item(row))
            total += item->texts[6].toLongLong();
    return total;
}

int TLsFilelistView27::SelectedFileCount() const
{
    int count = 0;
    for (int row : selectedRows())
        if (const FileListItem *item = m_model.item(row); item && item->kind == FileItemKind::File)
            ++count;
    return count;
}

QString TLsFilelistView27::SelectedFilePath() const
{
    const int row = m_model.rowOfPath(m_selectedFilePath);
    if (row < 0 || m_model.item(row)->kind != FileItemKind::File)
        return QString();
    return m_selectedFilePath;
}

void TLsFilelistView27::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    if (const FileListItem *item = m_model.item(current.row()))
        m_selectedFilePath = item->isParent ? QString() : item->path();
}

void TLsFilelistView27::onListingFinished()
{
    updateSortIndicator();
    if (m_model.rowCount() > 0 && !selectionModel()->hasSelection() &&
        !selectionModel()->currentIndex().isValid())
        selectionModel()->setCurrentIndex(m_model.index(0, 0), QItemSelectionModel::NoUpdate);
}

void TLsFilelistView27::updateSortIndicator()
{
    const FileListSortOrder &order = m_model.sortOrder();
    header()->setSortIndicatorShown(!m_model.isDriveList());
    // Toggled on shows the "up" arrow, which the styles draw for the descending indicator.
    header()->setSortIndicator(int(order.column),
                               order.toggled ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TLsFilelistView27::onDoubleClick(const QModelIndex &index)
{
    const FileListItem *item = m_model.item(index.row());
    if (!item)
        return;
    if (DblClickToOpen) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_commands.OpenItem(index.row());
        QApplication::restoreOverrideCursor();
    } else if (item->isParent) {
        GoUp();
    } else {
        Q_EMIT OnDblClick();
    }
}

void TLsFilelistView27::OpenSelected()
{
    const int row = currentItemRow();
    if (row < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_commands.OpenItem(row);
    QApplication::restoreOverrideCursor();
}

void TLsFilelistView27::ViewSelected()
{
    m_commands.ViewItem(currentItemRow());
}

void TLsFilelistView27::RenameSelected()
{
    const int row = currentItemRow();
    if (row < 0)
        return;
    const Fallible<void> allowed = m_commands.checkRenamable(row);
    if (!allowed.ok()) {
        if (!allowed.error().isEmpty())
            m_prompter.ShowError(allowed.error());
        return;
    }
    const QModelIndex index = m_model.index(row, 0);
    setCurrentIndex(index);
    edit(index);
}

void TLsFilelistView27::DeleteSelected()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_commands.DeleteItems(selectedRows());
    QApplication::restoreOverrideCursor();
}

void TLsFilelistView27::CutSelected()
{
    m_commands.CutItems(selectedRows());
}

void TLsFilelistView27::CopySelected()
{
    m_commands.CopyItems(selectedRows());
}

void TLsFilelistView27::PasteFiles()
{
    m_commands.PasteFiles();
}

void TLsFilelistView27::NewFolder()
{
    if (m_model.isDriveList() || !askText)
        return;
    const std::optional<QString> name = askText(this, QStringLiteral("Afegeix una nova carpeta"),
                                                QStringLiteral("Entra el nou nom per la carpeta"));
    if (name)
        m_commands.NewFolder(*name);
}

void TLsFilelistView27::EditAttributes()
{
    const int row = currentItemRow();
    const FileListItem *item = m_model.item(row);
    if (!item || item->isParent || item->kind == FileItemKind::Drive || !askAttributes)
        return;
    const QString path = item->path();
    const FileAttributes current = item->attributes;
    const std::optional<FileAttributes> chosen =
        askAttributes(this, extractFileName(path), current);
    const int nowRow = m_model.rowOfPath(path);
    if (chosen && nowRow >= 0)
        m_commands.WriteAttributes(nowRow, *chosen);
}

void TLsFilelistView27::GoUp()
{
    m_commands.GoUp();
}

void TLsFilelistView27::SendToFolder()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() || !chooseFolder)
        return;
    const QString start = m_filelistView && !m_filelistView->listModel().isDriveList()
                              ? m_filelistView->Directory()
                              : Directory();
    const QString folder = chooseFolder(this, start);
    if (folder.isEmpty())
        return;
    m_commands.SendToFolder(rows, folder);
    if (m_filelistView &&
        m_filelistView->listModel().Directory() == includeTrailingSeparator(folder)) {
        m_filelistView->Reread();
        for (LinkedFolderTree *tree : m_filelistView->linkedTrees())
            tree->Rebuild();
    }
}

void TLsFilelistView27::SendToClipboardAsContent()
{
    const FileListItem *item = m_model.item(currentItemRow());
    if (!item || item->kind != FileItemKind::File)
        return;
    const QString path = item->path();
    auto *mime = new QMimeData;
    switch (FileListCommands::clipboardContentKind(path)) {
    case ClipboardContent::None: delete mime; return;
    case ClipboardContent::Picture: {
        const QImage image(path);
        if (image.isNull()) {
            delete mime;
            return;
        }
        mime->setImageData(image);
        break;
    }
    case ClipboardContent::Metafile: {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            mime->setData(QStringLiteral("image/x-wmf"), f.readAll());
        break;
    }
    case ClipboardContent::RichText: {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            mime->setData(QStringLiteral("text/rtf"), bytes);
            mime->setText(decode8BitText(bytes).text);
        }
        break;
    }
    case ClipboardContent::Text: {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            mime->setText(decode8BitText(f.readAll()).text);
        break;
    }
    }
    QApplication::clipboard()->setMimeData(mime);
}

void TLsFilelistView27::SendToClipboardAsNames()
{
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(m_commands.pathsAsText(rows));
}

void TLsFilelistView27::SendToShortcut(const SendToEntry &entry)
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    if (!entry.targetFolder.isEmpty()) {
        m_commands.SendToFolder(rows, entry.targetFolder);
        return;
    }
    const FileListItem *item = m_model.item(currentItemRow());
    if (!item || item->isParent)
        return;
    const QString folder = extractFileDir(item->path());
    const Fallible<void> started = m_shell.startProgram(entry.program, {item->path()}, folder);
    if (!started.ok())
        m_prompter.ShowError(
            shellOpenMessage(QStringLiteral("open"), entry.program, started.error()));
}

void TLsFilelistView27::transfer(const QStringList &files, const QString &folder,
                                 TFileAction action)
{
    TCCopyMoveBoxDlg dialog(m_ops, m_prompter, window());
    dialog.Clear();
    dialog.setFileAction(action);
    dialog.CopyMoveToSingleDir = true;
    dialog.setOverwritePrompt(true);
    for (const QString &f : files)
        dialog.AddFile(f);
    if (dialog.count() == 0 || !dialog.setStrTargetDir(folder))
        return;
    (void)dialog.Execute();
}

void TLsFilelistView27::followFolderChange(FolderChange change, const QString &oldPath,
                                           const QString &newPath)
{
    const QString select =
        change == FolderChange::Created ? newPath : excludeTrailingSeparator(m_model.Directory());
    for (LinkedFolderTree *tree : linkedTrees()) {
        tree->Rebuild();
        tree->OpenPath(select);
    }
    TLsFilelistView27 *other = m_filelistView;
    if (!other || other->listModel().isDriveList())
        return;
    const QString shown = other->listModel().Directory();
    const QString oldFolder = includeTrailingSeparator(oldPath);
    if (change == FolderChange::Renamed && shown.startsWith(oldFolder)) {
        other->SetDirectory(includeTrailingSeparator(newPath) + shown.mid(oldFolder.size()));
        return;
    }
    if (includeTrailingSeparator(parentFolder(oldPath)) == shown)
        other->Reread();
}

void TLsFilelistView27::keyPressEvent(QKeyEvent *event)
{
    if (state() == QAbstractItemView::EditingState) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool plain = mods == Qt::NoModifier || mods == Qt::KeypadModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    const bool selected = hasSelection();
    const int key = event->key();
    auto done = [event] { event->accept(); };
    if (plain) {
        switch (key) {
        case Qt::Key_F5: Reread(); return done();
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selected)
                OpenSelected();
            return done();
        case Qt::Key_F2:
            if (selected)
                RenameSelected();
            return done();
        case Qt::Key_Delete:
            if (selected)
                DeleteSelected();
            return done();
        case Qt::Key_Backspace: GoUp(); return done();
        case Qt::Key_F3:
            // The desktop's nearest thing to a search of the folder: its file manager there.
            if (!m_model.isDriveList())
                (void)ShellOpen(m_shell, m_prompter, QStringLiteral("open"), Directory(), QString(),
                                QString(), ShowMode::Show);
            return done();
        default: break;
        }
    } else if (ctrl) {
        switch (key) {
        case Qt::Key_O:
            if (selected)
                OpenSelected();
            return done();
        case Qt::Key_F:
            if (selected)
                ViewSelected();
            return done();
        case Qt::Key_C:
            if (selected)
                CopySelected();
            return done();
        case Qt::Key_X:
            if (selected)
                CutSelected();
            return done();
        case Qt::Key_V:
            if (!m_commands.clipboard().names.isEmpty())
                PasteFiles();
            return done();
        case Qt::Key_N:
            if (!m_model.isDriveList())
                NewFolder();
            return done();
        default: break;
        }
    }
    QTreeView::keyPressEvent(event);
}

void TLsFilelistView27::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_popupEnabled || !m_popup) {
        QTreeView::contextMenuEvent(event);
        return;
    }
    m_popup->prepare();
    m_popup->popup(event->globalPos() + QPoint(10, 10));
    event->accept();
}
