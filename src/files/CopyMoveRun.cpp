#include "files/CopyMoveRun.h"

#include "files/FileChecks.h"
#include "files/FileOps.h"
#include "files/Prompter.h"
#include "files/TGenericFileList.h"

#include <QElapsedTimer>

#include <algorithm>
#include <utility>

namespace {

bool isRootOf(const QString &folder, const VolumeInfo &v)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f == v.root;
}

} // namespace

CopyMoveRun::CopyMoveRun(FileOps &ops, Prompter &prompter, QObject *parent)
    : QObject(parent), m_ops(ops), m_prompter(prompter)
{}

CopyMoveRun::~CopyMoveRun()
{
    if (m_worker.joinable()) {
        m_control->requestAbort();
        m_worker.join();
    }
}

Fallible<void> CopyMoveRun::validateFolder(FileOps &ops, const QString &folder, Access access)
{
    if (folder.isEmpty() || !folder.startsWith(QLatin1Char('/')))
        return Fallible<void>::failure(QStringLiteral("L'identificador del disc és invàlid"));
    const VolumeInfo v = ops.volume(folder);
    if (!v.valid)
        return Fallible<void>::failure(QString());
    if (access == Access::Write && v.readOnly)
        return Fallible<void>::failure(QStringLiteral("No es pot modificar un CD-ROM"));
    if (!isRootOf(folder, v) && !ops.isFolder(folder))
        return Fallible<void>::failure(
            QStringLiteral("El directori '%1' no s'ha trobat").arg(folder));
    return Fallible<void>::success();
}

void CopyMoveRun::start(const CopyMoveOptions &options, const TGenericFileList &files)
{
    if (m_running)
        return;
    m_options = options;
    m_running = true;
    m_stopped = false;
    m_cancelPressed = false;
    m_createdFolders = 0;
    m_filesDone = 0;
    m_bytesDone = 0;
    m_items.clear();
    m_index = 0;
    m_control = std::make_unique<CopyControl>();
    m_inStep = true;
    const bool go = prepareChecks(files);
    m_inStep = false;
    if (go)
        scheduleNext();
}

