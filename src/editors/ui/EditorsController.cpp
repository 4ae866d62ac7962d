#include "editors/ui/EditorsController.h"

#include "config/TModIniLS.h"
#include "files/FileNames.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/ui/MainWindowCommands.h"

#include "editors/ui/TFEdiWordsAndMeaningTable.h"
#include "editors/ui/TFEditSML.h"
#include "files/Prompter.h"
#include "tables/MeaningTables.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>

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
    m_services.askSaveTablePath = [this](bool words, const QString &current) {
        return askSaveTablePath(words, current);
    };
    const std::pair<PendingCommandCode, TableSource> soundCommands[] = {
        {PendingCommandCode::EditSML, TableSource::Current},
        {PendingCommandCode::EditNewSML, TableSource::New},
        {PendingCommandCode::OpenSML, TableSource::Open}};
    for (const auto &[code, source] : soundCommands)
        m_commands.setCommandHandler(code, this,
                                     [this, source = source] { editSoundTable(source); });
    const std::pair<PendingCommandCode, TableSource> wordCommands[] = {
        {PendingCommandCode::EditWML, TableSource::Current},
        {PendingCommandCode::EditNewWML, TableSource::New},
        {PendingCommandCode::OpenWML, TableSource::Open}};
    for (const auto &[code, source] : wordCommands)
        m_commands.setCommandHandler(code, this,
                                     [this, source = source] { editWordTable(source); });
    for (QStringView name : {u"A_F_EditSML", u"A_F_EditNewSML", u"A_F_OpenSML", u"A_F_EditWML",
                             u"A_F_EditNewWML", u"A_F_OpenWML"})
        m_commands.setCommandAvailable(name, true);
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

// ---------------------------------------------------------------------------------------------
// The meaning tables

namespace {

QString tableFilter(bool words)
{
    return words ? QStringLiteral("Paraules i significats (*.wml)")
                 : QStringLiteral("Imatges/sons i significats (*.sml)");
}

} // namespace

