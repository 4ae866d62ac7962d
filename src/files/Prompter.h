#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Every message box and question of the program goes through a Prompter: the windows implement
// it with real message boxes, headless modes print to standard error and answer No or Cancel,
// tests script the answers.

enum class MsgKind { Warning, Error, Information, Confirmation };

// The buttons a box can carry, in the fixed order in which they appear.
enum class MsgButton {
    None,
    Yes,
    No,
    OK,
    Cancel,
    Abort,
    Retry,
    Ignore,
    All,
    NoToAll,
    YesToAll,
    Help
};

struct MsgButtonSpec
{
    MsgButton button = MsgButton::None;
    QString caption; // the standard caption unless the caller gave one
};

struct MsgBoxLayout
{
    std::vector<MsgButtonSpec> buttons; // in display order
    MsgButton defaultButton = MsgButton::None;
    MsgButton cancelButton = MsgButton::None; // the answer to Esc or closing the box
};

// Parses "Name" or "Name caption" specifications ("No Invalidar"); unknown names are ignored.
// Buttons come out in the fixed order whatever the order given; the default button is OK if
// present, else Yes, else Retry; the cancel button is Cancel, else No, else OK.
MsgBoxLayout layoutMessageBox(const QStringList &specs);
QString standardButtonCaption(MsgButton button);
QString messageBoxTitle(MsgKind kind);

// How the quizzes' answer messages look: the text in its own font and colour, the box sized to
// the text, and the kind's icon only when `showIcon`.
struct AnswerMessageStyle
{
    QString fontName;
    int fontSize = 8; // points
    bool bold = false;
    bool italic = false;
    std::int32_t color = std::int32_t(0x80000008); // a colour number (system colour 8: window text)
    bool showIcon = false;
};

class Prompter
{
public:
    virtual ~Prompter() = default;

    // An answer message (reactions, correct answers, the mental check). Boxes that cannot draw
    // their own font show a plain message box.
    virtual MsgButton answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                                       const AnswerMessageStyle &style)
    {
        (void)style;
        return messageBoxEx(text, kind, specs);
    }

    // Shows `text` with the buttons of `specs`; returns the button pressed. `buttonWidthDlu` is
    // the width of each button in horizontal dialog units (50 normally).
    virtual MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                                   int helpContext = 0, int buttonWidthDlu = 50) = 0;

    void ShowWarning(const QString &text)
    {
        messageBoxEx(text, MsgKind::Warning, {QStringLiteral("OK")});
    }
    void ShowError(const QString &text)
    {
        messageBoxEx(text, MsgKind::Error, {QStringLiteral("OK")});
    }
    void ShowInfo(const QString &text)
    {
        messageBoxEx(text, MsgKind::Information, {QStringLiteral("OK")});
    }
    MsgButton AskYesNoCancel(const QString &text)
    {
        return messageBoxEx(
            text, MsgKind::Confirmation,
            {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")});
    }
    bool AskYes(const QString &text)
    {
        return messageBoxEx(text, MsgKind::Confirmation,
                            {QStringLiteral("Yes"), QStringLiteral("No")}) == MsgButton::Yes;
    }
};

// Shows nothing and takes the Cancel (or No) answer: drawings made without a window, benchmarks.
class SilentPrompter : public Prompter
{
public:
    MsgButton messageBoxEx(const QString &, MsgKind, const QStringList &specs, int = 0,
                           int = 50) override
    {
        return layoutMessageBox(specs).cancelButton;
    }
};

// Headless modes: prints every message to standard error and takes the No (or Cancel) answer.
class StderrPrompter : public Prompter
{
public:
    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override;
};
