#include "editors/ui/TFMakeSalFromSWml0.h"

#include "editors/ui/TFMakeSalIni.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "options/ModalOptionsRules.h"
#include "options/ui/TFInFormalOptions.h"
#include "options/ui/TFModalOptions.h"
#include "options/ui/TFOutFormalOptions.h"
#include "player/PresentationSession.h"
#include "presentation/SlideList.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFMakeSalFromSWml0::TFMakeSalFromSWml0(EditorServices &services, MeaningTable &table,
                                       QuizAnswers answers, QWidget *parent)
    : QDialog(parent), m_services(services), m_table(table), m_answers(answers),
      m_target(changeFileExt(table.fileName, QStringLiteral(".sal")))
{
    setObjectName(QStringLiteral("TFMakeSalFromSWml0"));
    setWindowTitle(QStringLiteral("Creació de presentació des de la taula"));
    auto *layout = new QVBoxLayout(this);

    auto *config = new QGroupBox(QStringLiteral("Modificació de la configuració"), this);
    auto *cl = new QGridLayout(config);
    cl->addWidget(new QLabel(QStringLiteral("Actual, procedent de:"), config), 0, 0);
    L_Config = new QLabel(config);
    L_Config->setObjectName(QStringLiteral("L_Config"));
    cl->addWidget(L_Config, 0, 1, 1, 3);
    auto button = [config](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, config);
        b->setObjectName(QString::fromLatin1(name));
        QString h = hint;
        b->setToolTip(h.replace(QLatin1String("\r\n"), QLatin1String("\n")));
        return b;
    };
    B_OutFormal = button("B_OutFormal", QStringLiteral("Formal &exterior"),
                         QStringLiteral("Opcions de la barra del títol\r\ni la presència "
                                        "d'aquesta i dels botons"));
    B_Mode = button("B_Mode", QStringLiteral("&Mode"), QStringLiteral("Modalitat de presentació"));
    B_Load = button("B_Load", QStringLiteral("C&arrega"),
                    QStringLiteral("Obre un arxiu '%1'").arg(QStringLiteral("ini")));
    B_InFormal = button("B_InFormal", QStringLiteral("Formal &interior"),
                        QStringLiteral("Canvis en la visualització de les diapositives"));
    cl->addWidget(B_OutFormal, 1, 0);
    cl->addWidget(B_Mode, 1, 1);
    cl->addWidget(B_Load, 1, 2);
    cl->addWidget(B_InFormal, 1, 3);
    layout->addWidget(config);

    auto *slides = new QGroupBox(QStringLiteral("Diapositives accessòries"), this);
    auto *sl = new QGridLayout(slides);
    B_First = new QPushButton(QStringLiteral("&Primera"), slides);
    B_First->setObjectName(QStringLiteral("B_First"));
    B_First->setToolTip(
        QStringLiteral("Assignació de %1 diapositiva/es").arg(QStringLiteral("la primera/es")));
    B_Last = new QPushButton(QStringLiteral("Ú&ltima"), slides);
    B_Last->setObjectName(QStringLiteral("B_Last"));
    B_Last->setToolTip(
        QStringLiteral("Assignació de %1 diapositiva/es").arg(QStringLiteral("l'última/es")));
    CB_FirstPresent = new QCheckBox(QStringLiteral("Present"), slides);
    CB_FirstPresent->setObjectName(QStringLiteral("CB_FirstPresent"));
    CB_LastPresent = new QCheckBox(QStringLiteral("Present"), slides);
    CB_LastPresent->setObjectName(QStringLiteral("CB_LastPresent"));
    CB_AddTitle =
        new QCheckBox(QStringLiteral("A&fegir diapositiva de títol si no existeix"), slides);
    CB_AddTitle->setObjectName(QStringLiteral("CB_AddTitle"));
    CB_AddTitle->setChecked(services.session.Options.AddTitleSlOnEdiFLSl);
    sl->addWidget(B_First, 0, 0);
    sl->addWidget(CB_FirstPresent, 0, 1);
    sl->addWidget(B_Last, 1, 0);
    sl->addWidget(CB_LastPresent, 1, 1);
    sl->addWidget(CB_AddTitle, 2, 0, 1, 2);
    layout->addWidget(slides);

    m_variant = new QVBoxLayout;
    layout->addLayout(m_variant);
    QPushButton *helpButton = nullptr;
    QDialogButtonBox *buttons = okCancelHelpButtons(this, helpButton);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Crea"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFMakeSalFromSWml0::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFMakeSalFromSWml0::reject);
    m_help = new DialogHelp(this, helpButton);
    layout->addWidget(buttons);

    // The accessory slides of an earlier quiz of the same name.
    if (QFileInfo(m_target).isFile()) {
        SlideList existing;
        if (existing.load(m_target).ok())
            m_accessory = LoadAccessorySlides(existing.lines);
    }
    showGroups();
    adaptOnOpen();
    connect(B_First, &QPushButton::clicked, this, [this] { editGroup(true); });
    connect(B_Last, &QPushButton::clicked, this, [this] { editGroup(false); });

    const int entries = table.table.recordCount();
    const QString presentation =
        services.session.isUnnamed() ? QString() : fileNameWithoutExt(m_target);
    const QString programName = QCoreApplication::applicationName();
    // Each dialog edits a copy of the settings in force; what it hands back is kept, modified.
    auto take = [this](const PresentationSettings &edited) {
        m_services.session.Settings = edited;
        m_services.session.SettingsModified = true;
        showConfigName();
    };
    connect(B_OutFormal, &QPushButton::clicked, this, [this, take, presentation, programName] {
        PresentationSession &session = m_services.session;
        TFOutFormalOptions d(session.Settings, int(session.SaveDestination), presentation,
                             programName, this);
        d.setHelp(m_services.help);
        if (d.exec() == QDialog::Accepted)
            take(d.settings());
    });
    connect(B_Mode, &QPushButton::clicked, this, [this, take, entries, presentation, programName] {
        PresentationSession &session = m_services.session;
        TFModalOptions d(session.Settings, std::max(entries, 2), MemorisationOffer::NotOffered,
                         m_answers == QuizAnswers::Single ? AnswerKinds::TypedOnly
                                                          : AnswerKinds::RadioOnly,
                         int(session.SaveDestination), presentation, programName, prompter(), this);
        d.setHelp(m_services.help);
        if (d.exec() == QDialog::Accepted)
            take(d.settings());
    });
    connect(B_Load, &QPushButton::clicked, this, [this] {
        PresentationSession &session = m_services.session;
        session.OpenIni();
        adaptOnOpen();
        showConfigName();
    });
    connect(B_InFormal, &QPushButton::clicked, this, [this, take, presentation, programName] {
        PresentationSession &session = m_services.session;
        TFInFormalOptions::Inputs in;
        in.programDir = includeTrailingSeparator(QCoreApplication::applicationDirPath());
        in.programBaseName = programName;
        in.presentationName = presentation;
        in.opener = m_table.kind == MeaningKind::Words ? InFormalOpener::WordsQuiz
                                                       : InFormalOpener::PicturesQuiz;
        in.quizKind = m_answers == QuizAnswers::Single ? InFormalQuizKind::OneAnswer
                                                       : InFormalQuizKind::Radio;
        TFInFormalOptions d(session.Settings, InFormalDemoState(), in, prompter(), this);
        if (d.exec() == QDialog::Accepted)
            take(d.settings());
    });
    showConfigName();
}

