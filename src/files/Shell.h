#pragma once

#include "files/Fallible.h"

#include <QString>
#include <QStringList>

// What the program asks of the desktop: opening documents, starting programs, the text editor
// and the trash. Each failure carries the reason in the words the user is shown ("No s'ha trobat
// l'arxiu especificat"); the caller puts it in its own sentence.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens a document with the program associated with its kind.
    virtual Fallible<void> openDocument(const QString &path) = 0;
    // Starts a program with its arguments in `folder`, without waiting for it.
    virtual Fallible<void> startProgram(const QString &program, const QStringList &arguments,
                                        const QString &folder) = 0;
    // Opens a text file in the text editor.
    virtual Fallible<void> openInTextEditor(const QString &path) = 0;
    // Moves a file to the trash.
    virtual Fallible<void> moveToTrash(const QString &path) = 0;
};

enum class ShellOperation { OpenDocument, StartProgram, MoveToTrash };

// Why `operation` on `path` failed, judged from what is on disk: a missing file or folder, a
// program's working `folder` that is not there, a program that may not be run, a document
// nothing opens, a file that may not be moved. Empty when the file gives no reason (a program
// that exists and may be run but did not start).
QString shellFailureReason(const QString &path, ShellOperation operation,
                           const QString &folder = QString());

// The plain text editor that stands in for "Notepad.exe", to be started with no file: the
// system's own on Windows, elsewhere the first of the usual desktop text editors found on the
// program search path (or in `searchPaths` when given). "" when there is none.
QString findTextEditorProgram(const QStringList &searchPaths = {});

// "No es pot obrir l'arxiu <path>, ja que: <reason>", the error shown for a failed opening (the
// sentence of ShellOpen for the operation "open").
QString cannotOpenMessage(const QString &path, const QString &reason);
