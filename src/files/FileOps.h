#pragma once

#include "files/Fallible.h"

#include <QDateTime>
#include <QString>

// What a volume holds, for the space checks; `valid` is false when its size cannot be read.
struct VolumeInfo
{
    bool valid = false;
    qint64 capacityBytes = 0;
    qint64 freeBytes = 0;
    QString root;          // where it is mounted
    bool readOnly = false; // a CD, or mounted read-only
};

// Why a block copy stopped short.
enum class CopyFault { None, DiskFull, ReadFailed, WriteFailed };

struct BlockResult
{
    qint64 bytes = 0; // copied by this call; 0 at the end of the source
    CopyFault fault = CopyFault::None;
    QString reason; // the system's words when `fault` is set
};

// The file operations the copy engine needs, behind an interface so that tests can make the
// disk fill up, a read fail halfway or a rename refuse, which the real system will not do on
// demand. Handles are small integers; -1 is none. Every function may be called from the copy
// thread.
class FileOps
{
public:
    virtual ~FileOps() = default;

    virtual Fallible<int> openForReading(const QString &path) = 0;
    // Creates a new file; an existing file under that name is an error, never overwritten.
    virtual Fallible<int> createNew(const QString &path) = 0;
    // Copies up to `maxBytes` from `in` to `out` at their current positions.
    virtual BlockResult copyBlock(int in, int out, qint64 maxBytes) = 0;
    // The size of an open file.
    virtual qint64 handleSize(int handle) = 0;
    // Forces the written bytes to the disk.
    virtual bool flushToDisk(int handle) = 0;
    virtual void close(int handle) = 0;

    // -1 when there is no such file or folder.
    virtual qint64 size(const QString &path) = 0;
    virtual bool exists(const QString &path) = 0;
    virtual bool isFolder(const QString &path) = 0;
    virtual QDateTime modified(const QString &path) = 0;
    virtual bool setModified(const QString &path, const QDateTime &when) = 0;
    virtual bool isReadOnly(const QString &path) = 0;
    virtual bool clearReadOnly(const QString &path) = 0;
    // Whether two existing paths name the same file or folder.
    virtual bool sameFile(const QString &a, const QString &b) = 0;

    // Renames `from` to `to`, replacing a file already there in one step.
    virtual bool renameReplacing(const QString &from, const QString &to) = 0;
    // A move's first try: renaming the source onto the target. Fails across volumes.
    virtual bool moveByRename(const QString &from, const QString &to) = 0;
    virtual bool remove(const QString &path) = 0;
    // Creates a folder and its missing parents.
    virtual bool makeFolders(const QString &path) = 0;

    virtual VolumeInfo volume(const QString &path) = 0;
    virtual bool sameVolume(const QString &a, const QString &b) = 0;
};
