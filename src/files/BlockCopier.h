#pragma once

#include "files/FileOps.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

// Shared between the thread that copies and the one that watches: a pause while the user is
// asked whether to stop, and the stop itself. The copy looks at both between blocks.
class CopyControl
{
public:
    void setPaused(bool paused);
    void requestAbort();
    bool aborted() const { return m_abort.load(); }
    // Waits while paused; true when the copy may go on, false when it was stopped.
    bool mayContinue();

private:
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_paused{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

enum class CopyOutcome { Done, Cancelled, Failed };

struct CopyResult
{
    CopyOutcome outcome = CopyOutcome::Failed;
    QString message; // the Catalan text when it failed
};

// Whether the copy must be on the disk before it counts as done: a move removes its source
// afterwards, so its copy may not live in memory alone.
enum class Durability { Cached, OnDisk };

// Copies one file in blocks under a temporary name beside the target, checks that the copy has
// the source's size, and only then renames it to the target (replacing a file there in one
// step). A failure or a stop removes the temporary file; the target name never holds a partial
// file, and an old file under it stays whole until the new one replaces it.
class BlockCopier
{
public:
    BlockCopier(FileOps &ops, CopyControl &control) : m_ops(ops), m_control(control) {}

    qint64 blockBytes = qint64(1) << 20;
    // Called after every block with the bytes copied so far and the source's size.
    std::function<void(qint64 done, qint64 size)> onProgress;

    CopyResult copy(const QString &source, const QString &target, const QDateTime &sourceTime,
                    Durability durability);

private:
    FileOps &m_ops;
    CopyControl &m_control;
};
