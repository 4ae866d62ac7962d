#include "files/PosixFileOps.h"

#include "files/FileChecks.h"
#include "files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool statPath(const QString &path, struct stat &st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

// Plain read and write, for file systems that refuse a kernel-side copy between them.
BlockResult readWriteBlock(int in, int out, qint64 maxBytes)
{
    thread_local std::vector<char> buffer;
    buffer.resize(std::size_t(maxBytes));
    ssize_t got;
    do {
        got = ::read(in, buffer.data(), buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return {0, CopyFault::ReadFailed, systemReason(errno)};
    ssize_t written = 0;
    while (written < got) {
        const ssize_t n = ::write(out, buffer.data() + written, std::size_t(got - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {written,
                    errno == ENOSPC || errno == EDQUOT ? CopyFault::DiskFull
                                                       : CopyFault::WriteFailed,
                    systemReason(errno)};
        written += n;
    }
    return {qint64(got), CopyFault::None, QString()};
}

} // namespace

Fallible<int> PosixFileOps::openForReading(const QString &path)
{
    // Without O_NONBLOCK a named pipe would hold the open until some writer came along.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Fallible<int>::failure(systemReason(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Fallible<int>::failure(systemReason(EINVAL));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

Fallible<int> PosixFileOps::createNew(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Fallible<int>::failure(systemReason(errno));
    return fd;
}

BlockResult PosixFileOps::copyBlock(int in, int out, qint64 maxBytes)
{
    // The kernel copies without bringing the bytes up here; the same call as the system's own
    // copy command makes, so both run at the disk's pace.
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t(maxBytes), 0);
        if (n >= 0)
            return {qint64(n), CopyFault::None, QString()};
        if (errno == EINTR)
            continue;
        if (errno == ENOSPC || errno == EDQUOT)
            return {0, CopyFault::DiskFull, systemReason(errno)};
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
            errno == EPERM)
            return readWriteBlock(in, out, maxBytes);
        // A read error and a write error look alike here: ask the source whether it still reads.
        const int err = errno;
        char probe;
        const bool sourceReads = ::pread(in, &probe, 1, ::lseek(in, 0, SEEK_CUR)) >= 0;
        return {0, sourceReads ? CopyFault::WriteFailed : CopyFault::ReadFailed, systemReason(err)};
    }
}

qint64 PosixFileOps::handleSize(int handle)
{
    struct stat st;
    return ::fstat(handle, &st) == 0 ? qint64(st.st_size) : -1;
}

bool PosixFileOps::flushToDisk(int handle)
{
    return ::fsync(handle) == 0;
}

void PosixFileOps::close(int handle)
{
    if (handle >= 0)
        ::close(handle);
}

qint64 PosixFileOps::size(const QString &path)
{
    struct stat st;
    return statPath(path, st) ? qint64(st.st_size) : -1;
}

bool PosixFileOps::exists(const QString &path)
{
    struct stat st;
    return statPath(path, st);
}

bool PosixFileOps::isFolder(const QString &path)
{
    struct stat st;
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

QDateTime PosixFileOps::modified(const QString &path)
{
    return fileTime(path);
}

bool PosixFileOps::setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    return f.setFileTime(when, QFileDevice::FileModificationTime);
}

bool PosixFileOps::isReadOnly(const QString &path)
{
    return isReadOnlyFile(path);
}

bool PosixFileOps::clearReadOnly(const QString &path)
{
    return ::clearReadOnly(path);
}

bool PosixFileOps::sameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return statPath(a, sa) && statPath(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool PosixFileOps::renameReplacing(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool PosixFileOps::moveByRename(const QString &from, const QString &to)
{
    return renameReplacing(from, to);
}

bool PosixFileOps::remove(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

bool PosixFileOps::makeFolders(const QString &path)
{
    return QDir().mkpath(path) && isFolder(path);
}

VolumeInfo PosixFileOps::volume(const QString &path)
{
    VolumeInfo v;
    const QStorageInfo storage(nearestExistingFolder(QFileInfo(path).absoluteFilePath()));
    if (!storage.isValid() || !storage.isReady() || storage.bytesTotal() <= 0)
        return v;
    v.valid = true;
    v.capacityBytes = storage.bytesTotal();
    v.freeBytes = storage.bytesAvailable();
    v.root = storage.rootPath();
    v.readOnly = IsOnCD(path);
    return v;
}

bool PosixFileOps::sameVolume(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return statPath(nearestExistingFolder(a), sa) && statPath(nearestExistingFolder(b), sb) &&
           sa.st_dev == sb.st_dev;
}
