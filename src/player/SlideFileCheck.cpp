#include "player/SlideFileCheck.h"

#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "player/PresentationSession.h"

SlideFileCheck::SlideFileCheck(PresentationSession &session, Prompter &prompter)
    : m_session(session), m_prompter(prompter)
{}

SlideFileCheck::BadFile SlideFileCheck::report(const QString &prefix, TFileState state,
                                               const QString &path, bool silent,
                                               SlideList::RelocateField field, int slideNumber,
                                               QString *relocated)
{
    if (silent)
        return BadFile::Skipped;
    const QString message =
        prefix + QStringLiteral("a la diapositiva %1: ").arg(slideNumber) +
        (state == fsNotFound ? QStringLiteral("no s'ha trobat\r\n(%1)")
                             : QStringLiteral("no es pot visualitzar/escoltar\r\n(%1)"))
            .arg(path);
    if (m_session.AccessLevel == AccessLevel::ViewOnly) {
        m_prompter.ShowError(message);
        return BadFile::EndRun;
    }
    bool firstAttempt = true;
    for (;;) {
        QStringList specs = {QStringLiteral("Yes &Edita"), QStringLiteral("No &Atura"),
                             QStringLiteral("Cancel &Segueix")};
        QString text = message;
        const bool offerRedo = state == fsNotFound && firstAttempt;
        if (offerRedo) {
            specs.append(QStringLiteral("Retry &Refés"));
            text += QStringLiteral("\r\nSi sabeu que tots els arxius als quals fa referència la "
                                   "presentació estan continguts al mateix deirectori de la "
                                   "presentació, escolliu \"%1\"")
                        .arg(QStringLiteral("&Refés"));
        }
        switch (m_prompter.messageBoxEx(text, MsgKind::Confirmation, specs)) {
        case MsgButton::Yes: return BadFile::EndRunAndEdit;
        case MsgButton::No: return BadFile::EndRun;
        case MsgButton::Retry: {
            const QString folder = extractFileDir(m_session.SlideListPath);
            const QString candidate = includeTrailingSeparator(folder) + extractFileName(path);
            if (fileExists(candidate)) {
                m_session.SlideLines.RelocateSlideFiles(folder, field, &m_prompter);
                *relocated = candidate;
                return BadFile::Relocated;
            }
            firstAttempt = false;
            continue;
        }
        default: return BadFile::Skipped; // "&Segueix", Esc
        }
    }
}

SlideFileCheck::Outcome SlideFileCheck::check(SlideRecord &slide, int slideNumber)
{
    const ProgramOptions &options = m_session.Options;
    Outcome out;
    // A report that ends the run ends the check.
    auto ended = [&out](BadFile b) {
        if (b == BadFile::EndRun || b == BadFile::EndRunAndEdit) {
            out.result = b == BadFile::EndRun ? Result::EndRun : Result::EndRunAndEdit;
            return true;
        }
        return false;
    };
    bool skipSlide = false;
    if (slide.FileState != fsOk) {
        QString moved;
        const BadFile b = report(QStringLiteral("La imatge/text "), slide.FileState, slide.FileName,
                                 options.NoWarningWhenNoSlideExist, SlideList::RelocateField::File,
                                 slideNumber, &moved);
        if (ended(b))
            return out;
        if (b == BadFile::Relocated) {
            slide.FileName = moved;
            const SlideFileClass c = ClassifySlideFile(moved);
            slide.Kind = c.kind;
            slide.FileState = c.state;
            ApplyOpenStep(slide);
        } else {
            skipSlide = true;
        }
    }
    if (slide.AudioState != fsOk) {
        QString moved;
        const BadFile b = report(QStringLiteral("La pista d'audio "), slide.AudioState,
                                 slide.AudioFileName, options.NoWarningWhenNoAudioFNExist,
                                 SlideList::RelocateField::Audio, slideNumber, &moved);
        if (ended(b))
            return out;
        if (b == BadFile::Relocated) {
            slide.AudioFileName = moved;
            slide.AudioState = ClassifyAudioFile(moved);
        } else {
            // A track that stays missing is not started; the slide is still shown.
            out.audioUsable = false;
        }
    }
    if (!slide.OpenFileExists) {
        QString moved;
        const BadFile b = report(QStringLiteral("L'arxiu a obrir "), fsNotFound,
                                 slide.PromptOr1stLine, options.NoWarningWhenNoOpenFNExist,
                                 SlideList::RelocateField::Document, slideNumber, &moved);
        if (ended(b))
            return out;
        if (b == BadFile::Relocated) {
            slide.PromptOr1stLine = moved;
            slide.OpenFileExists = true;
        }
        // Otherwise the slide's own file is fine: it still comes up, and opening the missing
        // document reports its own failure.
    }
    if (skipSlide || slide.FileState != fsOk)
        out.result = Result::Skip;
    return out;
}
