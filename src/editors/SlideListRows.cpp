#include "editors/SlideListRows.h"

#include "config/ProgramOptions.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideLineComposer.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cmath>

namespace {

using Field = MemTable::Field;
using Kind = MemTable::FieldKind;

std::vector<Field> slideFields()
{
    auto s = [](const char *name, int width = 0) {
        return Field{QString::fromLatin1(name), Kind::String, width, false, false};
    };
    auto b = [](const char *name) {
        return Field{QString::fromLatin1(name), Kind::Boolean, 0, false, false};
    };
    auto n = [](const char *name, Kind kind) {
        return Field{QString::fromLatin1(name), kind, 0, false, false};
    };
    return {
        s("Dir"),
        s("Name"),
        s("Ext"),
        b("Valid"),
        s("Slide", 1),
        n("MarkX", Kind::SmallInt),
        n("MarkY", Kind::SmallInt),
        n("Time", Kind::SmallInt),
        n("NotePos", Kind::SmallInt),
        s("PromptOr1stLine", SlideListRows::kParagraphWidth),
        s("AnswersOrNextLines", SlideListRows::kParagraphWidth),
        b("Show"),
        b("PWithAnswer"),
        b("PWithPromptForAnswer"),
        b("PRandomAnswer"),
        b("PresTotalTest"),
        n("NextSlide", Kind::Integer),
        s("AudioDir"),
        s("AudioName"),
        s("AudioExt"),
        b("AudioValid"),
        b("AudioRepeat"),
        b("AudioContinue"),
        b("AudioStop"),
        b("OpenExeEnd"),
        b("OpenValid"),
        s("SourceLine"),
    };
}

bool isOneOf(const QString &letter, const char *letters)
{
    return letter.size() == 1 && QByteArray(letters).contains(char(letter[0].unicode()));
}

// The sink of the editor's checks while messages are suppressed: nothing is said or removed.
class QuietSink : public CheckSink
{
public:
    bool report(int, const QString &, FaultyPart) override { return false; }
};

// The position of a jump reference "//*" + whole number in an answer piece, and its number.
struct AnswerJump
{
    qsizetype at = -1; // index of "//*"
    int number = 0;
};

AnswerJump answerJump(const QString &piece)
{
    AnswerJump j;
    // The reader takes the first "//*" when there is one; its jump is whatever follows.
    const qsizetype at = piece.indexOf(QLatin1String("//*"));
    if (at < 0)
        return j;
    bool ok = false;
    const int n = piece.mid(at + 3).toInt(&ok);
    if (!ok)
        return j; // not a number: it reads as no jump, and is left as written
    j.at = at;
    j.number = n;
    return j;
}

} // namespace

SlideListRows::SlideListRows(Prompter &prompter, const ProgramOptions &options, QObject *parent)
    : FileListRows(slideFields(), AudioFields{AudioDir, AudioName, AudioExt, AudioValid}, prompter,
                   parent),
      m_options(options)
{
    listsAndPrograms = true;
    setSourceField(SourceLine);
    setColumnTitle(Time, QStringLiteral("Tem."));
    setColumnTitle(NextSlide, QStringLiteral("D.S."));
    setColumnTitle(PromptOr1stLine, QStringLiteral("Preg./1rs para."));
    setColumnTitle(AnswersOrNextLines, QStringLiteral("Resp./Seg. para."));
    setColumnTitle(AudioDir, QStringLiteral("Directori audio"));
    setColumnTitle(AudioName, QStringLiteral("Nom audio"));
    setColumnTitle(AudioExt, QStringLiteral("Ex.a"));
    for (int f : {int(Time), int(NextSlide), int(PromptOr1stLine), int(AnswersOrNextLines),
                  int(AudioDir), int(AudioName), int(AudioExt)})
        setColumnShown(f, true);
}

// ---- Loading and writing ----

