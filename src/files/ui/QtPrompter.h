#pragma once

#include "files/Prompter.h"

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

    // The window the boxes are modal to (they are centred on the screen whatever the owner).
    void setOwner(QWidget *owner) { m_owner = owner; }

    // Called with the box's help context when its Help button is pressed; the box stays open.
    std::function<void(int helpContext)> helpHandler;

    // One horizontal dialog unit of the message font, in pixels: a quarter of the average
    // character width.
    static double dialogUnitPx();

private:
    QPointer<QWidget> m_owner;
};
