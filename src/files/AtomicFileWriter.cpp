#include "files/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace {

const QString kTempInfix = QStringLiteral(".pelvar-");
const QString kTempSuffix = QStringLiteral(".tmp");

} // namespace

QString atomicTempPrefix(const QString &path)
{
    // Hidden, and ending in ".tmp": no reader of the program's files and no file list of its
    // windows takes it for a list, a table or settings.
    return QFileInfo(path).absolutePath() + QStringLiteral("/.") + QFileInfo(path).fileName() +
           kTempInfix;
}

#ifdef Q_OS_UNIX

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeWhole(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// The temporary files a killed writer of `path` left behind: "." + name + ".pelvar-" + the
// writer's process number + "-" + random letters + ".tmp". Those of a process that is gone are
// removed; a live writer's are left alone.
void removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(path);
    const QString prefix = QStringLiteral(".") + target.fileName() + kTempInfix;
    const QDir dir = target.absoluteDir();
    const QStringList found =
        dir.entryList({prefix + QStringLiteral("*") + kTempSuffix}, QDir::Files | QDir::Hidden);
    for (const QString &name : found) {
        const QString rest = name.mid(prefix.size());
        bool ok = false;
        const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        const bool alive =
            pid == qint64(::getpid()) || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
        if (!alive)
            QFile::remove(dir.filePath(name));
    }
}

// Writes `bytes` to a new file in the target's folder and renames it over the target. With
// `unnamed` the new file has no name until it is complete (Linux's O_TMPFILE), so a writer
// killed while writing leaves nothing behind; a name is then linked to it for the rename.
WriteOutcome writeThroughTemporary(const QString &path, const QByteArray &bytes, bool unnamed,
                                   bool *unnamedUnsupported)
{
    const QFileInfo target(path);
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    // An existing file keeps its permissions; a new one gets the usual ones.
    mode_t mode = 0666;
    struct stat st;
    const bool exists = ::stat(targetName.constData(), &st) == 0;
    if (exists)
        mode = st.st_mode & 07777;

    const QString temp =
        atomicTempPrefix(path) + QString::number(qint64(::getpid())) + QLatin1Char('-') +
        QString::number(QRandomGenerator::global()->generate64(), 36) + kTempSuffix;
    const QByteArray tempName = QFile::encodeName(temp);
    int fd = -1;
    bool named = !unnamed;
#ifdef O_TMPFILE
    if (unnamed)
        fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#endif
    if (unnamed && fd < 0) {
        *unnamedUnsupported = true;
        return {false, systemError(errno)};
    }
    if (!unnamed)
        fd = ::open(tempName.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
    if (fd < 0)
        return {false, systemError(errno)};
    auto fail = [&](int error) {
        ::close(fd);
        if (named)
            ::unlink(tempName.constData());
        return WriteOutcome{false, systemError(error)};
    };
    if (!writeWhole(fd, bytes))
        return fail(errno);
    if (exists)
        (void)::fchmod(fd, mode); // the umask must not narrow an existing file's permissions
    if (::fdatasync(fd) != 0)
        return fail(errno);
    if (!named) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, tempName.constData(),
                     AT_SYMLINK_FOLLOW) != 0) {
            *unnamedUnsupported = true;
            return fail(errno);
        }
        named = true;
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0)
        return fail(errno);
    ::close(fd);
    // The folder's entry for the new file reaches the disk too.
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return {true, QString()};
}

} // namespace

WriteOutcome writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    // A link is written through: the file it points to gets the new content.
    QString real = path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        real = info.canonicalFilePath();
    removeStaleTemporaries(real);
    bool unnamedUnsupported = false;
    WriteOutcome outcome = writeThroughTemporary(real, bytes, true, &unnamedUnsupported);
    // File systems without unnamed files, or a system without /proc: a named temporary.
    if (!outcome.ok && unnamedUnsupported)
        outcome = writeThroughTemporary(real, bytes, false, &unnamedUnsupported);
    return outcome;
}

#else

WriteOutcome writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, why};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

#endif
