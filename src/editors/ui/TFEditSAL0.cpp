#include "editors/ui/TFEditSAL0.h"

#include "editors/PreviewContext.h"
#include "editors/SlidePreviewRequest.h"
#include "editors/ui/SlidePreviews.h"
#include "editors/ui/TFEdiOptionsSAL.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ShellOpen.h"
#include "files/ui/CommandIcons.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PresentationSession.h"
#include "player/ui/ListingToggles.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Box = SlideRowControls::Box;

// A box's text as the rows hold it: paragraphs separated by "\n".
QString boxText(const QPlainTextEdit *box)
{
    return box->toPlainText();
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    if (box->toPlainText() == text)
        return;
    const QSignalBlocker block(box);
    box->setPlainText(text);
    QTextCursor c = box->textCursor();
    c.movePosition(QTextCursor::Start);
    box->setTextCursor(c);
    box->document()->setModified(false);
}

void setLineText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    const QSignalBlocker block(edit);
    edit->setText(text);
}

void setChecked(QAction *a, bool on)
{
    if (a->isChecked() == on)
        return;
    const QSignalBlocker block(a);
    a->setChecked(on);
}

} // namespace

TFEditSAL0::TFEditSAL0(EditorServices &services, QWidget *parent)
    : TFEditFileList(new SlideListRows(services.prompter, services.session.Options), services,
                     parent),
      m_slideRows(static_cast<SlideListRows *>(&rows()))
{
    setObjectName(QStringLiteral("TFEditSAL0"));
    buildControls();
    buildSlideCommands();
    connect(grid(), &QTableView::doubleClicked, this, &TFEditSAL0::gridDoubleClicked);
    refreshRowControls();
}

TFEditSAL0::~TFEditSAL0() = default;

void TFEditSAL0::buildControls()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Slide"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *line = new QHBoxLayout;
    auto *timeLabel = new QLabel(QStringLiteral("Temps:"), panel);
    m_time = new QSpinBox(panel);
    m_time->setObjectName(QStringLiteral("EditTime"));
    m_time->setRange(0, 999);
    m_time->setToolTip(QStringLiteral("Temps en segons per les diapositiva(es) "
                                      "seleccionada(es)\na assignar per l'ordre corresponent"));
    timeLabel->setBuddy(m_time);
    auto *nextLabel = new QLabel(QStringLiteral("Diap. següent:"), panel);
    m_nextSlide = new QLineEdit(panel);
    m_nextSlide->setObjectName(QStringLiteral("DBE_NextSlide"));
    m_nextSlide->setValidator(new QIntValidator(1, 999999, m_nextSlide));
    m_nextSlide->setMaximumWidth(
        m_nextSlide->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
    m_nextSlide->setToolTip(QStringLiteral("Número de la propera diapositiva on anar\nen "
                                           "diapositives sense respostes"));
    nextLabel->setBuddy(m_nextSlide);
    m_chars = new QLabel(panel);
    m_chars->setObjectName(QStringLiteral("L_CharsTotalNum"));
    m_chars->setMinimumWidth(m_chars->fontMetrics().horizontalAdvance(QStringLiteral(" 0000")));
    m_chars->setToolTip(QStringLiteral("Caràcters del quadre de text actual"));
    line->addWidget(timeLabel);
    line->addWidget(m_time);
    line->addWidget(nextLabel);
    line->addWidget(m_nextSlide);
    line->addStretch(1);
    line->addWidget(m_chars);
    layout->addLayout(line);

    m_paramPanel = new QWidget(panel);
    m_paramPanel->setObjectName(QStringLiteral("P_ProgParams"));
    auto *params = new QHBoxLayout(m_paramPanel);
    params->setContentsMargins(0, 0, 0, 0);
    m_paramLabel = new QLabel(m_paramPanel);
    m_paramLabel->setObjectName(QStringLiteral("L_ProgParams"));
    m_params = new QLineEdit(m_paramPanel);
    m_params->setObjectName(QStringLiteral("DBE_ProgParams"));
    m_paramLabel->setBuddy(m_params);
    params->addWidget(m_paramLabel);
    params->addWidget(m_params, 1);
    layout->addWidget(m_paramPanel);

    m_textPanel = new QWidget(panel);
    m_textPanel->setObjectName(QStringLiteral("P_Texts"));
    auto *texts = new QVBoxLayout(m_textPanel);
    texts->setContentsMargins(0, 0, 0, 0);
    m_textSplitter = new QSplitter(Qt::Vertical, m_textPanel);
    m_textSplitter->setChildrenCollapsible(false);
    m_first = new QPlainTextEdit(m_textSplitter);
    m_first->setObjectName(QStringLiteral("RE_PromptOr1stLine"));
    m_second = new QPlainTextEdit(m_textSplitter);
    m_second->setObjectName(QStringLiteral("RE_AnswersOrNextLines"));
    for (QPlainTextEdit *box : {m_first, m_second}) {
        box->setTabChangesFocus(true);
        box->setMinimumHeight(box->fontMetrics().height() * 2 + 12);
        box->installEventFilter(this);
        connect(box, &QPlainTextEdit::textChanged, this, [this, box] { boxEdited(box); });
    }
    m_first->setMaximumHeight(m_first->fontMetrics().height() * 4 + 12);
    m_second->setMaximumHeight(m_second->fontMetrics().height() * 12 + 12);
    texts->addWidget(m_textSplitter);
    layout->addWidget(m_textPanel);
    editArea()->addWidget(panel);

    connect(m_nextSlide, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_slideRows->controls.nextSlide = t;
        m_slideRows->controls.nextSlideModified = true;
    });
    connect(m_params, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_slideRows->controls.params = t;
        m_slideRows->controls.paramsModified = true;
    });
}

