#pragma once

#include <QString>

#include <functional>

class HelpRequester;
class PlayerView;
class Prompter;
struct PresentationSettings;
struct SlideAnswer;

// What the preview windows take from the main window. The editor that opens a preview fills it
// and keeps it alive while the preview is up.
struct PreviewContext
{
    PreviewContext(const PresentationSettings &s, Prompter &p) : settings(s), prompter(p) {}

    // The presentation settings in force: every panel, font and colour of a preview comes from
    // them, so a slide looks as the player shows it.
    const PresentationSettings &settings;
    // Every message of the previews (F1's help texts, errors, answer messages).
    Prompter &prompter;
    // The web preview's F1 opens its help page through it; none: F1 shows the help text.
    HelpRequester *help = nullptr;
    // Plays and stops the slide's audio track as the player does: the main window. None: the
    // previews play no audio.
    PlayerView *audio = nullptr;
    // The folder of the slide list in force: relative panel background pictures and relative
    // page names are looked for there, as the player does.
    QString slideListFolder;
    // A radio answer whose reaction is "/" looks its caption up in the presentation's meaning
    // table. None: the answer is reported as not found in the table.
    std::function<void(const SlideAnswer &answer)> tableReaction;
};
