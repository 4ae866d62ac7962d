#include "support/FakePrompter.h"

MsgButton FakePrompter::messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                                     int, int buttonWidthDlu)
{
    shown.push_back({text, kind, specs, buttonWidthDlu, false, true, QString()});
    if (!answers.empty()) {
        const MsgButton b = answers.front();
        answers.pop_front();
        return b;
    }
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

MsgButton FakePrompter::answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                                         const AnswerMessageStyle &style)
{
    const MsgButton b = messageBoxEx(text, kind, specs);
    shown.back().answerMessage = true;
    shown.back().icon = style.showIcon;
    shown.back().fontFamily = style.fontName;
    return b;
}
