#include "editors/QuizGeneration.h"

#include "files/Prompter.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"
#include "slides/Question.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QSet>

#include <algorithm>

namespace {

QString field(const MemTable &t, int row, int f)
{
    return t.record(row)[std::size_t(f)].toString();
}

int number(const MemTable &t, int row, int f)
{
    const QVariant v = t.record(row)[std::size_t(f)];
    return v.isNull() ? 0 : v.toInt();
}

QString quizLine(const QString &file, const QString &flags, const QString &prompt,
                 const QString &answers, const QString &audio)
{
    const QChar tab(QLatin1Char('\t'));
    return file + tab + flags + tab + prompt + tab + answers + tab + tab + audio;
}

// Every distinct answer of the table once, the row's own marked with "*" and the others looking
// their meaning up in the table ("///"): the answers field of row `own`. The answers are built
// once per generation, not per slide.
class RadioAnswers
{
public:
    explicit RadioAnswers(QStringList answers) : m_answers(std::move(answers)) {}

    QString forRow(int own) const
    {
        const QString &mine = m_answers[own];
        QString out;
        QString previous;
        bool first = true;
        for (int r = 0; r < m_answers.size(); ++r) {
            const QString &a = m_answers[r];
            QString piece;
            if (r == own)
                piece = QLatin1Char('*') + a;
            else if (a == mine || (!first && a == previous))
                continue;
            else
                piece = a + QStringLiteral("///");
            if (!first)
                out += QLatin1Char('|');
            out += piece;
            previous = a;
            first = false;
        }
        return out;
    }

private:
    QStringList m_answers;
};

// The typed answer's width: the widest answer without its accelerator marks in the answers
// font, plus an "H", at least 10 pixels.
int typedAnswerWidth(const QStringList &answers, const FontSettings &font)
{
    const QFontMetrics fm(fontFromSettings(font));
    int widest = 0;
    for (const QString &a : answers)
        widest = std::max(widest, fm.horizontalAdvance(PlainSingleAnswer(a)));
    return std::max(10, widest + fm.horizontalAdvance(QLatin1Char('H')));
}

QString flagsFor(const GenerationChoices &c, bool withPrompt)
{
    QString flags = withPrompt ? QStringLiteral("XP") : QStringLiteral("X");
    if (c.answers == QuizAnswers::Radio && c.randomAnswers)
        flags += QLatin1Char('R');
    return flags;
}

} // namespace

AccessorySlides LoadAccessorySlides(const QStringList &targetLines)
{
    AccessorySlides a;
    bool questionsStarted = false;
    for (const QString &line : targetLines) {
        const QString flags = line.section(QLatin1Char('\t'), 1, 1);
        if (flags.contains(QLatin1Char('X'))) {
            questionsStarted = true;
            continue;
        }
        (questionsStarted ? a.last : a.first) << line;
    }
    a.firstPresent = !a.first.isEmpty();
    a.lastPresent = !a.last.isEmpty();
    return a;
}

bool AdaptSettingsForQuiz(PresentationSettings &s, MeaningKind kind)
{
    bool changed = false;
    if (s.PresSort == PresSortMode::Memorisation) {
        s.PresSort = PresSortMode::Random;
        changed = true;
    }
    if (s.PresDRandom == RandomScope::WithOmissions && s.OmissionLastSlide) {
        s.OmissionLastSlide = false;
        changed = true;
    } else if (s.PresDRandom == RandomScope::Range) {
        s.PresDRandom = RandomScope::All;
        changed = true;
    }
    // The file's name in the caption would give a picture's answer away.
    if (kind == MeaningKind::Sounds && s.PresWithITName) {
        s.PresWithITName = false;
        s.PresWithITPath = false;
        s.PresWithITExt = false;
        changed = true;
    }
    return changed;
}

QString AdaptedModeMessage()
{
    return QStringLiteral(
        "S'ha modificat mínimament el mode de la configuració per adequar-lo a la "
        "creació d'aquesta presentació");
}

bool AdaptRandomMargins(PresentationSettings &s, int first, int last, int entries)
{
    if (s.PresSort != PresSortMode::Random)
        return false;
    const PresentationSettings before = s;
    const bool several = first > 1 || last > 1;
    if (s.PresDRandom == RandomScope::All) {
        if (several)
            s.PresDRandom = RandomScope::Range;
        else if (first == 1 || last == 1)
            s.PresDRandom = RandomScope::WithOmissions;
    } else if (first == 0 && last == 0) {
        s.PresDRandom = RandomScope::All;
    } else if (s.PresDRandom == RandomScope::WithOmissions && several) {
        s.PresDRandom = RandomScope::Range;
    }
    if (s.PresDRandom == RandomScope::WithOmissions) {
        if (first > 0)
            s.OmissionFirstSlide = true;
        if (last > 0)
            s.OmissionLastSlide = true;
    } else {
        s.RandomRangeInf = std::int16_t(first + 1);
        s.RandomRangeSup = std::int16_t(std::min(first + entries, 32767));
    }
    return s.PresDRandom != before.PresDRandom ||
           s.OmissionFirstSlide != before.OmissionFirstSlide ||
           s.OmissionLastSlide != before.OmissionLastSlide ||
           s.RandomRangeInf != before.RandomRangeInf || s.RandomRangeSup != before.RandomRangeSup;
}