void TFMakeSalFromSWml0::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(helpContext()));
}

void TFMakeSalFromSWml0::adaptOnOpen()
{
    PresentationSession &session = m_services.session;
    if (AdaptSettingsForQuiz(session.Settings, m_table.kind)) {
        session.SettingsModified = true;
        prompter().ShowInfo(AdaptedModeMessage());
    }
}

void TFMakeSalFromSWml0::showConfigName()
{
    const PresentationSession &s = m_services.session;
    const QString source = s.ConfigSource.isEmpty() ? s.ProgramIniPath : s.ConfigSource;
    QString name = extractFileName(source);
    if (s.SettingsModified)
        name += QStringLiteral(" (") + QStringLiteral("modificat") + QLatin1Char(')');
    L_Config->setText(name);
    L_Config->setToolTip(source);
}

void TFMakeSalFromSWml0::showGroups()
{
    CB_FirstPresent->setChecked(!m_accessory.first.isEmpty() && m_accessory.firstPresent);
    CB_FirstPresent->setEnabled(!m_accessory.first.isEmpty());
    CB_LastPresent->setChecked(!m_accessory.last.isEmpty() && m_accessory.lastPresent);
    CB_LastPresent->setEnabled(!m_accessory.last.isEmpty());
}

void TFMakeSalFromSWml0::editGroup(bool first)
{
    QStringList &lines = first ? m_accessory.first : m_accessory.last;
    TFMakeSalIni editor(m_services, first ? TFMakeSalIni::Group::First : TFMakeSalIni::Group::Last,
                        lines, CB_AddTitle->isChecked(), this);
    if (editor.exec() != QDialog::Accepted)
        return;
    lines = editor.lines();
    (first ? m_accessory.firstPresent : m_accessory.lastPresent) = !lines.isEmpty();
    showGroups();
}

GenerationChoices TFMakeSalFromSWml0::choices() const
{
    GenerationChoices c;
    c.answers = m_answers;
    return c;
}

void TFMakeSalFromSWml0::accept()
{
    if (!choicesAccepted())
        return;
    m_accessory.firstPresent = CB_FirstPresent->isChecked();
    m_accessory.lastPresent = CB_LastPresent->isChecked();
    PresentationSession &session = m_services.session;
    const int entries = m_table.table.recordCount();
    if (AdaptRandomMargins(session.Settings,
                           m_accessory.firstPresent ? int(m_accessory.first.size()) : 0,
                           m_accessory.lastPresent ? int(m_accessory.last.size()) : 0, entries)) {
        session.SettingsModified = true;
        prompter().ShowInfo(RandomMarginsMessage());
    }
    const GenerationChoices c = choices();
    const GeneratedSlides generated =
        m_table.kind == MeaningKind::Words
            ? GenerateWordSlides(m_table.table, c, session.Settings.FontAnswers)
            : GenerateSoundSlides(m_table.table, c, session.Settings.FontAnswers);
    if (generated.answerWidth >= 0 && generated.answerWidth != session.Settings.EditAnswWidth) {
        session.Settings.EditAnswWidth = generated.answerWidth;
        session.SettingsModified = true;
    }
    const Fallible<void> written = WriteQuiz(m_target, AssembleQuiz(m_accessory, generated.lines),
                                             generated.longestAnswers, prompter());
    if (!written.ok())
        return;
    m_written = m_target;
    session.Options.AddTitleSlOnEdiFLSl = CB_AddTitle->isChecked();
    QDialog::accept();
}

void TFMakeSalFromSWml0::reject()
{
    m_services.session.Options.AddTitleSlOnEdiFLSl = CB_AddTitle->isChecked();
    QDialog::reject();
}
