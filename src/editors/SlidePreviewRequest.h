#pragma once

#include "presentation/SlideAnswers.h"
#include "presentation/SlideRecord.h"

#include <QString>

// Which editor asks for a preview: the slide list editor, or the images/sounds table editor.
enum class PreviewEditor { SlideList, SoundTable };

// What an editor hands over when the user clicks one of its miniatures: the file chosen in the
// left panel, or the current row with its texts, flags and mark.
struct SlidePreviewRequest
{
    PreviewEditor editor = PreviewEditor::SlideList;
    bool fromLeftPanel = false; // a file chosen in the left panel, not a row
    TSlideKind kind = skImage;
    QString fileName; // empty for title rows
    // The caller has already applied the no-audio rules (the editor's "no audio" option, an
    // invalid track); empty = none.
    QString audioPath;
    QString promptOr1stLine, answersOrNextLines; // the row's texts ("|" separated)
    bool pWithAnswer = false, pWithPromptForAnswer = false, pRandomAnswer = false;
    NotePosition notePos = NotePosition::Bottom;
    int markX = -1, markY = -1;
};

// The preview windows, one for each kind of slide that can be looked at before it is played.
enum class PreviewWindow { None, Image, Text, Title, Web, Avi, Mov };

// The window a kind gets from an editor. The images/sounds table only holds pictures and texts,
// whose previews there show no note or answer panel.
PreviewWindow previewWindowFor(TSlideKind kind, PreviewEditor editor);

// The slide the preview shows, as the player would decode it from the row: a left-panel file
// has no texts and no mark; the table editor's previews show no note or answer panel; a
// question's note panel on a picture goes to the bottom, where its answers have room.
SlideRecord previewSlide(const SlidePreviewRequest &request);

// The track the preview plays: none for a left-panel file, whatever the caller passed.
QString previewAudio(const SlidePreviewRequest &request);

// What clicking a radio answer does in a preview: a correct, jump-correct or scored answer
// closes the window (the question is done); an answer with a reaction shows it; the others
// (wrong, a plain jump) leave the window as it is, for another try.
enum class PreviewAnswerAction { Stay, Close, Reaction };
PreviewAnswerAction previewAnswerAction(const SlideAnswer &answer);

// The texts F1 shows in the preview windows.
enum class PreviewHelp {
    Borderless,  // the bare window: Esc closes it
    Sizeable,    // ... or the mouse, as any window
    WithAnswers, // ... or clicking the correct answer
};
QString previewHelpText(PreviewHelp which);

// The image preview's caption: the file's name, two blanks and the drawn size in percent.
QString previewImageCaption(const QString &fileName, int drawSizePercent);
