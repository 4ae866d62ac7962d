#include "options/ModalOptionsRules.h"

ModalEnabling modalEnabling(const ModalChoices &c)
{
    ModalEnabling e;
    const bool random = c.sort == PresSortMode::Random;
    const bool memorising = c.sort == PresSortMode::Memorisation;
    const bool offered = c.memorisation == MemorisationOffer::Offered;
    e.randomGroup = random;
    e.omissions = random && c.scope == RandomScope::WithOmissions;
    e.range = random && c.scope == RandomScope::Range;
    e.memorisationChoice = offered;
    e.memGroup = memorising;
    e.initialImages = memorising && !c.allSlidesToMem;
    e.totalToMemorize = memorising && c.repeatedImages;
    e.modelGroup = !memorising;
    const bool quiz = c.model == ShowingMode::Learning || c.model == ShowingMode::Exam;
    const bool radio = c.answers != AnswerKinds::TypedOnly;
    const bool typed = c.answers != AnswerKinds::RadioOnly;
    e.omitMessages = e.modelGroup && quiz;
    e.negativeScore = e.modelGroup && c.model == ShowingMode::Exam && radio;
    e.onlyResult = e.modelGroup && c.model == ShowingMode::Exam;
    e.multipleGroup = radio;
    e.singleGroup = typed;
    e.inputGroup = typed && c.byInput;
    e.changeIncorrect = e.inputGroup && !c.checkAtEnd;
    e.speedGroup = !c.manual;
    e.hideNote = offered;
    return e;
}

bool forcesManualViewing(PresSortMode sort, ShowingMode model)
{
    return sort == PresSortMode::Memorisation || model == ShowingMode::Learning ||
           model == ShowingMode::Exam;
}

std::optional<QString> modalOptionsRefusal(PresentationSettings &settings, int slideCount)
{
    if (slideCount >= 2)
        return std::nullopt;
    QString text = QStringLiteral(
        "Per canviar el mode de presentació cal que hi hagin almenys 2 diapositives");
    if (settings.PresSort != PresSortMode::Sequential) {
        text += QStringLiteral("\r\nes canvia a mode seqüencial");
        settings.PresSort = PresSortMode::Sequential;
    }
    return text;
}

void prepareModalSettings(PresentationSettings &settings, MemorisationOffer offer)
{
    if (offer == MemorisationOffer::NotOffered && settings.PresSort == PresSortMode::Memorisation)
        settings.PresSort = PresSortMode::Random;
}

std::optional<QString> rangeError(int inf, int sup)
{
    if (inf > sup)
        return QStringLiteral("El valor inferior no pot ser més gran que el superior");
    return std::nullopt;
}