QString RandomMarginsMessage()
{
    return QStringLiteral(
        "S'ha arreglat la configuració de la presentació pels marges d'aleatorització");
}

Fallible<void> CheckGenericPrompt(const GenerationChoices &choices)
{
    if (choices.prompt == PromptChoice::Generic && choices.genericPrompt.trimmed().isEmpty())
        return Fallible<void>::failure(
            QStringLiteral("Si escolliu una pregunta genèrica, cal formular-la"));
    return Fallible<void>::success();
}

QString SwappedMeaning(const QString &meaning)
{
    QString m = meaning;
    return m.replace(QLatin1Char('|'), QLatin1String(". "));
}

GeneratedSlides GenerateWordSlides(MemTable &table, const GenerationChoices &c,
                                   const FontSettings &answersFont)
{
    const int word = table.fieldIndex(QStringLiteral("Word"));
    const int meaning = table.fieldIndex(QStringLiteral("Meaning"));
    const int question = c.swapped ? word : meaning;
    const int answer = c.swapped ? meaning : word;
    GeneratedSlides out;
    if (c.answers == QuizAnswers::Radio) {
        std::vector<MemTable::Record> records;
        for (int r = 0; r < table.recordCount(); ++r)
            records.push_back(table.record(r));
        std::stable_sort(records.begin(), records.end(),
                         [&](const MemTable::Record &a, const MemTable::Record &b) {
                             const int byAnswer = a[std::size_t(answer)].toString().compare(
                                 b[std::size_t(answer)].toString(), Qt::CaseInsensitive);
                             if (byAnswer != 0)
                                 return byAnswer < 0;
                             return a[std::size_t(question)].toString().compare(
                                        b[std::size_t(question)].toString(), Qt::CaseInsensitive) <
                                    0;
                         });
        for (int r = 0; r < int(records.size()); ++r)
            table.replaceAt(r, records[std::size_t(r)]);
        QStringList answers;
        for (int r = 0; r < table.recordCount(); ++r)
            answers << field(table, r, answer);
        const RadioAnswers radio(answers);
        const QString flags = flagsFor(c, c.prompt != PromptChoice::Omit);
        for (int r = 0; r < table.recordCount(); ++r) {
            const QString prompt = c.prompt == PromptChoice::Omit      ? QString()
                                   : c.prompt == PromptChoice::Generic ? c.genericPrompt
                                                                       : field(table, r, question);
            const QString all = radio.forRow(r);
            out.longestAnswers = std::max(out.longestAnswers, int(all.size()));
            out.lines << quizLine(QString(), flags, prompt, all, QString());
        }
        return out;
    }
    QStringList answers;
    for (int r = 0; r < table.recordCount(); ++r) {
        answers << field(table, r, answer);
        out.lines << quizLine(QString(), QStringLiteral("XP"), field(table, r, question),
                              answers.back(), QString());
    }
    out.answerWidth = typedAnswerWidth(answers, answersFont);
    return out;
}

GeneratedSlides GenerateSoundSlides(const MemTable &table, const GenerationChoices &c,
                                    const FontSettings &answersFont)
{
    const int fn = table.fieldIndex(QStringLiteral("FN"));
    const int mx = table.fieldIndex(QStringLiteral("MarkX"));
    const int my = table.fieldIndex(QStringLiteral("MarkY"));
    const int audio = table.fieldIndex(QStringLiteral("AudioFN"));
    const int meaning = table.fieldIndex(QStringLiteral("Meaning"));
    const bool generic = c.prompt == PromptChoice::Generic && !c.genericPrompt.isEmpty();
    const QString prompt = generic ? c.genericPrompt : QString();
    const QString questionFlags = flagsFor(c, generic);
    QStringList meanings;
    for (int r = 0; r < table.recordCount(); ++r)
        meanings << field(table, r, meaning);
    const RadioAnswers radio(meanings);
    GeneratedSlides out;
    for (int r = 0; r < table.recordCount(); ++r) {
        const QString file = field(table, r, fn);
        // An empty mark field, from a table written elsewhere, counts as 0.
        QString flags;
        if (number(table, r, mx) != -1)
            flags += QLatin1Char('x') + QString::number(number(table, r, mx));
        if (number(table, r, my) != -1)
            flags += QLatin1Char('y') + QString::number(number(table, r, my));
        flags += questionFlags;
        QString answers = meanings[r];
        if (c.answers == QuizAnswers::Radio) {
            answers = radio.forRow(r);
            out.longestAnswers = std::max(out.longestAnswers, int(answers.size()));
        }
        // A sound-only entry is a title slide that plays its track; a picture entry's track is
        // not the slide's.
        out.lines << quizLine(file, flags, prompt, answers,
                              file.isEmpty() ? field(table, r, audio) : QString());
    }
    if (c.answers == QuizAnswers::Single)
        out.answerWidth = typedAnswerWidth(meanings, answersFont);
    return out;
}

