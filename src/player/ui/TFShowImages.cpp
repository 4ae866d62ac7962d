#include "player/ui/TFShowImages.h"

#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/ShellOpen.h"
#include "files/SystemColors.h"
#include "files/ui/QtPrompter.h"
#include "files/ui/QtShell.h"
#include "media/ui/QtMediaTrackPlayer.h"
#include "player/ProgramCredits.h"
#include "player/ResultsWriter.h"
#include "player/SlideGoto.h"
#include "player/SlideOrderListing.h"
#include "player/ui/BlankCover.h"
#include "player/ui/DBusScreenSaverBus.h"
#include "player/ui/MainWindowActions.h"
#include "player/ui/MainWindowController.h"
#include "player/ui/TBoxRefPelvar.h"
#include "player/ui/TFPresSlideList.h"
#include "player/ui/TFSelGotoImage.h"
#include "player/ui/TFShowErrWImage.h"
#include "player/ui/TFShowErrWText.h"
#include "player/ui/TextSlideView.h"
#include "player/ui/VideoSlideView.h"
#include "player/ui/WebSlideView.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideRecord.h"
#include "presentation/ui/TFPresentErrors.h"
#include "slides/ReactionGeometry.h"
#include "slides/TextSlideDocument.h"
#include "slides/ui/SlideArea.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

const QString kIdleCaption = QStringLiteral("Seqüenciador de diapositives");
const QString kSlideListFilter = QStringLiteral("Llista de diapositives (*.sal)");
const QString kEditSlideHint =
    QStringLiteral("Obre la diapositiva actual\r\namb l'editor preassignat");

void setHint(QAction *action, const QString &hint)
{
    MainWindowCommandSet::setHint(action, hint);
}

// The folder and file a file dialog starts at: the current list when it exists, else its folder.
void presetDialogPath(QFileDialog &dialog, const QString &current)
{
    if (current.isEmpty())
        return;
    const QFileInfo info(current);
    if (info.absoluteDir().exists()) {
        dialog.setDirectory(info.absolutePath());
        if (info.exists())
            dialog.selectFile(info.fileName());
    }
}

// An open dialog (the file must exist) or a save dialog for one kind of file; "" when cancelled.
QString chooseFile(QWidget *parent, const QString &title, const QString &filter,
                   const QString &suffix, QFileDialog::AcceptMode mode, const QString &current)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    presetDialogPath(dialog, current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

TFShowImages::TFShowImages(QWidget *parent)
    : TFShowImages(std::make_unique<QtPrompter>(), nullptr, nullptr, parent)
{}

TFShowImages::TFShowImages(Prompter &prompter, QWidget *parent)
    : TFShowImages(nullptr, &prompter, nullptr, parent)
{}

TFShowImages::TFShowImages(Prompter &prompter, Scheduler &clock, QWidget *parent)
    : TFShowImages(nullptr, &prompter, &clock, parent)
{}

TFShowImages::TFShowImages(std::unique_ptr<QtPrompter> own, Prompter *external, Scheduler *clock,
                           QWidget *parent)
    : TFMainMenuMkLink(external ? *external : *own, parent), m_ownPrompter(std::move(own)),
      m_prompter(external ? *external : *m_ownPrompter), m_commands(*this, m_prompter),
      m_scheduler(clock ? *clock : m_ownScheduler), m_session(*this, m_prompter),
      m_engine(m_session, *this, m_prompter, m_scheduler),
      m_mediaPlayer(std::make_unique<QtMediaTrackPlayer>(m_prompter)),
      m_audio(m_audioPlayers, *m_mediaPlayer, m_prompter), m_ownShell(std::make_unique<QtShell>()),
      m_shell(m_ownShell.get()), m_ownScreenSaverBus(std::make_unique<DBusScreenSaverBus>()),
      m_screenSaver(*m_ownScreenSaverBus)
{
    if (m_ownPrompter)
        m_ownPrompter->setOwner(this);
    setObjectName(QStringLiteral("TFShowImages"));
    setWindowTitle(kIdleCaption);
    setMinimumSize(480, 320);
    setLinkName(QStringLiteral("Pelvar"));
    // F1 and the shortcut dialog's help open the window's own page.
    setTopicHelpContext(helpNumber(HelpContext::MainWindow));
    setLinkHelpContext(helpNumber(HelpContext::MainWindow));

    m_slideArea = new SlideArea(m_session.Settings, &m_scheduler, this);
    setCentralWidget(m_slideArea);
    m_slideArea->setFocus(Qt::OtherFocusReason);
    connect(m_slideArea, &SlideArea::drawSizeChanged, this,
            [this](int) { m_engine.refreshCaption(); });
    m_textView = new TextSlideView(m_slideArea);
    m_textView->setKeyHandler([this](QKeyEvent *event) { keyPressEvent(event); });
    applyTextSlideSettings();
    // A slide file edited in another program is shown again when the program gives way.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    checkEditedFile();
            });
    m_videoView = std::make_unique<VideoSlideView>(*m_slideArea, m_session.Settings, m_prompter);

    m_commands.build(mainWindowActionRows(), mainWindowDropDownRows());
    connectCommands();
    m_web = std::make_unique<WebSlideView>(m_commands, *m_slideArea, m_prompter);
    m_cover = new BlankCover(this);

    // Every audio plug-in beside the program; one that fails is left out without a word.
    m_audioPlayers.AddPluginsIn(QCoreApplication::applicationDirPath());
    // The stand-in for the application's idle time: the repeat of a finished track.
    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(100);
    connect(m_idleTimer, &QTimer::timeout, this, [this] { m_audio.idle(); });
    m_idleTimer->start();
}

TFShowImages::~TFShowImages()
{
    m_idleTimer->stop();
    m_audio.StopSlideAudio();
    m_videoView.reset();
    m_web->RemoveWebView();
    // An animating slide area holds a trigger on m_scheduler's timer: it lets go before the
    // scheduler goes, not when the children are deleted after the members.
    m_slideArea->clearSlide();
}

