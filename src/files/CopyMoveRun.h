#pragma once

#include "files/BlockCopier.h"
#include "files/CopyMovePlan.h"
#include "files/Fallible.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class FileOps;
class Prompter;
class TGenericFileList;

struct CopyMoveOptions
{
    TFileAction action = TFileAction::faCopy;
    bool singleDir = false;
    bool overwritePrompt = false;
    bool overwriteNewerPrompt = true;
    bool setFilesToNoReadOnly = false;
    bool promptOnDelReadOnlyFiles = true;
    bool deleteEmptyDirs = false;
    QString targetDir;
    qint64 blockBytes = qint64(1) << 20;
};

// One copy or move of the files of a list, from the checks to the last file. The questions go
// through the Prompter on the calling thread; each file's bytes are copied on a thread of its
// own, so the caller's event loop keeps running and `requestCancel` is heard between blocks.
//
// States: idle -> (start) checks and questions -> per file: prepare (questions, folder,
// space) -> rename or copy on the worker -> file done -> next file ... -> finished. A cancel
// pauses the worker while the user is asked; Yes stops it (its temporary file removed), No lets
// it go on. `finished` is always delivered from the event loop, never from inside `start`.
class CopyMoveRun : public QObject
{
    Q_OBJECT
public:
    CopyMoveRun(FileOps &ops, Prompter &prompter, QObject *parent = nullptr);
    ~CopyMoveRun() override;

    // The folder checks shared with the component: an absolute path on a volume whose size can
    // be read, existing unless it is the volume's root, and not on a CD when it is to be written.
    enum class Access { Read, Write };
    static Fallible<void> validateFolder(FileOps &ops, const QString &folder, Access access);

    void start(const CopyMoveOptions &options, const TGenericFileList &files);
    // The progress window's Cancel.
    void requestCancel();
    bool isRunning() const { return m_running; }

    int createdFolders() const { return m_createdFolders; }
    int filesDone() const { return m_filesDone; }

Q_SIGNALS:
    // The checks passed and the files are about to go: the time to show progress.
    void transferStarted();
    void fileStarted(const QString &source, const QString &target);
    void fileProgress(int percent);
    void totalProgress(int percent);
    // Once per file: whether it was written (false: the user skipped it).
    void fileDone(const QString &source, const QString &target, TFileAction action, bool made);
    void finished(bool completed);

private:
    struct Item
    {
        QString source;
        QString target;
        qint64 size = 0;
    };

    bool prepareChecks(const TGenericFileList &files);
    void nextFile();
    // The synchronous part of one file; false when the run stopped.
    enum class Step { Continue, Skip, Worker, Stop };
    Step prepareFile(const Item &item);
    void startWorker(const Item &item, Durability durability);
    void onCopyDone(const CopyResult &result);
    void fileFinished(bool made);
    void askCancel();
    void stop(const QString &message);
    void finish(bool completed);
    void scheduleNext();
    void reportProgress(qint64 fileDone, qint64 fileSize);

    FileOps &m_ops;
    Prompter &m_prompter;
    CopyMoveOptions m_options;
    QStringList m_folders;
    std::vector<Item> m_items;
    std::size_t m_index = 0;
    qint64 m_total = 0;
    qint64 m_bytesDone = 0;
    bool m_running = false;
    bool m_overwriteAll = false;
    bool m_readOnlyAll = false;
    bool m_inStep = false;
    bool m_asking = false;
    bool m_cancelPressed = false;
    bool m_stopped = false;
    int m_createdFolders = 0;
    int m_filesDone = 0;

    // What the copy thread hands over: the latest progress and, at the end, its result. The
    // thread fills it under the mutex and asks for drainMailbox() through the event loop.
    struct Mailbox
    {
        std::mutex mutex;
        qint64 done = 0;
        qint64 size = 0;
        bool progressPending = false;
        std::optional<CopyResult> result;
    };
    Q_INVOKABLE void drainMailbox();
    void joinWorker();

    std::unique_ptr<CopyControl> m_control;
    Mailbox m_mailbox;
    std::thread m_worker;
    std::optional<CopyResult> m_heldResult; // a result that arrived while the user was asked
};
