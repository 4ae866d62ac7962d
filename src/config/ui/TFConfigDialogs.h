#pragma once

#include <QDialog>

class DialogHelp;
class HelpRequester;
class QButtonGroup;
class QLabel;
class TWhereSaveBox;

// The policies of the presentation configurations ("Configuració de la presentació").
class TFSaveLoadIndivConfig0ptions : public QDialog
{
    Q_OBJECT
public:
    struct Values
    {
        int SaveIndividualConfigO = 1;
        bool LoadIndividualConfig = true;
        bool SaveDefaultConfigOnCloseWithPrompt = true;
        bool LastConfigWhenNewPres = true;
        int SaveDestination = 1;
    };
    // `currentIni` is the file the settings came from ("" = the program configuration).
    TFSaveLoadIndivConfig0ptions(const Values &values, const QString &currentIni, bool modified,
                                 const QString &presentationName, const QString &programBaseName,
                                 QWidget *parent = nullptr);
    Values values() const;
    bool saveNowRequested() const { return m_saveNow; }
    QLabel *currentIniLabel() const { return m_current; }
    // "Ajuda" and F1 open `context`; disabled until help is given.
    void setHelp(HelpRequester *help, int context);
    DialogHelp *help() const { return m_help; }

private:
    QButtonGroup *m_save, *m_load, *m_defaultOnClose, *m_newPres;
    TWhereSaveBox *m_where;
    QLabel *m_current;
    DialogHelp *m_help = nullptr;
    bool m_saveNow = false;
};

// "Opcions d'inici": what the program does when it starts.
class TFInitialOptions : public QDialog
{
    Q_OBJECT
public:
    TFInitialOptions(int automaticInit, QWidget *parent = nullptr);
    int automaticInit() const;
    // "Ajuda" and F1 open `context`; disabled until help is given.
    void setHelp(HelpRequester *help, int context);
    DialogHelp *help() const { return m_help; }

private:
    QButtonGroup *m_group;
    DialogHelp *m_help = nullptr;
};