void TFShowImages::connectCommands()
{
    m_toolBar = m_commands.toolBar();
    m_openAction = m_commands.action(u"A_F_OpenSAL");
    m_hideNoteAction = m_commands.action(u"A_I_HideNote");
    m_calcTimeAction = m_commands.action(u"A_V_CalcTime");
    m_resultsAction = m_commands.action(u"A_V_Results");
    m_randomListAction = m_commands.action(u"A_V_RandomList");
    m_hideMainMenuAction = m_commands.action(u"A_V_HideMainMenu");
    m_endButton = m_commands.dropDownButton(u"TB_V_End");
    m_endArrow = m_commands.dropDownArrow(u"TB_V_End");
    const auto on = [this](QStringView name, auto &&slot) {
        connect(m_commands.action(name), &QAction::triggered, this, slot);
    };
    on(u"A_F_OpenSAL", [this] { openSlideListCommand(); });
    on(u"A_F_Check", [this] { checkPresentation(); });
    on(u"A_V_InitNext", [this] { m_engine.initNext(); });
    on(u"A_V_Prior", [this] { m_engine.command(PendingCommandCode::Prior); });
    on(u"A_V_First", [this] { m_engine.command(PendingCommandCode::First); });
    on(u"A_V_Stop", [this] { m_engine.stop(); });
    on(u"A_V_ShowSlideName", [this] { showSlideNameCommand(); });
    on(u"A_V_Edit", [this] { editSlideFileCommand(); });
    on(u"A_V_CalcTime", [this] { m_engine.CalcTime(); });
    on(u"A_V_Results", [this] { showResults(); });
    on(u"A_V_RandomList", [this] { showOrderListing(); });
    on(u"A_I_ShowNameAndNote", [this] { showNameAndNoteCommand(); });
    for (QStringView name :
         {u"A_F_RecTime", u"A_V_Loop", u"A_V_Manual", u"A_V_HideMainMenu", u"A_I_HideNote",
          u"A_I_GifAnimate", u"A_I_Transparent", u"A_I_AmpliationEnabled", u"A_A_NoAudioPlay"})
        on(name, [this, name] { toggleCommand(name); });
    // The commands that end a run and are carried out after it, by their pending codes. Those
    // whose window is not part of the program yet are disabled until it is; only the opening
    // is missing then.
    const std::pair<QStringView, PendingCommandCode> pending[] = {
        {u"A_F_EditSAL", PendingCommandCode::EditSAL},
        {u"A_F_EditNewSAL", PendingCommandCode::EditNewSAL},
        {u"A_F_EditSML", PendingCommandCode::EditSML},
        {u"A_F_EditNewSML", PendingCommandCode::EditNewSML},
        {u"A_F_OpenSML", PendingCommandCode::OpenSML},
        {u"A_F_EditWML", PendingCommandCode::EditWML},
        {u"A_F_EditNewWML", PendingCommandCode::EditNewWML},
        {u"A_F_OpenWML", PendingCommandCode::OpenWML},
        {u"A_V_ModalOptions", PendingCommandCode::ModalOptions}};
    for (const auto &[name, code] : pending)
        on(name, [this, code] { m_engine.command(code); });
    for (const char *name : awaitingWindowNames())
        setCommandAvailable(QString::fromLatin1(name), false);
    connect(this, &TFMainMenuSimple::referenceRequested, this, [this] { showAbout(); });
    on(u"A_H_Tutorial", [this] {
        if (helpRequester())
            helpRequester()->showHelpContext(helpNumber(HelpContext::Tutorial));
    });
    on(u"A_H_QuestionsAndAnswers", [this] {
        if (helpRequester())
            helpRequester()->showHelpContext(helpNumber(HelpContext::QuestionsAndAnswers));
    });
    on(u"A_H_Index", [this] {
        if (helpRequester())
            helpRequester()->showHelpIndex();
    });
    on(u"A_H_Acknowledgements", [this] { m_prompter.ShowInfo(AcknowledgementsText()); });
    on(u"A_V_Play", [this] { m_videoView->replay(); });
    // Shown by the engine during a run of a list with a video.
    action(PlayerAction::A_V_Play)->setVisible(false);
    applyInitialDropDowns();
    refreshCommands();

    m_commands.dropDownChosen = [this](QToolButton *button, QAction *chosen) {
        setDropDownAction(button, chosen);
    };
    on(u"A_V_Goto", [this] { m_engine.command(PendingCommandCode::Goto); });
    m_commands.setCommandHandler(PendingCommandCode::Goto, this, [this] { gotoSlide(); });
    m_commands.setCommandHandler(PendingCommandCode::EditSAL, this,
                                 [this] { editSlideListExternally(); });
}

QAction *TFShowImages::action(PlayerAction which) const
{
    const char *name = playerActionName(which);
    return name ? m_commands.action(QString::fromLatin1(name)) : nullptr;
}

bool TFShowImages::runInProgress() const
{
    return m_engine.state().Presenting && m_session.PresentationReady;
}

// ---------------------------------------------------------------------------------------------
// Start-up and commands

void TFShowImages::startUp(const StartupArgs &args, bool autoStart)
{
    m_session.AccessLevel = args.accessLevel;
    for (MainWindowController *c : controllers())
        c->readAtStartUp(args);
    settingsChanged();
    applyAccessLevel();
    applyInitialDropDowns();
    QString path;
    if (!args.fileArgument.isEmpty()) {
        path = changeFileExt(args.fileArgument, QStringLiteral(".sal"));
        // A list given on the command line is loaded; it starts only when asked to.
        m_session.Options.AutomaticInit = AutomaticInitMode::OpenLast;
        // A table with no list of its name beside it is loaded on its own, for its editor.
        const QString ext = fileExtension(args.fileArgument).toLower();
        if ((ext == QLatin1String("wml") || ext == QLatin1String("sml")) &&
            !QFileInfo::exists(path)) {
            m_session.Options.AutomaticInit = AutomaticInitMode::Nothing;
            if (m_session.LoadMeaningTableFile(args.fileArgument))
                for (MainWindowController *c : controllers())
                    c->startUpTableLoaded(args.fileArgument);
            return;
        }
    } else {
        // Without a file the options may name the last list, to open or to open and start.
        for (MainWindowController *c : controllers()) {
            path = c->startUpList();
            if (!path.isEmpty()) {
                autoStart = c->startUpRuns();
                break;
            }
        }
    }
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path));
        m_session.Options.AutomaticInit = AutomaticInitMode::Nothing;
        return;
    }
    m_session.SlideListPath = path;
    m_session.LoadPresentation();
    if (autoStart && m_session.PresentationReady)
        m_engine.RunPresentation(0, PlayerEngine::RunOrigin::StartUp);
}