void TFEditSAL0::buildSlideCommands()
{
    SlideListRows &r = *m_slideRows;
    QMenu *mp = manipulationMenu();
    QToolBar *bar = gridBar();
    QAction *beforeFirst = mp->actions().value(3);

    // The title rows and the open-file row, with the toolbar's button on the one used last.
    m_addButton = new QToolButton(this);
    m_addButton->setObjectName(QStringLiteral("TB_AddTitle"));
    m_addButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_addButton->setMenu(new QMenu(m_addButton));
    auto add = [this, mp, beforeFirst](const char *name, const QString &caption,
                                       const std::function<void()> &run) {
        QAction *a = addCommand(name, caption, QString(), nullptr, nullptr, run);
        mp->insertAction(beforeFirst, a);
        m_addButton->menu()->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { m_addButton->setDefaultAction(a); });
        return a;
    };
    QAction *appendTitle =
        add("A_H_AppendTitle", QStringLiteral("Afegeix títol/pregunta-respostes"), [this] {
            m_slideRows->addTitleRow(false);
            (m_slideRows->controls.focus == Box::First ? m_first : m_second)->setFocus();
        });
    add("A_H_InsertTitle", QStringLiteral("Insereix títol/pregunta-respostes"), [this] {
        m_slideRows->addTitleRow(true);
        (m_slideRows->controls.focus == Box::First ? m_first : m_second)->setFocus();
    });
    add("A_H_AppendExe", QStringLiteral("Afegeix un arxiu a obrir"), [this] {
        m_slideRows->postPendingEdits();
        const QString file = chooseFile
                                 ? chooseFile(QStringLiteral("Arxiu per passar com a paràmetre o "
                                                             "obrir"),
                                              QString())
                                 : QFileDialog::getOpenFileName(
                                       this, QStringLiteral("Arxiu per passar com a paràmetre o "
                                                            "obrir"));
        m_slideRows->addOpenFileRow(file);
    });
    const std::pair<const char *, const char *> glyphs[] = {
        {"A_H_AppendTitle", "T"}, {"A_H_InsertTitle", "T+"}, {"A_H_AppendExe", "O"}};
    for (const auto &[name, glyph] : glyphs)
        command(QString::fromLatin1(name))->setIcon(glyphIcon(QString::fromLatin1(glyph)));
    m_addButton->setDefaultAction(appendTitle);
    bar->insertWidget(bar->actions().value(2), m_addButton);
    QAction *up = addCommand("A_H_RecUp", QStringLiteral("Puja la 1a seleccionada"), QString(),
                             nullptr, bar, [&r] { r.moveUp(); });
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    QAction *down = addCommand("A_H_RecDown", QStringLiteral("Baixa la 1a seleccionada"), QString(),
                               nullptr, bar, [&r] { r.moveDown(); });
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    mp->insertAction(beforeFirst, up);
    mp->insertAction(beforeFirst, down);
    QAction *hide =
        addCommand("A_H_HideOrShow", QStringLiteral("Amaga o mostra les seleccionades"), QString(),
                   nullptr, nullptr, [this, &r] { r.hideOrShow(selectedRows()); });
    mp->insertAction(beforeFirst, hide);
    mp->insertSeparator(beforeFirst);

    // Time.
    m_timeMenu = new QMenu(QStringLiteral("Temps"), this);
    m_timeMenu->setObjectName(QStringLiteral("MI_Time"));
    menuBar()->insertMenu(othersMenu()->menuAction(), m_timeMenu);
    addCommand("A_T_SetTime", QStringLiteral("Assigna un temps"), QString(), m_timeMenu, nullptr,
               [this, &r] { r.setTime(selectedRows(), m_time->value()); });
    addCommand("A_T_ClearTime", QStringLiteral("Esborra el temps assignat"), QString(), m_timeMenu,
               nullptr, [this, &r] { r.clearTime(selectedRows()); });
    addCommand("A_T_CalcTime", QStringLiteral("Calcula el temps"), QString(), m_timeMenu, nullptr,
               [this, &r] {
                   r.postPendingEdits();
                   prompter().ShowInfo(r.totalTimeText(services().session.Settings.ImageDelay));
               });

    // The question, audio and open toggles.
    auto *toggles = new QToolBar(this);
    toggles->setObjectName(QStringLiteral("TBar_Toggles"));
    editArea()->insertWidget(0, toggles);
    toggles->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto toggle = [this, toggles](const char *name, const QString &caption, QMenu *menu,
                                  const std::function<void(bool)> &set, const QString &glyph) {
        QAction *a = addCommand(name, caption, QString(), menu, toggles, nullptr);
        a->setIcon(glyphIcon(glyph));
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [set](bool on) { set(on); });
        return a;
    };
    toggle(
        "A_PWithAnswer", QStringLiteral("Amb respostes"), nullptr,
        [&r](bool on) { r.setPWithAnswer(on); }, QStringLiteral("R?"));
    toggle(
        "A_PWithPromptForAnswer", QStringLiteral("Amb una pregunta"), nullptr,
        [this, &r](bool on) {
            r.setPWithPromptForAnswer(on);
            if (on)
                m_first->setFocus();
        },
        QStringLiteral("P"));
    toggle(
        "A_PRandomAnswer", QStringLiteral("Respostes desordenades"), nullptr,
        [&r](bool on) { r.setPRandomAnswer(on); }, QStringLiteral("⇄"));
    toggle(
        "A_PresTotalTest", QStringLiteral("Presenta el resultat de l'examen"), nullptr,
        [&r](bool on) { r.setPresTotalTest(on); }, QStringLiteral("Σ"));
    m_noteSeparator = toggles->addSeparator();
    toggles->setIconSize(QSize(22, 22));
    auto *notes = new QActionGroup(this);
    const std::pair<const char *, QString> notePositions[] = {
        {"A_NoteLeft", QStringLiteral("Plafó a l'esquerra")},
        {"A_NoteTop", QStringLiteral("Plafó a dalt")},
        {"A_NoteRight", QStringLiteral("Plafó a la dreta")},
        {"A_NoteBottom", QStringLiteral("Plafó a baix")}};
    for (int i = 0; i < 4; ++i) {
        QAction *a = addCommand(notePositions[i].first, notePositions[i].second, QString(), nullptr,
                                toggles, [&r, i] { r.setNotePos(NotePosition(i)); });
        a->setCheckable(true);
        a->setIcon(glyphIcon(QString(QChar(u"←↑→↓"[i])), QColor(0, 100, 0)));
        notes->addAction(a);
    }
    toggles->addSeparator();
    QMenu *am = audioMenu();
    am->addSeparator();
    toggle(
        "A_A_PresPlayContinue", QStringLiteral("Continua la reproducció"), am,
        [&r](bool on) { r.setAudioContinue(on); }, QStringLiteral("♪»"));
    toggle(
        "A_A_PresPlayRepeat", QStringLiteral("Repeteix la reproducció"), am,
        [&r](bool on) { r.setAudioRepeat(on); }, QStringLiteral("♪↻"));
    toggle(
        "A_A_PresPlayStop", QStringLiteral("Atura la reproducció"), am,
        [&r](bool on) { r.setAudioStop(on); }, QStringLiteral("♪■"));
    addCommand("A_A_PresPlayRepeatSet", QStringLiteral("Posa repetició a la(es) seleccionada(es)"),
               QString(), am, nullptr, [this, &r] { r.setRepeat(selectedRows(), true); });
    addCommand("A_A_PresPlayRepeatClear",
               QStringLiteral("Treu repetició a la(es) seleccionada(es)"), QString(), am, nullptr,
               [this, &r] { r.setRepeat(selectedRows(), false); });
    QAction *search = addCommand("A_O_OEFileSearch", QStringLiteral("Selecció d'un arxiu"),
                                 QString(), nullptr, nullptr, [this] { chooseOpenFile(); });
    addOthersCommand(search);
    QAction *end = addCommand("A_O_OEEnd", QStringLiteral("En executar o obrir: marxa"), QString(),
                              nullptr, nullptr, nullptr);
    end->setCheckable(true);
    connect(end, &QAction::toggled, this, [&r](bool on) { r.setOpenExeEnd(on); });
    addOthersCommand(end);
    // The miniature shows the mark as the settings the dialog leaves draw it.
    addOthersCommand(addCommand("A_O_InFormalOptions",
                                QStringLiteral("Aspectes formals int. de visualització..."),
                                QString(), nullptr, nullptr, [this] {
                                    if (!services().inFormalOptions)
                                        return;
                                    skipNextReread();
                                    services().inFormalOptions();
                                    ShowRowMiniature();
                                }));

    // The text boxes' edit commands act on the box that has the focus.
    m_editMenu = new QMenu(QStringLiteral("Edició"), this);
    m_editMenu->setObjectName(QStringLiteral("MI_Edit"));
    menuBar()->insertMenu(othersMenu()->menuAction(), m_editMenu);
    auto edit = [this](const char *name, const QString &caption, void (QPlainTextEdit::*slot)()) {
        addCommand(name, caption, QString(), m_editMenu, nullptr, [this, slot] {
            QPlainTextEdit *box = m_focused ? m_focused : m_second;
            (box->*slot)();
        });
    };
    edit("A_EUndo", QStringLiteral("Desfà"), &QPlainTextEdit::undo);
    edit("A_ECut", QStringLiteral("Retalla"), &QPlainTextEdit::cut);
    edit("A_ECopy", QStringLiteral("Copia"), &QPlainTextEdit::copy);
    edit("A_EPaste", QStringLiteral("Enganxa"), &QPlainTextEdit::paste);
    edit("A_EClear", QStringLiteral("Esborra tot el text"), &QPlainTextEdit::clear);
    edit("A_ESelectAll", QStringLiteral("Selecciona tot el text"), &QPlainTextEdit::selectAll);

    // The row's controls may leave the toggles little room: their buttons keep their height.
    toggles->setMinimumHeight(toggles->sizeHint().height());

    QAction *ok = addCommand("A_E_Ok", QStringLiteral("Accepta la presentació"), QString(), nullptr,
                             bar, [this] { acceptList(); });
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    finalMenu()->insertAction(finalMenu()->actions().value(0), ok);
}

