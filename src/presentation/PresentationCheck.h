#pragma once

#include "files/Prompter.h"
#include "presentation/SlideRecord.h"

#include <QString>
#include <QStringList>

class MemTable;
class SlideList;
struct MeaningTable;

// The check of a whole presentation, and the jump and answer validations it shares with the
// slide list editor. Nothing here changes a file: the check only reports; the two relocations
// at the end rewrite paths in memory, and only to files that exist.

// Whether a jump to the slide's own number is a problem. The editor skips the test while rows
// move, when a row's number is momentarily not its final one.
enum class SelfJumpTest { Applies, Skipped };

// The part of a slide a problem is about, which a removing sink takes away.
enum class FaultyPart {
    SlideJump,     // the slide's own jump number
    AnswerSuffix,  // the "//" part of one answer
    CorrectAnswer, // no answer is marked correct (nothing to remove)
};

// Where the validations put their problems: the check's error list, or the editor's warnings.
class CheckSink
{
public:
    virtual ~CheckSink() = default;
    // A problem of slide `slideNumber` (from 1); true when the faulty part is to be removed.
    virtual bool report(int slideNumber, const QString &message, FaultyPart part) = 0;
};

// Collects the error list: each problem as "n: " + message.
class ErrorListSink : public CheckSink
{
public:
    bool report(int slideNumber, const QString &message, FaultyPart part) override;
    QStringList lines;
};

// Shows each problem as a warning saying what will be removed, and asks for its removal.
class WarningRemovalSink : public CheckSink
{
public:
    explicit WarningRemovalSink(Prompter &prompter) : m_prompter(prompter) {}
    bool report(int slideNumber, const QString &message, FaultyPart part) override;

private:
    Prompter &m_prompter;
};

// The reason texts of a file that is missing or cannot be shown, with its path.
QString FileProblemText(TFileState state, const QString &path);

// Validates a slide's jump `jump` (set, i.e. not -1) on slide `slideNumber` of a list of
// `lineCount` lines. At most one problem is reported; when the sink removes it, `jump` becomes -1.
// True when the jump was valid.
bool ValidateSlideJump(int lineCount, int slideNumber, int &jump, bool hasQuestion,
                       SelfJumpTest selfTest, CheckSink &sink);

// The answers of a question cut at every "|": empty pieces are kept, a trailing "|" adds none.
QStringList SplitAnswerPieces(const QString &answers);

// Validates the answers of a question slide, piece by piece, then whether one is marked correct.
// A removing sink cuts the "//" part of a faulty piece in `pieces`. True when nothing was wrong.
bool ValidateAnswers(int lineCount, int slideNumber, QStringList &pieces, SelfJumpTest selfTest,
                     CheckSink &sink);

// What the check found.
struct PresentationCheckResult
{
    // The image-sound table is checked first; when it has problems the list is not examined.
    enum class Scope { SoundTable, SlideList };
    Scope scope = Scope::SlideList;
    QStringList errors; // the error list, lines with "\r\n" inside some of them
    int hiddenCount = 0;
    int malformedLine = 0; // from 1; 0 = none. The check stopped there, with no report.

    bool stopped() const { return malformedLine > 0; }
};

// The problems of the image-sound table's records: each bad picture or audio file as its reason
// text, without a slide number.
QStringList CheckSoundTable(const MemTable &table);

// Checks the lines of a slide list. A malformed line stops the check: its message is shown
// through `prompter` when one is given.
PresentationCheckResult CheckSlideLines(const QStringList &lines, Prompter *prompter);

// The whole check: the image-sound table when it has records, then, if it was clean, the list.
PresentationCheckResult CheckPresentation(const SlideList &list, const MeaningTable &soundTable,
                                          Prompter *prompter);

// What a clean check says: "La presentació és correcte", or the hidden slides as a warning.
struct CheckSummary
{
    MsgKind kind = MsgKind::Information;
    QString text;
};
CheckSummary CheckSummaryFor(int hiddenCount);

// "&Refer" on the image-sound table: every picture or audio field naming a missing file is
// replaced by the table's folder + the file's name when that file exists there. The table is
// marked modified when a field changes; returns how many fields changed.
int RelocateSoundTableFiles(MeaningTable &table);

// "&Refer" on the list: the file, audio and document fields are looked for in `folder`, in that
// order. A malformed line stops it with its message. False when it stopped.
bool RelocateCheckedSlideList(SlideList &list, const QString &folder, Prompter *prompter);
