#pragma once

#include "files/Fallible.h"

#include <QString>

// The texts and checks of the folder trees: folder names, the rename question, the size of a
// branch and how a folder selector panel splits its path.

// Whether `name` holds a character a folder name may not hold: \ * ? / = " < > | : , ; + ^, or a
// control character (a newline in a folder name breaks every list that shows it).
bool hasInvalidFolderNameChar(const QString &name);

// A new folder's name: "El nom de carpeta conté caràcters invàlids" when it holds an invalid
// character.
Fallible<void> checkNewFolderName(const QString &name);
// A folder's new name in a rename: an empty name fails with an empty message (the caller only
// beeps); an invalid one, "." or ".." fails with "Nom de directori invàlid\r<name>".
Fallible<void> checkRenameFolderName(const QString &name);
QString renameFolderQuestion(const QString &oldName, const QString &newName);
QString folderNotFoundMessage(const QString &path);
// Asked before a folder goes to the trash.
QString deleteFolderQuestion(const QString &path);

// The kilobytes shown for a branch of `bytes`: whole kilobytes, but 1 for 1 to 1023 bytes.
qint64 treeSizeKb(qint64 bytes);
// "1.234,00 Kb", or in megabytes ("97,66 Mb") when the kilobytes exceed 99999.
QString treeSizeText(qint64 bytes);
// The information shown after measuring: a volume is named "Dispositiu <path>", a folder
// "Carpeta "<name>"".
QString treeSizeMessage(bool isVolume, const QString &path, qint64 bytes);

// What a folder selector panel shows for a selected path (given without trailing separator): the
// last component in its edit, the rest in its label with each separator spaced out and a space at
// the end ("/home/anna/Fotos": edit "Fotos", label "/ home / anna "), and the rest as it is for
// the hint of both.
struct PanelPathTexts
{
    QString edit;
    QString label;
    QString hint;
};
PanelPathTexts panelPathTexts(const QString &path);
