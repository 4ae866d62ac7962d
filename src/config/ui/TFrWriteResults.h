#pragma once

#include "config/ProgramOptions.h"

#include <QWidget>

#include <functional>

class Prompter;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The frame in which a results destination is edited: whether results are written, the folder
// of the results files and what each result notes besides its message. Unticking "Escriure'ls"
// disables everything else; a folder on a CD is refused.
class TFrWriteResults : public QWidget
{
    Q_OBJECT
public:
    explicit TFrWriteResults(Prompter &prompter, QWidget *parent = nullptr);

    QGroupBox *GB_WriteResults;
    QCheckBox *CB_WriteResults;
    QLabel *L_WriteResultsDir;
    QLineEdit *DE_WriteResultsDir;
    QToolButton *DE_WriteResultsDirBrowse;
    QGroupBox *GB_WhatWriteRes;
    QCheckBox *CB_WriteResSalPath;
    QCheckBox *CB_WriteResDuration;
    QCheckBox *CB_WriteResTime;

    // Whether a folder lies on a CD; tests replace it.
    std::function<bool(const QString &folder)> isOnCD;
    // The folder dialog of the browse button: "" when cancelled; tests replace it.
    std::function<QString(const QString &current)> chooseFolder;

    // Takes a folder typed or chosen: a folder on a CD is refused and the edit emptied.
    void setFolder(const QString &folder);

private:
    void updateEnabled();

    Prompter &m_prompter;
};

// Copies Write, Dir and the three flags into the frame.
void LoadFromWriteRes(TFrWriteResults &frame, const TWriteRes &res);
// Copies them back; with Write on the destination becomes valid (and, with its folder found,
// writes again in this run).
void StoreToWriteRes(const TFrWriteResults &frame, TWriteRes &res);
