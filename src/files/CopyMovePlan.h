#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The pure reckoning of a copy or move: where each file goes, what the messages say, how much
// room the transfer needs. No file is touched here.

enum class TFileAction { faCopy, faMove };

// "copiar" or "moure", as the messages put the action.
QString actionVerb(TFileAction action);

// Where `name` goes under `targetDir`. With `singleDir` every file goes straight into the
// target folder. Without a source folder (`sourceDir` empty) `name` is a full path and keeps it
// below the target: "C:\Docs\a.txt" -> target\C\Docs\a.txt (drive letter in upper case),
// "/home/a.txt" -> target/home/a.txt. Otherwise `name` is relative to the source folder and
// keeps that relative path.
QString copyMoveTargetName(const QString &name, const QString &sourceDir, const QString &targetDir,
                           bool singleDir);

// The longest run of whole leading folders that every folder shares; "" when they share none
// (different drives, or only the root).
QString commonFolderPrefix(const QStringList &folders);
// Where a recorded folder goes when only the folder tree is copied: its path below the common
// prefix, or with no common prefix the whole path, its drive colon or leading root removed.
QString copyTreeOnlyPath(const QString &folder, const QString &commonPrefix);

// The full names whose file names clash (ignoring case) when everything goes to one folder, in
// the order given; empty when none do.
QStringList singleDirClashes(const QStringList &names);

// The file name part, split at '/' and, for names that start with a drive letter, at '\' too.
QString fileNamePart(const QString &name);
QString folderPart(const QString &name);

// What the free-space check may count on besides the free space, for one file: a move within a
// volume is a rename and needs no room at all, so the whole file is allowed; anything else
// writes the file anew and gets back only the room of the file it replaces.
qint64 spaceAllowance(TFileAction action, bool sameVolume, qint64 sourceSize, qint64 replacedSize);

// One file of a planned transfer: its target folder and its size.
struct PlannedFile
{
    QString targetFolder;
    qint64 size = 0;
};
// The bytes a transfer needs: the files' sizes plus 512 for every target folder still to be
// made (counted when it differs from the previous file's folder and does not hold it).
qint64 transferTotal(const std::vector<PlannedFile> &files,
                     const std::function<bool(const QString &)> &folderExists);

// "No hi ha prou espai [lliure ]a destí (N bytes) pels arxius sel·leccionats (M bytes)".
QString notEnoughSpaceMessage(bool freeSpace, qint64 availableBytes, qint64 totalBytes);
// The overwrite question with both files' sizes and dates.
QString overwriteQuestion(const QString &target, qint64 targetSize, const QDateTime &targetTime,
                          const QString &source, qint64 sourceSize, const QDateTime &sourceTime);
// "Hi ha arxius amb el mateix nom al provar de copiar a un mateix directori:" and the names.
QString clashMessage(TFileAction action, const QStringList &clashing);

// The name a file is written under until it is complete: hidden, beside the target, so that a
// crash never leaves a half-written file under the real name.
QString temporaryTargetName(const QString &target);

// done / total as a percentage, 0..100; an empty total counts as done.
int percentOf(qint64 done, qint64 total);
