#pragma once

#include "config/PresentationSettings.h"
#include "presentation/SlideAnswers.h"
#include "presentation/SlideRecord.h"
#include "slides/TypedAnswer.h"

#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class PlayerRandom;
class Prompter;

// The question of a slide as its controls will show it: the prompt, the radio answers in display
// order, or the single answer (typed in a box, or recalled mentally).
struct QuestionModel
{
    QString prompt;                   // empty: no prompt label; "|" already turned into CR LF
    std::vector<SlideAnswer> answers; // radio answers, in display order
    std::shared_ptr<TypedAnswer> box; // the typed-answer box, or none
    QString mentalAnswer;             // the single answer recalled mentally
    bool mental = false;
    // The demonstration panel with ByInput off: a read-only box showing "(mental)".
    bool mentalPlaceholder = false;

    bool radio() const { return !answers.empty(); }
    bool empty() const { return prompt.isEmpty() && answers.empty() && !box && !mental; }
    // The largest score of the scored answers (at least 0), taken as 1 when it is 0.
    float maximumScore() const;
    // The caption of the first correct answer, "&" removed; empty when there is none.
    QString correctCaption() const;
};

// Builds the question of `slide`. `randomAnswers` shuffles the radio answers with `rng` (already
// seeded); `withPrompt` makes the prompt label when the slide has a prompt text.
QuestionModel BuildQuestion(const SlideRecord &slide, const PresentationSettings &settings,
                            QuestionMode mode, bool randomAnswers, bool withPrompt,
                            PlayerRandom &rng, Prompter &prompter);

// A single answer without its score suffix and "&" escapes, as the mental check shows it.
QString PlainSingleAnswer(const QString &field);

// The measures LayoutQuestion needs, taken from the fonts by the caller.
struct QuestionMetrics
{
    bool hasPrompt = false;
    int promptMargin = 0;                       // width of "H" in the prompt font
    int promptLine = 0;                         // line height of the prompt font
    int promptParagraphs = 1;                   // lines of the prompt before wrapping
    std::function<int(int width)> promptHeight; // wrapped at `width`

    int answersH = 0;               // width of "H" in the answers font
    int answersHg = 0;              // height of "Hg" in the answers font
    std::vector<int> captionWidths; // each caption unwrapped, without a leading "*"
    std::function<int(int index, int width)> captionHeight; // caption `index` wrapped at `width`

    bool hasBox = false;
    QSize boxSize;
};

struct QuestionLayoutResult
{
    int panelHeight = 0;
    QRect prompt;
    bool promptCentred = true;
    std::vector<QRect> answers; // in display order
    bool wrapAnswers = false;   // one column with wrapped captions
    QRect box;
};

// Places the controls on a panel `width` wide. `size` is the PanelPA setting: with ManualSize
// the panel is its Size high, otherwise as high as the content needs. A panel that keeps its
// height (the title panel, a side panel) passes `fixedHeight` > 0, and its content is centred.
QuestionLayoutResult LayoutQuestion(const QuestionMetrics &m, int width, const PanelSize &size,
                                    int fixedHeight = 0);

// Width of the radio indicator and its spacing, added to each caption.
constexpr int kRadioIndicatorWidth = 22;

class QPaintDevice;
// A radio answer's caption as its button shows it: without the leading "*" of a scored answer.
QString DisplayedCaption(const SlideAnswer &answer);
// Measures the question's prompt, captions and box in the prompt and answers fonts on `device`
// (nullptr: the screen).
QuestionMetrics MeasureQuestion(const QuestionModel &q, const PresentationSettings &settings,
                                const QPaintDevice *device);
// The typed-answer box's size: as wide as the answer plus two "H" with a mask, else FreeWidth.
QSize TypedBoxSize(const TypedAnswer &box, const FontSettings &answersFont,
                   const QPaintDevice *device);
