#pragma once

#include "config/PresentationSettings.h"
#include "files/Fallible.h"
#include "files/MemTable.h"
#include "tables/MeaningTables.h"

#include <QString>
#include <QStringList>

class Prompter;

// The making of a quiz presentation from a meaning table: one question slide per entry, framed
// by the accessory slides kept from an earlier quiz of the same name, with the presentation's
// settings adapted so that the quiz works.

// Every slide shows all the table's answers as radio buttons, or waits for a single answer.
enum class QuizAnswers { Radio, Single };
// The question of a words table's radio-button slides: its own column, none, or one text.
enum class PromptChoice { Include, Omit, Generic };

struct GenerationChoices
{
    QuizAnswers answers = QuizAnswers::Radio;
    PromptChoice prompt = PromptChoice::Include;
    QString genericPrompt;
    bool randomAnswers = false;
    // Words tables: the meaning is the answer and the word the question.
    bool swapped = false;
};

// The slides before and after the questions of an existing quiz. A line whose flags hold "X" is
// a generated question; the lines before the first one are the first group, every other line
// after it the last group.
struct AccessorySlides
{
    QStringList first, last;
    bool firstPresent = false, lastPresent = false;
};
AccessorySlides LoadAccessorySlides(const QStringList &targetLines);

// The settings a quiz cannot run with, changed when the generation starts: memorisation becomes
// random order, a random range is dropped, and for a picture table the slide name leaves the
// caption. True when something changed (the caller says so with AdaptedModeMessage()).
bool AdaptSettingsForQuiz(PresentationSettings &s, MeaningKind kind);
QString AdaptedModeMessage();
// The random margins for `first` and `last` accessory slides around `entries` questions (random
// order only). True when something changed (RandomMarginsMessage()).
bool AdaptRandomMargins(PresentationSettings &s, int first, int last, int entries);
QString RandomMarginsMessage();

struct GeneratedSlides
{
    QStringList lines;
    int longestAnswers = 0; // characters of the longest answers field (radio buttons)
    int answerWidth = -1;   // the typed answer's width wanted (single answers), -1 = none
};

// "Si escolliu una pregunta genèrica, cal formular-la" when the generic question has no text.
Fallible<void> CheckGenericPrompt(const GenerationChoices &choices);

// The question slides of a words table. Radio buttons sort the table first (ascending, without
// regard to case, by the answer column and then the question column), as the editor's table
// stays sorted afterwards.
GeneratedSlides GenerateWordSlides(MemTable &table, const GenerationChoices &choices,
                                   const FontSettings &answersFont);
// The question slides of a pictures and sounds table, in its order.
GeneratedSlides GenerateSoundSlides(const MemTable &table, const GenerationChoices &choices,
                                    const FontSettings &answersFont);

// The accessory slides that are present around the questions.
QStringList AssembleQuiz(const AccessorySlides &accessory, const QStringList &generated);

// The picture table editor's check: each missing file, duplicate file or meaning, missing
// meaning, and mixed kinds, as lines with the row number (from 1); empty when all is well.
QStringList CheckSoundTableRows(const MemTable &table);
QString SoundTableSummary();

// Writes the quiz: an existing target is replaced only when the user says so ("Regravar la
// presentació '%s' existent?"); a new one is announced ("S'ha creat la presentació '%s'"); a set
// of answers too long for the editor is warned about. Fails, with nothing written, on a refusal
// (empty message) or an error (its message, shown).
Fallible<void> WriteQuiz(const QString &target, const QStringList &lines, int longestAnswers,
                         Prompter &prompter);

// A meaning stored while the columns are swapped, where "|" would split the answers.
QString SwappedMeaning(const QString &meaning);
