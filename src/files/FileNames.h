#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// File-name helpers. Stored paths may come from another system, so both '\' and '/' count as
// folder separators when a name is taken apart.

qsizetype lastSeparatorIndex(const QString &path);

// "C:\a\b.jpg" -> "b.jpg"
QString extractFileName(const QString &path);
// "C:\a\b.jpg" -> "C:\a" (no trailing separator); "" when there is no folder.
QString extractFileDir(const QString &path);
// The name without folder and extension, cut at the last dot unless that dot is the name's first
// character: ".profile" stays ".profile".
QString fileNameWithoutExt(const QString &path);
// The extension without the dot, as written; "" when the name has none.
QString fileExtension(const QString &path);
// The full path without the extension and its dot.
QString pathWithoutExt(const QString &path);
// Replaces (or adds) the extension; `newExt` includes its dot (".ini").
QString changeFileExt(const QString &path, const QString &newExt);
// Adds the native separator unless the text already ends with a separator.
QString includeTrailingSeparator(const QString &folder);
// Takes off one trailing separator ('\' or '/'), unless the text is a root ("/" or "C:\").
QString excludeTrailingSeparator(const QString &folder);
// Takes off the last character when it is `c`.
QString removeLastChar(const QString &text, QChar c);
// The folder that holds `path`, a trailing separator of `path` ignored: "/a/b/" -> "/a".
QString parentFolder(const QString &path);
// "C:\a\b.sal" -> "C:\a\~b.sal": the backup kept beside a file.
QString backupFileName(const QString &path);
// The drive number of a drive letter, A (or a) = 1; 0 for anything that is not a letter A-Z.
int driveNumber(QChar letter);
// The nearest folder of `path`, itself included, that exists; the root when none does.
QString nearestExistingFolder(const QString &path);
// Joins folder + name + "." + ext with the native separator (the form the editors write).
QString joinFolderNameExt(const QString &folder, const QString &name, const QString &ext);

// A name the system gave as bytes (a command-line argument) as Qt's file functions take it, or
// std::nullopt when Qt cannot carry those bytes: Qt reads names as UTF-8 and puts U+FFFD for
// bytes that are not, so the decoded text would name another file that is not there.
std::optional<QString> fileNameFromLocalBytes(const QByteArray &bytes);
// The bytes shown readably: their valid UTF-8 characters as they are, every other byte as \xNN.
QString showLocalBytes(const QByteArray &bytes);
// The message for a name fileNameFromLocalBytes() cannot carry.
QString unrepresentableNameMessage(const QByteArray &bytes);
