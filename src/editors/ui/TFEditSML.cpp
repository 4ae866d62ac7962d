#include "editors/ui/TFEditSML.h"

#include "editors/PreviewContext.h"
#include "editors/SlidePreviewRequest.h"
#include "editors/ui/Miniature.h"
#include "editors/ui/SlidePreviews.h"
#include "editors/ui/TFEdiOptionsSML.h"
#include "editors/ui/TFMakeSalFromSmlOneAnswer.h"
#include "editors/ui/TFMakeSalFromSmlWithRadioButtons.h"
#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/CommandIcons.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PresentationSession.h"
#include "player/ui/ListingToggles.h"
#include "tables/MeaningTables.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const char kMakeHint[] = "Crea un arxiu sal des d'aquesta taula\r\non en cada diapositiva:\r\n";

void setHint(QAction *a, QString hint)
{
    hint.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    a->setToolTip(hint);
    a->setStatusTip(hint);
}

} // namespace

TFEditSML::TFEditSML(EditorServices &services, MeaningTable &table, bool newTable, QWidget *parent)
    : TFEditFileList(new SoundTableRows(services.prompter, services.session.Options), services,
                     parent),
      m_table(table), m_soundRows(static_cast<SoundTableRows *>(&rows()))
{
    setObjectName(QStringLiteral("TFEditSML"));
    buildControls();
    buildTableCommands();
    if (newTable) {
        MeaningTable empty(MeaningKind::Sounds);
        m_soundRows->loadFrom(empty);
    } else {
        m_soundRows->loadFrom(m_table);
    }
    connect(m_soundRows, &QAbstractItemModel::modelReset, this, [this] { updateCommands(); });
    connect(m_soundRows, &QAbstractItemModel::rowsInserted, this, [this] { updateCommands(); });
    connect(m_soundRows, &QAbstractItemModel::rowsRemoved, this, [this] { updateCommands(); });
    connect(m_soundRows, &QAbstractItemModel::dataChanged, this, [this] { updateCommands(); });
    if (m_soundRows->current() >= 0)
        grid()->setCurrentIndex(m_soundRows->index(m_soundRows->current(), 0));
    updateCaption();
    updateCommands();
    refreshRowControls();
}

void TFEditSML::buildControls()
{
    auto *line = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Significat/títol:"), this);
    m_meaning = new QLineEdit(this);
    m_meaning->setObjectName(QStringLiteral("DBE_Meaning"));
    m_meaning->setMaxLength(SoundTableRows::kMeaningWidth);
    m_meaning->setToolTip(QStringLiteral("Significat o títol de l'arxiu de la fila actual"));
    label->setBuddy(m_meaning);
    line->addWidget(label);
    line->addWidget(m_meaning, 1);
    editArea()->addLayout(line);
    connect(m_meaning, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!m_filling)
            m_soundRows->setMeaningText(text);
    });
    // Enter stores the meaning at once, as leaving the row does.
    connect(m_meaning, &QLineEdit::returnPressed, this, [this] {
        m_soundRows->postPendingEdits();
        updateCommands();
    });
}

