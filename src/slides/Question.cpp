#include "slides/Question.h"

#include "files/Prompter.h"
#include "files/SystemColors.h"
#include "slides/PlayerRandom.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

float QuestionModel::maximumScore() const
{
    float best = 0.0f;
    for (const SlideAnswer &a : answers)
        if (a.tag == 5)
            best = std::max(best, a.score);
    return best == 0.0f ? 1.0f : best;
}

QString QuestionModel::correctCaption() const
{
    for (const SlideAnswer &a : answers)
        if (a.tag == 1) {
            QString c = a.caption;
            return c.remove(QLatin1Char('&'));
        }
    return QString();
}

QString PlainSingleAnswer(const QString &field)
{
    const qsizetype at = field.indexOf(QLatin1String("//<"));
    return ReadAnswerHints(at >= 0 ? field.left(at) : field).answer;
}

QuestionModel BuildQuestion(const SlideRecord &slide, const PresentationSettings &settings,
                            QuestionMode mode, bool randomAnswers, bool withPrompt,
                            PlayerRandom &rng, Prompter &prompter)
{
    QuestionModel q;
    if (withPrompt && !slide.PromptOr1stLine.isEmpty())
        q.prompt = QString(slide.PromptOr1stLine).replace(QLatin1Char('|'), QLatin1String("\r\n"));

    const QString &field = slide.AnswersOrNextLines;
    if (field.contains(QLatin1Char('|'))) {
        const SlideAnswers parsed = ParseSlideAnswers(field);
        const std::size_t n = parsed.answers.size();
        if (randomAnswers && n > 1) {
            std::vector<bool> created(n, false);
            std::size_t made = 0;
            // The generator reaches every index; the bound only guards against a pathological
            // state, after which the rest follow in order.
            for (std::size_t draws = 0; made < n && draws < 64 * n + 1024; ++draws) {
                const std::size_t d = rng.random(std::uint32_t(n));
                if (created[d])
                    continue;
                created[d] = true;
                q.answers.push_back(parsed.answers[d]);
                ++made;
            }
            for (std::size_t i = 0; i < n; ++i)
                if (!created[i])
                    q.answers.push_back(parsed.answers[i]);
        } else {
            q.answers = parsed.answers;
        }
        return q;
    }
    if (field.isEmpty())
        return q;
    if (settings.ByInput || mode == QuestionMode::Demonstration) {
        auto box = std::make_shared<TypedAnswer>();
        box->WithMask = settings.WithMask;
        box->ChangeIncorrectChar = settings.ChangeIncorrectChar;
        box->CheckAtEnd = settings.CheckAtEnd;
        box->IgnoreAccent = settings.IgnoreAccent;
        box->MaxMistakes = settings.MaxIncorrections;
        box->OmitMessages = settings.OmissionLearningResultsMessages;
        box->FreeWidth = settings.EditAnswWidth;
        box->Mode = mode;
        box->SetAnswer(field, prompter);
        q.box = std::move(box);
        q.mentalPlaceholder = mode == QuestionMode::Demonstration && !settings.ByInput;
        return q;
    }
    q.mental = true;
    q.mentalAnswer = PlainSingleAnswer(field);
    return q;
}

