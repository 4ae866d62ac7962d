#include "presentation/SlideLineComposer.h"

namespace {

bool hasQuestion(const SlideRecord &s)
{
    return s.PWithAnswer && (!s.PromptOr1stLine.isEmpty() || !s.AnswersOrNextLines.isEmpty());
}

} // namespace

QString ComposeSlideFlags(const SlideRecord &s)
{
    QString rest;
    if (hasQuestion(s)) {
        rest += QLatin1Char('X');
        if (s.PWithPromptForAnswer)
            rest += QLatin1Char('P');
        if (s.PRandomAnswer)
            rest += QLatin1Char('R');
    }
    if (s.PresTotalTest)
        rest += QLatin1Char('T');
    if (s.AudioRepeat)
        rest += QLatin1String("Ar");
    if (s.AudioContinue)
        rest += QLatin1String("Ac");
    if (s.AudioStop)
        rest += QLatin1String("As");
    if (s.NextSlide != -1)
        rest += QLatin1Char('*') + QString::number(s.NextSlide);
    if (s.MarkX != -1)
        rest += QLatin1Char('x') + QString::number(s.MarkX);
    if (s.MarkY != -1)
        rest += QLatin1Char('y') + QString::number(s.MarkY);
    if (s.Kind == skDocument)
        rest += QLatin1Char('O');
    if (s.OpenExeEnd && (s.Kind == skProgram || s.Kind == skDocument))
        rest += QLatin1Char('C');

    QString flags;
    if (s.Hidden)
        flags += QLatin1Char('H');
    if (s.Kind == skImage) {
        const int pos = int(s.NotePos) <= 3 ? int(s.NotePos) : 3;
        const bool alone = flags.isEmpty() && rest.isEmpty();
        if (alone && (pos == 0 || pos == 3))
            flags += QLatin1Char(pos == 0 ? 'L' : 'B');
        else if (pos != 3 || (flags.isEmpty() && rest == QLatin1String("T")))
            flags += QLatin1Char('N') + QString::number(pos); // "T" alone would read as top
    }
    return flags + rest;
}

QString ComposeSlideLine(const SlideRecord &s)
{
    const QChar tab(QLatin1Char('\t'));
    const bool noFile = s.Kind == skTitle || s.Kind == skDocument;
    return (noFile ? QString() : s.FileName) + tab + ComposeSlideFlags(s) + tab +
           s.PromptOr1stLine + tab + s.AnswersOrNextLines + tab +
           (s.TimeSet ? QString::number(s.Time) : QString()) + tab + s.AudioFileName;
}

QString ReplaceTimeField(const QString &line, int seconds)
{
    qsizetype pos = 0;
    for (int i = 0; i < 4; ++i) {
        pos = line.indexOf(QLatin1Char('\t'), pos);
        if (pos < 0)
            return line;
        ++pos;
    }
    const qsizetype end = line.indexOf(QLatin1Char('\t'), pos);
    if (end < 0)
        return line;
    return line.left(pos) + QString::number(seconds) + line.mid(end);
}
