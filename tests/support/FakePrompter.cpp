#include "support/FakePrompter.h"

#include <QTest>

FakePrompter::~FakePrompter()
{
    answers.failIfUnused("destroyed", *this);
}

FakePrompter::Script &FakePrompter::Script::operator=(std::initializer_list<MsgButton> buttons)
{
    if (m_owner)
        failIfUnused("given a new script", *m_owner);
    m_queue.assign(buttons);
    return *this;
}

MsgButton FakePrompter::Script::takeFront()
{
    const MsgButton b = m_queue.front();
    m_queue.pop_front();
    return b;
}

void FakePrompter::Script::failIfUnused(const char *when, const FakePrompter &owner) const
{
    // Outside a test function there is no test to fail; a test that already failed keeps its
    // first message.
    if (m_queue.empty() || !QTest::currentTestFunction() || QTest::currentTestFailed())
        return;
    QStringList unused;
    for (MsgButton b : m_queue) {
        const QString caption = standardButtonCaption(b);
        unused.append(caption.isEmpty() ? QStringLiteral("(none)") : caption);
    }
    const QString message =
        QStringLiteral("FakePrompter %1 with %2 scripted answer(s) unused: %3; %4 box(es) shown%5")
            .arg(QLatin1String(when))
            .arg(m_queue.size())
            .arg(unused.join(QStringLiteral(", ")))
            .arg(owner.shown.size())
            .arg(owner.shown.empty()
                     ? QString()
                     : QStringLiteral(", the last: \"%1\"").arg(owner.shown.back().text));
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

MsgButton FakePrompter::messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                                     int, int buttonWidthDlu)
{
    shown.push_back({text, kind, specs, buttonWidthDlu, false, true, QString()});
    if (!answers.empty())
        return answers.takeFront();
    return layoutMessageBox(specs).cancelButton;
}

QStringList FakePrompter::texts() const
{
    QStringList out;
    for (const Shown &s : shown)
        out.append(s.text);
    return out;
}

bool FakePrompter::anyContains(const QString &fragment) const
{
    for (const Shown &s : shown)
        if (s.text.contains(fragment))
            return true;
    return false;
}

MsgButton FakePrompter::answerMessageBox(const QString &text, MsgKind kind,
                                         const QStringList &specs, const AnswerMessageStyle &style)
{
    const MsgButton b = messageBoxEx(text, kind, specs);
    shown.back().answerMessage = true;
    shown.back().icon = style.showIcon;
    shown.back().fontFamily = style.fontName;
    return b;
}
