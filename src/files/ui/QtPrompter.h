#pragma once

#include "files/Prompter.h"

#include <QColor>
#include <QFont>
#include <QPointer>

#include <functional>

class QWidget;

// The Prompter of the running program: real modal message boxes, centred on the screen, with the
// kind's title and icon, the buttons in the fixed order and each button the asked number of
// dialog units wide.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget *owner = nullptr);

    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override;
    // The same box with its text in the style's font and colour, and the icon only when asked.
    MsgButton answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                               const AnswerMessageStyle &style) override;

    // The window the boxes are modal to (they are centred on the screen whatever the owner).
    void setOwner(QWidget *owner) { m_owner = owner; }

    // Called with the box's help context when its Help button is pressed; the box stays open.
    std::function<void(int helpContext)> helpHandler;

    // One horizontal dialog unit of the message font, in pixels: a quarter of the average
    // character width.
    static double dialogUnitPx();

private:
    // How the text of a box is drawn.
    struct TextLook
    {
        QFont font;
        QColor color; // invalid: the palette's own text colour
        bool icon = true;
    };
    MsgButton showBox(const QString &text, MsgKind kind, const QStringList &specs, int helpContext,
                      int buttonWidthDlu, const TextLook &look);

    QPointer<QWidget> m_owner;
};