void TFEditSAL0::applyState(const EditorWindowState &state)
{
    TFEditFileList::applyState(state);
    if (QAction *a = command(state.lastAddCommand); a && m_addButton)
        m_addButton->setDefaultAction(a);
}

EditorWindowState TFEditSAL0::state() const
{
    EditorWindowState s = TFEditFileList::state();
    if (m_addButton && m_addButton->defaultAction())
        s.lastAddCommand = m_addButton->defaultAction()->objectName();
    return s;
}

int TFEditSAL0::helpContext() const
{
    return helpNumber(HelpContext::SlideListEditor);
}

void TFEditSAL0::loadLines(const QStringList &lines, int currentRow)
{
    m_slideRows->loadLines(lines, currentRow);
    if (currentRow >= 0 && currentRow < m_slideRows->count())
        grid()->setCurrentIndex(m_slideRows->index(currentRow, 0));
    refreshRowControls();
}

void TFEditSAL0::acceptList()
{
    if (!m_slideRows->canAccept())
        return;
    m_slideRows->postPendingEdits();
    closeWithOk();
}

void TFEditSAL0::boxEdited(QPlainTextEdit *box)
{
    if (m_filling)
        return;
    SlideRowControls &c = m_slideRows->controls;
    if (box == m_first) {
        c.firstBox = boxText(box);
        c.firstModified = true;
    } else {
        c.secondBox = boxText(box);
        c.secondModified = true;
    }
    m_focused = box;
    updateCharCount();
}