MemTable::Record SlideListRows::recordFromSlide(const SlideRecord &s) const
{
    MemTable::Record r = table().emptyRecord();
    auto set = [&](int f, const QVariant &v) { (void)table().setField(r, f, v); };
    const SplitRowPath p = splitRowPath(s.FileName);
    set(Dir, p.dir);
    set(Name, p.name);
    set(Ext, p.ext);
    set(Slide, SlideKindLetter(s.Kind));
    set(MarkX, s.MarkX);
    set(MarkY, s.MarkY);
    set(Valid, s.FileState == fsOk);
    set(Show, !s.Hidden);
    set(NotePos, int(NotePosition::Bottom));
    if (s.Kind != skPresentation)
        set(PromptOr1stLine, s.PromptOr1stLine);
    const bool plain = s.Kind != skPresentation && s.Kind != skProgram && s.Kind != skDocument;
    if (plain) {
        set(PWithAnswer, s.PWithAnswer);
        set(PWithPromptForAnswer, s.PWithPromptForAnswer);
        set(PRandomAnswer, s.PRandomAnswer);
        if (s.TimeSet)
            set(Time, int(s.Time) <= 32767 ? QVariant(int(s.Time)) : QVariant());
        set(NotePos, int(s.NotePos));
        set(AnswersOrNextLines, s.AnswersOrNextLines);
        set(PresTotalTest, s.PresTotalTest);
        if (s.NextSlide != -1)
            set(NextSlide, s.NextSlide);
        const SplitRowPath a = splitRowPath(s.AudioFileName);
        if (!s.AudioFileName.isEmpty()) {
            set(AudioDir, a.dir);
            set(AudioName, a.name);
            set(AudioExt, a.ext);
        }
        set(AudioRepeat, s.AudioRepeat);
        set(AudioContinue, s.AudioContinue);
        set(AudioStop, s.AudioStop);
    } else {
        for (int f : {int(PWithAnswer), int(PWithPromptForAnswer), int(PRandomAnswer),
                      int(PresTotalTest), int(AudioRepeat), int(AudioContinue), int(AudioStop)})
            set(f, false);
    }
    set(AudioValid, !plain || s.AudioState == fsOk);
    set(OpenExeEnd, s.OpenExeEnd);
    set(OpenValid, s.OpenFileExists);
    return r;
}

void SlideListRows::loadLines(const QStringList &lines, int currentRow)
{
    loading = true;
    forgetCurrent();
    beginResetModel();
    table().clear();
    bool warned = false;
    for (int n = 0; n < lines.size(); ++n) {
        const auto slide = DecodeSlide(lines[n]);
        if (!slide) {
            prompter().ShowError(MalformedLineMessage(n + 1));
            continue;
        }
        if (!warned && (slide->PromptOr1stLine.size() > kParagraphWidth ||
                        slide->AnswersOrNextLines.size() > kParagraphWidth)) {
            warned = true;
            prompter().ShowWarning(
                QStringLiteral(
                    "Almenys la diapositiva %1 conté un paràgraf de més de 255 caràcters.\r\nSi "
                    "és una presentació creada des d'un arxiu sml o wml edita aquests darrers, "
                    "altrament el millor és editar la presentació amb un editor extern a aquest "
                    "programa.\r\nSi modifiques ara la presentació es perdran els caràcters "
                    "(més allà del 255) dels paràgrafs massa llargs")
                    .arg(n + 1));
        }
        MemTable::Record r = recordFromSlide(*slide);
        r[SourceLine] = lines[n];
        (void)table().append(r);
    }
    endResetModel();
    loading = false;
    modified = false;
    postCount = 0;
    table().modified = false;
    if (count() == 0) {
        setCurrent(-1);
        refreshCurrent();
        return;
    }
    const int row = currentRow >= 0 && currentRow < count() ? currentRow : 0;
    setCurrent(row);
    refreshCurrent();
}

SlideRecord SlideListRows::slideRecord(int row) const
{
    SlideRecord s;
    const QString k = kindLetter(row);
    s.FileName = rowPath(row);
    if (k == QLatin1String("I"))
        s.Kind = skImage;
    else if (k == QLatin1String("X"))
        s.Kind = text(row, Ext).compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0 ? skRichText
                                                                                        : skText;
    else if (k == QLatin1String("W"))
        s.Kind = skWeb;
    else if (k == QLatin1String("A"))
        s.Kind = skVideo;
    else if (k == QLatin1String("Q"))
        s.Kind = skMovie;
    else if (k == QLatin1String("L"))
        s.Kind = skPresentation;
    else if (k == QLatin1String("E"))
        s.Kind = skProgram;
    else if (k == QLatin1String("O"))
        s.Kind = skDocument;
    else
        s.Kind = skTitle;
    s.Hidden = !flag(row, Show);
    s.NotePos = NotePosition(std::clamp(number(row, NotePos, 3), 0, 3));
    s.PromptOr1stLine = text(row, PromptOr1stLine);
    s.AnswersOrNextLines = text(row, AnswersOrNextLines);
    s.PWithAnswer = flag(row, PWithAnswer);
    s.PWithPromptForAnswer = flag(row, PWithPromptForAnswer);
    s.PRandomAnswer = flag(row, PRandomAnswer);
    s.PresTotalTest = flag(row, PresTotalTest);
    s.AudioRepeat = flag(row, AudioRepeat);
    s.AudioContinue = flag(row, AudioContinue);
    s.AudioStop = flag(row, AudioStop);
    s.NextSlide = number(row, NextSlide);
    s.MarkX = number(row, MarkX);
    s.MarkY = number(row, MarkY);
    s.OpenExeEnd = flag(row, OpenExeEnd);
    s.TimeSet = !value(row, Time).isNull() && number(row, Time) >= 0;
    s.Time = s.TimeSet ? quint16(number(row, Time)) : 0;
    s.AudioFileName = audioPath(row);
    s.Flags = ComposeSlideFlags(s);
    return s;
}

