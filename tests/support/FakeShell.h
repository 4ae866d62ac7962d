#pragma once

#include "files/Shell.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// Records every request and answers from a queue of scripted results; with the queue empty every
// request succeeds, and nothing is ever opened, started or moved.
class FakeShell : public Shell
{
public:
    enum class Request { OpenDocument, StartProgram, OpenInTextEditor, MoveToTrash };
    struct Call
    {
        Request request;
        QString path; // the document, program or file
        QStringList arguments;
        QString folder;
    };

    std::vector<Call> calls;
    std::deque<Fallible<void>> results;

    Fallible<void> openDocument(const QString &path) override;
    Fallible<void> startProgram(const QString &program, const QStringList &arguments,
                                const QString &folder) override;
    Fallible<void> openInTextEditor(const QString &path) override;
    Fallible<void> moveToTrash(const QString &path) override;

    // The paths of the calls of one kind, in order.
    QStringList paths(Request request) const;

private:
    Fallible<void> answer(Call call);
};
