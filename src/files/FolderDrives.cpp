#include "files/FolderDrives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool startsWithRoot(const QString &path, const QString &root, Qt::CaseSensitivity cs)
{
    if (root == QStringLiteral("/"))
        return path.startsWith(QLatin1Char('/'));
    return path.startsWith(root, cs) &&
           (path.size() == root.size() || path.at(root.size()) == QLatin1Char('/'));
}

bool isRemovableRoot(const QString &root)
{
    return root.startsWith(QStringLiteral("/media/")) ||
           root.startsWith(QStringLiteral("/run/media/")) ||
           root.startsWith(QStringLiteral("/mnt/"));
}

} // namespace

DriveKind driveKindOf(const VolumeFacts &volume)
{
    const QByteArray type = volume.fileSystemType.toLower();
    if (type == "iso9660" || type == "udf")
        return DriveKind::CdRom;
    if (type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" || type == "fuse.sshfs")
        return DriveKind::Network;
    if (isRemovableRoot(volume.root))
        return volume.readOnly ? DriveKind::CdRom : DriveKind::Removable;
    return DriveKind::Fixed;
}

QString driveName(const QString &label, DriveKind type)
{
    QString name = label;
    const qsizetype paren = name.indexOf(QLatin1Char('('));
    if (paren >= 0)
        name.truncate(paren);
    name = name.trimmed();
    if (!name.isEmpty())
        return name;
    switch (type) {
    case DriveKind::Fixed: return QStringLiteral("Disc local");
    case DriveKind::Home: return QStringLiteral("Carpeta personal");
    case DriveKind::Removable: return QStringLiteral("Disc extraïble");
    case DriveKind::CdRom: return QStringLiteral("Unitat de CD");
    case DriveKind::Network: return QStringLiteral("Unitat de xarxa");
    }
    return name;
}

QString driveCaption(const QString &root, const QString &label, DriveKind type)
{
    return QStringLiteral(" (%1)  %2").arg(root, driveName(label, type));
}

std::vector<FolderDrive> drivesFromVolumes(const std::vector<VolumeFacts> &volumes,
                                           const QString &home)
{
    std::vector<FolderDrive> out;
    QString rootLabel;
    for (const VolumeFacts &v : volumes)
        if (v.root == QStringLiteral("/"))
            rootLabel = v.label;
    out.push_back({QStringLiteral("/"),
                   driveCaption(QStringLiteral("/"), rootLabel, DriveKind::Fixed), DriveKind::Fixed,
                   driveName(rootLabel, DriveKind::Fixed)});
    const QString cleanHome = QDir::cleanPath(home);
    if (!home.isEmpty() && cleanHome != QStringLiteral("/"))
        out.push_back({cleanHome, driveCaption(cleanHome, QString(), DriveKind::Home),
                       DriveKind::Home, driveName(QString(), DriveKind::Home)});
    std::vector<FolderDrive> others;
    for (const VolumeFacts &v : volumes) {
        const DriveKind type = driveKindOf(v);
        const bool worthShowing =
            isRemovableRoot(v.root) || type == DriveKind::CdRom || type == DriveKind::Network;
        if (!worthShowing || v.root == QStringLiteral("/") || v.root == cleanHome)
            continue;
        if (std::any_of(others.begin(), others.end(),
                        [&](const FolderDrive &d) { return d.root == v.root; }))
            continue;
        others.push_back(
            {v.root, driveCaption(v.root, v.label, type), type, driveName(v.label, type)});
    }
    std::sort(others.begin(), others.end(),
              [](const FolderDrive &a, const FolderDrive &b) { return a.root < b.root; });
    out.insert(out.end(), others.begin(), others.end());
    return out;
}

std::vector<FolderDrive> currentDrives()
{
    std::vector<VolumeFacts> volumes;
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid())
            continue;
        volumes.push_back({s.rootPath(), s.name(), s.fileSystemType(), s.isReadOnly()});
    }
    return drivesFromVolumes(volumes, QDir::homePath());
}

Fallible<void> checkDriveReady(const QString &root)
{
    if (root.isEmpty() || !QDir::isAbsolutePath(root))
        return Fallible<void>::failure(
            QStringLiteral("No és un identificador vàlid per a un dispositiu"));
    const QStorageInfo storage(root);
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable() || !storage.isValid() || !storage.isReady() ||
        storage.bytesTotal() <= 0)
        return Fallible<void>::failure(
            QStringLiteral("No hi ha el disc al dispositiu %1\ro el dispositiu no està llest")
                .arg(root));
    return Fallible<void>::success();
}

int driveIndexOf(const QString &path, const std::vector<FolderDrive> &drives)
{
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        int best = -1;
        for (int i = 0; i < int(drives.size()); ++i)
            if (startsWithRoot(path, drives[size_t(i)].root, cs) &&
                (best < 0 || drives[size_t(i)].root.size() > drives[size_t(best)].root.size()))
                best = i;
        if (best >= 0)
            return best;
    }
    return -1;
}