QString SlideListRows::writeLine(int row) const
{
    const QString source = text(row, SourceLine);
    if (!source.isEmpty())
        return source;
    return ComposeSlideLine(slideRecord(row));
}

QStringList SlideListRows::writeLines() const
{
    QStringList out;
    out.reserve(count());
    for (int r = 0; r < count(); ++r)
        out << writeLine(r);
    return out;
}

// ---- The hooks ----

bool SlideListRows::isQuestionRow(int row) const
{
    return flag(row, PWithAnswer);
}

void SlideListRows::ResetAudioOptions()
{
    controls.audioContinue = false;
    controls.audioRepeat = false;
    controls.audioStop = false;
    m_togglesChanged = true;
}

void SlideListRows::ClearQuestionFields(int row)
{
    putValue(row, PWithAnswer, false);
    putValue(row, PWithPromptForAnswer, false);
    putValue(row, PRandomAnswer, false);
    putValue(row, PromptOr1stLine, QVariant());
    putValue(row, AnswersOrNextLines, QVariant());
}

bool SlideListRows::CanAccept()
{
    if (count() == 0) {
        prompter().ShowError(QStringLiteral("No hi ha cap diapositiva a mostrar"));
        return false;
    }
    if (!firstRowRule)
        return true;
    const QString k = kindLetter(0);
    QString what;
    if (k == QLatin1String("L"))
        what = QStringLiteral("una altra presentació (sal)");
    else if (k == QLatin1String("E"))
        what = QStringLiteral("un executable (exe)");
    else if (k == QLatin1String("O"))
        what = QStringLiteral("un arxiu a obrir");
    if (what.isEmpty())
        return true;
    prompter().ShowError(QStringLiteral("La primera diapositiva no pot ser %1").arg(what));
    return false;
}

void SlideListRows::PostPendingEdits()
{
    const int row = current();
    if (row < 0 || row >= count())
        return;
    if (controls.firstModified || controls.secondModified || controls.paramsModified ||
        controls.nextSlideModified || m_togglesChanged)
        postCurrent();
}

void SlideListRows::AfterRowDeleted(int rowAfter)
{
    if (loading)
        return;
    renumberForDeletion(rowAfter);
}

void SlideListRows::AfterRowPosted(int row, bool inserted)
{
    if (loading)
        return;
    modified = true;
    ++postCount;
    if (inserted)
        renumberForInsertion(row);
}

void SlideListRows::applyTogglesToRow(int row)
{
    putValue(row, NotePos, int(controls.notePos));
    putValue(row, PresTotalTest, controls.presTotalTest);
    putValue(row, PWithAnswer, controls.pWithAnswer);
    putValue(row, PWithPromptForAnswer, controls.pWithPromptForAnswer);
    putValue(row, PRandomAnswer, controls.pRandomAnswer);
    putValue(row, AudioRepeat, controls.audioRepeat);
    putValue(row, AudioContinue, controls.audioContinue);
    putValue(row, AudioStop, controls.audioStop);
    putValue(row, OpenExeEnd, controls.openExeEnd);
}

void SlideListRows::StoreRowEdits(int row)
{
    SlideRowControls &c = controls;
    const QString k = kindLetter(row);
    bool tooLong = false;
    if (c.paramsModified && isOneOf(k, "EO")) {
        putValue(row, PromptOr1stLine, c.params);
        if (c.params.size() > kParagraphWidth)
            tooLong = true;
    }
    if (c.firstModified && !isOneOf(k, "LEO")) {
        putValue(row, PromptOr1stLine,
                 convertBoxText(c.firstBox, m_options.OnBPostEdit_TrimSpaces,
                                m_options.OnBPostEdit_UpCase1stCharUpP, &tooLong));
    }
    if (c.nextSlideModified) {
        bool ok = false;
        const int n = c.nextSlide.trimmed().toInt(&ok);
        putValue(row, NextSlide, ok ? QVariant(n) : QVariant());
    }
    if (!loading && showMessages && !value(row, NextSlide).isNull()) {
        int jump = number(row, NextSlide);
        WarningRemovalSink sink(prompter());
        ValidateSlideJump(count(), row + 1, jump, c.pWithAnswer, SelfJumpTest::Applies, sink);
        if (jump == -1)
            putValue(row, NextSlide, QVariant());
    }
    if (c.secondModified && !isOneOf(k, "LEO")) {
        QString box = c.secondBox;
        if (c.pWithAnswer) {
            QStringList lines = box.split(QLatin1Char('\n'));
            for (int i = lines.size() - 2; i >= 0; --i) {
                if (lines[i].trimmed().isEmpty()) {
                    lines.removeAt(i);
                    prompter().ShowWarning(QStringLiteral("S'ha eliminat una resposta buida"));
                }
            }
            const bool remain = !(lines.size() == 1 && lines[0].trimmed().isEmpty());
            if (remain) {
                if (showMessages && !loading) {
                    WarningRemovalSink sink(prompter());
                    ValidateAnswers(count(), row + 1, lines, SelfJumpTest::Applies, sink);
                }
            } else {
                prompter().ShowWarning(QStringLiteral("No hi ha assignada cap resposta"));
                c.pWithAnswer = false;
                m_togglesChanged = true;
            }
            box = lines.join(QLatin1Char('\n'));
            c.secondBox = box;
        }
        putValue(row, AnswersOrNextLines,
                 convertBoxText(box, m_options.OnBPostEdit_TrimSpaces,
                                m_options.OnBPostEdit_UpCase1stCharDownP, &tooLong));
    }
    if (!m_defaultsApplied && c.pWithAnswer && !isOneOf(k, "LEO")) {
        if (c.pWithPromptForAnswer && c.firstBox.trimmed().isEmpty()) {
            c.pWithPromptForAnswer = false;
            m_togglesChanged = true;
            prompter().ShowWarning(QStringLiteral("No hi ha assignada la pregunta"));
        }
        if (c.secondBox.trimmed().isEmpty()) {
            c.pWithAnswer = false;
            m_togglesChanged = true;
            prompter().ShowWarning(QStringLiteral("No hi ha assignada cap resposta"));
        }
    }
    if (m_togglesChanged) {
        applyTogglesToRow(row);
        m_togglesChanged = false;
    }
    if (tooLong)
        prompter().ShowWarning(
            QStringLiteral("El text més enllà de 255 caràcters, no es guardarà"));
    if (k == QLatin1String("O") && text(row, PromptOr1stLine).isEmpty())
        prompter().ShowWarning(QStringLiteral("No hi ha assignat l'arxiu a obrir"));
    c.firstModified = c.secondModified = c.paramsModified = c.nextSlideModified = false;
    m_defaultsApplied = false;
    announceRow(row);
}

