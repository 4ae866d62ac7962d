#include "player/PresenterKeys.h"

PresenterKeys::Result PresenterKeys::handleKey(int key, Qt::KeyboardModifiers modifiers,
                                               const Context &context)
{
    // A cover is lifted by any key, which is then spent; so is a number half typed.
    if (context.blanked) {
        m_digits.clear();
        return {Action::Unblank};
    }
    if (!context.running || context.answerBoxHasKeys) {
        m_digits.clear();
        return {};
    }
    // Keypad keys count as the plain ones; Shift is allowed for the characters (layouts that
    // need it for "." or ","); any other modifier belongs to a command.
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool character = plain || mods == Qt::ShiftModifier;

    if (plain && key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (m_digits.size() < kMaxDigits)
            m_digits += QChar(u'0' + (key - Qt::Key_0));
        return {Action::DigitTyped};
    }
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (m_digits.isEmpty())
            return {}; // Enter without a number does what it did before
        const int number = m_digits.toInt();
        m_digits.clear();
        return {Action::JumpTo, number};
    }
    // Any other key drops a number being typed.
    m_digits.clear();
    // Presenter remotes send PageDown/PageUp or the media and browser keys. The arrows are left
    // alone: answer buttons move between themselves with them.
    if (plain && (key == Qt::Key_PageDown || key == Qt::Key_MediaNext || key == Qt::Key_Forward))
        return {Action::Next};
    if (plain && (key == Qt::Key_PageUp || key == Qt::Key_MediaPrevious || key == Qt::Key_Back))
        return {Action::Prior};
    if (character && (key == Qt::Key_B || key == Qt::Key_Period))
        return {Action::BlankBlack};
    if (character && key == Qt::Key_Comma)
        return {Action::BlankWhite};
    return {};
}
