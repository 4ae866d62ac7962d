#include "player/ui/TFShowImages.h"

#include "player/ui/ConfigurationController.h"
#include "files/FileNames.h"
#include "files/ui/QtPrompter.h"
#include "files/ui/QtShell.h"
#include "media/ui/QtMediaTrackPlayer.h"
#include "slides/ReactionGeometry.h"
#include "player/ResultsWriter.h"
#include "slides/ui/SlideArea.h"
#include "player/ui/TFShowErrWImage.h"
#include "player/ui/TFShowErrWText.h"
#include "presentation/SlideRecord.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kIdleCaption = QStringLiteral("Seqüenciador de diapositives");
const QString kSlideListFilter = QStringLiteral("Llista de diapositives (*.sal)");

// Hints are written with the Windows line break; widgets want "\n".
QString hintText(const QString &hint)
{
    QString s = hint;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

void setHint(QAction *action, const QString &hint)
{
    action->setToolTip(hintText(hint));
    action->setStatusTip(hintText(hint).replace(QLatin1Char('\n'), QLatin1Char(' ')));
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
QString chooseFile(QWidget *parent, const QString &title, const QString &filter, const QString &suffix,
                   QFileDialog::AcceptMode mode, const QString &current)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    presetDialogPath(dialog, current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

TFShowImages::TFShowImages(QWidget *parent)
    : TFShowImages(std::make_unique<QtPrompter>(), nullptr, parent)
{}

TFShowImages::TFShowImages(Prompter &prompter, QWidget *parent)
    : TFShowImages(nullptr, &prompter, parent)
{}

TFShowImages::TFShowImages(std::unique_ptr<QtPrompter> own, Prompter *external, QWidget *parent)
    : QMainWindow(parent), m_ownPrompter(std::move(own)),
      m_prompter(external ? *external : *m_ownPrompter), m_session(*this, m_prompter),
      m_engine(m_session, *this, m_prompter, m_scheduler),
      m_mediaPlayer(std::make_unique<QtMediaTrackPlayer>(m_prompter)),
      m_audio(m_audioPlayers, *m_mediaPlayer, m_prompter), m_ownShell(std::make_unique<QtShell>()),
      m_shell(m_ownShell.get())
{
    if (m_ownPrompter)
        m_ownPrompter->setOwner(this);
    setObjectName(QStringLiteral("TFShowImages"));
    setWindowTitle(kIdleCaption);
    setMinimumSize(480, 320);

    m_slideArea = new SlideArea(m_session.Settings, &m_scheduler, this);
    setCentralWidget(m_slideArea);
    m_slideArea->setFocus(Qt::OtherFocusReason);
    connect(m_slideArea, &SlideArea::drawSizeChanged, this,
            [this](int) { m_engine.refreshCaption(); });

    buildActions();
    buildMenusAndToolbar();
    buildEndCommands();

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
}

void TFShowImages::buildActions()
{
    QStyle *st = style();

    m_openAction = new QAction(st->standardIcon(QStyle::SP_DialogOpenButton),
                               QStringLiteral("Obre una presentació desada..."), this);
    m_openAction->setObjectName(QStringLiteral("A_F_OpenSAL"));
    setHint(m_openAction, QStringLiteral("Obre una presentació\r\ni inicia la reproducció"));
    connect(m_openAction, &QAction::triggered, this, &TFShowImages::openSlideListCommand);

    m_exitAction = new QAction(QStringLiteral("Surt"), this);
    m_exitAction->setObjectName(QStringLiteral("MI_F_Exit"));
    m_exitAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    auto make = [this](PlayerAction id, const char *name, QStyle::StandardPixmap icon,
                       const QString &caption, const QString &hint, const QKeySequence &key) {
        auto *a = new QAction(style()->standardIcon(icon), caption, this);
        a->setObjectName(QLatin1String(name));
        setHint(a, hint);
        if (!key.isEmpty())
            a->setShortcut(key);
        // Shortcuts stay live while the menus and the toolbar are hidden during a run.
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        m_actions[id] = a;
        return a;
    };
    QAction *initNext = make(PlayerAction::A_V_InitNext, "A_V_InitNext", QStyle::SP_MediaPlay,
                             QStringLiteral("Inicia la reproducció"),
                             QStringLiteral("Comença a mostrar la presentació"), {});
    QAction *prior = make(PlayerAction::A_V_Prior, "A_V_Prior", QStyle::SP_MediaSeekBackward,
                          QStringLiteral("A la prèvia"), QStringLiteral("Diapositiva anterior"),
                          QKeySequence(Qt::Key_Backspace));
    QAction *first = make(PlayerAction::A_V_First, "A_V_First", QStyle::SP_MediaSkipBackward,
                          QStringLiteral("A la primera"), QStringLiteral("Primera diapositiva"),
                          QKeySequence(Qt::Key_Home));
    QAction *stop = make(PlayerAction::A_V_Stop, "A_V_Stop", QStyle::SP_MediaStop,
                         QStringLiteral("Atura la reproducció"),
                         QStringLiteral("Atura la reproducció"), QKeySequence(Qt::Key_Escape));

    connect(initNext, &QAction::triggered, this, [this] { m_engine.initNext(); });
    connect(prior, &QAction::triggered, this,
            [this] { m_engine.command(PendingCommandCode::Prior); });
    connect(first, &QAction::triggered, this,
            [this] { m_engine.command(PendingCommandCode::First); });
    connect(stop, &QAction::triggered, this, [this] { m_engine.stop(); });

    // Nothing to start or step through until a list is open.
    for (QAction *a : {initNext, prior, first, stop})
        a->setEnabled(false);

    QAction *slideName = make(PlayerAction::A_V_ShowSlideName, "A_V_ShowSlideName",
                              QStyle::SP_FileIcon, QStringLiteral("Mostra el nom de la diapositiva"),
                              QStringLiteral("Mostra el nom de la diapositiva"),
                              QKeySequence(Qt::Key_Q));
    QAction *nameAndNote = make(PlayerAction::A_I_ShowNameAndNote, "A_I_ShowNameAndNote",
                                QStyle::SP_MessageBoxInformation,
                                QStringLiteral("Mostra el nom i nota de la imatge"),
                                QStringLiteral("Mostra el nom i nota de la imatge"),
                                QKeySequence(Qt::Key_W));
    slideName->setEnabled(false);
    nameAndNote->setEnabled(false);
    connect(slideName, &QAction::triggered, this, &TFShowImages::showSlideNameCommand);
    connect(nameAndNote, &QAction::triggered, this, &TFShowImages::showNameAndNoteCommand);

    m_hideNoteAction = new QAction(QStringLiteral("Amaga els comentaris"), this);
    m_hideNoteAction->setObjectName(QStringLiteral("A_I_HideNote"));
    m_hideNoteAction->setCheckable(true);
    m_hideNoteAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_hideNoteAction);
    connect(m_hideNoteAction, &QAction::triggered, this, &TFShowImages::hideNoteCommand);
    updateHideNoteHint();

    m_aboutAction = new QAction(QStringLiteral("&Referència..."), this);
    m_aboutAction->setObjectName(QStringLiteral("A_H_About"));
    connect(m_aboutAction, &QAction::triggered, this, &TFShowImages::showAbout);
}

void TFShowImages::buildMenusAndToolbar()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("Arxiu"));
    file->setObjectName(QStringLiteral("MI_File"));
    file->addAction(m_openAction);
    file->addSeparator();
    file->addAction(m_exitAction);
    addAction(m_openAction);
    addAction(m_exitAction);

    QMenu *viewing = menuBar()->addMenu(QStringLiteral("Visualització"));
    viewing->setObjectName(QStringLiteral("MI_Viewing"));
    for (PlayerAction id : {PlayerAction::A_V_InitNext, PlayerAction::A_V_Prior,
                            PlayerAction::A_V_First, PlayerAction::A_V_Stop})
        viewing->addAction(m_actions.at(id));
    viewing->addSeparator();
    viewing->addAction(m_actions.at(PlayerAction::A_V_ShowSlideName));

    QMenu *specific = menuBar()->addMenu(QStringLiteral("V. específica"));
    specific->setObjectName(QStringLiteral("MI_SpecificViewing"));
    specific->addAction(m_hideNoteAction);
    specific->addAction(m_actions.at(PlayerAction::A_I_ShowNameAndNote));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Ajuda"));
    help->setObjectName(QStringLiteral("MI_Help"));
    help->addAction(m_aboutAction);

    m_toolBar = addToolBar(QStringLiteral("Barra d'eines"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->addAction(m_openAction);
    m_toolBar->addSeparator();
    for (PlayerAction id : {PlayerAction::A_V_InitNext, PlayerAction::A_V_Prior,
                            PlayerAction::A_V_First, PlayerAction::A_V_Stop})
        m_toolBar->addAction(m_actions.at(id));
    // The keys belong to the slide area, never to a toolbar button.
    for (QWidget *w : m_toolBar->findChildren<QWidget *>())
        w->setFocusPolicy(Qt::NoFocus);
}

QAction *TFShowImages::action(PlayerAction which) const
{
    const auto it = m_actions.find(which);
    return it == m_actions.end() ? nullptr : it->second;
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
    if (m_config)
        m_config->readAtStartUp(args);
    applyInitialEndAction();
    QString path;
    if (!args.fileArgument.isEmpty()) {
        path = changeFileExt(args.fileArgument, QStringLiteral(".sal"));
        // A list given on the command line is loaded; it starts only when asked to.
        m_session.Options.AutomaticInit = 1;
    } else if (m_config) {
        // Without a file the options may name the last list, to open or to open and start.
        path = m_config->startUpList();
        autoStart = m_config->startUpRuns();
    }
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(path));
        m_session.Options.AutomaticInit = 0;
        return;
    }
    m_session.SlideListPath = path;
    m_session.LoadPresentation();
    if (autoStart && m_session.PresentationReady)
        m_engine.RunPresentation(0);
}

