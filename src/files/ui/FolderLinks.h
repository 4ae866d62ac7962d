#pragma once

#include <QString>

// The two sides of the link between an explorer file list and the folder trees and selectors
// that choose its folder. Each side holds the other as a plain reference that it clears when the
// other is destroyed (the implementations are QObjects: keep them in a QPointer).
//
// Folder paths cross the link without a trailing separator, except a volume root ("/"); the
// root of the trees, the volume list, is the text "Dispositiu".

// A folder tree or selector, as a file list sees it.
class LinkedFolderTree
{
public:
    virtual ~LinkedFolderTree() = default;

    // Selects the folder in the tree, reading the branches on the way; nothing happens when the
    // path does not name an existing folder.
    virtual void OpenPath(const QString &path) = 0;
    // Rebuilds the root and the volumes: a folder was created, renamed or deleted.
    virtual void Rebuild() = 0;
    // Drops the selector's folder tree down and gives it the focus (F4 in a linked list);
    // trees that have nothing to drop down do nothing.
    virtual void DropDownTree() {}
};

// A file list, as a folder tree sees it.
class LinkedFileList
{
public:
    virtual ~LinkedFileList() = default;

    // The folder shown, or "Dispositiu" while the list shows the volumes.
    virtual QString Directory() const = 0;
    // Shows the folder (or the volumes for "Dispositiu"), re-reading it.
    virtual void SetDirectory(const QString &path) = 0;
};