void TFShowImages::addController(MainWindowController &controller)
{
    m_controllers.emplace_back(&controller);
}

std::vector<MainWindowController *> TFShowImages::controllers() const
{
    std::vector<MainWindowController *> live;
    for (const QPointer<MainWindowController> &c : m_controllers)
        if (c)
            live.push_back(c.data());
    return live;
}

void TFShowImages::addRecentFile(const QString &path)
{
    for (MainWindowController *c : controllers())
        c->addRecentFile(path);
}

QString TFShowImages::askOpenConfigPath(const QString &current)
{
    return chooseFile(
        this, QStringLiteral("Obrir %1").arg(QStringLiteral("una configuració de presentació")),
        QStringLiteral("Configuració de presentació (*.ini)"), QStringLiteral("ini"),
        QFileDialog::AcceptOpen, current);
}

void TFShowImages::settingsChanged()
{
    // Check marks, hints and panels follow the settings in force at once, not at the next slide.
    refreshCommands();
    m_slideArea->settingsChanged();
    applyTextSlideSettings();
    m_videoView->settingsChanged();
}

void TFShowImages::applyTextSlideSettings()
{
    const PresentationSettings &s = m_session.Settings;
    const QPalette pal = palette();
    m_textView->setAppearance(colorFromTColor(s.ColorRichEdit, pal), fontFromSettings(s.FontText),
                              colorFromTColor(s.FontText.Color, pal));
}

