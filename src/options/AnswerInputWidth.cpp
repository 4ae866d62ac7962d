#include "options/AnswerInputWidth.h"

#include "presentation/SlideRecord.h"
#include "slides/Question.h"

#include <QFontMetrics>

#include <algorithm>

Fallible<int> CalcEditAnswWidth(const QStringList &lines, const FontSettings &answersFont,
                                const QPaintDevice *device)
{
    const QFont font = fontFromSettings(answersFont);
    const QFontMetrics fm = device ? QFontMetrics(font, device) : QFontMetrics(font);
    int widest = -1;
    for (const QString &line : lines) {
        const auto slide = DecodeSlide(line);
        if (!slide || !slide->PWithAnswer || slide->FileState != fsOk)
            continue;
        const QString &field = slide->AnswersOrNextLines;
        if (field.isEmpty() || field.contains(QLatin1Char('|')))
            continue;
        widest = std::max(widest, fm.horizontalAdvance(PlainSingleAnswer(field)));
    }
    if (widest < 0)
        return Fallible<int>::failure(
            QStringLiteral("No hi ha cap resposta única a la presentació"));
    return std::max(10, widest + fm.horizontalAdvance(QLatin1Char('H')) / 2);
}
