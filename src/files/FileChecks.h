#pragma once

#include <QString>

class Prompter;

// The check every writer of a user file runs first. It may ask the user (read-only files, CDs);
// it returns whether the write may go ahead. For now every file is writable: the read-only and CD
// rules come with the configuration store.
bool EnsureWritable(const QString &path, Prompter &prompter);