void TFEditSAL0::updateCharCount()
{
    QPlainTextEdit *box = m_focused ? m_focused : m_second;
    m_chars->setText(QLatin1Char(' ') + QString::number(box->toPlainText().size()));
}

bool TFEditSAL0::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_first || watched == m_second) {
        if (event->type() == QEvent::FocusIn) {
            m_focused = static_cast<QPlainTextEdit *>(watched);
            updateCharCount();
        }
        // The first box keeps to one paragraph a line as typed: Enter does not break it.
        if (watched == m_first && event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
        }
    }
    return TFEditFileList::eventFilter(watched, event);
}

void TFEditSAL0::refreshRowControls()
{
    if (!m_first)
        return;
    const SlideRowControls &c = m_slideRows->controls;
    m_filling = true;
    setBoxText(m_first, c.firstBox);
    setBoxText(m_second, c.secondBox);
    setLineText(m_nextSlide, c.nextSlide);
    setLineText(m_params, c.params);
    m_filling = false;
    m_paramPanel->setVisible(c.paramPanelVisible);
    m_params->setReadOnly(!c.paramEditable);
    m_paramLabel->setText(c.paramLabel);
    m_textPanel->setVisible(c.textPanelsVisible);
    m_editMenu->menuAction()->setVisible(c.textPanelsVisible && !mainMenuHidden());
    m_first->setVisible(c.firstBoxVisible);
    m_second->setVisible(c.secondBoxVisible);
    m_first->setToolTip(c.firstHint);
    m_second->setToolTip(c.secondHint);
    m_nextSlide->setEnabled(c.nextSlideEnabled);
    QPalette pal = m_nextSlide->palette();
    pal.setColor(QPalette::Base, c.nextSlideEnabled
                                     ? palette().color(QPalette::Base)
                                     : palette().color(QPalette::Inactive, QPalette::Window));
    m_nextSlide->setPalette(pal);

    const bool texts = c.textPanelsVisible;
    struct ToggleState
    {
        const char *name;
        bool on;
        bool visible;
        const char *hint;
    };
    const ToggleState toggles[] = {
        {"A_PWithAnswer", c.pWithAnswer, texts,
         "El text serà una pregunta amb resposta(es) %s\r\nuna anotació normal "
         "%s (diap. "
         "d'imatge o sols text)"},
        {"A_PWithPromptForAnswer", c.pWithPromptForAnswer, texts && c.answerTogglesVisible,
         "Es formularà una pregunta %so no %s"},
        {"A_PRandomAnswer", c.pRandomAnswer, texts && c.answerTogglesVisible,
         "Les respostes es presentaran desordenades %so no %s"},
        {"A_PresTotalTest", c.presTotalTest, texts,
         "Es presentarà el resultat de l'examen en mostrar-se la diapositiva "
         "%s\r\no al final "
         "de la presentació %s"},
        {"A_A_PresPlayContinue", c.audioContinue, true,
         "Es continuarà la reproducció %so s'aturarà en passar a una altre %s"},
        {"A_A_PresPlayRepeat", c.audioRepeat, true, "Repetirà la reproducció una vegada %so no %s"},
        {"A_A_PresPlayStop", c.audioStop, true,
         "Aturarà la reproducció iniciada en una diapositiva prèvia %so no %s"},
        {"A_O_OEEnd", c.openExeEnd, true, "Es tancarà Pelvar %s o seguirà obert %s"},
    };
    for (const ToggleState &t : toggles) {
        QAction *a = command(QString::fromLatin1(t.name));
        setChecked(a, t.on);
        a->setVisible(t.visible);
        setToggleHint(a, QString::fromUtf8(t.hint), t.on);
    }
    command(QStringLiteral("A_O_OEFileSearch"))->setEnabled(c.fileSearchEnabled);
    command(QStringLiteral("A_O_OEEnd"))->setEnabled(c.fileSearchEnabled);
    for (const char *name : {"A_O_Edit", "A_O_CopyFileName", "A_O_SearchRightDir"})
        command(QString::fromLatin1(name))->setEnabled(c.fileCommandsEnabled);
    const char *notes[] = {"A_NoteLeft", "A_NoteTop", "A_NoteRight", "A_NoteBottom"};
    for (int i = 0; i < 4; ++i) {
        QAction *a = command(QString::fromLatin1(notes[i]));
        a->setVisible(c.noteButtonsVisible);
        setChecked(a, int(c.notePos) == i);
    }
    m_noteSeparator->setVisible(c.noteButtonsVisible);
    command(QStringLiteral("A_H_RecUp"))->setEnabled(m_slideRows->canMoveUp());
    command(QStringLiteral("A_H_RecDown"))->setEnabled(m_slideRows->canMoveDown());
    updateCharCount();
}