void TFShowImages::showBusy(bool busy)
{
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TFShowImages::openSlideListCommand()
{
    // During a run the command waits for the run to end; at rest the engine offers to save the
    // list in force, asks for the file and opens it.
    m_engine.command(PendingCommandCode::OpenSAL);
}

void TFShowImages::showAbout()
{
    TBoxRefPelvar box(this);
    box.exec();
}

void TFShowImages::setHelpRequester(HelpRequester *help)
{
    TFMainMenuMkLink::setHelpRequester(help);
    for (QStringView name : {u"A_H_Tutorial", u"A_H_QuestionsAndAnswers", u"A_H_Index"})
        m_commands.action(name)->setEnabled(help != nullptr);
}

void TFShowImages::carryOutCommand(PendingCommandCode code)
{
    m_commands.carryOut(code);
}

void TFShowImages::checkPresentation()
{
    const PresentationCheckResult result =
        CheckPresentation(m_session.SlideLines, m_session.SoundTable, &m_prompter);
    if (result.stopped())
        return; // the malformed line's message has been shown
    if (result.errors.isEmpty()) {
        const CheckSummary summary = CheckSummaryFor(result.hiddenCount);
        m_prompter.messageBoxEx(summary.text, summary.kind, {QStringLiteral("OK")});
        return;
    }
    const bool table = result.scope == PresentationCheckResult::Scope::SoundTable;
    TFPresentErrors window(this);
    window.setErrors(result.errors);
    window.setHelp(helpRequester(), helpNumber(table ? HelpContext::SoundTableErrors
                                                     : HelpContext::PresentationErrors));
    // "Edita" needs the editor of the list or of the table (the access level may leave it out).
    const QString editor = table ? QStringLiteral("A_F_EditSML") : QStringLiteral("A_F_EditSAL");
    const bool viewOnly = m_session.AccessLevel == AccessLevel::ViewOnly;
    const bool present = std::find(m_awaitingWindow.begin(), m_awaitingWindow.end(), editor) ==
                         m_awaitingWindow.end();
    window.setEditAvailable(present && !viewOnly,
                            viewOnly ? QStringLiteral("El vostre nivell d'accés no permet editar")
                            : !present ? QStringLiteral("L'editor no està disponible")
                                       : QString());
    switch (window.exec()) {
    case TFPresentErrors::Result::Relocate:
        // Only paths to files that exist are written; the list (or table) then asks to be saved.
        if (table)
            RelocateSoundTableFiles(m_session.SoundTable);
        else
            RelocateCheckedSlideList(m_session.SlideLines, extractFileDir(m_session.SlideListPath),
                                     &m_prompter);
        break;
    case TFPresentErrors::Result::Edit:
        m_engine.command(table ? PendingCommandCode::EditSML : PendingCommandCode::EditSAL);
        break;
    case TFPresentErrors::Result::None: break;
    }
}

void TFShowImages::editSlideListExternally()
{
    // Until the slide list editor exists the list opens in the system's text editor.
    if (QFileInfo::exists(m_session.SlideListPath))
        reportOpenFailure(m_session.SlideListPath,
                          m_shell->openInTextEditor(m_session.SlideListPath));
}

// ---------------------------------------------------------------------------------------------
// PlayerView

bool TFShowImages::showSlide(const SlideRecord &slide, int)
{
    // The video of the slide before goes, whatever comes now.
    m_videoView->clear();
    const bool video = slide.Kind == skVideo || slide.Kind == skMovie;
    m_slideArea->setBaseFolder(extractFileDir(m_session.SlideListPath));
    setActionEnabled(PlayerAction::A_V_Play, video);
    setActionEnabled(PlayerAction::A_I_ShowNameAndNote, slide.Kind != skTitle && !video);
    if (slide.Kind == skTitle)
        setActionEnabled(PlayerAction::A_V_ShowSlideName, false);
    // The keys go to the slide area, or to the text view while it shows a text.
    const QWidget *focus = QApplication::focusWidget();
    const bool keysHere = !focus || focus == this || focus == m_slideArea || focus == m_textView;
    // Every slide change frees the web page of the slide before.
    m_web->RemoveWebView();
    const QString error = m_slideArea->showSlide(slide);
    if (textKindForSlide(slide.Kind)) {
        if (!showTextSlide(slide, keysHere))
            return false;
    } else if (keysHere) {
        m_slideArea->setFocus(Qt::OtherFocusReason);
    }
    if (slide.Kind == skImage) {
        setActionEnabled(PlayerAction::A_V_Play, false);
        setActionEnabled(PlayerAction::A_V_Edit, true);
        setHint(action(PlayerAction::A_V_Edit), kEditSlideHint);
    } else if (slide.Kind == skTitle) {
        setActionEnabled(PlayerAction::A_V_Play, false);
        setActionEnabled(PlayerAction::A_V_Edit, false);
        setHint(action(PlayerAction::A_V_Edit), QStringLiteral("Obre la diapositiva actual"));
    } else if (video) {
        // An AVI plays through the media player, which becomes the audio in use.
        if (slide.Kind == skVideo) {
            m_audioPath.clear();
            m_audio.MediaPlayerTakesOver();
        }
        m_videoView->showVideoSlide(slide);
    } else if (slide.Kind == skWeb) {
        const QFileInfo file(slide.FileName);
        const QString path =
            file.isAbsolute()
                ? slide.FileName
                : QDir(extractFileDir(m_session.SlideListPath)).absoluteFilePath(slide.FileName);
        m_web->ShowWebSlide(path, action(PlayerAction::A_V_Play), action(PlayerAction::A_V_Edit));
    }
    // PNG decoding failures are reported; other undecodable pictures leave the view empty.
    if (!error.isEmpty() &&
        fileExtension(slide.FileName).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        m_prompter.ShowError(error);
    prefetchAfter(m_engine.state().Position);
    return true;
}

bool TFShowImages::showTextSlide(const SlideRecord &slide, bool takeFocus)
{
    setActionEnabled(PlayerAction::A_V_Play, false);
    setActionEnabled(PlayerAction::A_V_Edit, true);
    setHint(action(PlayerAction::A_V_Edit), kEditSlideHint);
    const Fallible<void> loaded =
        m_textView->loadFile(slide.FileName, *textKindForSlide(slide.Kind));
    if (!loaded.ok()) {
        m_prompter.ShowError(loaded.error());
        stopMedia();
        return false;
    }
    // The keys reach the window through the view, which scrolls with the ones left over.
    m_slideArea->setContentView(m_textView, SlideArea::ContentPlace::Panel);
    if (takeFocus)
        m_textView->setFocus(Qt::OtherFocusReason);
    return true;
}

void TFShowImages::editSlideFileCommand()
{
    const PlayerRunState &run = m_engine.state();
    if (!run.Presenting || m_session.AccessLevel == AccessLevel::ViewOnly)
        return;
    // An automatic run waits while the file is looked at or edited.
    if (!m_session.Settings.ManualViewing && !run.Paused)
        m_engine.togglePause();
    const QString path = run.CurrentSlide.FileName;
    m_editWatch.handedOver(path);
    if (!shellSucceeded(ShellOpen(*m_shell, m_prompter, QStringLiteral("Open"), path, QString(),
                                  extractFileDir(path), ShowMode::Normal)))
        m_editWatch.forget();
}

void TFShowImages::checkEditedFile()
{
    // The file-list editor's folder is read again here (FilesAutomaticReread) once that editor
    // is part of the program.
    const QWidget *focus = QApplication::focusWidget();
    const bool focused = focus ? focus->window() == this : isActiveWindow();
    const SlideRecord &slide = m_engine.state().CurrentSlide;
    switch (m_editWatch.check(slide, runInProgress(), focused)) {
    case EditedFileWatch::Reload::Nothing: break;
    case EditedFileWatch::Reload::Picture: {
        const QString error = m_slideArea->reloadPicture();
        if (!error.isEmpty() &&
            fileExtension(slide.FileName).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
            m_prompter.ShowError(error);
        break;
    }
    case EditedFileWatch::Reload::Text: {
        const Fallible<void> loaded =
            m_textView->loadFile(slide.FileName, *textKindForSlide(slide.Kind));
        if (!loaded.ok())
            m_prompter.ShowError(loaded.error());
        break;
    }
    }
}

void TFShowImages::showQuestion(const QuestionModel &question, const SlideRecord &)
{
    // A question is for the viewer to see and answer: a cover put up before it goes.
    m_cover->uncover();
    m_slideArea->showQuestion(question, [this](int index) { m_engine.AnswerClick(index); });
    if (question.box)
        setSingleKeyShortcuts(false);
}

void TFShowImages::freeQuestion()
{
    m_slideArea->freeQuestion();
    setSingleKeyShortcuts(true);
    if (runInProgress())
        m_slideArea->setFocus(Qt::OtherFocusReason);
}

void TFShowImages::collectSingleKeyShortcuts()
{
    m_singleKeyShortcuts.clear();
    // Every command of the table is added to the window, the controllers' too.
    for (QAction *a : actions()) {
        const QKeySequence k = a->shortcut();
        if (k.count() != 1)
            continue;
        const QKeyCombination c = k[0];
        const Qt::KeyboardModifiers mods = c.keyboardModifiers() & ~Qt::KeypadModifier;
        const int key = int(c.key());
        const bool character = key >= 0x20 && key < 0x1000000;
        if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) &&
            (character || c.key() == Qt::Key_Backspace))
            m_singleKeyShortcuts.push_back({a, k});
    }
}

void TFShowImages::setSingleKeyShortcuts(bool on)
{
    if (on == !m_shortcutsOff)
        return;
    // Commands added after the window was built (the controllers') count too.
    if (!on)
        collectSingleKeyShortcuts();
    m_shortcutsOff = !on;
    for (const TActionShortCut &s : m_singleKeyShortcuts)
        if (s.action)
            s.action->setShortcut(on ? s.shortcut : QKeySequence());
}

void TFShowImages::prefetchAfter(int position)
{
    const int count = int(m_engine.state().Order.size());
    if (count == 0)
        return;
    int next = position + 1;
    if (next >= count) {
        if (!m_session.Settings.LoopImages)
            return;
        next = 0;
    }
    const int index = m_engine.SlideAt(next);
    if (index < 0 || index >= int(m_session.SlideLines.lines.size()))
        return;
    const auto slide = DecodeSlide(m_session.SlideLines.lines[index]);
    if (slide && slide->Kind == skImage && !slide->Hidden)
        m_slideArea->prefetch(*slide);
}

void TFShowImages::showSlideNameCommand()
{
    const SlideRecord &slide = m_engine.state().CurrentSlide;
    if (slide.Kind == skTitle)
        return;
    m_prompter.ShowInfo(fileNameWithoutExt(slide.FileName));
}

void TFShowImages::showNameAndNoteCommand()
{
    const SlideRecord &slide = m_engine.state().CurrentSlide;
    if (slide.Kind == skTitle)
        return;
    const PresentationSettings &s = m_session.Settings;
    // The name is left out when the caption shows it already.
    QString text =
        (s.PresWithITName && !s.WithoutCaption) ? QString() : fileNameWithoutExt(slide.FileName);
    if (slide.Kind == skImage &&
        (!slide.PromptOr1stLine.isEmpty() || !slide.AnswersOrNextLines.isEmpty())) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n\r\n");
        QString notes = slide.PromptOr1stLine + QLatin1Char('|') + slide.AnswersOrNextLines;
        notes.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
        text += notes;
    }
    m_prompter.ShowInfo(text);
}

