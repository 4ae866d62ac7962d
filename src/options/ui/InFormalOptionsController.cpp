#include "options/ui/InFormalOptionsController.h"

#include "files/FileNames.h"
#include "options/ui/OptionsDialogParts.h"
#include "options/ui/TFInFormalOptions.h"
#include "player/PlayerEngine.h"
#include "player/PlayerView.h"
#include "player/ui/MainWindowCommands.h"

#include <QAction>

InFormalOptionsController::InFormalOptionsController(PlayerEngine &engine, PlayerView &view,
                                                     MainWindowCommands &commands,
                                                     Prompter &prompter, QString programDir,
                                                     QString programBaseName)
    : MainWindowController(nullptr), m_engine(engine), m_view(view), m_commands(commands),
      m_prompter(prompter), m_programDir(std::move(programDir)),
      m_programBaseName(std::move(programBaseName))
{
    m_action = m_commands.action(u"A_V_InFormalOptions");
    if (!m_action)
        m_action = m_commands.addAction(u"A_V_InFormalOptions", this);
    // A modal window: a run ends first, and the dialog opens once it has.
    connect(m_action, &QAction::triggered, this,
            [this] { m_engine.command(PendingCommandCode::InFormalOptions); });
    m_commands.setCommandHandler(PendingCommandCode::InFormalOptions, this,
                                 [this] { showDialog(); });
    m_commands.setCommandAvailable(u"A_V_InFormalOptions", true);
    chooseSavePath = [this](const QString &current) {
        return askConfigSavePath(m_commands.dialogParent(), current);
    };
}

void InFormalOptionsController::showDialog()
{
    PresentationSession &session = m_engine.session();
    TFInFormalOptions::Inputs in;
    in.programDir = m_programDir;
    in.programBaseName = m_programBaseName;
    in.presentationName =
        session.isUnnamed() ? QString() : fileNameWithoutExt(session.SlideListPath);
    in.saveDestination = int(session.SaveDestination);
    in.slideLines = session.SlideLines.lines;
    const SlideRecord &current = m_engine.state().CurrentSlide;
    if (!current.PromptOr1stLine.isEmpty() || !current.AnswersOrNextLines.isEmpty())
        in.currentSlide = current;
    TFInFormalOptions dialog(session.Settings, m_state, in, m_prompter, m_commands.dialogParent());
    dialog.setHelp(m_help);
    if (const auto geometry = m_geometry.Restore())
        dialog.setGeometry(*geometry);
    if (beforeShow)
        beforeShow(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_geometry.Save(dialog.geometry());
    const InFormalDemoState shown = dialog.demoState();
    if (!accepted) {
        // Cancel changes nothing but the page shown and the demonstration texts.
        m_state.page = shown.page;
        m_state.note1 = shown.note1;
        m_state.note2 = shown.note2;
        return;
    }
    m_state = shown;
    session.Settings = dialog.settings();
    session.ConfigNotDefault = true;
    // The window follows: panels laid out again, question controls placed, menus and toolbar,
    // then the caption.
    m_view.settingsChanged();
    m_engine.refreshCaption();
    if (dialog.saveRequested())
        saveSettingsNow(session, dialog.destination(), chooseSavePath);
    else
        session.SettingsModified = true;
}
