#pragma once

#include "files/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// Records every message and answers from a queue; with the queue empty it answers the box's
// cancel button, as a user pressing Esc would.
class FakePrompter : public Prompter
{
public:
    struct Shown
    {
        QString text;
        MsgKind kind;
        QStringList specs;
        int buttonWidthDlu;
        bool answerMessage = false; // shown through answerMessageBox
        bool icon = true;           // its style asked for the icon
        QString fontFamily;
    };

    std::vector<Shown> shown;
    std::deque<MsgButton> answers;

    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override;
    MsgButton answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                               const AnswerMessageStyle &style) override;

    QStringList texts() const;
    bool anyContains(const QString &fragment) const;
    void clear() { shown.clear(); }
};
