#include "files/FileListItem.h"

#include "files/FileNames.h"
#include "files/NumberFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QStorageInfo>

QString driveListText()
{
    return QStringLiteral("Dispositiu");
}

bool isDriveListText(const QString &directory)
{
    return directory.compare(driveListText(), Qt::CaseInsensitive) == 0;
}

QString parentFolderCaption()
{
    return QStringLiteral(" Carpeta contenidora");
}

bool captionHidesExtension(const QString &name, FileItemKind kind, bool hideFileExt)
{
    if (!hideFileExt || kind != FileItemKind::File)
        return false;
    const QString ext = fileExtension(name);
    return !ext.isEmpty() && ext.size() <= 5;
}

QString fileItemCaption(const QString &name, FileItemKind kind, bool hideFileExt)
{
    if (!captionHidesExtension(name, kind, hideFileExt))
        return name;
    return fileNameWithoutExt(name);
}

QString fileSizeText(qint64 sizeBytes, FileItemKind kind, bool inKbytes)
{
    if (kind != FileItemKind::File || sizeBytes <= 0)
        return QStringLiteral("0");
    if (!inKbytes)
        return withThousands(sizeBytes);
    return withThousands(sizeBytes < 1024 ? 1 : sizeBytes / 1024);
}

QString dateFormatPattern(TDTFormat format)
{
    switch (format) {
    case TDTFormat::df_MMddyyyy: return QStringLiteral("MM/dd/yyyy");
    case TDTFormat::df_MMddyy: return QStringLiteral("MM/dd/yy");
    case TDTFormat::df_ddMMyyyy: return QStringLiteral("dd/MM/yyyy");
    case TDTFormat::df_ddMMyy_GB: return QStringLiteral("dd/MM/yy");
    case TDTFormat::df_ddMMyy_DE: return QStringLiteral("dd.MM.yy");
    case TDTFormat::df_ddMMyy_IT: return QStringLiteral("dd-MM-yy");
    case TDTFormat::df_yyyyMMdd: return QStringLiteral("yyyy-MM-dd");
    case TDTFormat::df_yyMMdd: return QStringLiteral("yy-MM-dd");
    case TDTFormat::df_Customize: break;
    }
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

DateTimePatterns dateTimePatterns(const FileListDisplay &display)
{
    return {dateFormatPattern(display.dateFormat),
            display.timeFormatStr.isEmpty() ? QLocale::system().timeFormat(QLocale::ShortFormat)
                                            : display.timeFormatStr};
}

namespace {

QString dateText(const QDateTime &when, const DateTimePatterns &patterns)
{
    if (!when.isValid())
        return QString();
    const QDateTime local = when.timeSpec() == Qt::LocalTime ? when : when.toLocalTime();
    return local.date().toString(patterns.date) + QLatin1Char(' ') +
           local.time().toString(patterns.time);
}

} // namespace

QString fileDateText(const QDateTime &when, TDTFormat format, const QString &timeFormat)
{
    FileListDisplay display;
    display.dateFormat = format;
    display.timeFormatStr = timeFormat;
    return dateText(when, dateTimePatterns(display));
}

QString attributesText(const FileAttributes &attributes)
{
    QString text;
    if (attributes.archive)
        text += QLatin1Char('A');
    if (attributes.readOnly)
        text += QLatin1Char('R');
    if (attributes.hidden)
        text += QLatin1Char('H');
    if (attributes.system)
        text += QLatin1Char('S');
    return text;
}

FileAttributes fileAttributes(const QFileInfo &info)
{
    FileAttributes a;
    a.hidden = info.fileName().startsWith(QLatin1Char('.'));
    // A dangling link has no permissions to read: it is not read-only, it is nothing at all.
    a.readOnly = info.exists() && !info.permission(QFileDevice::WriteOwner);
    return a;
}

FileListItem makeFileItem(const QFileInfo &info, const FileListDisplay &display,
                          const QMimeDatabase &mime)
{
    return makeFileItem(info, display, mime, dateTimePatterns(display));
}

FileListItem makeFileItem(const QFileInfo &info, const FileListDisplay &display,
                          const QMimeDatabase &mime, const DateTimePatterns &patterns)
{
    FileListItem item;
    item.kind = info.isDir() ? FileItemKind::Dir : FileItemKind::File;
    const QString name = info.fileName();
    item.caption = fileItemCaption(name, item.kind, display.hideFileExt);
    item.sizeBytes = item.kind == FileItemKind::File && info.exists() ? info.size() : 0;
    item.modified = info.exists() ? info.lastModified() : QDateTime();
    item.attributes = fileAttributes(info);
    if (item.kind == FileItemKind::File) {
        if (display.typeName)
            item.texts[0] = mime.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
        else
            item.texts[0] = fileExtension(name);
    }
    item.texts[1] = fileSizeText(item.sizeBytes, item.kind, display.sizeInKbytes);
    item.sortName = item.caption.toUpper();
    item.texts[2] = dateText(item.modified, patterns);
    item.texts[3] = attributesText(item.attributes);
    item.texts[4] = info.absoluteFilePath();
    item.texts[5] = item.kind == FileItemKind::Dir ? QStringLiteral("dir") : QStringLiteral("file");
    item.texts[6] = QString::number(item.sizeBytes);
    return item;
}

FileListItem makeParentItem(const QString &folder)
{
    FileListItem item;
    item.kind = FileItemKind::Dir;
    item.isParent = true;
    item.caption = parentFolderCaption();
    item.sortName = item.caption;
    item.texts[1] = QStringLiteral("0");
    item.texts[4] = parentFolder(folder);
    item.texts[5] = QStringLiteral("dir");
    item.texts[6] = QStringLiteral("0");
    return item;
}

QString driveTypeText(DriveType type)
{
    switch (type) {
    case DriveType::Unknown: return QStringLiteral("Desconegut");
    case DriveType::NoRoot: return QStringLiteral("No existeix");
    case DriveType::Removable: return QStringLiteral("Disc removible");
    case DriveType::Fixed: return QStringLiteral("Disc fixe");
    case DriveType::Remote: return QStringLiteral("Disc en Network");
    case DriveType::CdRom: return QStringLiteral("CD-ROM");
    case DriveType::RamDisk: return QStringLiteral("Disc RAM");
    }
    return QStringLiteral("Desconegut");
}

QString driveSizeText(qint64 bytes)
{
    const qint64 kilobytes = (bytes + 512) / 1024;
    const qint64 megabytes = kilobytes / 1000;
    if (megabytes < 1)
        return QStringLiteral("0 Mb");
    return withThousands(megabytes) + QStringLiteral(" Mb");
}

FileListItem makeDriveItem(const VolumeEntry &volume)
{
    FileListItem item;
    item.kind = FileItemKind::Drive;
    item.driveType = volume.type;
    const qsizetype paren = volume.displayName.indexOf(QLatin1Char('('));
    const QString name = paren < 0 ? volume.displayName : volume.displayName.left(paren);
    item.caption =
        QStringLiteral(" (") + excludeTrailingSeparator(volume.root) + QStringLiteral(")  ") + name;
    item.texts[0] = driveTypeText(volume.type);
    const bool queried = volume.type != DriveType::Removable && volume.type != DriveType::CdRom;
    item.texts[1] = driveSizeText(queried ? volume.totalBytes : 0);
    item.texts[2] = driveSizeText(queried ? volume.freeBytes : 0);
    item.texts[4] = includeTrailingSeparator(volume.root);
    item.texts[5] = QStringLiteral("drv");
    item.sizeBytes = queried ? volume.totalBytes : 0;
    return item;
}

namespace {

bool isRemovableMount(const QString &root)
{
    return root.startsWith(QStringLiteral("/media/")) ||
           root.startsWith(QStringLiteral("/run/media/")) ||
           root.startsWith(QStringLiteral("/mnt/"));
}

DriveType volumeType(const QStorageInfo &storage)
{
    const QByteArray fs = storage.fileSystemType().toLower();
    if (fs == "iso9660" || fs == "udf" || storage.isReadOnly())
        return DriveType::CdRom;
    if (isRemovableMount(storage.rootPath()))
        return DriveType::Removable;
    if (fs == "nfs" || fs == "nfs4" || fs == "cifs" || fs == "smb3" || fs == "smbfs" ||
        fs.startsWith("fuse.sshfs"))
        return DriveType::Remote;
    if (fs == "tmpfs" || fs == "ramfs")
        return DriveType::RamDisk;
    return DriveType::Fixed;
}

} // namespace

std::vector<VolumeEntry> listVolumes()
{
    std::vector<QStorageInfo> wanted{QStorageInfo::root(), QStorageInfo(QDir::homePath())};
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes())
        if (isRemovableMount(s.rootPath()))
            wanted.push_back(s);

    std::vector<VolumeEntry> volumes;
    QStringList seen;
    for (const QStorageInfo &s : wanted) {
        if (!s.isValid() || seen.contains(s.rootPath()))
            continue;
        seen.append(s.rootPath());
        VolumeEntry v;
        v.root = includeTrailingSeparator(s.rootPath());
        v.type = volumeType(s);
        v.displayName = s.name().isEmpty() ? QString::fromLocal8Bit(s.device()) : s.name();
        if (v.type != DriveType::Removable && v.type != DriveType::CdRom) {
            if (!s.isReady())
                continue; // its details cannot be read
            v.totalBytes = s.bytesTotal();
            v.freeBytes = s.bytesAvailable();
        }
        volumes.push_back(v);
    }
    return volumes;
}
