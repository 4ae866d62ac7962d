#include "options/ui/TFGeneralOptions.h"

#include "config/ui/TFrWriteResults.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QIcon picture(const QWidget *w, const char *themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), w->style()->standardIcon(fallback));
}

} // namespace

TFGeneralOptions::TFGeneralOptions(const GeneralOptionsValues &values, Prompter &prompter,
                                   QWidget *parent)
    : QDialog(parent), m_values(values), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFGeneralOptions"));
    setWindowTitle(QStringLiteral("Opcions generals del programa"));
    const GeneralOptionsValues &v = m_values;
    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    layout->addLayout(columns);

    auto *users = namedGroup(this, QStringLiteral("GB_Users"), QStringLiteral("Usuaris"));
    auto *usersLayout = new QVBoxLayout(users);
    RG_UsersNumber =
        namedGroup(users, QStringLiteral("RG_UsersNumber"), QStringLiteral("Nombre d'usuaris"));
    auto *numberLayout = new QHBoxLayout(RG_UsersNumber);
    RB_OneUser = new QRadioButton(QStringLiteral("&un"), RG_UsersNumber);
    RB_OneUser->setObjectName(QStringLiteral("RB_OneUser"));
    RB_SeveralUsers = new QRadioButton(QStringLiteral("&varis"), RG_UsersNumber);
    RB_SeveralUsers->setObjectName(QStringLiteral("RB_SeveralUsers"));
    (v.SeveralUsers ? RB_SeveralUsers : RB_OneUser)->setChecked(true);
    numberLayout->addWidget(RB_OneUser);
    numberLayout->addWidget(RB_SeveralUsers);
    numberLayout->addStretch(1);
    // With an administrator password only the administrator's options change it.
    RG_UsersNumber->setEnabled(!v.UsersFixed);
    usersLayout->addWidget(RG_UsersNumber);
    CB_UserConfiguration =
        namedCheck(users, QStringLiteral("CB_UserConfiguration"),
                   QStringLiteral("Configuració individualitzada"), v.UserConfiguration);
    usersLayout->addWidget(CB_UserConfiguration);
    left->addWidget(users);

    FR_WriteResults = new TFrWriteResults(prompter, this);
    FR_WriteResults->setObjectName(QStringLiteral("FR_WriteResults"));
    LoadFromWriteRes(*FR_WriteResults, v.Results);
    left->addWidget(FR_WriteResults);
    left->addStretch(1);

    auto *warnings = namedGroup(this, QStringLiteral("GB_NoWarning"),
                                QStringLiteral("Omet l'avís quan no es troba:"));
    auto *warningsLayout = new QVBoxLayout(warnings);
    CB_NoWarningWhenNoSlideExist =
        namedCheck(warnings, QStringLiteral("CB_NoWarningWhenNoSlideExist"),
                   QStringLiteral("Una diapositiva "), v.NoWarningWhenNoSlideExist);
    CB_NoWarningWhenNoAudioFNExist =
        namedCheck(warnings, QStringLiteral("CB_NoWarningWhenNoAudioFNExist"),
                   QStringLiteral("Una pista d'audio "), v.NoWarningWhenNoAudioFNExist);
    CB_NoWarningWhenNoOpenFNExist =
        namedCheck(warnings, QStringLiteral("CB_NoWarningWhenNoOpenFNExist"),
                   QStringLiteral("Un arxiu a obrir"), v.NoWarningWhenNoOpenFNExist);
    warningsLayout->addWidget(CB_NoWarningWhenNoSlideExist);
    warningsLayout->addWidget(CB_NoWarningWhenNoAudioFNExist);
    warningsLayout->addWidget(CB_NoWarningWhenNoOpenFNExist);
    right->addWidget(warnings);

    auto *open = namedGroup(this, QStringLiteral("GB_OpenSal"),
                            QStringLiteral("Quan s'obre una presentació:"));
    auto *openLayout = new QVBoxLayout(open);
    m_openSal = new QButtonGroup(this);
    const auto openChoice = [&](const char *name, const QString &caption, OpenSalAction action,
                                const char *icon, QStyle::StandardPixmap fallback) {
        auto *b = new QRadioButton(caption, open);
        b->setObjectName(QLatin1String(name));
        b->setIcon(picture(this, icon, fallback));
        m_openSal->addButton(b, int(action));
        openLayout->addWidget(b);
        return b;
    };
    RB_OpenSalNone =
        openChoice("RB_OpenSalNone", QStringLiteral("&No fa res"), OpenSalAction::Nothing,
                   "document-open", QStyle::SP_DialogOpenButton);
    RB_OpenSalEdit = openChoice("RB_OpenSalEdit", QStringLiteral("L'&edita"), OpenSalAction::Edit,
                                "document-edit", QStyle::SP_FileDialogDetailedView);
    RB_OpenSalCheck =
        openChoice("RB_OpenSalCheck", QStringLiteral("La &comprova"), OpenSalAction::Check,
                   "tools-check-spelling", QStyle::SP_DialogApplyButton);
    RB_OpenSalPlay = openChoice("RB_OpenSalPlay", QStringLiteral("&Inicia la presentació"),
                                OpenSalAction::Run, "media-playback-start", QStyle::SP_MediaPlay);
    // A stored number outside the four shows none chosen and is kept.
    if (QAbstractButton *b = m_openSal->button(int(v.OpenSalOption)))
        b->setChecked(true);
    right->addWidget(open);

    auto *registration = new QHBoxLayout;
    BB_Register = new QPushButton(QStringLiteral("Enr&egistra"), this);
    BB_Register->setObjectName(QStringLiteral("BB_Register"));
    BB_UnRegister = new QPushButton(QStringLiteral("&Treu el registre"), this);
    BB_UnRegister->setObjectName(QStringLiteral("BB_UnRegister"));
    registration->addWidget(BB_Register);
    registration->addWidget(BB_UnRegister);
    registration->addStretch(1);
    right->addLayout(registration);
    right->addStretch(1);
    connect(BB_Register, &QPushButton::clicked, this, [this] {
        if (registerFileTypes)
            registerFileTypes();
    });
    connect(BB_UnRegister, &QPushButton::clicked, this, [this] {
        if (unregisterFileTypes)
            unregisterFileTypes();
    });

    layout->addWidget(optionsButtons(this, m_help));
}

