#pragma once

#include <QString>

#include <functional>
#include <memory>

class Prompter;

// Where a question's controls live: the demonstration panel of the options, an editor's preview
// window, or a running presentation.
enum class QuestionMode { Demonstration = 0, Preview = 1, Presentation = 2 };

// Lower-cases and folds the accented vowels of Catalan and its neighbours to the plain vowel
// (à á ä → a; é è ë ê → e; í ï ì → i; ò ó ö ô → o; ú ü ù û → u).
QString FoldAccents(const QString &text);
// Whether a typed character stands for the expected one: case never matters, accents only when
// `ignoreAccent` is off.
bool SameAnswerChar(QChar typed, QChar expected, bool ignoreAccent);
bool SameAnswerText(const QString &typed, const QString &expected, bool ignoreAccent);

// A single answer's "&" escapes read: the character after a "&" is a hint (shown in the mask as
// itself), every other one is to be typed ("*" in the mask); "&&" is a literal "&".
struct AnswerHints
{
    QString answer;
    QString mask;
};
AnswerHints ReadAnswerHints(const QString &body);

// The logic of the typed-answer box, without the widget: the expected answer and its mask, what
// the box shows and where its caret stands, the mistakes. The widget forwards each edit and key
// to it and shows the text and caret it leaves. It is shared (the box and the player both hold
// it), and every entry point keeps it alive while its hooks run: an answer that ends the
// question frees the controls from inside a hook.
class TypedAnswer : public std::enable_shared_from_this<TypedAnswer>
{
public:
    // Expected answer and mask (see SetAnswer).
    QString Answer;
    QString Mask;
    int FirstInput = 0;
    float MaxScore = 1.0f;
    int Mistakes = 0;
    int MaxMistakes = 1;
    bool WithMask = false;
    bool ChangeIncorrectChar = false;
    bool CheckAtEnd = true;
    bool IgnoreAccent = false;
    // In a presentation with OmissionLearningResultsMessages: no answer message after the last
    // mistake.
    bool OmitMessages = false;
    QuestionMode Mode = QuestionMode::Presentation;
    int FreeWidth = 100;
    QString PendingBackspaceText;
    int PendingBackspaceCaret = -1; // -1: no backspace pending

    struct Hooks
    {
        // The last mistake allowed was passed: show the expected answer.
        std::function<void(const QString &answer)> showAnswer;
        // Preview windows: the question is done, close the window.
        std::function<void()> closePreview;
        // Presentation: the question ended, right (with the score obtained) or wrong.
        std::function<void(bool correct, float score)> finished;
    };
    Hooks hooks;

    // Reads the expected answer: an optional "//<" score suffix (a bad number is reported to
    // `prompter` and the score stays 1), then "&" escapes: with a mask the character after a "&"
    // is given as a hint, every other one is to be typed ("*"); "&&" is a literal "&".
    void SetAnswer(const QString &text, Prompter &prompter);

    // What the box shows, and the caret.
    const QString &text() const { return m_text; }
    int caret() const { return m_caret; }
    // The question ended (answered right, or wrong past the mistakes allowed): input is ignored.
    bool ended() const { return m_ended; }

    // The box's text became `text` with the caret at `caret` by the viewer's editing.
    void EditAnsChange(const QString &text, int caret);
    enum class Key { Enter, Backspace };
    void EditAnsKeyDown(Key key, const QString &text, int caret);
    // Counts a mistake; true when it ended the question.
    bool CountMistake();
    void ResetToMask();

    // The viewer types `chars` one by one at the caret, each as an edit box would insert it;
    // "\b" is Backspace and "\n" is Enter. Used by tests and the demonstration.
    void typeKeys(const QString &chars);

private:
    // The question is over (the demonstration starts again instead).
    void endQuestion(bool correct, float score);

    QString m_text;
    int m_caret = 0;
    bool m_ended = false;
};