void SlideListRows::RefreshRowControls()
{
    SlideRowControls &c = controls;
    const int row = current();
    const SlideRowControls::Box keepFocus = c.focus;
    c = SlideRowControls();
    c.focus = keepFocus;
    m_togglesChanged = false;
    if (row < 0 || row >= count()) {
        updateVisibility();
        return;
    }
    c.kind = kindLetter(row);
    c.audioRepeat = flag(row, AudioRepeat);
    c.audioContinue = flag(row, AudioContinue);
    c.audioStop = flag(row, AudioStop);
    c.openExeEnd = flag(row, OpenExeEnd);
    c.notePos = NotePosition(std::clamp(number(row, NotePos, 3), 0, 3));
    c.nextSlide = value(row, NextSlide).isNull() ? QString() : text(row, NextSlide);
    c.params = text(row, PromptOr1stLine);
    c.rowHasMark = number(row, MarkX) != -1 || number(row, MarkY) != -1;
    if (!isOneOf(c.kind, "LEO") && !c.kind.isEmpty()) {
        c.presTotalTest = flag(row, PresTotalTest);
        c.pWithAnswer = flag(row, PWithAnswer);
        c.pWithPromptForAnswer = flag(row, PWithPromptForAnswer);
        c.pRandomAnswer = flag(row, PRandomAnswer);
        c.firstBox = text(row, PromptOr1stLine).replace(QLatin1Char('|'), QLatin1Char('\n'));
        c.secondBox = text(row, AnswersOrNextLines).replace(QLatin1Char('|'), QLatin1Char('\n'));
    }
    updateVisibility();
}

void SlideListRows::updateVisibility()
{
    SlideRowControls &c = controls;
    const QString &k = c.kind;
    c.paramPanelVisible = isOneOf(k, "EO");
    c.paramEditable = k == QLatin1String("E");
    c.paramLabel = k == QLatin1String("E")   ? QStringLiteral("Paràmetres a passar")
                   : k == QLatin1String("O") ? QStringLiteral("Arxiu a obrir")
                                             : QString();
    c.fileSearchEnabled = c.paramPanelVisible;
    c.markCommandsEnabled = k == QLatin1String("I");
    c.markClearEnabled = c.markCommandsEnabled && c.rowHasMark;
    if (k.isEmpty() || isOneOf(k, "LEO")) {
        c.textPanelsVisible = false;
        c.fileCommandsEnabled = false;
        c.firstBoxVisible = c.secondBoxVisible = false;
        c.noteButtonsVisible = false;
        c.answerTogglesVisible = false;
        c.nextSlideEnabled = !k.isEmpty();
        return;
    }
    c.textPanelsVisible = true;
    c.fileCommandsEnabled = k != QLatin1String("T");
    c.secondBoxVisible = c.pWithAnswer || !isOneOf(k, "WX");
    if (!c.secondBoxVisible && !c.secondBox.isEmpty()) {
        c.secondBox.clear();
        c.secondModified = true;
    }
    c.firstBoxVisible =
        (c.pWithAnswer && c.pWithPromptForAnswer) || (!c.pWithAnswer && isOneOf(k, "TIAQ"));
    c.firstHint =
        c.pWithAnswer ? QStringLiteral("Pregunta") : QStringLiteral("Primer(s) paràgraf(s)");
    c.secondHint =
        c.pWithAnswer ? QStringLiteral("Resposta(es)") : QStringLiteral("Següents paràgrafs");
    c.noteButtonsVisible = k == QLatin1String("I") && !c.pWithAnswer;
    c.answerTogglesVisible = c.pWithAnswer;
    c.nextSlideEnabled = !c.pWithAnswer;
}

