// The quiz side of the player: question controls of the slide on screen, answers, the learning,
// memorisation and exam counters, reactions and the result messages.

#include "player/PlayerEngine.h"

#include "files/FileNames.h"
#include "slides/PlayerRandom.h"
#include "files/Scheduler.h"

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

} // namespace

bool PlayerEngine::learningMode() const
{
    return Settings.ManualViewing && Settings.PresSort == 1 && Settings.ShowingModel == 1;
}

bool PlayerEngine::examMode() const
{
    return Settings.ManualViewing && Settings.ShowingModel == 2;
}

void PlayerEngine::resetQuizCounters()
{
    RememberedTotal = NotRememberedTotal = RememberedInCycle = NotRememberedInCycle = Omitted = 0;
    CycleNumber = 0;
    Score = MaxTotal = 0.0f;
    Answered = FailedThisSlide = false;
    WrongAttempts = 0;
    RepresentMode = false;
}

MsgButton PlayerEngine::answerMessage(const QString &text, MsgKind kind, const QStringList &specs,
                                      bool icon)
{
    AnswerMessageStyle style;
    const FontSettings &f = Settings.FontAnswerMes;
    style.fontName = f.FontName;
    style.fontSize = f.FontSize;
    style.bold = f.fsBold;
    style.italic = f.fsItalic;
    style.color = f.Color;
    style.showIcon = icon;
    return askOutsideStep([&] { return m_prompter.answerMessageBox(text, kind, specs, style); });
}

void PlayerEngine::freeQuestion()
{
    if (Question.box)
        Question.box->hooks = {};
    Question = QuestionModel();
    m_questionAccounted = false;
    m_view.freeQuestion();
}

void PlayerEngine::buildQuestionFor(const SlideRecord &slide)
{
    Answered = false;
    FailedThisSlide = false;
    WrongAttempts = 0;
    m_questionAccounted = false;
    if (!slide.PWithAnswer)
        return;
    PlayerRandom rng(orderSeed());
    Question = BuildQuestion(slide, Settings, QuestionMode::Presentation, slide.PRandomAnswer,
                             slide.PWithPromptForAnswer, rng, m_prompter);
    if (Question.box) {
        std::weak_ptr<TypedAnswer> weak = Question.box;
        Question.box->hooks.showAnswer = [this](const QString &answer) {
            answerMessage(answer, MsgKind::Error, {QStringLiteral("OK")}, false);
        };
        Question.box->hooks.finished = [this, weak](bool correct, float score) {
            const auto box = weak.lock();
            typedAnswerFinished(correct, score, box ? box->MaxScore : 1.0f);
        };
    }
    m_view.showQuestion(Question, slide);
}

void PlayerEngine::RecordRemembered()
{
    ++RememberedTotal;
    ++RememberedInCycle;
    if (Position >= 0 && Position < int(Order.size()))
        Order[std::size_t(Position)].info.NotRemembered = false;
}

void PlayerEngine::RecordNotRemembered()
{
    ++NotRememberedInCycle;
    ++NotRememberedTotal;
    if (Position >= 0 && Position < int(Order.size()))
        Order[std::size_t(Position)].info.NotRemembered = true;
}

void PlayerEngine::answerNext()
{
    command(PendingCommandCode::Next);
}

void PlayerEngine::AnswerClick(int index)
{
    handleInput([this, index] {
        if (!Presenting || index < 0 || index >= int(Question.answers.size()))
            return;
        if (m_wait != WaitState::WaitingManual && m_wait != WaitState::WaitingAuto)
            return;
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
                RecordRemembered();
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
                ShowReaction(a);
            if (learning && !FailedThisSlide) {
                FailedThisSlide = true;
                RecordNotRemembered();
            }
            if (exam && a.tag == 0) {
                ShowCorrectAnswer(QString());
                ++NotRememberedInCycle;
                MaxTotal += maximum;
                if (Settings.UseNegativeScore && count > 1)
                    Score -= maximum / float(count - 1);
                next = true;
            } else if (!exam && (a.tag == 0 || a.tag == 2)) {
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
            Position = a.jump - 2;
            m_steppedBack = true;
            next = true;
        }
        if (next && Presenting)
            answerNext();
        drainQueued();
    });
}

