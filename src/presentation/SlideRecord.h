#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

enum TSlideKind {
    skImage = 0,
    skRichText = 1,
    skText = 2,
    skTitle = 3,
    skWeb = 4,
    skVideo = 5,
    skMovie = 6,
    skPresentation = 7,
    skProgram = 8,
    skDocument = 9
};

enum TFileState { fsOk = 0, fsNotFound = 1, fsNotViewable = 2 };

// Where a picture's notes go; the numbers are the ones the flags field stores after "N".
enum class NotePosition : std::uint8_t { Left = 0, Top = 1, Right = 2, Bottom = 3 };

// The markers of a slide line's flags field.
struct SlideFlags
{
    NotePosition NotePos = NotePosition::Bottom;
    bool PWithAnswer = false;
    bool PWithPromptForAnswer = false;
    bool PRandomAnswer = false;
    bool PresTotalTest = false;
    bool AudioRepeat = false;
    bool AudioContinue = false;
    bool AudioStop = false;
    int NextSlide = -1; // slide number, -1 = none
    int MarkX = -1;     // thousandths of the picture width, -1 = none
    int MarkY = -1;
};

// One decoded line of a slide list.
struct SlideRecord : SlideFlags
{
    QString FileName;
    QString Flags;
    bool Hidden = false;
    QString PromptOr1stLine;
    QString AnswersOrNextLines;
    bool TimeSet = false;
    quint16 Time = 0;
    QString AudioFileName;

    TSlideKind Kind = skTitle;
    TFileState FileState = fsOk;
    TFileState AudioState = fsOk;
    bool OpenFileExists = true;
    bool OpenExeEnd = false;
};

// Splits a line into its six fields; nothing is checked on disk. std::nullopt when the line has
// fewer than five TABs (an empty line included).
std::optional<SlideRecord> ParseSlideLine(const QString &line);
// Whether a line has its six fields and whether it is hidden, without splitting it.
struct SlideLineShape
{
    bool wellFormed = false;
    bool hidden = false;
};
SlideLineShape InspectSlideLine(const QString &line);

// The text shown for a malformed line; `lineNumber` counts from 1.
QString MalformedLineMessage(int lineNumber);

SlideFlags ParseSlideFlags(const QString &flags);
// The integer that follows the first `letter` in `flags` (digits and '-'), or -1.
int ReadFlagNumber(const QString &flags, QChar letter);

struct SlideFileClass
{
    TSlideKind kind = skTitle;
    TFileState state = fsOk;
};
// The kind by extension alone, without looking at the disk; std::nullopt for unknown extensions.
std::optional<TSlideKind> SlideKindForExtension(const QString &fileName);
SlideFileClass ClassifySlideFile(const QString &fileName);
TFileState ClassifyAudioFile(const QString &fileName);
bool IsPlayableAudioExtension(const QString &fileName);

// The "O"/"C" step: a title slide with "O" opens the document named by its first paragraph.
void ApplyOpenStep(SlideRecord &slide);

// The whole decoding of one line: fields, flags, the files' classification and the "O"/"C" step.
std::optional<SlideRecord> DecodeSlide(const QString &line);

// The editor letter of a kind ("I", "X", "T", "W", "A", "Q", "L", "E", "O").
QString SlideKindLetter(TSlideKind kind);
