#pragma once

#include "files/Fallible.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The volumes the folder trees and the file lists show under "Dispositiu": the system's root,
// the user's home folder, and removable media mounted under /media, /run/media or /mnt, each with
// the folder it starts at as its root.

enum class DriveKind { Fixed, Home, Removable, CdRom, Network };

// What the system says of one mounted volume.
struct VolumeFacts
{
    QString root;
    QString label; // the volume's name; may be empty
    QByteArray fileSystemType;
    bool readOnly = false;
};

struct FolderDrive
{
    QString root;
    QString caption;
    DriveKind type = DriveKind::Fixed;
    QString name; // the caption's name part
};

// A CD is an iso9660 or udf volume or any volume mounted read-only; removable media are mounted
// under /media, /run/media or /mnt; network file systems by their type.
DriveKind driveKindOf(const VolumeFacts &volume);
// The label up to, not including, its first "(", or a name for the kind when that is empty.
QString driveName(const QString &label, DriveKind type);
// " (<root>)  <name>".
QString driveCaption(const QString &root, const QString &label, DriveKind type);
// The volumes worth showing out of `volumes`, in order: the root, the home folder `home` (a
// volume of its own or not), then the removable ones by root.
std::vector<FolderDrive> drivesFromVolumes(const std::vector<VolumeFacts> &volumes,
                                           const QString &home);
// The same from the mounted volumes of the running system.
std::vector<FolderDrive> currentDrives();

// A removable or CD volume must be mounted and readable before it is shown: "No hi ha el disc
// al dispositiu <root>\ro el dispositiu no està llest" otherwise; a root that is not a folder
// at all gives "No és un identificador vàlid per a un dispositiu".
Fallible<void> checkDriveReady(const QString &root);

// The drive of `drives` that holds `path`: the one with the longest root that starts it (an
// exact match preferred to one ignoring letter case); -1 when none does.
int driveIndexOf(const QString &path, const std::vector<FolderDrive> &drives);