bool CopyMoveRun::prepareChecks(const TGenericFileList &files)
{
    const QString verb = actionVerb(m_options.action);
    m_folders = files.dirList().folders();
    if (files.count() == 0 && m_folders.isEmpty()) {
        m_prompter.ShowWarning(QStringLiteral("No hi ha cap fitxer per %1!").arg(verb));
        finish(false);
        return false;
    }
    if (m_options.targetDir.isEmpty()) {
        stop(QStringLiteral("No està assignat el directori de destí"));
        return false;
    }
    if (files.count() == 0) {
        if (!m_prompter.AskYes(
                QStringLiteral("No hi ha cap arxiu sel·leccionat. Copiar sols l'arbre a destí?"))) {
            finish(false);
            return false;
        }
        const QString common = commonFolderPrefix(m_folders);
        for (const QString &folder : m_folders) {
            const QString made = copyMoveTargetName(
                copyTreeOnlyPath(folder, common), QStringLiteral("."), m_options.targetDir, false);
            if (m_ops.isFolder(made))
                continue;
            if (m_ops.makeFolders(made)) {
                ++m_createdFolders;
                continue;
            }
            if (!m_prompter.AskYes(
                    QStringLiteral("No s'ha pogut crear el directori '%1', continuar?")
                        .arg(made))) {
                finish(false);
                return false;
            }
        }
        finish(true);
        return false;
    }
    QStringList fullNames = files.fullNames();
    if (m_options.singleDir) {
        const QStringList clashing = singleDirClashes(fullNames);
        if (!clashing.isEmpty()) {
            stop(clashMessage(m_options.action, clashing));
            return false;
        }
    }

    // The transfer proper: the folders first.
    const QString sourceDir = files.StrSourceDir();
    if (!sourceDir.isEmpty()) {
        const Fallible<void> valid =
            validateFolder(m_ops, sourceDir,
                           m_options.action == TFileAction::faMove ? Access::Write : Access::Read);
        if (!valid.ok()) {
            stop(valid.error());
            return false;
        }
    }
    const Fallible<void> target = validateFolder(m_ops, m_options.targetDir, Access::Write);
    if (!target.ok()) {
        stop(target.error());
        return false;
    }
    // The same folder under two spellings (a link, a trailing separator) is still the same.
    if (!sourceDir.isEmpty() &&
        (sourceDir == m_options.targetDir || m_ops.sameFile(sourceDir, m_options.targetDir))) {
        stop(QStringLiteral("No es poden sobrescriure els arxius"));
        return false;
    }

    std::vector<qsizetype> order(std::size_t(files.count()));
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return files.name(a) < files.name(b); });
    std::vector<PlannedFile> planned;
    qint64 allowance = 0;
    for (qsizetype i : order) {
        Item item;
        item.source = files.fullName(i);
        item.target =
            copyMoveTargetName(files.name(i), sourceDir, m_options.targetDir, m_options.singleDir);
        item.size = std::max<qint64>(m_ops.size(item.source), 0);
        m_items.push_back(item);
        planned.push_back({folderPart(item.target), item.size});
        const qint64 replaced = m_ops.isFolder(item.target) ? 0 : m_ops.size(item.target);
        allowance +=
            spaceAllowance(m_options.action, m_ops.sameVolume(item.source, m_options.targetDir),
                           item.size, replaced);
    }
    m_total = transferTotal(planned, [this](const QString &f) { return m_ops.isFolder(f); });
    const VolumeInfo v = m_ops.volume(m_options.targetDir);
    if (m_total > v.capacityBytes) {
        stop(notEnoughSpaceMessage(false, v.capacityBytes, m_total));
        return false;
    }
    if (m_total - allowance > v.freeBytes) {
        stop(notEnoughSpaceMessage(true, v.freeBytes, m_total));
        return false;
    }
    m_overwriteAll = !m_options.overwritePrompt && !m_options.overwriteNewerPrompt;
    m_readOnlyAll = false;
    Q_EMIT transferStarted();
    Q_EMIT totalProgress(0);
    return true;
}

void CopyMoveRun::scheduleNext()
{
    QMetaObject::invokeMethod(this, &CopyMoveRun::nextFile, Qt::QueuedConnection);
}

void CopyMoveRun::nextFile()
{
    if (!m_running || m_stopped)
        return;
    if (m_cancelPressed) {
        m_cancelPressed = false;
        askCancel();
        if (m_stopped)
            return;
    }
    if (m_index >= m_items.size()) {
        finish(true);
        return;
    }
    const Item &item = m_items[m_index];
    m_inStep = true;
    const Step step = prepareFile(item);
    m_inStep = false;
    switch (step) {
    case Step::Continue: fileFinished(true); break;
    case Step::Skip: fileFinished(false); break;
    case Step::Worker:
        // Cancel pressed while this file's questions were up: asked now, the copy held.
        if (m_cancelPressed && !m_stopped) {
            m_cancelPressed = false;
            askCancel();
        }
        break;
    case Step::Stop: break;
    }
}

