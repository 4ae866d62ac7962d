#pragma once

#include "config/PresentationSettings.h"

#include <QString>

#include <optional>

// Which answers the slides to be shown carry: the answer groups of the presentation mode
// dialog are offered for these only.
enum class AnswerKinds { RadioOnly = 0, TypedOnly = 1, Both = 2 };

// Whether the dialog is opened from the main window (memorisation and note hiding offered) or
// from quiz generation (neither).
enum class MemorisationOffer { Offered, NotOffered };

// The choices of the presentation mode dialog on which the enabling of its controls depends.
struct ModalChoices
{
    PresSortMode sort = PresSortMode::Sequential;
    RandomScope scope = RandomScope::All;
    bool allSlidesToMem = true;
    bool repeatedImages = false;
    ShowingMode model = ShowingMode::Plain;
    bool byInput = false;
    bool checkAtEnd = true;
    bool manual = true;
    AnswerKinds answers = AnswerKinds::Both;
    MemorisationOffer memorisation = MemorisationOffer::Offered;
};

// What is enabled for a set of choices.
struct ModalEnabling
{
    bool randomGroup = false;        // "Imatges a aleatoritzar" and its three choices
    bool omissions = false;          // the two omission check boxes
    bool range = false;              // the two range edits and their labels
    bool memorisationChoice = false; // the memorisation order button
    bool memGroup = false;        // memorisation group: initial count, "&Totes", "Amb &repetició"
    bool initialImages = false;   // the edit between "&Només les" and " primeres"
    bool totalToMemorize = false; // "T&otal"
    bool modelGroup = false;      // "Modalitat" and its choices
    bool omitMessages = false;    // "Omet els missatges quan equivoc."
    bool negativeScore = false;   // "Utilit&za puntuació negativa"
    bool onlyResult = false;      // "En acabar o sumatori: sols la puntuació &final"
    bool multipleGroup = false;   // "Presentació múltiple" and its maximum
    bool singleGroup = false;     // "Única" and its two choices
    bool inputGroup = false;      // "Entrada": mask, accents, check mode, maximum mistakes
    bool changeIncorrect = false; // "Substitueix caràcter equivocat x correcte"
    bool speedGroup = false;      // the duration and its labels
    bool hideNote = false;        // "Amaga els comentaris diapositiv. d'imatge"
};

ModalEnabling modalEnabling(const ModalChoices &c);

// Choosing learning or test, or the memorisation order, asks for a manual run without looping.
bool forcesManualViewing(PresSortMode sort, ShowingMode model);

// Checked before the presentation mode dialog opens: with fewer than two slides there is no
// order to choose. Returns the warning to show (and then puts a random order back to
// sequential), or nothing when the dialog may open.
std::optional<QString> modalOptionsRefusal(PresentationSettings &settings, int slideCount);

// The settings the dialog starts from: from quiz generation a memorisation order becomes random
// and different in each repetition.
void prepareModalSettings(PresentationSettings &settings, MemorisationOffer offer);

// OK's check of the random range, done only for a different-random order over a range (the
// edits keep their own limits): the message to show, or nothing when the range is acceptable.
std::optional<QString> rangeError(int inf, int sup);
