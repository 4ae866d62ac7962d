#pragma once

#include "files/Fallible.h"

#include <QDateTime>
#include <QString>

class Prompter;

// Whether `path` names something that is there and is not a folder.
bool fileExists(const QString &path);

// Read-only here means the owner may not write the file; a CD is a path on an iso9660 or udf
// file system, or on any file system mounted read-only.
bool isReadOnlyFile(const QString &path);
// The file system is judged at the nearest folder of `path` that exists.
bool IsOnCD(const QString &path);
// For the folder choosers: a folder on a CD is refused with "No es pot seleccionar un CD".
Fallible<void> checkNotOnCD(const QString &path);
// Gives the owner write permission back (chmod u+w); true when it worked.
bool clearReadOnly(const QString &path);

// The check every writer of a user file runs first. A file that does not exist or is writable
// passes; a read-only file on a CD is refused with a warning; any other read-only file is
// offered to be made writable. Returns whether the write may go ahead.
bool EnsureWritable(const QString &path, Prompter &prompter);

// The existence checks with the messages the program shows: "No s'ha trobat l'arxiu '<path>'",
// "No s'ha trobat el directori '<path>'".
Fallible<void> checkFileExists(const QString &path);
Fallible<void> checkFolderExists(const QString &path);

// The size in bytes of a file (any size), or -1 when there is no such file.
qint64 fileSize(const QString &path);
// When the file was last written, in local time; invalid when there is no such file.
QDateTime fileTime(const QString &path);

// Removes the folders of the tree at `folder` that hold no files, deepest first, the top folder
// too when it ends up empty; a folder holding a file (hidden ones and links included) stays with
// its ancestors. Links to folders are never followed. Returns how many folders were removed.
int deleteEmptyFolderTree(const QString &folder);