void PlayerEngine::typedAnswerFinished(bool correct, float score, float maxScore)
{
    if (!Presenting)
        return;
    if (examMode()) {
        MaxTotal += maxScore;
        if (correct)
            Score += score;
    }
    Answered = true;
    // In an exam the cycle counters are the correct and wrong answers.
    if (correct)
        RecordRemembered();
    else
        RecordNotRemembered();
    answerNext();
}

void PlayerEngine::ShowCorrectAnswer(const QString &header)
{
    if (Settings.OmissionLearningResultsMessages)
        return;
    const QString caption = Question.correctCaption();
    if (caption.isEmpty())
        return;
    answerMessage(header.isEmpty() ? caption : header + QStringLiteral("\r\n") + caption,
                  MsgKind::Information, {QStringLiteral("OK")}, false);
}

void PlayerEngine::ShowReaction(const SlideAnswer &answer)
{
    if (answer.reaction != QLatin1String("/")) {
        answerMessage(answer.reaction, MsgKind::Error, {QStringLiteral("OK")}, Settings.AnswerMesWithIcon);
        return;
    }
    QString caption = answer.caption;
    caption.remove(QLatin1Char('&'));
    if (SoundTable.table.recordCount() > 0)
        showMeaningFromSounds(caption);
    else if (WordTable.table.recordCount() > 0)
        showMeaningFromWords(caption);
    else
        m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
}

void PlayerEngine::showMeaningFromWords(const QString &caption)
{
    const MemTable &t = WordTable.table;
    auto column = [&](const char *name) {
        QStringList out;
        for (int i = 0; i < t.recordCount(); ++i)
            out.append(t.value(i, QLatin1String(name)).toString());
        return out;
    };
    const QStringList words = column("Word");
    const QStringList meanings = column("Meaning");
    QString text;
    if (words.contains(caption)) {
        // A word with several meanings shows them grouped: word\meaning, meaning.
        QStringList found;
        for (int i = 0; i < words.size(); ++i)
            if (words[i] == caption)
                found.append(meanings[i]);
        text = found.size() > 1 ? caption + QLatin1Char('\\') + found.join(QStringLiteral(", "))
                                : found.first();
    } else if (const qsizetype at = meanings.indexOf(caption); at >= 0) {
        text = words[at];
    } else {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
        return;
    }
    answerMessage(text, MsgKind::Error, {QStringLiteral("OK")}, Settings.AnswerMesWithIcon);
}

