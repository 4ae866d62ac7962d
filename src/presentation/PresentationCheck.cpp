#include "presentation/PresentationCheck.h"

#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/MemTable.h"
#include "presentation/SlideAnswers.h"
#include "presentation/SlideList.h"
#include "tables/MeaningTables.h"

namespace {

QString beyondEndText(int jump, int lineCount)
{
    return QStringLiteral(
               "Assignació d'un número de diapositiva (%1) més enllà del final de la llista (%2)")
        .arg(jump)
        .arg(lineCount);
}

QString invalidJumpText(int jump)
{
    return QStringLiteral("Assignació d'un número de diapositiva invàlid (%1)").arg(jump);
}

QString selfJumpText()
{
    return QStringLiteral(
        "El número de diapositiva on anar és el mateix que el de la diapositiva actual");
}

// The range problem of a jump, or "" when it lands on another slide of the list.
QString jumpRangeProblem(int lineCount, int slideNumber, int jump, SelfJumpTest selfTest)
{
    if (lineCount < jump)
        return beyondEndText(jump, lineCount);
    if (jump <= 0)
        return invalidJumpText(jump);
    if (jump == slideNumber && selfTest == SelfJumpTest::Applies)
        return selfJumpText();
    return QString();
}

QString answerPrefix(int k)
{
    return QStringLiteral("Resposta %1: ").arg(k);
}

} // namespace

bool ErrorListSink::report(int slideNumber, const QString &message, FaultyPart)
{
    lines.append(QString::number(slideNumber) + QStringLiteral(": ") + message);
    return false;
}

bool WarningRemovalSink::report(int, const QString &message, FaultyPart part)
{
    switch (part) {
    case FaultyPart::SlideJump:
        m_prompter.ShowWarning(message + QStringLiteral(",\r\ns'eliminarà el número on anar"));
        return true;
    case FaultyPart::AnswerSuffix:
        m_prompter.ShowWarning(message +
                               QStringLiteral(",\r\ns'eliminarà // i el text que segueixi"));
        return true;
    case FaultyPart::CorrectAnswer:
        m_prompter.ShowWarning(
            message + QStringLiteral(",\r\nper fer-ho cal posar '*' davant de la correcta"));
        return false;
    }
    return false;
}

QString FileProblemText(TFileState state, const QString &path)
{
    return (state == fsNotViewable ? QStringLiteral("no es pot visualitzar/escoltar\r\n(%1)")
                                   : QStringLiteral("no s'ha trobat\r\n(%1)"))
        .arg(path);
}

bool ValidateSlideJump(int lineCount, int slideNumber, int &jump, bool hasQuestion,
                       SelfJumpTest selfTest, CheckSink &sink)
{
    const QString problem =
        hasQuestion ? QStringLiteral("No s'admet assignació d'un número de diapositiva on anar "
                                     "en diapositives amb pregunta")
                    : jumpRangeProblem(lineCount, slideNumber, jump, selfTest);
    if (problem.isEmpty())
        return true;
    if (sink.report(slideNumber, problem, FaultyPart::SlideJump))
        jump = -1;
    return false;
}

QStringList SplitAnswerPieces(const QString &answers)
{
    QStringList pieces = answers.split(QLatin1Char('|'));
    if (answers.endsWith(QLatin1Char('|')))
        pieces.removeLast();
    return pieces;
}

bool ValidateAnswers(int lineCount, int slideNumber, QStringList &pieces, SelfJumpTest selfTest,
                     CheckSink &sink)
{
    bool valid = true;
    bool jumpOrScore = false;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QString &piece = pieces[i];
        const qsizetype at = piece.indexOf(QLatin1String("//"));
        if (at < 0)
            continue;
        const QString rest = piece.mid(at + 2);
        QString problem;
        bool gives = false;
        if (rest.isEmpty()) {
            problem = QStringLiteral("Sense reacció a la resposta");
        } else if (rest.startsWith(QLatin1Char('*'))) {
            bool ok = false;
            const int jump = rest.mid(1).toInt(&ok);
            if (!ok) {
                problem =
                    QStringLiteral("Assignació de número de diapositiva que no és un número (%1)")
                        .arg(rest);
            } else {
                problem = jumpRangeProblem(lineCount, slideNumber, jump, selfTest);
                gives = true;
            }
        } else if (rest.startsWith(QLatin1Char('<'))) {
            if (ParseDecimalNumber(rest.mid(1)))
                gives = true;
            else
                problem =
                    QStringLiteral("Assignació de número de puntuació que no és un número (%1)")
                        .arg(rest);
        }
        // Any other text is a reaction message.
        if (!problem.isEmpty()) {
            valid = false;
            if (sink.report(slideNumber, answerPrefix(int(i + 1)) + problem,
                            FaultyPart::AnswerSuffix)) {
                piece.truncate(at);
                gives = false; // the jump it carried is gone
            }
        }
        jumpOrScore = jumpOrScore || gives;
    }
    if (jumpOrScore)
        return valid;
    for (const QString &piece : pieces)
        if (piece.startsWith(QLatin1Char('*')))
            return valid;
    // A single answer, or one followed by an empty piece, is typed or recalled: nothing to mark.
    if (pieces.size() == 1 || (pieces.size() == 2 && pieces[1].isEmpty()))
        return valid;
    sink.report(slideNumber, QStringLiteral("No hi ha assignada una resposta correcta"),
                FaultyPart::CorrectAnswer);
    return false;
}

