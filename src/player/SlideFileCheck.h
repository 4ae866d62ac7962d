#pragma once

#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"

#include <QString>

class PresentationSession;
class Prompter;

// Checks the files a slide names before it is shown: its own file, its audio track and the
// document it opens. A missing one is reported with the choices of editing the list, stopping,
// going on without it, or ("&Refés") looking for every file of the list in the list's folder.
class SlideFileCheck
{
public:
    enum class Result {
        Show,          // everything is there (a missing track only leaves the slide silent)
        Skip,          // the slide is passed over
        EndRun,        // the viewer stopped
        EndRunAndEdit, // the viewer chose to edit the list
    };
    struct Outcome
    {
        Result result = Result::Show;
        bool audioUsable = true; // the track may be started
    };

    SlideFileCheck(PresentationSession &session, Prompter &prompter);

    // `slideNumber` (from 1) names the slide in the messages; a relocated file is written into
    // `slide` and into the list.
    Outcome check(SlideRecord &slide, int slideNumber);

private:
    enum class BadFile { Skipped, Relocated, EndRun, EndRunAndEdit };
    BadFile report(const QString &prefix, TFileState state, const QString &path, bool silent,
                   SlideList::RelocateField field, int slideNumber, QString *relocated);

    PresentationSession &m_session;
    Prompter &m_prompter;
};