void PlayerEngine::showMeaningFromSounds(const QString &caption)
{
    const MemTable &t = SoundTable.table;
    int found = -1;
    for (int i = 0; i < t.recordCount() && found < 0; ++i)
        if (t.value(i, QStringLiteral("Meaning")).toString() == caption)
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
        m_prompter.ShowError((state == fsNotFound ? QStringLiteral("no s'ha trobat\r\n(%1)")
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
        answerMessage(QStringLiteral("Reproduint\r\n%1\r\n(%2)\r\n\r\nEn tancar aquesta finestra tornar a "
                                     "reproduir l'arxiu/pista en qüestió?")
                          .arg(audio, caption),
                      MsgKind::Information, {QStringLiteral("OK")}, false);
        m_view.stopSlideAudio();
        if (!NoAudioPlay && m_audioUsable && !CurrentSlide.AudioFileName.isEmpty())
            m_view.playSlideAudio(CurrentSlide.AudioFileName, CurrentSlide.AudioRepeat);
        return;
    }
    const SlideFileClass c = ClassifySlideFile(file);
    if (c.state != fsOk) {
        problem(c.state, file);
        return;
    }
    if (c.kind == skImage)
        m_view.showReactionPicture(file, mx.isNull() ? 0 : mx.toInt(), my.isNull() ? 0 : my.toInt(), audio);
    else if (c.kind == skText || c.kind == skRichText)
        m_view.showReactionText(file, audio);
    else
        problem(fsNotViewable, file);
}

bool PlayerEngine::mentalCheckApplies() const
{
    if (!Presenting || !Settings.ManualViewing || m_wait != WaitState::WaitingManual)
        return false;
    if (Question.mental)
        return true;
    if (!learningMode() || Question.radio() || Question.box)
        return false;
    const int n = int(Order.size());
    switch (Settings.PresDRandom) {
    case 0:
        return true;
    case 1:
        return !(Position == 0 && Settings.OmissionFirstSlide)
               && !(Position == n - 1 && Settings.OmissionLastSlide);
    default:
        return Position >= Settings.RandomRangeInf - 1 && Position <= Settings.RandomRangeSup - 1;
    }
}

void PlayerEngine::spaceKey()
{
    handleInput([this] {
        if (!Presenting)
            return;
        if (!Settings.ManualViewing) {
            togglePause();
            return;
        }
        if (mentalCheckApplies())
            CheckMentalAnswer();
        else
            command(PendingCommandCode::Next);
    });
}

void PlayerEngine::CheckMentalAnswer()
{
    QString text = Question.mentalAnswer;
    if (!Question.mental) {
        text = QFileInfo(extractFileName(CurrentSlide.FileName)).completeBaseName();
        if (!CurrentSlide.PromptOr1stLine.isEmpty())
            text += QStringLiteral("\r\n\r\n")
                    + QString(CurrentSlide.PromptOr1stLine).replace(QLatin1Char('|'), QLatin1String("\r\n"));
    }
    const MsgButton b = answerMessage(text + QStringLiteral("\r\n\r\nHo heu recordat correctament?"),
                                      MsgKind::Confirmation,
                                      {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")},
                                      true);
    if (b == MsgButton::Cancel || b == MsgButton::None) {
        stop();
        return;
    }
    if (b == MsgButton::Yes)
        RecordRemembered();
    else
        RecordNotRemembered();
    command(PendingCommandCode::Next);
}

void PlayerEngine::AccountQuestion()
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

void PlayerEngine::ShowTestResult()
{
    QString message = QStringLiteral("S'ha obtingut la puntuació de %1").arg(decimal1(Score));
    if (!Settings.OnlyResultTest) {
        const double mark = double(Score) * 10.0 / double(MaxTotal);
        message += QStringLiteral("\r\n= nota (sobre 10): %1\r\nRepresenta %2% de la puntuació màxima (%3)")
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

int PlayerEngine::learningCycleEnd() const
{
    int end = int(Order.size());
    if (Settings.PresDRandom == 1 && Settings.OmissionLastSlide)
        --end;
    else if (Settings.PresDRandom == 2 && Settings.RandomRangeSup != 0)
        end = Settings.RandomRangeSup - 1;
    return end;
}

bool PlayerEngine::LearningCycleSummary()
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
        ReportResult(written + QStringLiteral("\r\n\r\nEs presentaran de nou les no recordades"), written);
        RepresentMode = true;
        Position = 0;
        return true;
    }
    if (NotRememberedTotal > 0)
        ReportResult(summary(CycleNumber + 1, NotRememberedTotal, RememberedTotal));
    else
        ReportResult(QStringLiteral("Enhorabona, n'heu recordat %1").arg(RememberedTotal));
    return false;
}

void PlayerEngine::memorisationEndCheck(bool atEnd)
{
    if (Settings.PresSort != 2 || !Settings.ManualViewing || !Presenting)
        return;
    const int n = int(MemorizedCount) + (atEnd ? 1 : 0);
    if (n > int(Settings.InitialMemorizedCount))
        ReportResult(QStringLiteral("Enhorabona, n'heu recordat %1").arg(n));
}