void TFGeneralOptions::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::GeneralOptions));
}

GeneralOptionsValues TFGeneralOptions::values() const
{
    GeneralOptionsValues v = m_values;
    v.SeveralUsers = RB_SeveralUsers->isChecked();
    v.UserConfiguration = CB_UserConfiguration->isChecked();
    StoreToWriteRes(*FR_WriteResults, v.Results);
    v.NoWarningWhenNoSlideExist = CB_NoWarningWhenNoSlideExist->isChecked();
    v.NoWarningWhenNoAudioFNExist = CB_NoWarningWhenNoAudioFNExist->isChecked();
    v.NoWarningWhenNoOpenFNExist = CB_NoWarningWhenNoOpenFNExist->isChecked();
    if (m_openSal->checkedId() >= 0)
        v.OpenSalOption = OpenSalAction(m_openSal->checkedId());
    return v;
}

void TFGeneralOptions::accept()
{
    // Results would otherwise fail to be written at every result of the run.
    const QString dir = FR_WriteResults->DE_WriteResultsDir->text().trimmed();
    if (FR_WriteResults->CB_WriteResults->isChecked() &&
        (dir.isEmpty() || !QFileInfo(dir).isDir())) {
        m_prompter.ShowError(
            QStringLiteral("No s'ha trobat el directori (%1) on escriure els resultats").arg(dir));
        FR_WriteResults->DE_WriteResultsDir->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}