QStringList AssembleQuiz(const AccessorySlides &a, const QStringList &generated)
{
    QStringList lines;
    if (a.firstPresent)
        lines << a.first;
    lines << generated;
    if (a.lastPresent)
        lines << a.last;
    return lines;
}

QStringList CheckSoundTableRows(const MemTable &table)
{
    const int fn = table.fieldIndex(QStringLiteral("FN"));
    const int mx = table.fieldIndex(QStringLiteral("MarkX"));
    const int my = table.fieldIndex(QStringLiteral("MarkY"));
    const int audio = table.fieldIndex(QStringLiteral("AudioFN"));
    const int meaning = table.fieldIndex(QStringLiteral("Meaning"));
    QStringList lines;
    QSet<QString> keys, meanings, kinds;
    for (int r = 0; r < table.recordCount(); ++r) {
        const QString prefix = QString::number(r + 1) + QStringLiteral(": ");
        const QString file = field(table, r, fn);
        const QString track = field(table, r, audio);
        const QString m = field(table, r, meaning);
        auto duplicates = [&](const QString &key) {
            if (keys.contains(key.toLower()))
                lines << prefix + QStringLiteral("Duplicació de l'arxiu %1").arg(key);
            keys.insert(key.toLower());
            if (meanings.contains(m.toLower()))
                lines << prefix + QStringLiteral("Duplicació del significat %1").arg(m);
            meanings.insert(m.toLower());
        };
        if (!file.isEmpty()) {
            const SlideFileClass c = ClassifySlideFile(file);
            kinds.insert(SlideKindLetter(c.kind));
            if (c.state != fsOk) {
                lines << prefix + FileProblemText(c.state, file);
            } else {
                QString key = file;
                if (number(table, r, mx) != -1 || number(table, r, my) != -1)
                    key += QStringLiteral(" %1 %2")
                               .arg(number(table, r, mx))
                               .arg(number(table, r, my));
                duplicates(key);
            }
        } else {
            kinds.insert(QStringLiteral("T"));
        }
        const TFileState a = ClassifyAudioFile(track);
        if (a != fsOk)
            lines << prefix + FileProblemText(a, track);
        else if (file.isEmpty() && !track.isEmpty())
            duplicates(track);
        if (m.isEmpty())
            lines << prefix + QStringLiteral("No hi ha el significat/títol definit");
    }
    if (kinds.size() > 1)
        lines << QStringLiteral("Hi ha diferents tipus de d'arxius");
    return lines;
}

QString SoundTableSummary()
{
    return QStringLiteral("La llista és correcte");
}

Fallible<void> WriteQuiz(const QString &target, const QStringList &lines, int longestAnswers,
                         Prompter &prompter)
{
    const QFileInfo info(target);
    if (info.isDir()) {
        const QString e = QStringLiteral("S'ha produït un error en desar\r\n%1").arg(target);
        prompter.ShowError(e);
        return Fallible<void>::failure(e);
    }
    const bool existed = info.exists();
    if (existed &&
        !prompter.AskYes(QStringLiteral("Regravar la presentació '%1' existent?").arg(target)))
        return Fallible<void>::failure(QString());
    SlideList list;
    list.lines = lines;
    if (existed) {
        // The quiz is written in the encoding the file had.
        SlideList old;
        if (old.load(target).ok()) {
            list.encoding = old.encoding;
            list.encodingKnown = old.encodingKnown;
        }
    }
    const Fallible<void> saved = list.save(target, prompter);
    if (!saved.ok())
        return saved;
    if (!existed)
        prompter.ShowInfo(QStringLiteral("S'ha creat la presentació '%1'").arg(target));
    if (longestAnswers > 255)
        prompter.ShowWarning(QStringLiteral(
            "Aquesta presentació no es podrà editar amb el programa,\r\nja que un conjunt de "
            "respostes sobrepassa els 255 caràcters,\r\nperò sí executar-se"));
    return Fallible<void>::success();
}
