#include "editors/SlidePreviewRequest.h"

PreviewWindow previewWindowFor(TSlideKind kind, PreviewEditor editor)
{
    switch (kind) {
    case skImage: return PreviewWindow::Image;
    case skRichText:
    case skText: return PreviewWindow::Text;
    default: break;
    }
    // The images/sounds table names pictures and texts only.
    if (editor == PreviewEditor::SoundTable)
        return PreviewWindow::None;
    switch (kind) {
    case skTitle: return PreviewWindow::Title;
    case skWeb: return PreviewWindow::Web;
    case skVideo: return PreviewWindow::Avi;
    case skMovie: return PreviewWindow::Mov;
    default: return PreviewWindow::None;
    }
}

SlideRecord previewSlide(const SlidePreviewRequest &request)
{
    SlideRecord s;
    s.Kind = request.kind;
    s.FileName = request.fileName;
    s.AudioFileName = previewAudio(request);
    // A file from the left panel is not a row: whatever the current row holds is not its own.
    const bool texts = !request.fromLeftPanel && request.editor == PreviewEditor::SlideList;
    if (texts) {
        s.PromptOr1stLine = request.promptOr1stLine;
        s.AnswersOrNextLines = request.answersOrNextLines;
        s.PWithAnswer = request.pWithAnswer;
        s.PWithPromptForAnswer = request.pWithPromptForAnswer;
        s.PRandomAnswer = request.pRandomAnswer;
        s.NotePos = request.notePos;
    }
    if (!request.fromLeftPanel) {
        s.MarkX = request.markX;
        s.MarkY = request.markY;
    }
    if (s.Kind == skImage && s.PWithAnswer)
        s.NotePos = NotePosition::Bottom;
    return s;
}

QString previewAudio(const SlidePreviewRequest &request)
{
    return request.fromLeftPanel ? QString() : request.audioPath;
}

PreviewAnswerAction previewAnswerAction(const SlideAnswer &answer)
{
    switch (answer.tag) {
    case 1: // correct
    case 4: // correct with a jump
    case 5: // scored
        return PreviewAnswerAction::Close;
    case 2: return PreviewAnswerAction::Reaction;
    default: return PreviewAnswerAction::Stay;
    }
}

QString previewHelpText(PreviewHelp which)
{
    const QString first =
        QStringLiteral("No hi ha ajuda específica.\r\nPrem 'Esc' per tancar la finestra\r\n");
    const QString mouse = QStringLiteral("\r\no amb el ratolí amb la forma habitual");
    switch (which) {
    case PreviewHelp::Borderless: return first + QStringLiteral(".");
    case PreviewHelp::Sizeable: return first + mouse + QStringLiteral(".");
    case PreviewHelp::WithAnswers:
        return first + mouse + QStringLiteral(",") +
               QStringLiteral("\r\no clicant la resposta correcta.");
    }
    return first;
}

QString previewImageCaption(const QString &fileName, int drawSizePercent)
{
    return fileName + QStringLiteral("  ") + QString::number(drawSizePercent) + QStringLiteral("%");
}
