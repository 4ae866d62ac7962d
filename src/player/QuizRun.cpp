#include "player/QuizRun.h"

#include "files/FileNames.h"
#include "files/Scheduler.h"
#include "player/PlayerView.h"
#include "player/PresentationSession.h"
#include "slides/PlayerRandom.h"

#include <QFileInfo>

#include <cmath>

namespace {

// "%1.1f" as the interface writes it: one decimal, decimal comma, no "-0,0".
QString decimal1(double v)
{
    QString s = QString::number(v, 'f', 1);
    if (s == QLatin1String("-0.0"))
        s = QStringLiteral("0.0");
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

int percent(int part, int total)
{
    return total > 0 ? int(std::lround(100.0 * part / total)) : 0;
}

// A caption or table entry as a button shows it: its accelerator marks are not part of the text
// the viewer chose, so tables are searched without them on both sides.
QString withoutMarks(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

QuizRun::QuizRun(PresentationSession &session, PlayerView &view, Prompter &prompter,
                 Scheduler &scheduler, RunTimes &times)
    : m_session(session), m_view(view), m_prompter(prompter), m_scheduler(scheduler), m_times(times)
{}

bool QuizRun::learningMode() const
{
    const PresentationSettings &Settings = m_session.Settings;
    return Settings.ManualViewing && Settings.PresSort == PresSortMode::Random &&
           Settings.ShowingModel == ShowingMode::Learning;
}

bool QuizRun::examMode() const
{
    const PresentationSettings &Settings = m_session.Settings;
    return Settings.ManualViewing && Settings.ShowingModel == ShowingMode::Exam;
}

void QuizRun::resetQuizCounters()
{
    RememberedTotal = NotRememberedTotal = RememberedInCycle = NotRememberedInCycle = Omitted = 0;
    CycleNumber = 0;
    Score = MaxTotal = 0.0f;
    Answered = FailedThisSlide = false;
    WrongAttempts = 0;
    RepresentMode = false;
    m_questionAccounted = false;
}

MsgButton QuizRun::answerMessage(const QString &text, MsgKind kind, const QStringList &specs,
                                 bool icon)
{
    AnswerMessageStyle style;
    const FontSettings &f = m_session.Settings.FontAnswerMes;
    style.fontName = f.FontName;
    style.fontSize = f.FontSize;
    style.bold = f.fsBold;
    style.italic = f.fsItalic;
    style.color = f.Color;
    style.showIcon = icon;
    return m_prompter.answerMessageBox(text, kind, specs, style);
}

void QuizRun::freeQuestion()
{
    if (Question.box)
        Question.box->hooks = {};
    Question = QuestionModel();
    m_questionAccounted = false;
}

void QuizRun::buildQuestionFor(const SlideRecord &slide, std::uint32_t seed)
{
    Answered = false;
    FailedThisSlide = false;
    WrongAttempts = 0;
    m_questionAccounted = false;
    if (!slide.PWithAnswer)
        return;
    PlayerRandom rng(seed);
    Question = BuildQuestion(slide, m_session.Settings, QuestionMode::Presentation,
                             slide.PRandomAnswer, slide.PWithPromptForAnswer, rng, m_prompter);
}

void QuizRun::RecordRemembered(QuizPlace place)
{
    ++RememberedTotal;
    ++RememberedInCycle;
    if (place.position >= 0 && place.position < int(place.order.size()))
        place.order[std::size_t(place.position)].info.NotRemembered = false;
}

void QuizRun::RecordNotRemembered(QuizPlace place)
{
    ++NotRememberedInCycle;
    ++NotRememberedTotal;
    if (place.position >= 0 && place.position < int(place.order.size()))
        place.order[std::size_t(place.position)].info.NotRemembered = true;
}

QuizStep QuizRun::AnswerClick(int index, QuizPlace place)
{
    const PresentationSettings &Settings = m_session.Settings;
    if (index < 0 || index >= int(Question.answers.size()))
        return {};
    // Copies: a reaction or the step to the next slide frees the question.
    const SlideAnswer a = Question.answers[std::size_t(index)];
    const float maximum = Question.maximumScore();
    const int count = int(Question.answers.size());
    const bool learning = learningMode();
    const bool exam = examMode();
    Answered = true;
    bool next = false;
    switch (a.tag) {
    case 1:
    case 4:
        if (learning && !FailedThisSlide)
            RecordRemembered(place);
        if (exam && a.tag == 1) {
            ++RememberedInCycle;
            MaxTotal += 1.0f;
            Score += 1.0f;
        }
        next = a.tag == 1;
        break;
    case 5:
        MaxTotal += maximum;
        Score += a.score;
        if (a.score > 0.0f)
            ++RememberedInCycle;
        else
            ++NotRememberedInCycle;
        next = true;
        break;
    default: // 0 wrong, 2 with a reaction, 3 with a jump
        if (a.tag == 2)
            ShowReaction(a, place);
        if (learning && !FailedThisSlide) {
            FailedThisSlide = true;
            RecordNotRemembered(place);
        }
        // In an exam a wrong answer is final, with its reaction or without: otherwise the viewer
        // could try again, and a quiz whose wrong answers all react (as generated quizzes do)
        // would mark every question right.
        if (exam && (a.tag == 0 || a.tag == 2)) {
            ShowCorrectAnswer(QString());
            ++NotRememberedInCycle;
            MaxTotal += maximum;
            if (Settings.UseNegativeScore && count > 1)
                Score -= maximum / float(count - 1);
            next = true;
        } else if (a.tag == 0 || a.tag == 2) {
            // With no limit the count must not wrap round to it either.
            if (Settings.MAMaxIncorrections > 0 && WrongAttempts < 255)
                ++WrongAttempts;
            if (Settings.MAMaxIncorrections > 0 && WrongAttempts == Settings.MAMaxIncorrections) {
                ShowCorrectAnswer(QStringLiteral("La resposta correcta era:"));
                next = true;
            }
        }
        break;
    }
    if (a.tag == 3 || a.tag == 4) {
        // The run goes on at the jump's position of the order.
        return {QuizStep::Action::Jump, a.jump - 2};
    }
    if (next)
        return {QuizStep::Action::Next, 0};
    return {};
}

QuizStep QuizRun::typedAnswerFinished(bool correct, float score, float maxScore, QuizPlace place)
{
    if (examMode()) {
        MaxTotal += maxScore;
        if (correct)
            Score += score;
    }
    Answered = true;
    // In an exam the cycle counters are the correct and wrong answers.
    if (correct)
        RecordRemembered(place);
    else
        RecordNotRemembered(place);
    return {QuizStep::Action::Next, 0};
}

void QuizRun::showTypedAnswer(const QString &answer)
{
    answerMessage(answer, MsgKind::Error, {QStringLiteral("OK")}, false);
}

void QuizRun::ShowCorrectAnswer(const QString &header)
{
    if (m_session.Settings.OmissionLearningResultsMessages)
        return;
    const QString caption = Question.correctCaption();
    if (caption.isEmpty())
        return;
    answerMessage(header.isEmpty() ? caption : header + QStringLiteral("\r\n") + caption,
                  MsgKind::Information, {QStringLiteral("OK")}, false);
}

void QuizRun::ShowReaction(const SlideAnswer &answer, const QuizPlace &place)
{
    if (answer.reaction != QLatin1String("/")) {
        answerMessage(answer.reaction, MsgKind::Error, {QStringLiteral("OK")},
                      m_session.Settings.AnswerMesWithIcon);
        return;
    }
    const QString caption = withoutMarks(answer.caption);
    if (m_session.SoundTable.table.recordCount() > 0)
        showMeaningFromSounds(caption, place);
    else if (m_session.WordTable.table.recordCount() > 0)
        showMeaningFromWords(caption);
    else
        m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
}

void QuizRun::showMeaningFromWords(const QString &caption)
{
    const MemTable &t = m_session.WordTable.table;
    auto column = [&](const char *name) {
        QStringList out;
        for (int i = 0; i < t.recordCount(); ++i)
            out.append(t.value(i, QLatin1String(name)).toString());
        return out;
    };
    auto searched = [](QStringList texts) {
        for (QString &s : texts)
            s = withoutMarks(s);
        return texts;
    };
    // Found without the marks, shown as the table writes them.
    const QStringList words = column("Word");
    const QStringList meanings = column("Meaning");
    const QStringList wordKeys = searched(words);
    QString text;
    if (wordKeys.contains(caption)) {
        // A word with several meanings shows them grouped: word\meaning, meaning.
        QStringList found;
        for (int i = 0; i < words.size(); ++i)
            if (wordKeys[i] == caption)
                found.append(meanings[i]);
        text = found.size() > 1 ? caption + QLatin1Char('\\') + found.join(QStringLiteral(", "))
                                : found.first();
    } else if (const qsizetype at = searched(meanings).indexOf(caption); at >= 0) {
        text = words[at];
    } else {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
        return;
    }
    answerMessage(text, MsgKind::Error, {QStringLiteral("OK")},
                  m_session.Settings.AnswerMesWithIcon);
}

void QuizRun::showMeaningFromSounds(const QString &caption, const QuizPlace &place)
{
    const MemTable &t = m_session.SoundTable.table;
    int found = -1;
    for (int i = 0; i < t.recordCount() && found < 0; ++i)
        if (withoutMarks(t.value(i, QStringLiteral("Meaning")).toString()) == caption)
            found = i;
    if (found < 0) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
        return;
    }
    const QString file = t.value(found, QStringLiteral("FN")).toString();
    const QString audio = t.value(found, QStringLiteral("AudioFN")).toString();
    const QVariant mx = t.value(found, QStringLiteral("MarkX"));
    const QVariant my = t.value(found, QStringLiteral("MarkY"));
    auto problem = [this](TFileState state, const QString &path) {
        m_prompter.ShowError((state == fsNotFound
                                  ? QStringLiteral("no s'ha trobat\r\n(%1)")
                                  : QStringLiteral("no es pot visualitzar/escoltar\r\n(%1)"))
                                 .arg(path));
    };
    const TFileState audioState = audio.isEmpty() ? fsOk : ClassifyAudioFile(audio);
    if (audioState != fsOk) {
        problem(audioState, audio);
        return;
    }
    if (file.isEmpty()) {
        if (audio.isEmpty()) {
            m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
            return;
        }
        // A sound alone: play it and offer it again; closing gives the slide its own track back.
        m_view.playSlideAudio(audio, false);
        answerMessage(
            QStringLiteral("Reproduint\r\n%1\r\n(%2)\r\n\r\nEn tancar aquesta finestra tornar a "
                           "reproduir l'arxiu/pista en qüestió?")
                .arg(audio, caption),
            MsgKind::Information, {QStringLiteral("OK")}, false);
        m_view.stopSlideAudio();
        if (!place.slideTrack.isEmpty())
            m_view.playSlideAudio(place.slideTrack, place.slideTrackRepeat);
        return;
    }
    const SlideFileClass c = ClassifySlideFile(file);
    if (c.state != fsOk) {
        problem(c.state, file);
        return;
    }
    if (c.kind == skImage)
        m_view.showReactionPicture(file, mx.isNull() ? 0 : mx.toInt(), my.isNull() ? 0 : my.toInt(),
                                   audio);
    else if (c.kind == skText || c.kind == skRichText)
        m_view.showReactionText(file, audio);
    else
        problem(fsNotViewable, file);
}

bool QuizRun::mentalCheckApplies(int position, int orderSize) const
{
    const PresentationSettings &Settings = m_session.Settings;
    if (Question.mental)
        return true;
    if (!learningMode() || Question.radio() || Question.box)
        return false;
    const int n = orderSize;
    switch (Settings.PresDRandom) {
    case RandomScope::All: return true;
    case RandomScope::WithOmissions:
        return !(position == 0 && Settings.OmissionFirstSlide) &&
               !(position == n - 1 && Settings.OmissionLastSlide);
    case RandomScope::Range: break;
    }
    return position >= Settings.RandomRangeInf - 1 && position <= Settings.RandomRangeSup - 1;
}

QuizStep QuizRun::CheckMentalAnswer(QuizPlace place)
{
    const SlideRecord &CurrentSlide = place.slide;
    QString text = Question.mentalAnswer;
    if (!Question.mental) {
        text = QFileInfo(extractFileName(CurrentSlide.FileName)).completeBaseName();
        if (!CurrentSlide.PromptOr1stLine.isEmpty())
            text +=
                QStringLiteral("\r\n\r\n") + QString(CurrentSlide.PromptOr1stLine)
                                                 .replace(QLatin1Char('|'), QLatin1String("\r\n"));
    }
    const MsgButton b = answerMessage(
        text + QStringLiteral("\r\n\r\nHo heu recordat correctament?"), MsgKind::Confirmation,
        {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")}, true);
    if (b == MsgButton::Cancel || b == MsgButton::None)
        return {QuizStep::Action::Stop, 0};
    if (b == MsgButton::Yes)
        RecordRemembered(place);
    else
        RecordNotRemembered(place);
    return {QuizStep::Action::Next, 0};
}

void QuizRun::AccountQuestion()
{
    if (m_questionAccounted)
        return;
    m_questionAccounted = true;
    if (Answered) {
        Answered = false;
        return;
    }
    if (Question.radio())
        MaxTotal += Question.maximumScore();
    else if (Question.box)
        MaxTotal += Question.box->MaxScore;
    else
        return;
    ++Omitted;
}

void QuizRun::ShowTestResult()
{
    QString message = QStringLiteral("S'ha obtingut la puntuació de %1").arg(decimal1(Score));
    if (!m_session.Settings.OnlyResultTest) {
        const double mark = double(Score) * 10.0 / double(MaxTotal);
        message += QStringLiteral(
                       "\r\n= nota (sobre 10): %1\r\nRepresenta %2% de la puntuació màxima (%3)")
                       .arg(decimal1(mark))
                       .arg(std::lround(mark * 10.0))
                       .arg(decimal1(MaxTotal));
        QStringList counts;
        auto add = [&](const char *name, int n) {
            if (n != 0)
                counts.append(QLatin1String(name) + QStringLiteral(": ") + QString::number(n));
        };
        add("correctes", RememberedInCycle);
        add("incorrectes", NotRememberedInCycle);
        add("omeses", Omitted);
        add("total", RememberedInCycle + NotRememberedInCycle + Omitted);
        QString line = counts.join(QStringLiteral(", "));
        if (!line.isEmpty()) {
            line[0] = line[0].toUpper();
            message += QStringLiteral("\r\n") + line;
        }
    }
    ReportResult(message);
}

int QuizRun::learningCycleEnd(int orderSize) const
{
    const PresentationSettings &Settings = m_session.Settings;
    int end = orderSize;
    if (Settings.PresDRandom == RandomScope::WithOmissions && Settings.OmissionLastSlide)
        --end;
    else if (Settings.PresDRandom == RandomScope::Range && Settings.RandomRangeSup != 0)
        end = Settings.RandomRangeSup; // the position after the range's last slide
    return end;
}

bool QuizRun::LearningCycleSummary()
{
    RepresentMode = false;
    const QString format = QStringLiteral("Diapositives (volta %1):\r\nno recordades: %2 (%3%)\r\n"
                                          "recordades: %4 (%5%)\r\ntotal: %6");
    auto summary = [&](int cycle, int notRemembered, int remembered) {
        const int total = notRemembered + remembered;
        return format.arg(cycle)
            .arg(notRemembered)
            .arg(percent(notRemembered, total))
            .arg(remembered)
            .arg(percent(remembered, total))
            .arg(total);
    };
    if (NotRememberedInCycle > 0) {
        ++CycleNumber;
        const QString written = summary(CycleNumber, NotRememberedInCycle, RememberedInCycle);
        RememberedInCycle = NotRememberedInCycle = 0;
        ReportResult(written + QStringLiteral("\r\n\r\nEs presentaran de nou les no recordades"),
                     written);
        RepresentMode = true;
        return true;
    }
    if (NotRememberedTotal > 0)
        ReportResult(summary(CycleNumber + 1, NotRememberedTotal, RememberedTotal));
    else
        ReportResult(QStringLiteral("Enhorabona, n'heu recordat %1").arg(RememberedTotal));
    return false;
}

void QuizRun::memorisationEnd(int memorized)
{
    if (memorized > int(m_session.Settings.InitialMemorizedCount))
        ReportResult(QStringLiteral("Enhorabona, n'heu recordat %1").arg(memorized));
}

void QuizRun::ReportResult(const QString &shown, const QString &written)
{
    m_times.EndTime = m_scheduler.currentDateTime();
    m_prompter.ShowInfo(shown);
    m_session.WriteResult(written.isEmpty() ? shown : written, m_times.StartTime, m_times.EndTime);
}