CopyMoveRun::Step CopyMoveRun::prepareFile(const Item &item)
{
    const QString folder = folderPart(item.target);
    if (!m_ops.isFolder(folder)) {
        if (m_ops.exists(folder) || !m_ops.makeFolders(folder)) {
            stop(QStringLiteral("No s'ha pogut crear el directori '%1'").arg(folder));
            return Step::Stop;
        }
        ++m_createdFolders;
    }
    const qint64 sourceSize = m_ops.size(item.source);
    if (sourceSize < 0 || m_ops.isFolder(item.source)) {
        stop(QStringLiteral("No es pot obrir: '%1'").arg(item.source));
        return Step::Stop;
    }
    const QDateTime sourceTime = m_ops.modified(item.source);
    // Copying a file onto itself would leave nothing to copy from.
    if (m_ops.sameFile(item.source, item.target)) {
        stop(QStringLiteral("No es poden sobrescriure els arxius"));
        return Step::Stop;
    }
    qint64 replacedSize = 0;
    if (m_ops.exists(item.target)) {
        if (m_ops.isFolder(item.target)) {
            stop(QStringLiteral("No es pot crear '%1'").arg(item.target));
            return Step::Stop;
        }
        replacedSize = m_ops.size(item.target);
        const QDateTime targetTime = m_ops.modified(item.target);
        if (!m_overwriteAll && (m_options.overwritePrompt || targetTime > sourceTime)) {
            const MsgButton b = m_prompter.messageBoxEx(
                overwriteQuestion(item.target, replacedSize, targetTime, item.source, sourceSize,
                                  sourceTime),
                MsgKind::Confirmation,
                {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("All")});
            if (b == MsgButton::All)
                m_overwriteAll = true;
            else if (b != MsgButton::Yes)
                return Step::Skip;
        }
        if (m_ops.isReadOnly(item.target)) {
            if (!m_options.setFilesToNoReadOnly && m_options.promptOnDelReadOnlyFiles &&
                !m_readOnlyAll) {
                const MsgButton b = m_prompter.messageBoxEx(
                    QStringLiteral("Copiar a sobre del fitxer protegit '%1'?").arg(item.target),
                    MsgKind::Confirmation,
                    {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("All")});
                if (b == MsgButton::All)
                    m_readOnlyAll = true;
                else if (b != MsgButton::Yes)
                    return Step::Skip;
            }
            if (!m_ops.clearReadOnly(item.target)) {
                stop(QStringLiteral("No s'ha pogut esborrar '%1'").arg(item.target));
                return Step::Stop;
            }
        }
    }

    Q_EMIT fileStarted(item.source, item.target);
    Q_EMIT fileProgress(0);
    if (m_options.action == TFileAction::faMove && m_ops.moveByRename(item.source, item.target))
        return Step::Continue;

    const VolumeInfo v = m_ops.volume(folder);
    if (sourceSize > 0 && !(sourceSize < v.freeBytes + replacedSize)) {
        stop(QStringLiteral("No hi ha prou espai pel dispositiu de destí per: '%1'")
                 .arg(item.source));
        return Step::Stop;
    }
    startWorker(item,
                m_options.action == TFileAction::faMove ? Durability::OnDisk : Durability::Cached);
    return Step::Worker;
}

void CopyMoveRun::startWorker(const Item &item, Durability durability)
{
    CopyControl *control = m_control.get();
    FileOps *ops = &m_ops;
    const qint64 blockBytes = m_options.blockBytes;
    const QDateTime time = m_ops.modified(item.source);
    {
        std::lock_guard lock(m_mailbox.mutex);
        m_mailbox.progressPending = false;
        m_mailbox.result.reset();
    }
    Mailbox *mailbox = &m_mailbox;
    m_worker = std::thread([this, mailbox, ops, control, item, durability, time, blockBytes] {
        BlockCopier copier(*ops, *control);
        copier.blockBytes = blockBytes;
        // Progress reaches the window about twenty times a second, whatever the block size.
        QElapsedTimer sinceReport;
        sinceReport.start();
        copier.onProgress = [this, mailbox, &sinceReport](qint64 done, qint64 size) {
            if (sinceReport.elapsed() < 50 && done < size)
                return;
            sinceReport.restart();
            // The call is posted under the mailbox's lock, which the window's side takes before
            // the posted call is freed: the hand-over is then one a race checker can see, not
            // only the event queue's own lock inside Qt.
            std::lock_guard lock(mailbox->mutex);
            mailbox->done = done;
            mailbox->size = size;
            if (!std::exchange(mailbox->progressPending, true))
                QMetaObject::invokeMethod(this, "drainMailbox", Qt::QueuedConnection);
        };
        CopyResult result = copier.copy(item.source, item.target, time, durability);
        std::lock_guard lock(mailbox->mutex);
        mailbox->result = std::move(result);
        QMetaObject::invokeMethod(this, "drainMailbox", Qt::QueuedConnection);
    });
}

