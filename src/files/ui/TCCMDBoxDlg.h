#pragma once

#include "files/TStringFileList.h"

#include <QObject>

class FileOps;

// The file list of a copy, move or delete with the read-only handling and the drive checks.
class TCCMDBoxDlg : public QObject, public TStringFileList
{
    Q_OBJECT

public:
    TCCMDBoxDlg(FileOps &ops, Prompter &prompter, QObject *parent = nullptr);

    bool DeleteEmptyDirs = false;
    bool PromptOnDelReadOnlyFiles() const { return m_promptOnDelReadOnly; }
    void setPromptOnDelReadOnlyFiles(bool on) { m_promptOnDelReadOnly = on; }
    bool SetFilesToNoReadOnly() const { return m_setNoReadOnly; }
    // Making files writable without asking leaves nothing to ask.
    void setSetFilesToNoReadOnly(bool on);

    int createdFolders() const { return m_createdFolders; }
    int filesDone() const { return m_filesDone; }

protected:
    FileOps &m_ops;
    int m_createdFolders = 0;
    int m_filesDone = 0;

private:
    bool m_promptOnDelReadOnly = true;
    bool m_setNoReadOnly = false;
};