void TFEditSML::buildTableCommands()
{
    QMenu *fm = finalMenu();
    QAction *close = command(QStringLiteral("A_E_Close"));
    auto before = [fm, close](QAction *a) {
        fm->removeAction(a);
        fm->insertAction(close, a);
    };
    QAction *saveCommand = addCommand(
        "A_E_Save", QStringLiteral("Desa la taula"),
        QStringLiteral("Desa la taula\r\na %1").arg(QStringLiteral("l'arxiu sml actual")), fm,
        gridBar(), [this] { (void)save(); });
    saveCommand->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    before(saveCommand);
    before(addCommand("A_E_SaveAs", QStringLiteral("Desa la taula com..."),
                      QStringLiteral("Desa la taula\r\na %1").arg(QStringLiteral("un arxiu sml")),
                      fm, nullptr, [this] { (void)saveAs(); }));
    fm->insertSeparator(close);
    before(addCommand("A_F_Mk_SalWithRadioButtons",
                      QStringLiteral("Crea un arxiu sal amb respostes presents..."),
                      QString::fromUtf8(kMakeHint) +
                          QStringLiteral("es presenten les respostes (la correcta i les "
                                         "incorrectes)"),
                      fm, gridBar(), [this] { makeQuiz(true); }));
    command(QStringLiteral("A_F_Mk_SalWithRadioButtons"))
        ->setIcon(glyphIcon(QStringLiteral("◉"), QColor(0, 100, 0)));
    before(addCommand("A_F_Mk_SalWithOneAnswer",
                      QStringLiteral("Idem amb resposta mental o a teclejar..."),
                      QString::fromUtf8(kMakeHint) +
                          QStringLiteral("s'espera que digueu mentalment o teclejeu la resposta "
                                         "correcta"),
                      fm, gridBar(), [this] { makeQuiz(false); }));
    command(QStringLiteral("A_F_Mk_SalWithOneAnswer"))
        ->setIcon(glyphIcon(QStringLiteral("?"), QColor(0, 100, 0)));
    fm->insertSeparator(close);

    QMenu *mp = manipulationMenu();
    mp->addSeparator();
    ProgramOptions &options = services().session.Options;
    addCommand("A_H_Sort_Meaning", QStringLiteral("Ordena per significat/títol"),
               QStringLiteral("Ordena la taula pel significat/títol"), mp, nullptr,
               [this] { sortBy([this] { m_soundRows->sortByMeaning(); }); });
    addCommand("A_H_Sort_FN", QStringLiteral("Ordena per arxiu"),
               QStringLiteral("Ordena la taula %1\r\nsegons les opcions escollides")
                   .arg(QStringLiteral("per l'arxiu")),
               mp, nullptr, [this, &options] {
                   sortBy([this, &options] { m_soundRows->sortByFile(options.EdiSMLSortFN); });
               });
    addCommand("A_H_Sort_AudioFN", QStringLiteral("Ordena per arxiu d'àudio"),
               QStringLiteral("Ordena la taula %1\r\nsegons les opcions escollides")
                   .arg(QStringLiteral("per l'arxiu d'àudio")),
               mp, nullptr, [this, &options] {
                   sortBy([this, &options] { m_soundRows->sortByAudio(options.EdiSMLSortFN); });
               });
    mp->addSeparator();
    QAction *upper =
        addCommand("A_E_UpCase1stChar", QStringLiteral("Posa la primera lletra a majúscula"),
                   QString(), mp, nullptr, nullptr);
    upper->setCheckable(true);
    upper->setChecked(options.SWmlFieldsUpCase1stChar);
    setToggleHint(upper,
                  QStringLiteral("Activa %so desactiva %s el posar la primera lletra a "
                                 "majúscules"),
                  !options.SWmlFieldsUpCase1stChar);
    connect(upper, &QAction::toggled, this, [this, upper, &options](bool on) {
        options.SWmlFieldsUpCase1stChar = on;
        setToggleHint(upper,
                      QStringLiteral("Activa %so desactiva %s el posar la primera lletra a "
                                     "majúscules"),
                      !on);
    });

    addOthersCommand(addCommand(
        "A_O_CopyMeaningToClipbrd", QStringLiteral("Copia els significats al portapapers"),
        QString(), nullptr, nullptr, [this] {
            m_soundRows->postPendingEdits();
            QGuiApplication::clipboard()->setText(m_soundRows->meaningsText());
        }));
    // The rows' hints say where the files go.
    SetAudioMode(audioMode());
}

void TFEditSML::updateCaption()
{
    setWindowTitle(m_table.hasFile() && !m_soundRows->tableFileName.isEmpty()
                       ? m_soundRows->tableFileName
                       : QStringLiteral("Edició d'una nova taula"));
}

void TFEditSML::updateCommands()
{
    const bool named = !m_soundRows->tableFileName.isEmpty();
    command(QStringLiteral("A_E_Save"))->setEnabled(named);
    const bool generate = named && m_soundRows->generationAllowed;
    for (const char *name : {"A_F_Mk_SalWithRadioButtons", "A_F_Mk_SalWithOneAnswer"})
        command(QString::fromLatin1(name))->setEnabled(generate);
}

void TFEditSML::sortBy(const std::function<void()> &sort)
{
    // A pending change of the current row is confirmed first.
    m_soundRows->postPendingEdits();
    sort();
    updateCommands();
}

bool TFEditSML::save()
{
    if (m_soundRows->tableFileName.isEmpty())
        return saveAs();
    m_table.fileName = m_soundRows->tableFileName;
    const bool saved = m_soundRows->saveInto(m_table).ok();
    if (saved)
        services().session.TableSaved(MeaningKind::Sounds);
    updateCaption();
    updateCommands();
    return saved;
}

bool TFEditSML::saveAs()
{
    if (!m_soundRows->requireTwoRows().ok())
        return false;
    PresentationSession &session = services().session;
    QString start = m_soundRows->tableFileName;
    if (start.isEmpty() && !session.SlideListPath.isEmpty())
        start = changeFileExt(session.SlideListPath, QStringLiteral(".sml"));
    const QString path =
        services().askSaveTablePath ? services().askSaveTablePath(false, start) : QString();
    if (path.isEmpty())
        return false;
    const QString before = m_table.fileName;
    m_table.fileName = path;
    m_soundRows->tableFileName = path;
    const bool saved = m_soundRows->saveInto(m_table).ok();
    if (saved)
        session.TableSaved(MeaningKind::Sounds);
    else
        m_table.fileName = before; // the editor keeps the name chosen, for "Desa la taula"
    updateCaption();
    updateCommands();
    return saved;
}