bool SlideListRows::IsRowDefective(int row) const
{
    return !(flag(row, Valid) && flag(row, AudioValid) && flag(row, OpenValid) && flag(row, Show));
}

bool SlideListRows::IsRowSound(int row) const
{
    return !IsRowDefective(row);
}

bool SlideListRows::IsRowHidden(int row) const
{
    return !flag(row, Show);
}

bool SlideListRows::AdjustCellFont(int row, int field) const
{
    return field == PromptOr1stLine && !flag(row, OpenValid);
}

// ---- Adding rows ----

MemTable::Record SlideListRows::newRecord(const QString &kind) const
{
    MemTable::Record r = table().emptyRecord();
    auto set = [&](int f, const QVariant &v) { (void)table().setField(r, f, v); };
    set(Slide, kind);
    set(Valid, true);
    set(Show, true);
    set(MarkX, -1);
    set(MarkY, -1);
    set(NotePos, 3);
    for (int f : {int(PWithAnswer), int(PWithPromptForAnswer), int(PRandomAnswer),
                  int(PresTotalTest), int(AudioRepeat), int(AudioContinue), int(AudioStop)})
        set(f, false);
    set(AudioValid, true);
    set(OpenExeEnd, false);
    set(OpenValid, true);
    return r;
}

void SlideListRows::addSelectedFiles(const QStringList &files, bool insert)
{
    PostPendingEdits();
    if (files.isEmpty())
        return;
    bool withAnswer = false, withPrompt = false, random = false;
    if (files.size() == 1) {
        const bool currentIsImage = current() >= 0 && kindLetter(current()) == QLatin1String("I");
        const auto kind = SlideKindForExtension(files.front());
        if (!currentIsImage && kind == skImage) {
            withAnswer = m_options.OnAppend_PWithAnswer;
            withPrompt = m_options.OnAppend_PWithPromptForAnswer;
            random = m_options.OnAppend_PRandomAnswer;
            m_defaultsApplied = true;
        } else {
            withAnswer = controls.pWithAnswer;
            withPrompt = controls.pWithPromptForAnswer;
            random = controls.pRandomAnswer;
        }
    }
    int before = insert && current() >= 0 ? current() : -1;
    batch = true;
    for (const QString &file : files) {
        const auto kind = SlideKindForExtension(file);
        MemTable::Record r = newRecord(kind ? SlideKindLetter(*kind) : SlideKindLetter(skImage));
        const SplitRowPath p = splitRowPath(file);
        (void)table().setField(r, Dir, p.dir);
        (void)table().setField(r, Name, p.name);
        (void)table().setField(r, Ext, p.ext);
        (void)table().setField(r, PWithAnswer, withAnswer);
        (void)table().setField(r, PWithPromptForAnswer, withPrompt);
        (void)table().setField(r, PRandomAnswer, random);
        (void)table().setField(r, OpenExeEnd, true);
        const int row = addRecord(r, before);
        if (before >= 0)
            before = row + 1;
    }
    batch = false;
    refreshCurrent();
    announceCurrent();
    if (m_defaultsApplied) {
        m_defaultsApplied = false;
        m_togglesChanged = true;
    }
    Q_EMIT currentChanged(current());
}

void SlideListRows::addTitleRow(bool insert)
{
    PostPendingEdits();
    MemTable::Record r = newRecord(QStringLiteral("T"));
    const bool currentIsTitle = current() >= 0 && kindLetter(current()) == QLatin1String("T");
    bool applied = false;
    if (!currentIsTitle) {
        (void)table().setField(r, PWithAnswer, m_options.OnAppend_PWithAnswer);
        (void)table().setField(r, PWithPromptForAnswer, m_options.OnAppend_PWithPromptForAnswer);
        (void)table().setField(r, PRandomAnswer, m_options.OnAppend_PRandomAnswer);
        applied = true;
    } else {
        (void)table().setField(r, PWithAnswer, controls.pWithAnswer);
        (void)table().setField(r, PWithPromptForAnswer, controls.pWithPromptForAnswer);
        (void)table().setField(r, PRandomAnswer, controls.pRandomAnswer);
    }
    addRecord(r, insert && current() >= 0 ? current() : -1);
    m_defaultsApplied = applied;
    controls.focus = controls.pWithPromptForAnswer ? SlideRowControls::Box::First
                                                   : SlideRowControls::Box::Second;
    Q_EMIT controlsChanged();
}

