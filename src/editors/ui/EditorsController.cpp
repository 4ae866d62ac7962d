#include "editors/ui/EditorsController.h"

#include "config/TModIniLS.h"
#include "files/FileNames.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/ui/MainWindowCommands.h"

#include <QFileInfo>
#include <QGuiApplication>

EditorsController::EditorsController(TModIniLS &module, PlayerEngine &engine,
                                     MainWindowCommands &commands, PlayerView &view,
                                     Prompter &prompter, Shell &shell)
    : MainWindowController(nullptr), m_module(module), m_engine(engine),
      m_session(engine.session()),
      m_commands(commands), m_services{engine.session(), prompter, shell}
{
    m_services.playerView = &view;
    m_services.playAudio = [&view](const QString &path) { view.playSlideAudio(path, false); };
    m_services.stopAudio = [&view] { view.stopSlideAudio(); };
    m_services.presentationSaved = [this] { return m_session.QueryCloseList(); };
    m_commands.setCommandHandler(PendingCommandCode::EditSAL, this,
                                 [this] { editSlideList(false); });
    m_commands.setCommandHandler(PendingCommandCode::EditNewSAL, this,
                                 [this] { editSlideList(true); });
    m_commands.setCommandAvailable(u"A_F_EditNewSAL", true);
    // Coming back to the program re-reads the editor's left list (when the options say so).
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive && m_editor)
                    m_editor->programActivated();
            });
}

void EditorsController::setAudio(std::function<void(const QString &)> play,
                                 std::function<void()> stop)
{
    m_services.playAudio = std::move(play);
    m_services.stopAudio = std::move(stop);
}

void EditorsController::editSlideList(bool newList)
{
    // Set when a run was interrupted to come here: it resumes when the editor closes.
    const bool resume = m_engine.state().ResumeAfterCommand;
    const int position = m_engine.state().Position;
    const auto finish = [&] {
        if (resume) {
            const int last = int(m_session.SlideLines.lines.size()) - 1;
            m_engine.ResumeAt(std::clamp(position, 0, std::max(last, 0)));
        }
    };
    if (newList) {
        if (!m_session.QueryCloseList()) {
            finish();
            return;
        }
        if (!m_session.Options.LastConfigWhenNewPres)
            m_module.readDefaultSettings(m_session.Settings, m_session.ReadContext);
    }
    const bool modifiedBefore = !newList && m_session.SlideLines.modified;

    TFEditSAL editor(m_services, m_memory, m_commands.dialogParent());
    m_memory.window.audioMode = m_session.Options.EdiAudioFL;
    m_memory.window.largeMiniature = m_session.Options.EdiLargeMiniature;
    m_memory.window.noAudioPlay = m_session.Options.EdiNoAudioPlay;
    m_memory.window.mainMenuHidden = m_session.Options.EdiHideMainMenu;
    // The first opening shows the list's own folder on the left.
    const QString listFolder = QFileInfo(m_session.SlideListPath).absolutePath();
    for (QString *folder : {&m_memory.window.filesFolder, &m_memory.window.audioFolder})
        if (folder->isEmpty() || !QFileInfo(*folder).isDir())
            *folder = listFolder;
    editor.applyState(m_memory.window);
    if (newList) {
        editor.setWindowTitle(QStringLiteral("Edició de la nova llista de diapositives"));
        editor.loadLines({}, 0);
    } else {
        editor.setWindowTitle(
            QStringLiteral("Edició de la llista %1").arg(extractFileName(m_session.SlideListPath)));
        const int current = resume ? std::max(m_engine.SlideAt(position), 0) : 0;
        editor.loadLines(m_session.SlideLines.lines, current);
    }
    editor.setWindowState(editor.windowState() | Qt::WindowMaximized);
    m_editor = &editor;
    const int result = runEditor ? runEditor(editor) : editor.exec();
    m_editor = nullptr;

    m_memory.window = editor.state();
    m_session.Options.EdiAudioFL = m_memory.window.audioMode;
    m_session.Options.EdiLargeMiniature = m_memory.window.largeMiniature;
    m_session.Options.EdiNoAudioPlay = m_memory.window.noAudioPlay;
    m_session.Options.EdiHideMainMenu = m_memory.window.mainMenuHidden;
    if (result == QDialog::Accepted) {
        if (newList && !editor.savedToFile()) {
            // A new list is written as new files are, whatever the list before it was read as.
            m_session.SlideLines.encodingKnown = false;
            if (editor.modified())
                m_session.setListPath(SlideList::untitledName());
        }
        m_session.SlideLines.lines = editor.lines();
        m_session.SlideLines.modified =
            editor.modified() || (modifiedBefore && !editor.savedToFile());
        m_session.ValidateList();
    }
    finish();
}
