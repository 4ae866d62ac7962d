// One line of a slide list: its six fields, the flags and the answers. Besides crashes, a line
// written back from what was read must read back the same.
#include "FuzzSupport.h"
#include "presentation/SlideAnswers.h"
#include "presentation/SlideLineComposer.h"
#include "presentation/SlideRecord.h"

namespace {

bool sameFlags(const SlideFlags &a, const SlideFlags &b)
{
    return a.NotePos == b.NotePos && a.PWithAnswer == b.PWithAnswer &&
           a.PWithPromptForAnswer == b.PWithPromptForAnswer && a.PRandomAnswer == b.PRandomAnswer &&
           a.PresTotalTest == b.PresTotalTest && a.AudioRepeat == b.AudioRepeat &&
           a.AudioContinue == b.AudioContinue && a.AudioStop == b.AudioStop &&
           a.NextSlide == b.NextSlide && a.MarkX == b.MarkX && a.MarkY == b.MarkY;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const QString line = QString::fromUtf8(fuzzBytes(bytes, size));
    const SlideLineShape shape = InspectSlideLine(line);
    const auto parsed = ParseSlideLine(line);
    FUZZ_CHECK(shape.wellFormed == parsed.has_value());
    (void)ParseSlideFlags(line);
    (void)ReadFlagNumber(line, QLatin1Char('*'));
    const SlideAnswers answers = ParseSlideAnswers(line);
    for (const SlideAnswer &a : answers.answers)
        FUZZ_CHECK(a.reaction.size() <= 255);
    (void)ParseDecimalNumber(line);
    (void)ReplaceTimeField(line, 42);
    if (!parsed)
        return 0;
    FUZZ_CHECK(shape.hidden == parsed->Hidden);
    (void)ParseSlideAnswers(parsed->AnswersOrNextLines);

    // A picture slide written back keeps its markers, whatever the flags field held. The fields
    // may not hold a TAB or a line end (they could not have come from one line).
    SlideRecord slide = *parsed;
    slide.Kind = skImage;
    static_cast<SlideFlags &>(slide) = ParseSlideFlags(slide.Flags);
    const QString composed = ComposeSlideLine(slide);
    const auto again = ParseSlideLine(composed);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->Hidden == slide.Hidden);
    SlideFlags expected = slide;
    if (!slide.PWithAnswer ||
        (slide.PromptOr1stLine.isEmpty() && slide.AnswersOrNextLines.isEmpty()))
        expected.PWithAnswer = expected.PWithPromptForAnswer = expected.PRandomAnswer = false;
    FUZZ_CHECK(sameFlags(ParseSlideFlags(again->Flags), expected));
    FUZZ_CHECK(ReplaceTimeField(composed, 7).count(QLatin1Char('\t')) ==
               composed.count(QLatin1Char('\t')));
    return 0;
}