void SlideListRows::addOpenFileRow(const QString &file)
{
    PostPendingEdits();
    addRecord(newRecord(QStringLiteral("O")));
    chooseFile(file);
}

void SlideListRows::chooseFile(const QString &file)
{
    PostPendingEdits();
    const int row = current();
    if (row < 0 || file.isEmpty())
        return;
    const QString k = kindLetter(row);
    if (k == QLatin1String("O")) {
        putValue(row, PromptOr1stLine, file);
        putValue(row, OpenValid, true);
    } else if (k == QLatin1String("E")) {
        QString params = text(row, PromptOr1stLine);
        if (!params.isEmpty())
            params += QLatin1Char(' ');
        params += QLatin1Char('"') + file + QLatin1Char('"');
        putValue(row, PromptOr1stLine, params);
    } else {
        return;
    }
    AfterRowPosted(row, false);
    announceRow(row);
    refreshCurrent();
}

// ---- Moving and renumbering ----

template <typename Change> void SlideListRows::renumber(Change change)
{
    // Every new number is worked out before any is written, so that a list is never left
    // renumbered in part.
    struct Edit
    {
        int row;
        int field;
        QVariant value;
    };
    std::vector<Edit> edits;
    for (int r = 0; r < count(); ++r) {
        const QVariant next = value(r, NextSlide);
        if (!next.isNull()) {
            const int n = next.toInt();
            const int m = change(n);
            if (m != n)
                edits.push_back({r, NextSlide, m});
            continue; // answers of a row with a next slide are not jumps
        }
        if (!flag(r, PWithAnswer))
            continue;
        const QString answers = text(r, AnswersOrNextLines);
        if (!answers.contains(QLatin1String("//*")))
            continue;
        QStringList pieces = answers.split(QLatin1Char('|'));
        bool changed = false;
        for (QString &piece : pieces) {
            const AnswerJump j = answerJump(piece);
            if (j.at < 0)
                continue;
            const int m = change(j.number);
            if (m == j.number)
                continue;
            piece = piece.left(j.at + 3) + QString::number(m);
            changed = true;
        }
        if (changed)
            edits.push_back({r, AnswersOrNextLines, pieces.join(QLatin1Char('|'))});
    }
    for (const Edit &e : edits) {
        putValue(e.row, e.field, e.value);
        announceRow(e.row);
    }
    if (!edits.empty())
        modified = true;
}

void SlideListRows::renumberForInsertion(int row)
{
    const int r = row + 1;
    renumber([r](int n) { return n >= r ? n + 1 : n; });
}

void SlideListRows::renumberForDeletion(int rowAfter)
{
    const int r = rowAfter + 1;
    renumber([r](int n) { return n > r ? std::max(n - 1, 0) : n; });
}

void SlideListRows::exchangeReferences(int rowA, int rowB)
{
    const int a = rowA + 1, b = rowB + 1;
    renumber([a, b](int n) { return n == a ? b : n == b ? a : n; });
}

bool SlideListRows::canMoveUp() const
{
    return count() >= 2 && current() >= 1;
}

bool SlideListRows::canMoveDown() const
{
    return count() >= 2 && current() >= 0 && current() < count() - 1;
}

bool SlideListRows::moveUp()
{
    if (!canMoveUp())
        return false;
    PostPendingEdits();
    const int row = current();
    showMessages = false;
    swapRows(row, row - 1);
    exchangeReferences(row, row - 1);
    showMessages = true;
    modified = true;
    setCurrent(row - 1);
    return true;
}

bool SlideListRows::moveDown()
{
    if (!canMoveDown())
        return false;
    PostPendingEdits();
    const int row = current();
    showMessages = false;
    swapRows(row, row + 1);
    exchangeReferences(row, row + 1);
    showMessages = true;
    modified = true;
    setCurrent(row + 1);
    return true;
}

// ---- Commands on the selection ----

namespace {

bool needSelection(const std::vector<int> &rows, Prompter &prompter)
{
    if (!rows.empty())
        return true;
    prompter.ShowInfo(QStringLiteral("Heu de seleccionar alguna diapositiva"));
    return false;
}

} // namespace

bool SlideListRows::hideOrShow(const std::vector<int> &rows)
{
    if (!needSelection(rows, prompter()))
        return false;
    PostPendingEdits();
    for (int r : rows) {
        if (r < 0 || r >= count())
            continue;
        setValue(r, Show, !flag(r, Show));
        AfterRowPosted(r, false);
    }
    refreshCurrent();
    return true;
}

bool SlideListRows::setTime(const std::vector<int> &rows, int seconds)
{
    if (!needSelection(rows, prompter()))
        return false;
    PostPendingEdits();
    seconds = std::clamp(seconds, 0, 999);
    for (int r : rows) {
        if (r < 0 || r >= count())
            continue;
        setValue(r, Time, seconds);
        AfterRowPosted(r, false);
    }
    return true;
}