void CopyMoveRun::drainMailbox()
{
    bool progress = false;
    qint64 done = 0;
    qint64 size = 0;
    std::optional<CopyResult> result;
    {
        std::lock_guard lock(m_mailbox.mutex);
        std::swap(progress, m_mailbox.progressPending);
        done = m_mailbox.done;
        size = m_mailbox.size;
        result.swap(m_mailbox.result);
    }
    if (progress)
        reportProgress(done, size);
    if (result)
        onCopyDone(*result);
}

void CopyMoveRun::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

void CopyMoveRun::reportProgress(qint64 fileDone, qint64 fileSize)
{
    if (!m_worker.joinable())
        return;
    Q_EMIT fileProgress(percentOf(fileDone, fileSize));
    Q_EMIT totalProgress(percentOf(m_bytesDone + fileDone, m_total));
}

void CopyMoveRun::onCopyDone(const CopyResult &result)
{
    if (m_asking) {
        m_heldResult = result;
        return;
    }
    joinWorker();
    switch (result.outcome) {
    case CopyOutcome::Cancelled: finish(false); return;
    case CopyOutcome::Failed: stop(result.message); return;
    case CopyOutcome::Done: break;
    }
    const Item &item = m_items[m_index];
    if (m_options.action == TFileAction::faMove) {
        // The copy was checked against the source's size before it took the target's name;
        // only now may the source go.
        if (m_ops.size(item.target) != item.size || !m_ops.remove(item.source)) {
            stop(QStringLiteral("No s'ha pogut esborrar '%1'").arg(item.source));
            return;
        }
    }
    fileFinished(true);
    if (m_stopped && m_running)
        finish(false);
}

void CopyMoveRun::fileFinished(bool made)
{
    const Item &item = m_items[m_index];
    Q_EMIT fileDone(item.source, item.target, m_options.action, made);
    if (made)
        ++m_filesDone;
    m_bytesDone += item.size;
    Q_EMIT fileProgress(100);
    Q_EMIT totalProgress(percentOf(m_bytesDone, m_total));
    ++m_index;
    if (!m_stopped)
        scheduleNext();
}

void CopyMoveRun::requestCancel()
{
    if (!m_running || m_asking || m_stopped)
        return;
    if (m_inStep || !m_worker.joinable()) {
        m_cancelPressed = true;
        return;
    }
    askCancel();
}

void CopyMoveRun::askCancel()
{
    m_control->setPaused(true);
    m_asking = true;
    const bool yes =
        m_prompter.AskYes(QStringLiteral("Voleu interrompre de veritat el procés de còpia?"));
    m_asking = false;
    if (yes) {
        m_stopped = true;
        m_control->requestAbort();
        if (!m_worker.joinable() && !m_heldResult)
            finish(false);
    } else {
        m_control->setPaused(false);
    }
    if (m_heldResult) {
        const CopyResult held = *m_heldResult;
        m_heldResult.reset();
        onCopyDone(held);
    }
}

void CopyMoveRun::stop(const QString &message)
{
    if (!message.isEmpty())
        m_prompter.ShowError(message);
    finish(false);
}

void CopyMoveRun::finish(bool completed)
{
    if (!m_running)
        return;
    m_running = false;
    m_stopped = true;
    // The total counts the folders' room too, which no file's bytes fill.
    if (completed)
        Q_EMIT totalProgress(100);
    if (completed && m_options.action == TFileAction::faMove && m_options.deleteEmptyDirs) {
        for (const QString &folder : m_folders) // deepest first
            if (m_ops.isFolder(folder))
                (void)deleteEmptyFolderTree(folder);
    }
    QMetaObject::invokeMethod(
        this, [this, completed] { Q_EMIT finished(completed); }, Qt::QueuedConnection);
}
