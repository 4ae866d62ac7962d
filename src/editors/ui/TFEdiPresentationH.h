#pragma once

#include "editors/ui/TFEdiPresentation.h"
#include "files/RealScheduler.h"
#include "presentation/SlideRecord.h"
#include "slides/Question.h"

#include <QString>

class QuestionControls;
class QVBoxLayout;
class SlideArea;
struct PreviewContext;
struct SlideAnswer;

// A slide's preview: the slide on a slide area of its own drawn with the presentation settings
// in force, exactly as the player draws it, with its answer controls built by the player's
// question builder in its preview mode, and the slide's audio track played from the first
// activation until the window goes.
class TFEdiPresentationH : public TFEdiPresentation
{
    Q_OBJECT
public:
    // `slide` is the row as previewSlide() made it; its AudioFileName is the track to play.
    TFEdiPresentationH(const SlideRecord &slide, PreviewContext &context,
                       QWidget *parent = nullptr);
    ~TFEdiPresentationH() override;

    // With answer controls, also how a question closes the window.
    QString helpText() const override;

    const SlideRecord &slide() const { return m_slide; }
    const QString &audioPath() const { return m_slide.AudioFileName; }
    const QString &fileName() const { return m_slide.FileName; }
    SlideArea *slideArea() const { return m_area; }
    // The radio buttons or the typed-answer box of the slide's question; nullptr without one.
    QuestionControls *answerControls() const;
    bool hasAnswerControls() const;

protected:
    // Plays the audio track, then starts what the window shows (startContent).
    void firstActivation() override;
    virtual void startContent() {}
    // The slide's question, when it has one, on the panel the slide area lays out for it.
    void showAnswers();
    PreviewContext &context() const { return m_context; }
    // Where toolbars go, above the slide area.
    QVBoxLayout *windowLayout() const { return m_layout; }

private:
    void answerClicked(int index);
    void showReaction(const SlideAnswer &answer);

    PreviewContext &m_context;
    SlideRecord m_slide;
    RealScheduler m_scheduler; // steps an animated picture
    QVBoxLayout *m_layout;
    SlideArea *m_area;
    QuestionModel m_question;
};