void TFShowImages::hideSlidePanels()
{
    m_videoView->clear();
    setActionEnabled(PlayerAction::A_V_Play, false);
    m_web->RemoveWebView();
    m_slideArea->clearSlide();
}

void TFShowImages::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

int TFShowImages::drawSizePercent() const
{
    return m_slideArea->drawSizePercent();
}

void TFShowImages::setActionEnabled(PlayerAction which, bool enabled)
{
    if (QAction *a = action(which))
        setCommandEnabled(a, enabled);
}

void TFShowImages::setActionVisible(PlayerAction which, bool visible)
{
    if (which == PlayerAction::WebCommands)
        m_web->setCommandsVisible(visible);
    else if (QAction *a = action(which))
        a->setVisible(visible);
    if (which != PlayerAction::WebCommands && which != PlayerAction::A_V_Play)
        return;
    // The separators before the web commands also set the video command apart: they show with
    // either group.
    const QAction *home = m_commands.action(u"A_W_Home");
    const QAction *play = action(PlayerAction::A_V_Play);
    const bool any = (home && home->isVisible()) || (play && play->isVisible());
    for (QStringView name : {u"TB_SepWeb", u"MI_SV_SepWeb"})
        if (QAction *separator = m_commands.action(name))
            separator->setVisible(any);
}

void TFShowImages::setInitNextText(const QString &caption, const QString &hint)
{
    QAction *a = action(PlayerAction::A_V_InitNext);
    a->setText(caption);
    setHint(a, hint);
}

void TFShowImages::setRunDecoration(bool hideMenusAndToolbar, bool borderless, bool keepMenuHidden)
{
    menuBar()->setVisible(!hideMenusAndToolbar && !keepMenuHidden);
    m_toolBar->setVisible(!hideMenusAndToolbar);
    if (bool(windowFlags() & Qt::FramelessWindowHint) != borderless) {
        // Changing the flags re-creates the native window: keep its state and show it again.
        const Qt::WindowStates state = windowState();
        const bool shown = isVisible();
        setWindowFlag(Qt::FramelessWindowHint, borderless);
        setWindowState(state);
        if (shown)
            show();
    }
    m_slideArea->setFocus(Qt::OtherFocusReason);
}

void TFShowImages::playSlideAudio(const QString &path, bool repeat)
{
    m_audioPath = path;
    m_audio.PlaySlideAudio(path, repeat);
}

void TFShowImages::stopSlideAudio()
{
    m_audioPath.clear();
    m_audio.StopSlideAudio();
}

void TFShowImages::stopMedia()
{
    stopSlideAudio();
    m_videoView->stop();
}

void TFShowImages::launch(const SlideRecord &slide)
{
    // A failure is reported by the shell helper; the run goes on whatever the result.
    if (slide.Kind == skProgram) {
        // The program is named in its own folder, where it starts, with the slide's line split
        // into its arguments; a failure names it as it was asked for.
        (void)ShellOpen(*m_shell, m_prompter, QStringLiteral("Open"),
                        extractFileName(slide.FileName), slide.PromptOr1stLine,
                        QFileInfo(slide.FileName).absolutePath(), ShowMode::Normal);
    } else if (slide.Kind == skDocument) {
        (void)ShellOpen(*m_shell, m_prompter, QStringLiteral("Open"), slide.PromptOr1stLine,
                        QString(), QString(), ShowMode::Normal);
    }
}

QString TFShowImages::askOpenSlideListPath(const QString &current)
{
    return chooseFile(this,
                      QStringLiteral("Obrir %1").arg(QStringLiteral("una llista de diapositives")),
                      kSlideListFilter, QStringLiteral("sal"), QFileDialog::AcceptOpen, current);
}

QString TFShowImages::askSaveSlideListPath(const QString &current)
{
    return chooseFile(this,
                      QStringLiteral("Desar %1").arg(QStringLiteral("una llista de diapositives")),
                      kSlideListFilter, QStringLiteral("sal"), QFileDialog::AcceptSave, current);
}

void TFShowImages::closeWindow()
{
    m_closeGranted = true;
    close();
}

// ---------------------------------------------------------------------------------------------
// Events