QString EditorsController::askOpenTablePath(bool words)
{
    const MeaningTable &table = words ? m_session.WordTable : m_session.SoundTable;
    const QString current = table.hasFile() ? table.fileName : m_session.SlideListPath;
    if (chooseTableFile)
        return chooseTableFile(words, false, current);
    QFileDialog dialog(m_commands.dialogParent(),
                       QStringLiteral("Obrir %1")
                           .arg(words ? QStringLiteral("una llista de parules i significats")
                                      : QStringLiteral("una llista d'imatges/sons i significats")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tableFilter(words));
    if (!current.isEmpty())
        dialog.setDirectory(QFileInfo(current).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString EditorsController::askSaveTablePath(bool words, const QString &current)
{
    if (chooseTableFile)
        return chooseTableFile(words, true, current);
    QFileDialog dialog(m_commands.dialogParent(),
                       QStringLiteral("Desar %1")
                           .arg(words ? QStringLiteral("una llista de parules i significats")
                                      : QStringLiteral("una llista d'imatges/sons i significats")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(tableFilter(words));
    dialog.setDefaultSuffix(words ? QStringLiteral("wml") : QStringLiteral("sml"));
    if (!current.isEmpty()) {
        const QFileInfo info(current);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

bool EditorsController::querySaveSoundTable()
{
    MeaningTable &table = m_session.SoundTable;
    if (!table.table.modified)
        return true;
    const MsgButton answer = m_services.prompter.AskYesNoCancel(
        table.hasFile()
            ? QStringLiteral("Voleu desar la taula\r\n%1?").arg(table.fileName)
            : QStringLiteral("Voleu desar la taula d'imatges o so i els seus significats (SML)?"));
    if (answer == MsgButton::No)
        return true;
    if (answer != MsgButton::Yes)
        return false;
    QString start = table.fileName;
    if (start.isEmpty() && !m_session.SlideListPath.isEmpty())
        start = changeFileExt(m_session.SlideListPath, QStringLiteral(".sml"));
    const QString path = askSaveTablePath(false, start);
    if (path.isEmpty())
        return false;
    if (!table.save(path, m_services.prompter).ok())
        return false;
    m_session.TableSaved(MeaningKind::Sounds);
    return true;
}

bool EditorsController::openTableFile(MeaningTable &table, const QString &path)
{
    const Fallible<void> read = table.load(path);
    if (table.hasFile())
        m_session.TableSaved(table.kind);
    else
        m_session.TableForgotten(table.kind);
    if (!read.ok())
        m_services.prompter.ShowError(read.error());
    // A faulty line keeps the rows before it, which the editor then shows.
    return table.hasFile();
}

void EditorsController::offerGeneratedQuiz(const QString &generated, bool resume, int position)
{
    if (!generated.isEmpty() &&
        m_services.prompter.AskYes(
            QStringLiteral("Carregar i presentar\r\n%1\r\nacabat de crear?").arg(generated))) {
        // The quiz takes the place of the list in force, which is offered for saving first.
        if (m_session.OpenPresentation(generated) && m_session.PresentationReady)
            m_engine.RunPresentation(0);
        return;
    }
    if (resume) {
        const int last = int(m_session.SlideLines.lines.size()) - 1;
        m_engine.ResumeAt(std::clamp(position, 0, std::max(last, 0)));
    }
}

void EditorsController::editSoundTable(TableSource source)
{
    const bool resume = m_engine.state().ResumeAfterCommand;
    const int position = m_engine.state().Position;
    MeaningTable &table = m_session.SoundTable;
    if (source != TableSource::Current && !querySaveSoundTable()) {
        offerGeneratedQuiz(QString(), resume, position);
        return;
    }
    if (source == TableSource::Open) {
        const QString path = askOpenTablePath(false);
        if (path.isEmpty() || !openTableFile(table, path)) {
            offerGeneratedQuiz(QString(), resume, position);
            return;
        }
    }
    // A new table starts empty in the editor; the one in force stays until the new one is saved
    // in its place (a run's reactions still look it up meanwhile).
    const bool newTable = source == TableSource::New;

    EditorWindowState &state = m_soundState;
    state.largeMiniature = m_session.Options.EdiLargeMiniature;
    state.noAudioPlay = m_session.Options.EdiNoAudioPlay;
    state.mainMenuHidden = m_session.Options.EdiHideMainMenu;
    const QString folder =
        QFileInfo(table.hasFile() ? table.fileName : m_session.SlideListPath).absolutePath();
    for (QString *f : {&state.filesFolder, &state.audioFolder})
        if (f->isEmpty() || !QFileInfo(*f).isDir())
            *f = folder;
    TFEditSML editor(m_services, table, newTable, m_commands.dialogParent());
    switch (editor.soundRows().openingMode()) {
    case SoundTableRows::OpeningMode::Audio: state.audioMode = true; break;
    case SoundTableRows::OpeningMode::Files: state.audioMode = false; break;
    case SoundTableRows::OpeningMode::AsBefore: break;
    }
    editor.applyState(state);
    editor.setWindowState(editor.windowState() | Qt::WindowMaximized);
    (void)(runTableEditor ? runTableEditor(editor) : editor.exec());

    m_soundState = editor.state();
    m_session.Options.EdiLargeMiniature = m_soundState.largeMiniature;
    m_session.Options.EdiNoAudioPlay = m_soundState.noAudioPlay;
    m_session.Options.EdiHideMainMenu = m_soundState.mainMenuHidden;
    offerGeneratedQuiz(editor.generatedPath(), resume, position);
}

void EditorsController::editWordTable(TableSource source)
{
    const bool resume = m_engine.state().ResumeAfterCommand;
    const int position = m_engine.state().Position;
    MeaningTable &table = m_session.WordTable;
    if (source == TableSource::Open) {
        const QString path = askOpenTablePath(true);
        if (path.isEmpty() || !openTableFile(table, path)) {
            offerGeneratedQuiz(QString(), resume, position);
            return;
        }
    }
    TFEdiWordsAndMeaningTable editor(m_services, table, m_wordsSwapped, m_commands.dialogParent());
    if (source == TableSource::New)
        editor.openNewTable();
    else
        editor.openCurrentTable();
    editor.applyPosSize(m_wordPlace);
    (void)(runTableEditor ? runTableEditor(editor) : editor.exec());
    editor.storePosSize(m_wordPlace);
    offerGeneratedQuiz(editor.generatedPath(), resume, position);
}

void EditorsController::startUpTableLoaded(const QString &path)
{
    if (m_session.AccessLevel == AccessLevel::ViewOnly)
        return;
    const bool words = fileExtension(path).toLower() == QLatin1String("wml");
    // Once the window is up: the editor is a window of its own over it.
    QTimer::singleShot(0, this, [this, words] {
        m_engine.command(words ? PendingCommandCode::EditWML : PendingCommandCode::EditSML);
    });
}