bool SlideListRows::clearTime(const std::vector<int> &rows)
{
    if (!needSelection(rows, prompter()))
        return false;
    PostPendingEdits();
    for (int r : rows) {
        if (r < 0 || r >= count() || value(r, Time).isNull())
            continue;
        setValue(r, Time, QVariant());
        AfterRowPosted(r, false);
    }
    return true;
}

bool SlideListRows::setRepeat(const std::vector<int> &rows, bool on)
{
    if (!needSelection(rows, prompter()))
        return false;
    PostPendingEdits();
    for (int r : rows) {
        if (r < 0 || r >= count() || flag(r, AudioRepeat) == on)
            continue;
        setValue(r, AudioRepeat, on);
        AfterRowPosted(r, false);
    }
    refreshCurrent();
    return true;
}

// ---- Toggles ----

void SlideListRows::setToggle(bool &toggle, bool on)
{
    toggle = on;
    m_togglesChanged = true;
    updateVisibility();
    Q_EMIT controlsChanged();
}

void SlideListRows::setPWithAnswer(bool on)
{
    if (on && !controls.firstBox.trimmed().isEmpty())
        controls.pWithPromptForAnswer = true;
    if (on && !controls.nextSlide.isEmpty()) {
        controls.nextSlide.clear();
        controls.nextSlideModified = true;
    }
    setToggle(controls.pWithAnswer, on);
}

void SlideListRows::setPWithPromptForAnswer(bool on)
{
    if (!on && !controls.firstBox.isEmpty()) {
        controls.firstBox.clear();
        controls.firstModified = true;
    }
    setToggle(controls.pWithPromptForAnswer, on);
}

void SlideListRows::setPRandomAnswer(bool on)
{
    setToggle(controls.pRandomAnswer, on);
}
void SlideListRows::setPresTotalTest(bool on)
{
    setToggle(controls.presTotalTest, on);
}
void SlideListRows::setAudioRepeat(bool on)
{
    setToggle(controls.audioRepeat, on);
}
void SlideListRows::setAudioContinue(bool on)
{
    setToggle(controls.audioContinue, on);
}
void SlideListRows::setAudioStop(bool on)
{
    setToggle(controls.audioStop, on);
}
void SlideListRows::setOpenExeEnd(bool on)
{
    setToggle(controls.openExeEnd, on);
}

void SlideListRows::setNotePos(NotePosition pos)
{
    controls.notePos = pos;
    m_togglesChanged = true;
    Q_EMIT controlsChanged();
}

void SlideListRows::pasteFileName(const QString &name)
{
    if (isOneOf(controls.kind, "LEO") || controls.kind.isEmpty())
        return;
    if (controls.pWithAnswer && !controls.pWithPromptForAnswer)
        return;
    controls.firstBox += name;
    controls.firstModified = true;
    Q_EMIT controlsChanged();
}

// ---- Reports ----

QString SlideListRows::totalTimeText(int imageDelaySeconds) const
{
    double sum = 0;
    bool skipped = false;
    for (int r = 0; r < count(); ++r) {
        if (!flag(r, Valid) || !flag(r, Show)) {
            skipped = true;
            continue;
        }
        if (!value(r, Time).isNull())
            sum += number(r, Time, 0);
        else
            sum += imageDelaySeconds != 0 ? imageDelaySeconds : 0.5;
    }
    const long long total = std::llrint(sum); // halves go to the even neighbour
    QString textOut =
        QStringLiteral("El temps (obviant el temps de càrrega de les "
                       "imatges/textos) per visualitzar totes les diapositives és de ");
    if (total >= 60)
        textOut += QStringLiteral("%1:%2")
                       .arg(total / 60, 2, 10, QLatin1Char('0'))
                       .arg(total % 60, 2, 10, QLatin1Char('0'));
    else
        textOut += QStringLiteral("%1s").arg(total);
    if (skipped)
        textOut +=
            QStringLiteral("\r\nSense tenir en compte les diapositives invàlides o amagades");
    return textOut;
}

