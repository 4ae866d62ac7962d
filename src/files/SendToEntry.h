#pragma once

#include <QString>

#include <vector>

// A shortcut of the user's "Send To" folder: a desktop launcher (a ".desktop" file) or a link
// to a folder. A folder target receives copies; a program target is started with the file.
struct SendToEntry
{
    QString file;         // the launcher or link itself
    QString name;         // what the menu shows
    QString icon;         // a theme icon name or a picture path; may be empty
    QString targetFolder; // set for a folder target
    QString program;      // set for a program target
};

// Where the user's "Send To" shortcuts are kept.
QString sendToFolderPath();
// The usable shortcuts of `folder`, in name order; unreadable or broken ones are left out.
std::vector<SendToEntry> readSendToEntries(const QString &folder);
