#include "config/ui/TFrWriteResults.h"

#include "files/FileChecks.h"
#include "files/Prompter.h"
#include "files/ui/GreyCaptionGroupBox.h"
#include "files/ui/QtShell.h"
#include "files/ui/TFChooseFolder.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TFrWriteResults::TFrWriteResults(Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFrWriteResults"));
    isOnCD = [](const QString &folder) { return IsOnCD(folder); };
    // The folder is chosen on the program's folder dialog, the docked folder tree.
    chooseFolder = [this](const QString &current) {
        static QtShell shell;
        return ChooseFolder(current, m_prompter, shell, this);
    };

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    GB_WriteResults =
        new QGroupBox(QStringLiteral("Escriptura dels &resultats dels exercicis/exàmens"), this);
    GB_WriteResults->setObjectName(QStringLiteral("GB_WriteResults"));
    outer->addWidget(GB_WriteResults);
    auto *layout = new QVBoxLayout(GB_WriteResults);

    CB_WriteResults = new QCheckBox(QStringLiteral("Escriure'ls"), GB_WriteResults);
    CB_WriteResults->setObjectName(QStringLiteral("CB_WriteResults"));
    layout->addWidget(CB_WriteResults);

    L_WriteResultsDir =
        new QLabel(QStringLiteral("&Directori de l'arxiu dels resultats"), GB_WriteResults);
    L_WriteResultsDir->setObjectName(QStringLiteral("L_WriteResultsDir"));
    layout->addWidget(L_WriteResultsDir);
    auto *folderRow = new QHBoxLayout;
    DE_WriteResultsDir = new QLineEdit(GB_WriteResults);
    DE_WriteResultsDir->setObjectName(QStringLiteral("DE_WriteResultsDir"));
    L_WriteResultsDir->setBuddy(DE_WriteResultsDir);
    DE_WriteResultsDirBrowse = new QToolButton(GB_WriteResults);
    DE_WriteResultsDirBrowse->setObjectName(QStringLiteral("DE_WriteResultsDirBrowse"));
    DE_WriteResultsDirBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    folderRow->addWidget(DE_WriteResultsDir, 1);
    folderRow->addWidget(DE_WriteResultsDirBrowse);
    layout->addLayout(folderRow);

    GB_WhatWriteRes = new GreyCaptionGroupBox(QStringLiteral("Anotar:"), GB_WriteResults);
    GB_WhatWriteRes->setObjectName(QStringLiteral("GB_WhatWriteRes"));
    auto *what = new QVBoxLayout(GB_WhatWriteRes);
    CB_WriteResSalPath = new QCheckBox(QStringLiteral("Via de la presentació"), GB_WhatWriteRes);
    CB_WriteResSalPath->setObjectName(QStringLiteral("CB_WriteResSalPath"));
    CB_WriteResDuration = new QCheckBox(QStringLiteral("Temps utilitzat"), GB_WhatWriteRes);
    CB_WriteResDuration->setObjectName(QStringLiteral("CB_WriteResDuration"));
    CB_WriteResTime = new QCheckBox(QStringLiteral("Quan s'ha finalitzat"), GB_WhatWriteRes);
    CB_WriteResTime->setObjectName(QStringLiteral("CB_WriteResTime"));
    for (QCheckBox *b : {CB_WriteResSalPath, CB_WriteResDuration, CB_WriteResTime})
        what->addWidget(b);
    layout->addWidget(GB_WhatWriteRes);

    connect(CB_WriteResults, &QCheckBox::toggled, this, &TFrWriteResults::updateEnabled);
    connect(DE_WriteResultsDirBrowse, &QToolButton::clicked, this, [this] {
        const QString chosen = chooseFolder(DE_WriteResultsDir->text());
        if (!chosen.isEmpty())
            setFolder(QDir::toNativeSeparators(chosen));
    });
    // A typed folder is checked once the user leaves the edit or presses Enter.
    connect(DE_WriteResultsDir, &QLineEdit::editingFinished, this,
            [this] { setFolder(DE_WriteResultsDir->text()); });
    updateEnabled();
}

void TFrWriteResults::setFolder(const QString &folder)
{
    if (!folder.isEmpty() && isOnCD(folder)) {
        DE_WriteResultsDir->clear();
        m_prompter.ShowError(QStringLiteral("No es pot seleccionar un CD"));
        return;
    }
    DE_WriteResultsDir->setText(folder);
}

void TFrWriteResults::updateEnabled()
{
    const bool on = CB_WriteResults->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{
             L_WriteResultsDir, DE_WriteResultsDir, DE_WriteResultsDirBrowse, GB_WhatWriteRes,
             CB_WriteResSalPath, CB_WriteResDuration, CB_WriteResTime})
        w->setEnabled(on);
}

void LoadFromWriteRes(TFrWriteResults &frame, const TWriteRes &res)
{
    frame.CB_WriteResults->setChecked(res.Write);
    frame.DE_WriteResultsDir->setText(res.Dir);
    frame.CB_WriteResSalPath->setChecked(res.SalPath);
    frame.CB_WriteResDuration->setChecked(res.Duration);
    frame.CB_WriteResTime->setChecked(res.Time);
}

void StoreToWriteRes(const TFrWriteResults &frame, TWriteRes &res)
{
    res.Write = frame.CB_WriteResults->isChecked();
    QString dir = frame.DE_WriteResultsDir->text().trimmed();
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    res.Dir = dir;
    res.SalPath = frame.CB_WriteResSalPath->isChecked();
    res.Duration = frame.CB_WriteResDuration->isChecked();
    res.Time = frame.CB_WriteResTime->isChecked();
    if (res.Write) {
        res.Valid = true;
        // A folder set again lifts the start-up's "not found" stop; one still missing keeps it.
        res.disabledForRun = !QFileInfo(res.Dir).isDir();
    }
}