QStringList SlideListRows::checkList()
{
    ErrorListSink sink;
    for (int r = 0; r < count(); ++r) {
        const int n = r + 1;
        const QString path = rowPath(r);
        const SlideFileClass c = ClassifySlideFile(path);
        if (c.state != fsOk) {
            sink.report(n, FileProblemText(c.state, path), FaultyPart::SlideJump);
            putValue(r, Valid, false);
        } else {
            putValue(r, Valid, true);
            if (!value(r, NextSlide).isNull()) {
                int jump = number(r, NextSlide);
                ValidateSlideJump(count(), n, jump, flag(r, PWithAnswer), SelfJumpTest::Applies,
                                  sink);
            }
            if (flag(r, PWithAnswer)) {
                const QString answers = text(r, AnswersOrNextLines);
                QStringList pieces = SplitAnswerPieces(answers);
                bool anyAnswer = false;
                for (const QString &p : pieces)
                    anyAnswer = anyAnswer || !p.isEmpty();
                if (flag(r, PWithPromptForAnswer) && text(r, PromptOr1stLine).isEmpty())
                    sink.report(n, QStringLiteral("No hi ha assignada la pregunta"),
                                FaultyPart::SlideJump);
                if (!anyAnswer)
                    sink.report(n, QStringLiteral("No hi ha assignada cap resposta"),
                                FaultyPart::SlideJump);
                else
                    ValidateAnswers(count(), n, pieces, SelfJumpTest::Applies, sink);
            }
        }
        const QString audio = audioPath(r);
        const TFileState a = ClassifyAudioFile(audio);
        if (a != fsOk) {
            sink.report(n, FileProblemText(a, audio), FaultyPart::SlideJump);
            putValue(r, AudioValid, false);
        } else {
            putValue(r, AudioValid, true);
        }
        if (kindLetter(r) == QLatin1String("O")) {
            const QString open = text(r, PromptOr1stLine);
            const bool exists = !open.isEmpty() && QFileInfo(open).isFile();
            if (!exists)
                sink.report(n, FileProblemText(fsNotFound, open), FaultyPart::SlideJump);
            putValue(r, OpenValid, exists);
        }
    }
    announceAll();
    refreshCurrent();
    return sink.lines;
}

// ---- Text conversion and numbering ----

QString SlideListRows::convertBoxText(const QString &box, bool trim, bool upperFirst, bool *tooLong)
{
    QString s = box;
    s.replace(QLatin1String("\r\n"), QLatin1String("|"));
    s.replace(QLatin1Char('\n'), QLatin1Char('|'));
    s.replace(QLatin1Char('\r'), QLatin1Char('|'));
    if (trim || upperFirst) {
        QStringList pieces = s.split(QLatin1Char('|'));
        for (QString &p : pieces) {
            if (trim)
                p = p.trimmed();
            if (upperFirst && !p.isEmpty())
                p = p.left(1).toUpper() + p.mid(1);
        }
        s = pieces.join(QLatin1Char('|'));
    }
    while (s.endsWith(QLatin1Char('|')))
        s.chop(1);
    if (tooLong && s.size() > kParagraphWidth)
        *tooLong = true;
    return s;
}

QString SlideListRows::withoutPositionNumber(const QString &name, bool atEnd)
{
    if (atEnd) {
        const qsizetype blank = name.lastIndexOf(QLatin1Char(' '));
        if (blank < 0)
            return name;
        bool ok = false;
        (void)name.mid(blank + 1).toInt(&ok);
        const QString rest = name.left(blank);
        if (ok && rest.size() >= 3 && rest.endsWith(QLatin1String(" -")))
            return rest.left(rest.size() - 2);
        return name;
    }
    if (name.isEmpty() || !name[0].isDigit())
        return name;
    const qsizetype dash = name.indexOf(QLatin1String(" - "));
    if (dash >= 1 && dash <= 3)
        return name.mid(dash + 3);
    return name;
}

QString SlideListRows::withPositionNumber(const QString &name, int number, int digits, bool atEnd)
{
    if (atEnd)
        return name + QStringLiteral(" - ") + QString::number(number);
    return QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0')) + QStringLiteral(" - ") +
           name;
}

bool SlideListRows::numberFiles(bool set)
{
    PostPendingEdits();
    if (!anyValidFile()) {
        prompter().ShowError(QStringLiteral("No hi ha cap arxiu vàlid"));
        return false;
    }
    const bool atEnd = m_options.SetPosNumberFNAtEnd;
    // A file named by several rows is renamed once; every row naming it follows.
    auto renameEverywhere = [this](const QString &from, const QString &newName) {
        const SplitRowPath p = splitRowPath(from);
        const QString to = joinRowPath(p.dir, newName, p.ext);
        if (to == from || QFileInfo::exists(to) || !QFile::rename(from, to))
            return false;
        for (int r = 0; r < count(); ++r)
            if (rowPath(r) == from) {
                putValue(r, Name, newName);
                AfterRowPosted(r, false);
            }
        return true;
    };
    auto existingFiles = [this]() {
        QStringList files;
        QSet<QString> seen;
        for (int r = 0; r < count(); ++r) {
            const QString p = rowPath(r);
            if (!p.isEmpty() && QFileInfo(p).isFile() && !seen.contains(p)) {
                seen.insert(p);
                files << p;
            }
        }
        return files;
    };
    for (const QString &file : existingFiles()) {
        const QString name = fileNameWithoutExt(extractFileName(file));
        const QString plain = withoutPositionNumber(name, atEnd);
        if (plain != name)
            (void)renameEverywhere(file, plain);
    }
    if (set) {
        const QStringList files = existingFiles();
        const int digits = int(QString::number(files.size()).size());
        int n = 0;
        for (const QString &file : files) {
            const QString name = fileNameWithoutExt(extractFileName(file));
            (void)renameEverywhere(file, withPositionNumber(name, ++n, digits, atEnd));
        }
    }
    announceAll();
    refreshCurrent();
    return true;
}