void TFShowImages::setConfiguration(ConfigurationController *config)
{
    m_config = config;
}

void TFShowImages::addRecentFile(const QString &path)
{
    if (m_config)
        m_config->addRecentFile(path);
}

QString TFShowImages::askOpenConfigPath(const QString &current)
{
    return chooseFile(this, QStringLiteral("Obrir %1").arg(QStringLiteral("una configuració de presentació")),
                      QStringLiteral("Configuració de presentació (*.ini)"), QStringLiteral("ini"),
                      QFileDialog::AcceptOpen, current);
}

void TFShowImages::settingsChanged()
{
    m_slideArea->update();
}

void TFShowImages::openSlideListCommand()
{
    // During a run the command waits for the run to end; at rest the engine offers to save the
    // list in force, asks for the file and opens it.
    m_engine.command(PendingCommandCode::OpenSAL);
}

void TFShowImages::showAbout()
{
    QMessageBox::about(this, QStringLiteral("Referència"),
                       QStringLiteral("<b>Pelvar %1</b><br>Seqüenciador de diapositives.<br><br>"
                                      "Mostra presentacions d'imatges, títols i textos, "
                                      "manualment o amb temps.")
                           .arg(QStringLiteral(PELVAR_VERSION)));
}

void TFShowImages::carryOutCommand(PendingCommandCode code)
{
    switch (code) {
    case PendingCommandCode::EditSAL:
        // Until the slide list editor exists the list opens in the system's text editor.
        if (QFileInfo::exists(m_session.SlideListPath))
            reportOpenFailure(m_session.SlideListPath,
                              m_shell->openInTextEditor(m_session.SlideListPath));
        break;
    default:
        if (m_config)
            m_config->carryOut(code);
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// PlayerView

void TFShowImages::showSlide(const SlideRecord &slide, int)
{
    m_slideArea->setBaseFolder(extractFileDir(m_session.SlideListPath));
    updateHideNoteHint();
    setActionEnabled(PlayerAction::A_I_ShowNameAndNote, slide.Kind != skTitle);
    if (slide.Kind == skTitle)
        setActionEnabled(PlayerAction::A_V_ShowSlideName, false);
    const QString error = m_slideArea->showSlide(slide);
    // PNG decoding failures are reported; other undecodable pictures leave the view empty.
    if (!error.isEmpty() && fileExtension(slide.FileName).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        m_prompter.ShowError(error);
    prefetchAfter(m_engine.state().Position);
}

void TFShowImages::showQuestion(const QuestionModel &question, const SlideRecord &)
{
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
    for (QAction *a : findChildren<QAction *>()) {
        const QKeySequence k = a->shortcut();
        if (k.count() != 1)
            continue;
        const QKeyCombination c = k[0];
        const Qt::KeyboardModifiers mods = c.keyboardModifiers() & ~Qt::KeypadModifier;
        const int key = int(c.key());
        const bool character = key >= 0x20 && key < 0x1000000;
        if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) && (character || c.key() == Qt::Key_Backspace))
            m_singleKeyShortcuts.push_back({a, k});
    }
}

void TFShowImages::setSingleKeyShortcuts(bool on)
{
    if (on == !m_shortcutsOff)
        return;
    // Menus added after the window was built (the configuration's) count too.
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
    QString text = (s.PresWithITName && !s.WithoutCaption) ? QString() : fileNameWithoutExt(slide.FileName);
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

void TFShowImages::hideNoteCommand()
{
    PresentationSettings &s = m_session.Settings;
    s.HideNote = !s.HideNote;
    m_session.SettingsModified = true;
    updateHideNoteHint();
    if (runInProgress() && m_slideArea->scene().shown() == SlideScene::Shown::Image)
        m_slideArea->settingsChanged();
}

void TFShowImages::updateHideNoteHint()
{
    const bool hidden = m_session.Settings.HideNote;
    m_hideNoteAction->setChecked(hidden);
    const QString marker = QStringLiteral("(estat actual) ");
    setHint(m_hideNoteAction, QStringLiteral("Amaga %1o mostra %2 els comentaris de les imatges")
                                  .arg(hidden ? marker : QString(), hidden ? QString() : marker));
}

void TFShowImages::hideSlidePanels()
{
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
        a->setEnabled(enabled);
}

void TFShowImages::setActionVisible(PlayerAction which, bool visible)
{
    if (QAction *a = action(which))
        a->setVisible(visible);
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
}

void TFShowImages::launch(const SlideRecord &slide)
{
    if (slide.Kind == skProgram) {
        const QString program = slide.FileName;
        const QFileInfo info(program);
        const QStringList arguments = QProcess::splitCommand(slide.PromptOr1stLine);
        reportOpenFailure(program, m_shell->startProgram(info.absoluteFilePath(), arguments,
                                                         info.absolutePath()));
    } else if (slide.Kind == skDocument) {
        const QString document = slide.PromptOr1stLine;
        reportOpenFailure(document, m_shell->openDocument(document));
    }
}

QString TFShowImages::askOpenSlideListPath(const QString &current)
{
    return chooseFile(this, QStringLiteral("Obrir %1").arg(QStringLiteral("una llista de diapositives")),
                      kSlideListFilter, QStringLiteral("sal"), QFileDialog::AcceptOpen, current);
}

QString TFShowImages::askSaveSlideListPath(const QString &current)
{
    return chooseFile(this, QStringLiteral("Desar %1").arg(QStringLiteral("una llista de diapositives")),
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
        if (m_config && !m_configSaved) {
            m_configSaved = true;
            m_config->saveAtExit();
        }
        event->accept();
    }
    else
        event->ignore();
}

void TFShowImages::keyPressEvent(QKeyEvent *event)
{
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
    if (runInProgress() && s.ManualViewing && s.WithoutMenuOrButtons && s.ShowingModel != 2) {
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

void TFShowImages::buildEndCommands()
{
    m_calcTimeAction = new QAction(style()->standardIcon(QStyle::SP_BrowserReload),
                                   QStringLiteral("Mostra el temps emprat"), this);
    m_calcTimeAction->setObjectName(QStringLiteral("A_V_CalcTime"));
    setHint(m_calcTimeAction, QStringLiteral("Mostra el temps emprat"));
    // Enabled by the engine once a run has ended.
    m_calcTimeAction->setEnabled(false);
    m_actions[PlayerAction::A_V_CalcTime] = m_calcTimeAction;
    connect(m_calcTimeAction, &QAction::triggered, this, [this] { m_engine.CalcTime(); });

    m_resultsAction = new QAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                  QStringLiteral("Mostra els resultats"), this);
    m_resultsAction->setObjectName(QStringLiteral("A_V_Results"));
    setHint(m_resultsAction, QStringLiteral("Mostra els resultats"));
    connect(m_resultsAction, &QAction::triggered, this, &TFShowImages::showResults);

    auto *endMenu = new QMenu(this);
    endMenu->setObjectName(QStringLiteral("PUM_End"));
    for (QAction *a : {m_calcTimeAction, m_resultsAction}) {
        addAction(a);
        endMenu->addAction(a);
        // Whatever command of the menu ran last is the one the button carries.
        connect(a, &QAction::triggered, this, [this, a] { setEndButtonAction(a); });
    }
    if (QMenu *viewing = menuBar()->findChild<QMenu *>(QStringLiteral("MI_Viewing"))) {
        viewing->addSeparator();
        viewing->addAction(m_calcTimeAction);
        viewing->addAction(m_resultsAction);
    }

    // The button follows its command's enabled state; the arrow beside it stays usable, so the
    // menu's other commands can be reached while that one is disabled.
    m_endButton = new QToolButton(m_toolBar);
    m_endButton->setObjectName(QStringLiteral("TB_V_End"));
    m_endButton->setFocusPolicy(Qt::NoFocus);
    m_endButton->setDefaultAction(m_calcTimeAction);
    m_endArrow = new QToolButton(m_toolBar);
    m_endArrow->setObjectName(QStringLiteral("SB_End"));
    m_endArrow->setArrowType(Qt::DownArrow);
    m_endArrow->setAutoRaise(true);
    m_endArrow->setPopupMode(QToolButton::InstantPopup);
    // The arrow is the indicator: no second one beside it.
    m_endArrow->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    m_endArrow->setMenu(endMenu);
    m_endArrow->setFocusPolicy(Qt::NoFocus);
    m_endArrow->setFixedWidth(14);
    m_endArrow->setToolTip(
        hintText(QStringLiteral("Obre el menú d'ordres\r\nd'acabament de presentació i altres")));
    m_toolBar->addSeparator();
    m_toolBar->addWidget(m_endButton);
    m_toolBar->addWidget(m_endArrow);
}

void TFShowImages::applyInitialEndAction()
{
    // The results command starts on the button only while results are written (the options'
    // reading has already turned the index back to 0 otherwise).
    const bool results = m_session.Options.ActionEndIndex == 1 && m_session.Options.Results.Write;
    m_endButton->setDefaultAction(results ? m_resultsAction : m_calcTimeAction);
}

void TFShowImages::setEndButtonAction(QAction *action)
{
    m_endButton->setDefaultAction(action);
    // Kept in the options, so the next start shows the same command.
    m_session.Options.ActionEndIndex = action == m_resultsAction ? 1 : 0;
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
                                       m_prompter, audio, this);
    openReaction(window, window->loadPicture(file, QPoint(markX, markY), reactionLimit()));
}

void TFShowImages::showReactionText(const QString &file, const QString &audio)
{
    auto *window = new TFShowErrWText(m_session.Settings.FontText, *this, m_prompter, audio, this);
    openReaction(window, window->loadText(file, reactionLimit()));
}
