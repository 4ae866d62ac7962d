#pragma once

#include "files/CopyMovePlan.h"
#include "files/ui/TCCMDBoxDlg.h"

#include <QPointer>

#include <functional>

class CopyMoveRun;
class QWidget;
class TCopyFilesProgressBox;

// Copies or moves the collected files to a target folder, asking before overwriting, with the
// progress window open while it runs and a report to the owner for every file. The owner clears
// the names, sets the action, adds the files, sets the target and calls Execute (or start, and
// waits for `finished`).
class TCCopyMoveBoxDlg : public TCCMDBoxDlg
{
    Q_OBJECT

public:
    TCCopyMoveBoxDlg(FileOps &ops, Prompter &prompter, QWidget *window = nullptr,
                     QObject *parent = nullptr);
    ~TCCopyMoveBoxDlg() override;

    bool CopyMoveToSingleDir = false;
    bool OverwriteReadOnlyFiles = false;
    // Called once per file: source, target, action, whether the file was written.
    std::function<void(const QString &, const QString &, TFileAction, bool)> OnNotifyCopyMoveMade;

    TFileAction FileAction() const { return m_action; }
    // A move needs a source folder it may change: it is checked again.
    void setFileAction(TFileAction action);
    bool OverwritePrompt() const { return m_overwritePrompt; }
    void setOverwritePrompt(bool on);
    bool OverwriteNewerPrompt() const { return m_overwriteNewerPrompt; }
    void setOverwriteNewerPrompt(bool on);
    const QString &StrTargetDir() const { return m_targetDir; }
    // Refused (with the reason shown) when the folder does not pass the folder checks.
    bool setStrTargetDir(const QString &folder);

    // Runs the operation and returns whether it completed; the event loop keeps running.
    bool Execute();
    // Starts it and returns at once; `finished` tells the result.
    void start();
    bool isRunning() const;
    // The progress window while a run is on, else null.
    TCopyFilesProgressBox *progressWindow() const { return m_progress; }
    // Block size of the copy, for the benchmarks.
    qint64 blockBytes = qint64(1) << 20;

Q_SIGNALS:
    void finished(bool completed);
    void progressShown(TCopyFilesProgressBox *window);

private:
    void showProgress();
    void onFinished(bool completed);

    QWidget *m_window = nullptr;
    CopyMoveRun *m_run = nullptr;
    QPointer<TCopyFilesProgressBox> m_progress;
    TFileAction m_action = TFileAction::faCopy;
    bool m_overwritePrompt = false;
    bool m_overwriteNewerPrompt = true;
    QString m_targetDir;
};
