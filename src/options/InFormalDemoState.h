#pragma once

#include <QString>

// What the inner formal options dialog shows besides the settings, kept by the main window from
// one opening to the next for the rest of the run (never stored in a file).
struct InFormalDemoState
{
    int page = 0;
    QString note1 = QStringLiteral("Títol");
    QString note2 = QStringLiteral("Comentari");
    int answerRows = 2;       // demonstration rows of answers, 1 to 5
    bool sharedPanel = false; // the question panel below an image ("compartit"), else text only
    bool withPrompt = true;
    QString imageBitmap, noteBitmap, titleBitmap;
};

// Where the dialog was opened from: the main window, or a quiz generation dialog.
enum class InFormalOpener { MainWindow, WordsQuiz, PicturesQuiz };
// The kind of quiz being generated (which question demonstration applies).
enum class InFormalQuizKind { None, OneAnswer, Radio };
