#include "support/FakeShell.h"

Fallible<void> FakeShell::openDocument(const QString &path)
{
    return answer({Request::OpenDocument, path, {}, {}});
}

Fallible<void> FakeShell::startProgram(const QString &program, const QStringList &arguments,
                                       const QString &folder)
{
    return answer({Request::StartProgram, program, arguments, folder});
}

Fallible<void> FakeShell::openInTextEditor(const QString &path)
{
    return answer({Request::OpenInTextEditor, path, {}, {}});
}

Fallible<void> FakeShell::moveToTrash(const QString &path)
{
    return answer({Request::MoveToTrash, path, {}, {}});
}

QStringList FakeShell::paths(Request request) const
{
    QStringList out;
    for (const Call &c : calls)
        if (c.request == request)
            out.append(c.path);
    return out;
}

Fallible<void> FakeShell::answer(Call call)
{
    calls.push_back(std::move(call));
    if (results.empty())
        return Fallible<void>::success();
    Fallible<void> r = results.front();
    results.pop_front();
    return r;
}
