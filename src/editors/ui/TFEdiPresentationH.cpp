#include "editors/ui/TFEdiPresentationH.h"

#include "config/PresentationSettings.h"
#include "editors/PreviewContext.h"
#include "editors/SlidePreviewRequest.h"
#include "files/Prompter.h"
#include "player/PlayerView.h"
#include "slides/PlayerRandom.h"
#include "slides/ui/QuestionControls.h"
#include "slides/ui/SlideArea.h"

#include <QDateTime>
#include <QVBoxLayout>

namespace {

// The answer messages of a preview look as the player's: in the answer-message font.
AnswerMessageStyle answerStyle(const PresentationSettings &s, bool icon)
{
    AnswerMessageStyle style;
    style.fontName = s.FontAnswerMes.FontName;
    style.fontSize = s.FontAnswerMes.FontSize;
    style.bold = s.FontAnswerMes.fsBold;
    style.italic = s.FontAnswerMes.fsItalic;
    style.color = s.FontAnswerMes.Color;
    style.showIcon = icon;
    return style;
}

} // namespace

TFEdiPresentationH::TFEdiPresentationH(const SlideRecord &slide, PreviewContext &context,
                                       QWidget *parent)
    : TFEdiPresentation(context.prompter, parent), m_context(context), m_slide(slide),
      m_layout(new QVBoxLayout(this)), m_area(new SlideArea(context.settings, &m_scheduler, this))
{
    setObjectName(QStringLiteral("TFEdiPresentationH"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_area, 1);
    m_area->setBaseFolder(context.slideListFolder);
    // Presses the slide area leaves (all but its zoom) are the window's.
    m_area->setFocus(Qt::OtherFocusReason);
    resize(640, 480);
}

TFEdiPresentationH::~TFEdiPresentationH()
{
    if (m_question.box)
        m_question.box->hooks = {};
    // The area's animation holds a trigger on m_scheduler: it goes first.
    delete m_area;
    if (activated() && m_context.audio)
        m_context.audio->stopSlideAudio();
}

QString TFEdiPresentationH::helpText() const
{
    return previewHelpText(hasAnswerControls() ? PreviewHelp::WithAnswers : PreviewHelp::Sizeable);
}

QuestionControls *TFEdiPresentationH::answerControls() const
{
    return m_area->questionControls();
}

bool TFEdiPresentationH::hasAnswerControls() const
{
    const QuestionControls *c = answerControls();
    return c && (!c->radios().empty() || c->box());
}

void TFEdiPresentationH::firstActivation()
{
    if (!m_slide.AudioFileName.isEmpty() && m_context.audio)
        m_context.audio->playSlideAudio(m_slide.AudioFileName, false);
    startContent();
}

void TFEdiPresentationH::showAnswers()
{
    if (!m_slide.PWithAnswer)
        return;
    PlayerRandom rng(PlayerRandom::seedFromTime(QDateTime::currentDateTimeUtc().time()));
    m_question =
        BuildQuestion(m_slide, m_context.settings, QuestionMode::Preview, m_slide.PRandomAnswer,
                      m_slide.PWithPromptForAnswer, rng, m_context.prompter);
    if (const auto &box = m_question.box) {
        box->hooks.showAnswer = [this](const QString &answer) {
            (void)m_context.prompter.answerMessageBox(answer, MsgKind::Error,
                                                      {QStringLiteral("OK")},
                                                      answerStyle(m_context.settings, false));
        };
        // The question is done: so is its preview.
        box->hooks.closePreview = [this] { accept(); };
    }
    m_area->showQuestion(m_question, [this](int index) { answerClicked(index); });
}

void TFEdiPresentationH::answerClicked(int index)
{
    if (index < 0 || index >= int(m_question.answers.size()))
        return;
    const SlideAnswer answer = m_question.answers[std::size_t(index)];
    switch (previewAnswerAction(answer)) {
    case PreviewAnswerAction::Close: accept(); break;
    case PreviewAnswerAction::Reaction: showReaction(answer); break;
    case PreviewAnswerAction::Stay: break;
    }
}

void TFEdiPresentationH::showReaction(const SlideAnswer &answer)
{
    if (answer.reaction != QLatin1String("/")) {
        (void)m_context.prompter.answerMessageBox(
            answer.reaction, MsgKind::Error, {QStringLiteral("OK")},
            answerStyle(m_context.settings, m_context.settings.AnswerMesWithIcon));
        return;
    }
    if (m_context.tableReaction)
        m_context.tableReaction(answer);
    else
        m_context.prompter.ShowError(QStringLiteral("No s'ha trobat la resposta a la taula"));
}
