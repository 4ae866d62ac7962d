#pragma once

#include <QString>

class Prompter;

// Whether `path` names something that is there and is not a folder.
bool fileExists(const QString &path);

// Read-only here means the owner may not write the file; a CD is a path on an iso9660 or udf
// file system, or on any file system mounted read-only.
bool isReadOnlyFile(const QString &path);
bool IsOnCD(const QString &path);
// Gives the owner write permission back (chmod u+w); true when it worked.
bool clearReadOnly(const QString &path);

// The check every writer of a user file runs first. A file that does not exist or is writable
// passes; a read-only file on a CD is refused with a warning; any other read-only file is
// offered to be made writable. Returns whether the write may go ahead.
bool EnsureWritable(const QString &path, Prompter &prompter);
