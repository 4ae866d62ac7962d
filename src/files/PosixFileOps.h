#pragma once

#include "files/FileOps.h"

// The file operations on the running system: kernel-side block copies where the file systems
// allow them, plain reads and writes otherwise.
class PosixFileOps : public FileOps
{
public:
    Fallible<int> openForReading(const QString &path) override;
    Fallible<int> createNew(const QString &path) override;
    BlockResult copyBlock(int in, int out, qint64 maxBytes) override;
    qint64 handleSize(int handle) override;
    bool flushToDisk(int handle) override;
    void close(int handle) override;

    qint64 size(const QString &path) override;
    bool exists(const QString &path) override;
    bool isFolder(const QString &path) override;
    QDateTime modified(const QString &path) override;
    bool setModified(const QString &path, const QDateTime &when) override;
    bool isReadOnly(const QString &path) override;
    bool clearReadOnly(const QString &path) override;
    bool sameFile(const QString &a, const QString &b) override;

    bool renameReplacing(const QString &from, const QString &to) override;
    bool moveByRename(const QString &from, const QString &to) override;
    bool remove(const QString &path) override;
    bool makeFolders(const QString &path) override;

    VolumeInfo volume(const QString &path) override;
    bool sameVolume(const QString &a, const QString &b) override;
};
