#include "slides/TypedAnswer.h"

#include "files/Prompter.h"
#include "presentation/SlideAnswers.h"

#include <algorithm>

QString FoldAccents(const QString &text)
{
    QString out = text.toLower();
    for (QChar &c : out) {
        switch (c.unicode()) {
        case 0xE0:
        case 0xE1:
        case 0xE4: c = QLatin1Char('a'); break;
        case 0xE9:
        case 0xE8:
        case 0xEB:
        case 0xEA: c = QLatin1Char('e'); break;
        case 0xED:
        case 0xEF:
        case 0xEC: c = QLatin1Char('i'); break;
        case 0xF2:
        case 0xF3:
        case 0xF6:
        case 0xF4: c = QLatin1Char('o'); break;
        case 0xFA:
        case 0xFC:
        case 0xF9:
        case 0xFB: c = QLatin1Char('u'); break;
        default: break;
        }
    }
    return out;
}

bool SameAnswerChar(QChar typed, QChar expected, bool ignoreAccent)
{
    if (typed.toLower() == expected.toLower())
        return true;
    return ignoreAccent && FoldAccents(QString(typed)) == FoldAccents(QString(expected));
}

bool SameAnswerText(const QString &typed, const QString &expected, bool ignoreAccent)
{
    if (typed.compare(expected, Qt::CaseInsensitive) == 0)
        return true;
    return ignoreAccent && FoldAccents(typed) == FoldAccents(expected);
}

AnswerHints ReadAnswerHints(const QString &body)
{
    AnswerHints out;
    bool afterAmp = false;
    for (const QChar c : body) {
        if (c == QLatin1Char('&') && !afterAmp) {
            afterAmp = true;
            continue;
        }
        out.answer += c;
        out.mask += afterAmp ? c : QLatin1Char('*');
        afterAmp = false;
    }
    return out;
}

void TypedAnswer::SetAnswer(const QString &text, Prompter &prompter)
{
    QString body = text;
    MaxScore = 1.0f;
    if (const qsizetype at = text.indexOf(QLatin1String("//<")); at >= 0) {
        const QString scoreText = text.mid(at + 3);
        body = text.left(at);
        if (const auto score = ParseDecimalNumber(scoreText))
            MaxScore = *score;
        else
            prompter.ShowError(
                QStringLiteral("Assignació de número de puntuació que no és un número (%1)")
                    .arg(scoreText));
    }
    AnswerHints read = ReadAnswerHints(body);
    Answer = std::move(read.answer);
    Mask = std::move(read.mask);
    const qsizetype star = Mask.indexOf(QLatin1Char('*'));
    FirstInput = int(star < 0 ? Mask.size() : star);
    if (!WithMask)
        Mask.clear();
    Mistakes = 0;
    m_ended = false;
    PendingBackspaceCaret = -1;
    ResetToMask();
}

void TypedAnswer::ResetToMask()
{
    m_text = WithMask ? Mask : QString();
    m_caret = WithMask ? FirstInput : 0;
}

bool TypedAnswer::CountMistake()
{
    const auto keep = weak_from_this().lock();
    ++Mistakes;
    if (Mistakes <= MaxMistakes)
        return false;
    if (!(OmitMessages && Mode == QuestionMode::Presentation) && hooks.showAnswer)
        hooks.showAnswer(Answer);
    endQuestion(false, 0.0f);
    return true;
}

void TypedAnswer::endQuestion(bool correct, float score)
{
    switch (Mode) {
    case QuestionMode::Demonstration:
        // The demonstration starts over.
        ResetToMask();
        Mistakes = 0;
        break;
    case QuestionMode::Preview:
        m_ended = true;
        if (hooks.closePreview)
            hooks.closePreview();
        break;
    case QuestionMode::Presentation:
        m_ended = true;
        if (hooks.finished)
            hooks.finished(correct, score);
        break;
    }
}

