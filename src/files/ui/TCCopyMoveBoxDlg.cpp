#include "files/ui/TCCopyMoveBoxDlg.h"

#include "files/CopyMoveRun.h"
#include "files/Prompter.h"
#include "files/ui/TCopyFilesProgressBox.h"

#include <QEventLoop>

TCCopyMoveBoxDlg::TCCopyMoveBoxDlg(FileOps &ops, Prompter &prompter, QWidget *window,
                                   QObject *parent)
    : TCCMDBoxDlg(ops, prompter, parent), m_window(window),
      m_run(new CopyMoveRun(ops, prompter, this))
{
    connect(m_run, &CopyMoveRun::finished, this, &TCCopyMoveBoxDlg::onFinished);
    connect(m_run, &CopyMoveRun::fileDone, this,
            [this](const QString &source, const QString &target, TFileAction action, bool made) {
                if (OnNotifyCopyMoveMade)
                    OnNotifyCopyMoveMade(source, target, action, made);
            });
    connect(m_run, &CopyMoveRun::transferStarted, this, &TCCopyMoveBoxDlg::showProgress);
    connect(m_run, &CopyMoveRun::fileStarted, this,
            [this](const QString &source, const QString &target) {
                if (m_progress)
                    m_progress->setFiles(source, target);
            });
    connect(m_run, &CopyMoveRun::fileProgress, this, [this](int percent) {
        if (m_progress)
            m_progress->setFilePercent(percent);
    });
    connect(m_run, &CopyMoveRun::totalProgress, this, [this](int percent) {
        if (m_progress)
            m_progress->setTotalPercent(percent);
    });
}

TCCopyMoveBoxDlg::~TCCopyMoveBoxDlg()
{
    delete m_progress;
}

void TCCopyMoveBoxDlg::setFileAction(TFileAction action)
{
    m_action = action;
    if (action == TFileAction::faMove && !StrSourceDir().isEmpty()) {
        const Fallible<void> valid =
            CopyMoveRun::validateFolder(m_ops, StrSourceDir(), CopyMoveRun::Access::Write);
        if (!valid.ok() && !valid.error().isEmpty())
            m_prompter.ShowError(valid.error());
    }
}

void TCCopyMoveBoxDlg::setOverwritePrompt(bool on)
{
    m_overwritePrompt = on;
    if (on)
        m_overwriteNewerPrompt = true;
}

void TCCopyMoveBoxDlg::setOverwriteNewerPrompt(bool on)
{
    m_overwriteNewerPrompt = on;
    if (!on)
        m_overwritePrompt = false;
}

bool TCCopyMoveBoxDlg::setStrTargetDir(const QString &folder)
{
    const Fallible<void> valid =
        CopyMoveRun::validateFolder(m_ops, folder, CopyMoveRun::Access::Write);
    if (!valid.ok()) {
        if (!valid.error().isEmpty())
            m_prompter.ShowError(valid.error());
        return false;
    }
    m_targetDir = folder;
    return true;
}

bool TCCopyMoveBoxDlg::isRunning() const
{
    return m_run->isRunning();
}

void TCCopyMoveBoxDlg::start()
{
    if (m_run->isRunning())
        return;
    CopyMoveOptions options;
    options.action = m_action;
    options.singleDir = CopyMoveToSingleDir;
    options.overwritePrompt = m_overwritePrompt;
    options.overwriteNewerPrompt = m_overwriteNewerPrompt;
    options.setFilesToNoReadOnly = SetFilesToNoReadOnly();
    options.promptOnDelReadOnlyFiles = PromptOnDelReadOnlyFiles();
    options.deleteEmptyDirs = DeleteEmptyDirs;
    options.targetDir = m_targetDir;
    options.blockBytes = blockBytes;

    m_run->start(options, *this);
}

bool TCCopyMoveBoxDlg::Execute()
{
    bool completed = false;
    QEventLoop loop;
    const auto c = connect(this, &TCCopyMoveBoxDlg::finished, &loop, [&](bool ok) {
        completed = ok;
        loop.quit();
    });
    start();
    // The run always reports from the event loop, even when it stops at its first check.
    loop.exec();
    disconnect(c);
    return completed;
}

void TCCopyMoveBoxDlg::showProgress()
{
    delete m_progress;
    m_progress = new TCopyFilesProgressBox(m_window);
    m_progress->setWindowTitle(m_action == TFileAction::faCopy ? QStringLiteral("Copiant...")
                                                               : QStringLiteral("Movent..."));
    // Modal to the program while it runs, but shown without a loop of its own.
    m_progress->setWindowModality(Qt::ApplicationModal);
    connect(m_progress, &TCopyFilesProgressBox::cancelRequested, m_run,
            &CopyMoveRun::requestCancel);
    m_progress->show();
    Q_EMIT progressShown(m_progress);
}

void TCCopyMoveBoxDlg::onFinished(bool completed)
{
    m_createdFolders = m_run->createdFolders();
    m_filesDone = m_run->filesDone();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    Q_EMIT finished(completed);
}
