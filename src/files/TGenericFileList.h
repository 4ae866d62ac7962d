#pragma once

#include "files/Fallible.h"
#include "files/TDirList.h"

#include <QString>
#include <QStringList>

#include <functional>

class Prompter;

// The files collected for an operation: their names, an optional source folder and the list of
// the folders they lie in. With no source folder the list is in full-path mode and every name is
// a full path; with one, names are kept relative to it. How the names are stored is up to the
// derived list.
class TGenericFileList
{
public:
    explicit TGenericFileList(Prompter &prompter) : m_prompter(prompter) {}
    virtual ~TGenericFileList() = default;
    TGenericFileList(const TGenericFileList &) = delete;
    TGenericFileList &operator=(const TGenericFileList &) = delete;

    bool AddDirectories = true;
    bool IncAllFilesFromSubFolders = false;
    bool IncSubFolders = true;
    bool MessOnNoAddOrNoRemove = true;
    QString FilesSCIncExc;
    std::function<void(int count)> OnAddRemoveFile;
    std::function<void(const QString &dir)> OnChangeDir;
    // Returning false refuses a file.
    std::function<bool(const QString &fileName)> OnOtherCorrectFile;

    // Adds an existing file given by its full name and records its folder; false when it is not
    // there, lies outside the source folder or is refused.
    bool AddFile(const QString &fullName);
    // Records a folder whose tree is to be copied even without files.
    void AddDirectory(const QString &folder);
    bool RemoveFile(const QString &fullName);
    // Forgets the names and the folders.
    void Clear();

    virtual qsizetype count() const = 0;
    virtual QString name(qsizetype i) const = 0;
    // The full name of the i-th file.
    QString fullName(qsizetype i) const;
    QStringList fullNames() const;
    const TDirList &dirList() const { return m_dirs; }

    const QString &StrSourceDir() const { return m_sourceDir; }
    // Setting a source folder forgets names collected in another mode.
    void setStrSourceDir(const QString &folder);

protected:
    // Stores a name; false refuses it (a duplicate, for instance).
    virtual bool storeName(const QString &name) = 0;
    virtual bool dropName(const QString &name) = 0;
    virtual void clearNames() = 0;
    // Asks whether to keep telling about refused names; remembers a No.
    void tellRefused(const QString &message);

    Prompter &m_prompter;

private:
    QString storedForm(const QString &fullName) const;

    QString m_sourceDir;
    TDirList m_dirs;
    bool m_keepTelling = true;
};