void TFEditSAL0::AddSelectedFiles(bool insert)
{
    TLsFilelistView27 *list = fileList();
    QStringList files;
    const QList<int> rows = list->selectedRows();
    for (int r : rows) {
        const FileListItem *item = list->listModel().item(r);
        if (item && !item->isParent && !item->isFolderLike())
            files << item->path();
    }
    m_slideRows->addSelectedFiles(files, insert);
}

void TFEditSAL0::PreviewSlide(bool fromLeftPanel, int kind, const QString &fileName)
{
    const int row = m_slideRows->current();
    SlidePreviewRequest request;
    request.editor = PreviewEditor::SlideList;
    request.fromLeftPanel = fromLeftPanel;
    request.kind = TSlideKind(kind);
    request.fileName = fileName;
    if (!fromLeftPanel && row >= 0) {
        const SlideRecord s = m_slideRows->slideRecord(row);
        if (!noAudioPlay() && m_slideRows->flag(row, SlideListRows::AudioValid))
            request.audioPath = s.AudioFileName;
        request.promptOr1stLine = s.PromptOr1stLine;
        request.answersOrNextLines = s.AnswersOrNextLines;
        request.pWithAnswer = s.PWithAnswer;
        request.pWithPromptForAnswer = s.PWithPromptForAnswer;
        request.pRandomAnswer = s.PRandomAnswer;
        request.notePos = s.NotePos;
        request.markX = s.MarkX;
        request.markY = s.MarkY;
    }
    PreviewContext context{services().session.Settings, prompter()};
    context.help = services().help;
    context.audio = services().playerView;
    context.slideListFolder = QFileInfo(services().session.SlideListPath).absolutePath();
    skipNextReread();
    showSlidePreview(request, context, this);
}