void TypedAnswer::EditAnsChange(const QString &typedText, int caret)
{
    if (m_ended)
        return;
    const auto keep = weak_from_this().lock();
    if (PendingBackspaceCaret >= 0) {
        // A backspace inside the mask: the masked character went back to "*".
        m_text = PendingBackspaceText;
        m_caret = std::max(0, PendingBackspaceCaret - 1);
        PendingBackspaceCaret = -1;
        PendingBackspaceText.clear();
        return;
    }
    QString text = typedText;
    caret = std::clamp(caret, 0, int(text.size()));
    if (!WithMask && !ChangeIncorrectChar) {
        m_text = text;
        m_caret = caret;
        return;
    }
    // Typing overwrites: a character typed in front of others replaces the next one.
    if (text.size() > m_text.size() && caret < text.size())
        text.remove(caret, 1);
    const int n = int(std::min(text.size(), Answer.size()));

    if (CheckAtEnd) {
        if (WithMask) {
            for (int i = 0; i < n; ++i)
                if (Mask[i] != QLatin1Char('*'))
                    text[i] = Mask[i];
            text.truncate(n);
            // What was deleted shows the mask again.
            text += Mask.mid(text.size());
            caret = std::min(caret, int(text.size()));
            while (caret < Mask.size() && Mask[caret] != QLatin1Char('*'))
                ++caret;
        }
        m_text = text;
        m_caret = caret;
        return;
    }

    QString out;
    int newCaret = -1;
    for (int i = 0; i < n; ++i) {
        if (SameAnswerChar(text[i], Answer[i], IgnoreAccent)) {
            out += Answer[i];
            continue;
        }
        if (!WithMask) {
            if (i <= caret && CountMistake())
                return;
            out += Answer[i];
            newCaret = i + 1;
            break;
        }
        if (Mask[i] == QLatin1Char('*') && i >= caret) {
            // The typed text simply ends here.
            out += Mask.mid(i);
            newCaret = i;
            break;
        }
        if (i <= caret && CountMistake())
            return;
        if (ChangeIncorrectChar) {
            out += Answer[i];
            out += Mask.mid(i + 1);
            newCaret = i + 1;
            while (newCaret < Mask.size() && Mask[newCaret] != QLatin1Char('*'))
                ++newCaret;
        } else {
            out += Mask.mid(i);
            newCaret = i;
        }
        break;
    }
    if (newCaret < 0) {
        newCaret = int(out.size());
        if (WithMask)
            out += Mask.mid(out.size());
    }
    m_text = out;
    m_caret = std::min(newCaret, int(out.size()));
}

void TypedAnswer::EditAnsKeyDown(Key key, const QString &text, int caret)
{
    if (m_ended)
        return;
    const auto keep = weak_from_this().lock();
    if (key == Key::Backspace) {
        if (WithMask && caret >= 1 && caret <= text.size()) {
            QString saved = text;
            if (caret - 1 < Mask.size() && Mask[caret - 1] == QLatin1Char('*'))
                saved[caret - 1] = QLatin1Char('*');
            PendingBackspaceText = saved;
            PendingBackspaceCaret = caret;
        }
        return;
    }
    if (SameAnswerText(text, Answer, IgnoreAccent)) {
        // Each mistake allowed takes its share of the score.
        endQuestion(true, MaxMistakes > 0
                              ? MaxScore * (1.0f - float(Mistakes) / float(MaxMistakes + 1))
                              : MaxScore);
        return;
    }
    m_text = text;
    m_caret = caret;
    if (!CountMistake() && Mode == QuestionMode::Presentation)
        ResetToMask();
}

void TypedAnswer::typeKeys(const QString &chars)
{
    const auto keep = weak_from_this().lock();
    for (const QChar c : chars) {
        if (m_ended)
            return;
        if (c == QLatin1Char('\n')) {
            EditAnsKeyDown(Key::Enter, m_text, m_caret);
            continue;
        }
        if (c == QLatin1Char('\b')) {
            EditAnsKeyDown(Key::Backspace, m_text, m_caret);
            if (m_caret == 0)
                continue;
            QString t = m_text;
            t.remove(m_caret - 1, 1);
            EditAnsChange(t, m_caret - 1);
            continue;
        }
        QString t = m_text;
        t.insert(m_caret, c);
        EditAnsChange(t, m_caret + 1);
    }
}