void TFEditSML::makeQuiz(bool radioButtons)
{
    // A change not yet stored goes to a file first: the quiz is made from the saved table.
    if (m_soundRows->controls.meaningModified && !saveAs())
        return;
    if (!m_soundRows->generationAllowed || m_table.fileName.isEmpty())
        return;
    skipNextReread();
    std::unique_ptr<TFMakeSalFromSWml0> dialog;
    if (radioButtons)
        dialog = std::make_unique<TFMakeSalFromSmlWithRadioButtons>(services(), m_table, this);
    else
        dialog = std::make_unique<TFMakeSalFromSmlOneAnswer>(services(), m_table, this);
    dialog->setHelp(services().help);
    (void)(runGenerationDialog ? runGenerationDialog(*dialog) : dialog->exec());
    if (!dialog->writtenPath().isEmpty())
        m_soundRows->generatedPath = dialog->writtenPath();
}

void TFEditSML::AddSelectedFiles(bool insert)
{
    TLsFilelistView27 *list = leftList();
    QStringList files;
    for (int r : list->selectedRows()) {
        const FileListItem *item = list->listModel().item(r);
        if (item && !item->isParent && !item->isFolderLike())
            files << item->path();
    }
    if (m_soundRows->addFiles(files, audioMode(), insert))
        m_meaning->setFocus();
    if (m_soundRows->current() >= 0)
        grid()->setCurrentIndex(m_soundRows->index(m_soundRows->current(), 0));
    updateCommands();
}

void TFEditSML::PreviewSlide(bool fromLeftPanel, int kind, const QString &fileName)
{
    const int row = m_soundRows->current();
    SlidePreviewRequest request;
    request.editor = PreviewEditor::SoundTable;
    request.fromLeftPanel = fromLeftPanel;
    request.kind = TSlideKind(kind);
    request.fileName = fileName;
    if (previewWindowFor(request.kind, request.editor) == PreviewWindow::None)
        return;
    if (!fromLeftPanel && row >= 0) {
        if (!noAudioPlay() && m_soundRows->flag(row, m_soundRows->audioFields().valid))
            request.audioPath = m_soundRows->audioPath(row);
        request.promptOr1stLine = m_soundRows->text(row, SoundTableRows::Meaning);
        request.markX = m_soundRows->number(row, FileListRows::MarkX);
        request.markY = m_soundRows->number(row, FileListRows::MarkY);
    }
    PreviewContext context{services().session.Settings, prompter()};
    context.help = services().help;
    context.audio = services().playerView;
    context.slideListFolder = QFileInfo(m_soundRows->tableFileName).absolutePath();
    skipNextReread();
    showSlidePreview(request, context, this);
}

void TFEditSML::SetAudioMode(bool on)
{
    TFEditFileList::SetAudioMode(on);
    const QString what = on ? QStringLiteral("Afegeix pista(es) d'audio del plafó esquerra\r\n")
                            : QStringLiteral("Afegeix imatge(s) del plafó esquerra\r\n");
    if (QAction *a = command(QStringLiteral("A_H_RecAppend")))
        setHint(a, what + QStringLiteral("al final de la llista"));
    if (QAction *a = command(QStringLiteral("A_H_RecInsert")))
        setHint(a, what + QStringLiteral("abans de la seleccionada de la llista"));
}

void TFEditSML::PasteFileName(const QString &name)
{
    m_soundRows->pasteFileName(name);
    refreshRowControls();
}

void TFEditSML::ShowOptions()
{
    ProgramOptions &options = services().session.Options;
    TFEdiOptionsSML dialog(options, services().prompter, this);
    dialog.setHelp(services().help);
    if (dialog.exec() != QDialog::Accepted)
        return;
    options = dialog.options();
    optionsChanged();
}

void TFEditSML::refreshRowControls()
{
    if (!m_meaning)
        return;
    const SoundTableRows::Controls &c = m_soundRows->controls;
    m_filling = true;
    if (m_meaning->text() != c.meaning)
        m_meaning->setText(c.meaning);
    m_filling = false;
    m_meaning->setEnabled(c.rowPresent);
}

void TFEditSML::ShowRowMiniature()
{
    // A sound-only row has no picture: its miniature says what it is.
    const int row = m_soundRows->current();
    if (row >= 0 && m_soundRows->kindLetter(row) == QLatin1String("T")) {
        rightMiniature()->showCaption(QStringLiteral("Àudio"));
        return;
    }
    TFEditFileList::ShowRowMiniature();
}

int TFEditSML::helpContext() const
{
    return helpNumber(HelpContext::SoundTableEditor);
}

int TFEditSML::checkHelpContext() const
{
    return helpNumber(HelpContext::SoundTableErrors);
}