void TFEditSAL0::SetAudioMode(bool on)
{
    TFEditFileList::SetAudioMode(on);
    // In audio mode files are not added to the list: the tracks go to existing rows.
    for (const char *name : {"A_H_RecAppend", "A_H_RecInsert"})
        if (QAction *a = command(QString::fromLatin1(name)))
            a->setVisible(!on);
}

void TFEditSAL0::SetMainMenuHidden(bool on)
{
    TFEditFileList::SetMainMenuHidden(on);
    if (m_timeMenu)
        m_timeMenu->menuAction()->setVisible(!on);
    if (m_editMenu)
        m_editMenu->menuAction()->setVisible(!on && m_slideRows->controls.textPanelsVisible);
}

void TFEditSAL0::PasteFileName(const QString &name)
{
    m_slideRows->pasteFileName(name);
    refreshRowControls();
}

void TFEditSAL0::ShowOptions()
{
    ProgramOptions &options = services().session.Options;
    TFEdiOptionsSAL dialog(options, *m_noNumbersChoice, services().prompter, this);
    dialog.setHelp(services().help);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The reading of the left list again is the one setting the dialog leaves in force.
    options = dialog.options();
    *m_noNumbersChoice = dialog.noNumberForSketchIndex();
    optionsChanged();
}

void TFEditSAL0::chooseOpenFile()
{
    const QString title = QStringLiteral("Arxiu per passar com a paràmetre o obrir");
    const QString file =
        chooseFile ? chooseFile(title, QString()) : QFileDialog::getOpenFileName(this, title);
    m_slideRows->chooseFile(file);
}

void TFEditSAL0::gridDoubleClicked(const QModelIndex &index)
{
    const int field = m_slideRows->data(index, Qt::UserRole).toInt();
    switch (field) {
    case FileListRows::Dir:
    case FileListRows::Name:
    case FileListRows::Ext: {
        const QString path = m_slideRows->rowPath(index.row());
        const SlideFileClass c = ClassifySlideFile(path);
        const int k = int(c.kind);
        if (!path.isEmpty() && c.state == fsOk && k <= 6 && k != int(skTitle))
            command(QStringLiteral("A_O_Edit"))->trigger();
        break;
    }
    case SlideListRows::Time: m_time->setFocus(); break;
    case SlideListRows::PromptOr1stLine: m_first->setFocus(); break;
    case SlideListRows::AnswersOrNextLines: m_second->setFocus(); break;
    case SlideListRows::NextSlide: m_nextSlide->setFocus(); break;
    default: break;
    }
}
