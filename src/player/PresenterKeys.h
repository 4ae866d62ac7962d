#pragma once

#include <Qt>

#include <QString>

// The presenters' keys of a run, beside the window's own commands: PageDown/PageUp and the media
// keys of presenter remotes step, "B" or "." blanks the screen black and "," white until the next
// key, and a slide number typed on the digit keys and ended with Enter goes to that slide.
// Nothing here applies at rest or while a typed-answer box takes the keys. The letters the
// window's commands use (E, Q, W) and its other keys keep their meaning: they give None.
class PresenterKeys
{
public:
    enum class Action {
        None,       // not a presenter key: the window handles it as before
        Next,       // step on
        Prior,      // step back
        BlankBlack, // cover the screen in black
        BlankWhite, // cover the screen in white
        Unblank,    // the key that lifts a cover; it does nothing else
        DigitTyped, // a digit was added to the number being typed
        JumpTo,     // Enter after a number: go to slide `number` (1-based)
    };
    struct Result
    {
        Action action = Action::None;
        int number = 0; // JumpTo only
        bool operator==(const Result &) const = default;
    };
    // What the window is doing when the key comes.
    struct Context
    {
        bool running = false;          // a run of a ready list is under way
        bool answerBoxHasKeys = false; // a typed-answer box is shown and takes the keys
        bool blanked = false;          // a cover is up
    };

    // A number longer than this is no slide number; further digits are ignored.
    static constexpr int kMaxDigits = 6;

    Result handleKey(int key, Qt::KeyboardModifiers modifiers, const Context &context);
    // The digits typed so far, for a hint on screen.
    const QString &typedDigits() const { return m_digits; }
    void clearDigits() { m_digits.clear(); }

private:
    QString m_digits;
};
