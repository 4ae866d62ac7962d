#pragma once

#include "files/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <initializer_list>
#include <vector>

// Records every message and answers from a queue; with the queue empty it answers the box's
// cancel button, as a user pressing Esc would. Destroyed inside a test function with answers left
// in the queue, or given a new script over them, it fails that test: a scripted answer nobody
// asked for means the script or the code under test is wrong.
class FakePrompter : public Prompter
{
public:
    // The queue of scripted answers, taken from the front.
    class Script
    {
    public:
        Script &operator=(std::initializer_list<MsgButton> buttons);
        void push_back(MsgButton b) { m_queue.push_back(b); }
        bool empty() const { return m_queue.empty(); }
        std::size_t size() const { return m_queue.size(); }
        MsgButton takeFront();
        // Fails the running test when answers are left; `when` says what left them.
        void failIfUnused(const char *when, const FakePrompter &owner) const;

    private:
        std::deque<MsgButton> m_queue;
        const FakePrompter *m_owner = nullptr;
        friend class FakePrompter;
    };

    FakePrompter() { answers.m_owner = this; }
    FakePrompter(const FakePrompter &) = delete;
    FakePrompter &operator=(const FakePrompter &) = delete;
    ~FakePrompter() override;

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
    Script answers;

    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override;
    MsgButton answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                               const AnswerMessageStyle &style) override;

    QStringList texts() const;
    bool anyContains(const QString &fragment) const;
    void clear() { shown.clear(); }
};