QuestionLayoutResult LayoutQuestion(const QuestionMetrics &m, int width, const PanelSize &size,
                                    int fixedHeight)
{
    QuestionLayoutResult r;
    const int W = std::max(width, 1);

    // The prompt.
    int promptH = 0;
    int promptW = 0;
    int gap = 0;
    if (m.hasPrompt) {
        const int margin = m.promptMargin;
        promptW = std::max(1, W - 2 * margin);
        promptH = m.promptHeight ? m.promptHeight(promptW) : m.promptLine;
        r.promptCentred = promptH <= 1.2 * m.promptLine * std::max(1, m.promptParagraphs);
        gap = std::max(m.promptLine / 6, 10);
        r.prompt = QRect(margin, 0, promptW, promptH);
    }

    // The answers block, with its own top at 0 for now.
    const int count = int(m.captionWidths.size());
    int blockH = 0;
    int tallest = 0;
    if (count > 0) {
        int widest = 0;
        for (int w : m.captionWidths)
            widest = std::max(widest, w);
        const int column = widest + kRadioIndicatorWidth;
        const int hgap = 2 * m.answersH;
        const int vgap = m.answersHg / 3;
        const int room = W - 2 * hgap;
        r.answers.resize(std::size_t(count));
        if (column > room) {
            // One column of wrapped captions.
            r.wrapAnswers = true;
            const int colW = std::max(1, room);
            int y = 0;
            for (int i = 0; i < count; ++i) {
                const int textH = m.captionHeight
                                      ? m.captionHeight(i, std::max(1, colW - kRadioIndicatorWidth))
                                      : m.answersHg;
                const int h = textH + 2;
                r.answers[std::size_t(i)] = QRect(hgap, y, colW, h);
                tallest = std::max(tallest, textH);
                y += h + (i + 1 < count ? vgap : 0);
            }
            blockH = y;
        } else {
            int k = 1;
            for (int c = std::min(count, 6); c >= 1; --c) {
                if (c * column + (c - 1) * hgap < room) {
                    k = c;
                    break;
                }
            }
            const int rows = (count + k - 1) / k;
            k = (count + rows - 1) / rows;
            const int blockW = k * column + (k - 1) * hgap;
            const int x0 = (W - blockW) / 2;
            for (int i = 0; i < count; ++i) {
                const int col = i / rows;
                const int row = i % rows;
                r.answers[std::size_t(i)] =
                    QRect(x0 + col * (column + hgap), row * (m.answersHg + vgap), column,
                          m.answersHg + 2);
            }
            blockH = rows * m.answersHg + (rows - 1) * vgap;
            tallest = m.answersHg;
        }
    } else if (m.hasBox) {
        blockH = m.boxSize.height();
    }
    if (!count && !m.hasBox)
        gap = 0;

    const int content = promptH + gap + blockH;
    int ref = 0;
    if (m.hasPrompt)
        ref = std::max(m.promptLine, 20);
    else if (count > 0)
        ref = std::max(15, tallest);
    else
        ref = m.boxSize.height();

    int top = 0;
    if (fixedHeight > 0) {
        r.panelHeight = fixedHeight;
        top = (fixedHeight - content) / 2;
    } else if (size.ManualSize) {
        r.panelHeight = size.Size;
        top = (size.Size - content) / 2;
    } else {
        r.panelHeight = content + ref / 2;
        top = ref / 4;
    }

    if (m.hasPrompt)
        r.prompt.translate(0, top);
    for (QRect &a : r.answers)
        a.translate(0, top + promptH + gap);
    if (m.hasBox) {
        const QSize bs = m.boxSize;
        const int x = (W - bs.width()) / 2;
        const int y = m.hasPrompt ? top + promptH + gap : (r.panelHeight - bs.height()) / 2;
        r.box = QRect(x, y, bs.width(), bs.height());
    }
    return r;
}

QString DisplayedCaption(const SlideAnswer &answer)
{
    if (answer.caption.startsWith(QLatin1Char('*')))
        return answer.caption.mid(1);
    return answer.caption;
}

namespace {

QFontMetrics metricsFor(const FontSettings &f, const QPaintDevice *device)
{
    const QFont font = fontFromSettings(f);
    return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

constexpr int kTallText = 1 << 20;

} // namespace

QSize TypedBoxSize(const TypedAnswer &box, const FontSettings &answersFont,
                   const QPaintDevice *device)
{
    const QFontMetrics fm = metricsFor(answersFont, device);
    const int w =
        box.WithMask ? fm.horizontalAdvance(box.Answer) + 2 * fm.horizontalAdvance(QLatin1Char('H'))
                     : (box.FreeWidth > 0 ? box.FreeWidth : 100);
    // A line edit's frame and margins round the text line.
    return QSize(std::max(w, 24), fm.height() + 8);
}

QuestionMetrics MeasureQuestion(const QuestionModel &q, const PresentationSettings &settings,
                                const QPaintDevice *device)
{
    QuestionMetrics m;
    if (!q.prompt.isEmpty()) {
        const QFontMetrics fm = metricsFor(settings.FontPrompt, device);
        const QString prompt =
            QString(q.prompt).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m.hasPrompt = true;
        m.promptMargin = fm.horizontalAdvance(QLatin1Char('H'));
        m.promptLine = fm.height();
        m.promptParagraphs = int(prompt.count(QLatin1Char('\n'))) + 1;
        m.promptHeight = [fm, prompt](int width) {
            return fm.boundingRect(QRect(0, 0, width, kTallText), Qt::TextWordWrap, prompt)
                .height();
        };
    }
    const QFontMetrics fa = metricsFor(settings.FontAnswers, device);
    m.answersH = fa.horizontalAdvance(QLatin1Char('H'));
    m.answersHg = fa.height();
    QStringList captions;
    for (const SlideAnswer &a : q.answers) {
        captions.append(DisplayedCaption(a));
        m.captionWidths.push_back(fa.boundingRect(QRect(0, 0, kTallText, kTallText),
                                                  Qt::TextShowMnemonic, captions.back())
                                      .width());
    }
    m.captionHeight = [fa, captions](int index, int width) {
        return fa
            .boundingRect(QRect(0, 0, width, kTallText), Qt::TextWordWrap | Qt::TextShowMnemonic,
                          captions.value(index))
            .height();
    };
    if (q.box) {
        m.hasBox = true;
        m.boxSize = TypedBoxSize(*q.box, settings.FontAnswers, device);
    }
    return m;
}
