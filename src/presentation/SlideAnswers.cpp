#include "presentation/SlideAnswers.h"

#include <QSet>
#include <QStringList>

#include <cmath>

std::optional<float> ParseDecimalNumber(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float value = t.toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

SlideAnswer parseRadioAnswer(const QString &text)
{
    SlideAnswer a;
    QString caption = text;
    bool scored = false;
    if (const qsizetype at = text.indexOf(QLatin1String("//*")); at >= 0) {
        caption = text.left(at);
        bool ok = false;
        const int jump = text.mid(at + 3).toInt(&ok);
        a.jump = ok ? jump : -1;
    } else if (const qsizetype at2 = text.indexOf(QLatin1String("//<")); at2 >= 0) {
        caption = text.left(at2);
        if (const auto score = ParseDecimalNumber(text.mid(at2 + 3))) {
            a.score = *score;
            scored = true;
        }
    } else if (const qsizetype at3 = text.indexOf(QLatin1String("//")); at3 >= 0) {
        caption = text.left(at3);
        a.reaction = text.mid(at3 + 2).left(255);
    }
    a.correct = caption.startsWith(QLatin1Char('*'));
    if (a.correct && !scored)
        caption.remove(0, 1);
    a.caption = caption;
    if (scored)
        a.tag = 5;
    else if (a.correct)
        a.tag = a.jump == -1 ? 1 : 4;
    else if (!a.reaction.isEmpty())
        a.tag = 2;
    else if (a.jump != -1)
        a.tag = 3;
    else
        a.tag = 0;
    return a;
}

} // namespace

SlideAnswers ParseSlideAnswers(const QString &field)
{
    SlideAnswers out;
    if (!field.contains(QLatin1Char('|'))) {
        out.singleAnswer = field;
        if (const qsizetype at = field.lastIndexOf(QLatin1String("//<")); at >= 0) {
            if (const auto score = ParseDecimalNumber(field.mid(at + 3))) {
                out.singleAnswer = field.left(at);
                out.singleScore = *score;
            }
        }
        return out;
    }
    out.radio = true;
    // Answers seen so far, by their exact text: a field may hold a whole table's answers.
    QSet<QString> taken;
    for (const QString &part : field.split(QLatin1Char('|'))) {
        if (part.isEmpty() || taken.contains(part))
            continue;
        taken.insert(part);
        out.answers.push_back(parseRadioAnswer(part));
    }
    return out;
}
