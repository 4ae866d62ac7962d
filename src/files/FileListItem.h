#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

class QFileInfo;
class QMimeDatabase;

// The drive-list text of a file list: the volumes instead of a folder. Compared ignoring case.
QString driveListText();
bool isDriveListText(const QString &directory);

// The date part of a list's "Modificat" column.
enum class TDTFormat {
    df_MMddyyyy,
    df_MMddyy,
    df_ddMMyyyy,
    df_ddMMyy_GB,
    df_ddMMyy_DE,
    df_ddMMyy_IT,
    df_yyyyMMdd,
    df_yyMMdd,
    df_Customize // the system's short date format
};

// An attribute filter: no test, the attribute must be set, or it must be clear.
enum class TPropertyPresent { ppIgnore, ppYes, ppNo };

// The attributes a list shows. Archive and system are never set on this system; read-only is
// the owner's write permission missing and hidden a name beginning with a dot.
struct FileAttributes
{
    bool archive = false;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool operator==(const FileAttributes &) const = default;
};

enum class FileItemKind { Dir, File, Drive };

// The type of a volume in the drive list, numbered as the list's type texts.
enum class DriveType {
    Unknown = 0,
    NoRoot = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6
};

// One row of a file list: its caption and its seven texts, plus what sorting and the commands
// need without parsing the texts back.
struct FileListItem
{
    QString caption;
    QString sortName; // the caption in upper case, as names compare
    // 0 type, 1 size, 2 modified, 3 attributes, 4 full path, 5 kind, 6 size in bytes.
    std::array<QString, 7> texts;
    FileItemKind kind = FileItemKind::File;
    bool isParent = false; // the " Carpeta contenidora" entry
    qint64 sizeBytes = 0;
    QDateTime modified;
    FileAttributes attributes;
    DriveType driveType = DriveType::Unknown;

    const QString &path() const { return texts[4]; }
    bool isFolderLike() const { return kind != FileItemKind::File; }
};

// How a list writes its items.
struct FileListDisplay
{
    bool hideFileExt = true;
    bool typeName = false;
    bool sizeInKbytes = false;
    TDTFormat dateFormat = TDTFormat::df_Customize;
    QString timeFormatStr = QStringLiteral("HH:mm:ss");
    bool operator==(const FileListDisplay &) const = default;
};

// The caption of the parent entry.
QString parentFolderCaption();
// A file's caption: with `hideFileExt` its name without the extension, unless the extension
// (without dot) is longer than 5 characters. Folders keep their whole name.
QString fileItemCaption(const QString &name, FileItemKind kind, bool hideFileExt);
// Whether the caption of a file hides its extension.
bool captionHidesExtension(const QString &name, FileItemKind kind, bool hideFileExt);
// Bytes with thousands separators, or kilobytes (size div 1024, 1 to 1023 bytes counting as
// 1024); folders show "0".
QString fileSizeText(qint64 sizeBytes, FileItemKind kind, bool inKbytes);
// The date in `format`, a space, and the time in `timeFormat` (the system's when empty).
QString fileDateText(const QDateTime &when, TDTFormat format, const QString &timeFormat);
QString dateFormatPattern(TDTFormat format);
// The date and time patterns of a display, the system's filled in.
struct DateTimePatterns
{
    QString date;
    QString time;
};
DateTimePatterns dateTimePatterns(const FileListDisplay &display);
// "A", "R", "H", "S" for the attributes set, in that order.
QString attributesText(const FileAttributes &attributes);
FileAttributes fileAttributes(const QFileInfo &info);

// The item of a folder or file. `mime` is used for type names only.
FileListItem makeFileItem(const QFileInfo &info, const FileListDisplay &display,
                          const QMimeDatabase &mime);
// The same with the patterns worked out once for a whole folder.
FileListItem makeFileItem(const QFileInfo &info, const FileListDisplay &display,
                          const QMimeDatabase &mime, const DateTimePatterns &patterns);
// The " Carpeta contenidora" entry of `folder`.
FileListItem makeParentItem(const QString &folder);

// A mounted volume worth listing.
struct VolumeEntry
{
    QString root;        // the mount point, with a trailing separator
    QString displayName; // the volume's label, or its device
    DriveType type = DriveType::Unknown;
    qint64 totalBytes = 0;
    qint64 freeBytes = 0;
};

QString driveTypeText(DriveType type);
// Kilobytes (bytes / 1024, rounded) div 1000 as "###,###,### Mb", or "0 Mb" below 1.
QString driveSizeText(qint64 bytes);
FileListItem makeDriveItem(const VolumeEntry &volume);
// The volumes of this system worth showing: the root, the home folder's volume and removable
// media mounts, in that order, each once; volumes whose details cannot be read are left out.
// Removable volumes and CDs are not asked for their sizes.
std::vector<VolumeEntry> listVolumes();