QStringList CheckSoundTable(const MemTable &table)
{
    QStringList errors;
    const int fn = table.fieldIndex(QStringLiteral("FN"));
    const int audio = table.fieldIndex(QStringLiteral("AudioFN"));
    if (fn < 0 || audio < 0)
        return errors;
    for (int r = 0; r < table.recordCount(); ++r) {
        const QString picture = table.record(r)[std::size_t(fn)].toString();
        const SlideFileClass c = ClassifySlideFile(picture);
        if (c.state != fsOk)
            errors.append(FileProblemText(c.state, picture));
        const QString track = table.record(r)[std::size_t(audio)].toString();
        const TFileState a = ClassifyAudioFile(track);
        if (a != fsOk)
            errors.append(FileProblemText(a, track));
    }
    return errors;
}

PresentationCheckResult CheckSlideLines(const QStringList &lines, Prompter *prompter)
{
    PresentationCheckResult result;
    ErrorListSink sink;
    const int lineCount = int(lines.size());
    for (int i = 0; i < lineCount; ++i) {
        const int n = i + 1;
        std::optional<SlideRecord> slide = DecodeSlide(lines[i]);
        if (!slide) {
            if (prompter)
                prompter->ShowError(MalformedLineMessage(n));
            result.malformedLine = n;
            result.errors.clear();
            return result;
        }
        if (slide->Hidden)
            ++result.hiddenCount;
        bool badFile = false;
        const auto fileProblem = [&](TFileState state, const QString &path) {
            sink.lines.append(QString::number(n) + QStringLiteral(": ") +
                              FileProblemText(state, path));
            badFile = true;
        };
        if (slide->FileState != fsOk)
            fileProblem(slide->FileState, slide->FileName);
        if (slide->AudioState != fsOk)
            fileProblem(slide->AudioState, slide->AudioFileName);
        if (slide->Kind == skDocument && !slide->OpenFileExists)
            fileProblem(fsNotFound, slide->PromptOr1stLine);
        if (badFile)
            continue;
        if (slide->NextSlide != -1)
            ValidateSlideJump(lineCount, n, slide->NextSlide, slide->PWithAnswer,
                              SelfJumpTest::Applies, sink);
        if (!slide->PWithAnswer)
            continue;
        if (slide->PWithPromptForAnswer && slide->PromptOr1stLine.isEmpty())
            sink.lines.append(QString::number(n) +
                              QStringLiteral(": No hi ha assignada la pregunta"));
        if (slide->AnswersOrNextLines.isEmpty()) {
            sink.lines.append(QString::number(n) +
                              QStringLiteral(": No hi ha assignada cap resposta"));
        } else {
            QStringList pieces = SplitAnswerPieces(slide->AnswersOrNextLines);
            ValidateAnswers(lineCount, n, pieces, SelfJumpTest::Applies, sink);
        }
    }
    result.errors = std::move(sink.lines);
    return result;
}

PresentationCheckResult CheckPresentation(const SlideList &list, const MeaningTable &soundTable,
                                          Prompter *prompter)
{
    if (soundTable.table.recordCount() > 0) {
        PresentationCheckResult tableResult;
        tableResult.scope = PresentationCheckResult::Scope::SoundTable;
        tableResult.errors = CheckSoundTable(soundTable.table);
        if (!tableResult.errors.isEmpty())
            return tableResult;
    }
    return CheckSlideLines(list.lines, prompter);
}

CheckSummary CheckSummaryFor(int hiddenCount)
{
    if (hiddenCount <= 0)
        return {MsgKind::Information, QStringLiteral("La presentació és correcte")};
    if (hiddenCount == 1)
        return {MsgKind::Warning, QStringLiteral("Hi ha una diapositiva amagada")};
    return {MsgKind::Warning, QStringLiteral("Hi ha %1 diapositives amagades").arg(hiddenCount)};
}

int RelocateSoundTableFiles(MeaningTable &table)
{
    MemTable &t = table.table;
    const QString folder = extractFileDir(table.fileName);
    int changed = 0;
    const auto relocate = [&](int r, const QString &fieldName, bool missing) {
        const int field = t.fieldIndex(fieldName);
        if (field < 0 || !missing)
            return;
        const QString old = t.record(r)[std::size_t(field)].toString();
        const QString candidate = includeTrailingSeparator(folder) + extractFileName(old);
        const int width = t.fields()[std::size_t(field)].width;
        // A path longer than the field would be cut, naming nothing: the field stays as it was.
        if (candidate == old || !fileExists(candidate) || (width > 0 && candidate.size() > width))
            return;
        MemTable::Record record = t.record(r);
        if (!t.setField(record, field, candidate))
            return;
        t.replaceAt(r, record);
        t.modified = true;
        ++changed;
    };
    for (int r = 0; r < t.recordCount(); ++r) {
        const QString picture = t.value(r, QStringLiteral("FN")).toString();
        relocate(r, QStringLiteral("FN"), ClassifySlideFile(picture).state == fsNotFound);
        const QString track = t.value(r, QStringLiteral("AudioFN")).toString();
        relocate(r, QStringLiteral("AudioFN"), ClassifyAudioFile(track) == fsNotFound);
    }
    return changed;
}

bool RelocateCheckedSlideList(SlideList &list, const QString &folder, Prompter *prompter)
{
    for (const SlideList::RelocateField which :
         {SlideList::RelocateField::File, SlideList::RelocateField::Audio,
          SlideList::RelocateField::Document}) {
        if (list.RelocateSlideFiles(folder, which, prompter) ==
            SlideList::RelocateResult::Malformed)
            return false;
    }
    return true;
}