void TFShowImages::closeEvent(QCloseEvent *event)
{
    if (!m_closeGranted && m_engine.queryCloseWindow())
        m_closeGranted = true;
    // A run ended by the close query grants the close from inside the query: closeWindow runs
    // while this close is in progress and cannot start another, so the flag is read again here.
    if (m_closeGranted) {
        if (!m_savedAtExit) {
            m_savedAtExit = true;
            for (MainWindowController *c : controllers())
                c->saveAtExit();
        }
        event->accept();
    } else
        event->ignore();
}

void TFShowImages::keyPressEvent(QKeyEvent *event)
{
    if (presenterKey(event))
        return;
    // Shortcuts of enabled commands have been served before this handler.
    switch (event->key()) {
    case Qt::Key_Space:
        if (runInProgress()) {
            // Manual runs: next, or the mental check when the slide asks for one.
            m_engine.spaceKey();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Backspace:
        if (runInProgress()) {
            m_engine.command(PendingCommandCode::Prior);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Escape:
        // Reaches here only while "Atura la reproducció" is disabled.
        m_engine.escapeKey();
        event->accept();
        return;
    default: break;
    }
    QMainWindow::keyPressEvent(event);
}

void TFShowImages::mousePressEvent(QMouseEvent *event)
{
    // With the menus and the toolbar hidden the mouse steps a manual run: left back, right on.
    // Not in an exam, where going back is not offered.
    const PresentationSettings &s = m_session.Settings;
    if (runInProgress() && s.ManualViewing && s.WithoutMenuOrButtons &&
        s.ShowingModel != ShowingMode::Exam) {
        if (event->button() == Qt::LeftButton) {
            m_engine.command(PendingCommandCode::Prior);
            event->accept();
            return;
        }
        if (event->button() == Qt::RightButton) {
            m_engine.command(PendingCommandCode::Next);
            event->accept();
            return;
        }
    }
    QMainWindow::mousePressEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Results, the end menu and the answers' reaction windows

void TFShowImages::showOrderListing()
{
    const QString text = OrderListingText(m_session.SlideLines, m_engine.state().Order,
                                          m_session.Options.AsciiListWithTab, m_prompter);
    if (text.isEmpty())
        return;
    // Modal without an event loop of its own: it goes when it is closed.
    auto *window = new TFPresSlideList(m_session.Options, m_listingMemory, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->setPlainText(text);
    window->setHelp(helpRequester(), helpNumber(HelpContext::OrderListing));
    window->show();
}

void TFShowImages::gotoSlide()
{
    const int typed = std::exchange(m_typedJump, -1);
    if (typed >= 0) {
        // A typed number goes straight to its slide, as if chosen in the window.
        const int current = m_engine.state().Position;
        m_engine.ResumeAt(m_engine.PositionOfSlide(typed, current));
        return;
    }
    // Set when a run was interrupted to come here: it resumes whatever the answer.
    const bool resume = m_engine.state().ResumeAfterCommand;
    int position = m_engine.state().Position;
    const auto finish = [&](bool chosen) {
        if (resume || chosen)
            m_engine.ResumeAt(position);
    };
    MemTable table = MakeGotoSlidesTable();
    const Fallible<void> filled = FillGotoSlides(table, m_session.SlideLines);
    if (!filled.ok()) {
        m_prompter.ShowError(filled.error());
        finish(false);
        return;
    }
    if (table.recordCount() == 0) {
        m_prompter.ShowError(QStringLiteral("No hi ha cap diapositiva a buscar"));
        finish(false);
        return;
    }
    TFSelGotoImage window(table, m_gotoMemory, this);
    window.setHelp(helpRequester(), helpNumber(HelpContext::GotoSlide));
    window.selectRecord(resume ? GotoRecordOf(table, m_engine.SlideAt(position)) : 0);
    const bool chosen = window.exec() == QDialog::Accepted && window.chosenNumber() > 0;
    if (chosen)
        position = m_engine.PositionOfSlide(window.chosenNumber() - 1, position);
    finish(chosen);
}

void TFShowImages::showResults()
{
    const QString path = ResultsFilePath(m_session.Options.Results, m_session.UserName);
    if (!QFileInfo(path).isFile()) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path));
        return;
    }
    reportOpenFailure(path, m_shell->openInTextEditor(path));
}

void TFShowImages::reportOpenFailure(const QString &path, const Fallible<void> &opened)
{
    if (!opened.ok())
        m_prompter.ShowError(cannotOpenMessage(path, opened.error()));
}

QSize TFShowImages::reactionLimit() const
{
    QSize referent = size();
    if (m_session.Settings.PresErrReferent == 0) {
        const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (s)
            referent = s->geometry().size();
    }
    return reactionLimitBox(referent, m_session.Settings.PresErrSizePercent);
}

void TFShowImages::openReaction(TFShowErrW *window, const QString &error)
{
    if (!error.isEmpty()) {
        delete window;
        m_prompter.ShowError(error);
        return;
    }
    // One reaction window at a time: the previous one goes, and its audio with it.
    delete m_reaction.window.data();
    m_reaction.window = window;
    window->show();
    window->raise();
    window->activateWindow();
}

void TFShowImages::showReactionPicture(const QString &file, int markX, int markY,
                                       const QString &audio)
{
    auto *window = new TFShowErrWImage(m_slideArea->scene().image(), m_session.Settings, *this,
                                       m_prompter, audio, &m_scheduler, this);
    openReaction(window, window->loadPicture(file, QPoint(markX, markY), reactionLimit()));
}

void TFShowImages::showReactionText(const QString &file, const QString &audio)
{
    auto *window = new TFShowErrWText(m_session.Settings.FontText, *this, m_prompter, audio, this);
    window->setBackground(colorFromTColor(m_session.Settings.ColorRichEdit, palette()));
    openReaction(window, window->loadText(file, reactionLimit()));
}

// ---------------------------------------------------------------------------------------------
// Presenters' keys and the screensaver

bool TFShowImages::presenterKey(QKeyEvent *event)
{
    PresenterKeys::Context context;
    context.running = runInProgress();
    context.answerBoxHasKeys = m_shortcutsOff;
    context.blanked = m_cover->covering();
    const PresenterKeys::Result r =
        m_presenterKeys.handleKey(event->key(), event->modifiers(), context);
    switch (r.action) {
    case PresenterKeys::Action::None: return false;
    case PresenterKeys::Action::Next:
        if (!scrollTextSlide(QAbstractSlider::SliderPageStepAdd))
            m_engine.command(PendingCommandCode::Next);
        break;
    case PresenterKeys::Action::Prior:
        if (!scrollTextSlide(QAbstractSlider::SliderPageStepSub))
            m_engine.command(PendingCommandCode::Prior);
        break;
    case PresenterKeys::Action::BlankBlack: m_cover->cover(Qt::black); break;
    case PresenterKeys::Action::BlankWhite: m_cover->cover(Qt::white); break;
    case PresenterKeys::Action::Unblank: m_cover->uncover(); break;
    case PresenterKeys::Action::DigitTyped: break;
    case PresenterKeys::Action::JumpTo: jumpToSlide(r.number); break;
    }
    event->accept();
    return true;
}

bool TFShowImages::scrollTextSlide(QAbstractSlider::SliderAction step)
{
    // A long text is paged through first: the page keys step once its end (or start) shows.
    if (!m_textView->isVisible())
        return false;
    QScrollBar *bar = m_textView->verticalScrollBar();
    const bool room = step == QAbstractSlider::SliderPageStepAdd ? bar->value() < bar->maximum()
                                                                 : bar->value() > bar->minimum();
    if (room)
        bar->triggerAction(step);
    return room;
}

void TFShowImages::jumpToSlide(int number)
{
    // Only a slide the go-to window would offer: not hidden, its file there and readable.
    MemTable table = MakeGotoSlidesTable();
    if (number < 1 || number > int(m_session.SlideLines.lines.size()) ||
        !FillGotoSlides(table, m_session.SlideLines).ok())
        return;
    const int record = GotoRecordOf(table, number - 1);
    if (record < 0 || table.value(record, QStringLiteral("N")).toInt() != number)
        return;
    // The run is interrupted by the go-to command and resumes at the slide, as after the
    // go-to window.
    m_typedJump = number - 1;
    m_engine.command(PendingCommandCode::Goto);
}

void TFShowImages::runStateChanged(bool presenting)
{
    m_screenSaver.runStateChanged(presenting);
    // A typed number is served by the go-to command before the run it resumes starts; one left
    // over would take the place of the go-to window later.
    if (presenting)
        m_typedJump = -1;
    else {
        m_presenterKeys.clearDigits();
        // A run that ends under a cover shows how it ended.
        m_cover->uncover();
    }
}

// ---------------------------------------------------------------------------------------------
// Toggles, hints that follow settings, drop-down buttons and access levels

namespace {

QString openSalHint(OpenSalAction option)
{
    const QString open = QStringLiteral("Obre una presentació");
    switch (option) {
    case OpenSalAction::Run: return open + QStringLiteral("\r\ni inicia la reproducció");
    case OpenSalAction::Edit: return open + QStringLiteral("\r\ni n'edita el contingut");
    case OpenSalAction::Check: return open + QStringLiteral("\r\ni la comprova");
    case OpenSalAction::Nothing: break;
    }
    return open;
}

QString modalOptionsHint(PresSortMode sort)
{
    const QString order = sort == PresSortMode::Random ? QStringLiteral("aleatori i diferent en "
                                                                        "cada repetició")
                          : sort == PresSortMode::Memorisation
                              ? QStringLiteral("aleatori per memorització")
                              : QStringLiteral("seqüencial");
    return QStringLiteral("Modificació (i més) de l'ordre de presentació\r\nactual: ") + order;
}

} // namespace

void TFShowImages::toggleCommand(QStringView name)
{
    PresentationSettings &s = m_session.Settings;
    // The presentation's settings mark them modified; the run's and the program's do not.
    bool setting = true;
    if (name == u"A_F_RecTime") {
        setting = false;
        m_engine.setRecordTime(!m_engine.state().RecordTime);
        // Times are recorded on a single pass: no looping while recording.
        if (m_engine.state().RecordTime && s.LoopImages) {
            s.LoopImages = false;
            setting = true;
        }
    } else if (name == u"A_V_Loop") {
        s.LoopImages = !s.LoopImages;
        if (s.LoopImages)
            m_engine.setRecordTime(false);
    } else if (name == u"A_V_Manual") {
        s.ManualViewing = !s.ManualViewing;
    } else if (name == u"A_I_HideNote") {
        s.HideNote = !s.HideNote;
    } else if (name == u"A_I_GifAnimate") {
        s.ImgGifAnimate = !s.ImgGifAnimate;
    } else if (name == u"A_I_Transparent") {
        s.ImgTransparent = !s.ImgTransparent;
    } else if (name == u"A_I_AmpliationEnabled") {
        s.ImgAmpliationEnabled = !s.ImgAmpliationEnabled;
    } else if (name == u"A_A_NoAudioPlay") {
        setting = false;
        m_engine.setNoAudioPlay(!m_engine.state().NoAudioPlay);
    } else if (name == u"A_V_HideMainMenu") {
        setting = false;
        m_session.Options.HideMainMenu = !m_session.Options.HideMainMenu;
    }
    if (setting)
        m_session.SettingsModified = true;
    refreshCommands();
    // The slide on screen shows the image view's and the notes' settings at once.
    if (name == u"A_I_HideNote" || name == u"A_I_GifAnimate" || name == u"A_I_Transparent" ||
        name == u"A_I_AmpliationEnabled") {
        m_slideArea->settingsChanged();
        m_videoView->settingsChanged();
    }
}

bool TFShowImages::toggleChecked(QStringView name) const
{
    const PresentationSettings &s = m_session.Settings;
    if (name == u"A_F_RecTime")
        return m_engine.state().RecordTime;
    if (name == u"A_V_Loop")
        return s.LoopImages;
    if (name == u"A_V_Manual")
        return s.ManualViewing;
    if (name == u"A_I_HideNote")
        return s.HideNote;
    if (name == u"A_I_GifAnimate")
        return s.ImgGifAnimate;
    if (name == u"A_I_Transparent")
        return s.ImgTransparent;
    if (name == u"A_I_AmpliationEnabled")
        return s.ImgAmpliationEnabled;
    if (name == u"A_A_NoAudioPlay")
        return m_engine.state().NoAudioPlay;
    if (name == u"A_V_HideMainMenu")
        return m_session.Options.HideMainMenu;
    return false;
}

bool TFShowImages::toggleHintState(QStringView name) const
{
    // Two hints name the opposite of their command: audio plays, the menu is shown.
    const bool checked = toggleChecked(name);
    return (name == u"A_A_NoAudioPlay" || name == u"A_V_HideMainMenu") ? !checked : checked;
}

void TFShowImages::refreshCommands()
{
    for (QStringView name :
         {u"A_F_RecTime", u"A_V_Loop", u"A_V_Manual", u"A_V_HideMainMenu", u"A_I_HideNote",
          u"A_I_GifAnimate", u"A_I_Transparent", u"A_I_AmpliationEnabled", u"A_A_NoAudioPlay"}) {
        QAction *a = m_commands.action(name);
        a->setChecked(toggleChecked(name));
        setHint(a, toggleHint(name, toggleHintState(name)));
    }
    const PresentationSettings &s = m_session.Settings;
    // A view-only user's lists always start when opened.
    setHint(m_openAction, openSalHint(m_session.AccessLevel == AccessLevel::ViewOnly
                                          ? OpenSalAction::Run
                                          : m_session.Options.OpenSalOption));
    setHint(m_commands.action(u"A_V_ModalOptions"), modalOptionsHint(s.PresSort));
    // Times are recorded in manual runs of a sequential order; the speed is the automatic
    // runs'.
    m_commands.action(u"A_F_RecTime")
        ->setEnabled(s.ManualViewing && s.PresSort == PresSortMode::Sequential);
    setCommandEnabled(m_commands.action(u"A_V_Speed"), !s.ManualViewing);
    // A run without menus or buttons keeps them hidden until it ends.
    const bool runHidesThem = runInProgress() && s.WithoutMenuOrButtons;
    menuBar()->setVisible(!m_session.Options.HideMainMenu && !runHidesThem);
}

void TFShowImages::setCommandEnabled(QAction *a, bool enabled)
{
    // The state the rules ask for is kept, to be given once the window is there.
    a->setProperty("pelvarEnabled", enabled);
    a->setEnabled(enabled && commandAvailable(a->objectName()));
}

bool TFShowImages::commandAvailable(QStringView name) const
{
    return std::find(m_awaitingWindow.begin(), m_awaitingWindow.end(), name) ==
           m_awaitingWindow.end();
}

void TFShowImages::setCommandAvailable(QStringView name, bool available)
{
    QAction *a = m_commands.action(name);
    if (!a)
        return;
    const QVariant wanted = a->property("pelvarEnabled");
    const bool enabled = wanted.isValid() ? wanted.toBool() : a->isEnabled();
    const auto it = std::find(m_awaitingWindow.begin(), m_awaitingWindow.end(), name);
    if (available && it != m_awaitingWindow.end())
        m_awaitingWindow.erase(it);
    else if (!available && it == m_awaitingWindow.end())
        m_awaitingWindow.push_back(name.toString());
    setCommandEnabled(a, enabled);
}

void TFShowImages::applyAccessLevel()
{
    const bool viewOnly = m_session.AccessLevel == AccessLevel::ViewOnly;
    for (const char *name : viewOnlyHiddenNames())
        if (QAction *a = m_commands.action(QString::fromLatin1(name)))
            a->setVisible(!viewOnly);
    // The administrator's options: full access, and only when several users share the program.
    m_commands.action(u"A_F_AdminOptions")
        ->setVisible(m_session.AccessLevel == AccessLevel::Full && m_session.SeveralUsers);
    refreshCommands();
}

int &TFShowImages::dropDownIndexOption(QStringView button)
{
    ProgramOptions &o = m_session.Options;
    if (button == u"TB_WMLAndOptions")
        return o.ActionOptionsIndex;
    if (button == u"TB_X")
        return o.ActionXIndex;
    if (button == u"TB_ImageSlides")
        return o.ImageSlidesIndex;
    return o.ActionEndIndex;
}

void TFShowImages::applyInitialDropDowns()
{
    for (const DropDownRow &row : mainWindowDropDownRows()) {
        const QString name = QString::fromLatin1(row.button);
        const std::span<const char *const> commands = dropDownIndexCommands(name);
        int index = std::clamp(dropDownIndexOption(name), 0, int(commands.size()) - 1);
        // The results command starts on the end button only while results are written, and the
        // menu's hiding only for users who may hide it.
        if (name == u"TB_V_End" && ((index == 1 && !m_session.Options.Results.Write) ||
                                    (index == 3 && m_session.AccessLevel == AccessLevel::ViewOnly)))
            index = 0;
        QAction *a = m_commands.action(QString::fromLatin1(commands[std::size_t(index)]));
        // A command the user does not see (or one whose controller is not composed) leaves the
        // button to the first of its list.
        if (!a || !a->isVisible())
            a = m_commands.action(QString::fromLatin1(commands.front()));
        if (a)
            setDropDownAction(m_commands.dropDownButton(name), a);
    }
}

void TFShowImages::setDropDownAction(QToolButton *button, QAction *a)
{
    if (!button || !a)
        return;
    if (button->defaultAction() != a)
        button->setDefaultAction(a);
    // Kept in the options from the command the button carries, so the next start shows the same
    // command; one that is not in the list counts as the last.
    const std::span<const char *const> commands = dropDownIndexCommands(button->objectName());
    int index = int(commands.size()) - 1;
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (a->objectName() == QLatin1String(commands[i]))
            index = int(i);
    dropDownIndexOption(button->objectName()) = index;
}
