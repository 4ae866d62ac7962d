#pragma once

#include "config/PresentationSettings.h"

#include <QDialog>

class DialogHelp;
class HelpRequester;
class QCheckBox;
class QGroupBox;
class TWhereSaveBox;

// "Opcions dels aspectes formals (exteriors) de visualització": the window's decoration during a
// run and what its title bar shows. It edits a copy of the settings and hands it back.
class TFOutFormalOptions : public QDialog
{
    Q_OBJECT
public:
    // `presentationName` is "" for an unnamed list (no entry for its own configuration).
    TFOutFormalOptions(const PresentationSettings &settings, int saveDestination,
                       const QString &presentationName, const QString &programBaseName,
                       QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given (nullptr disables it
    // again). The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The settings as edited (those given, before OK).
    const PresentationSettings &settings() const { return m_settings; }
    bool saveNowRequested() const { return m_saveNow; }
    int saveDestination() const;

    void accept() override;

    QCheckBox *CB_WithoutMenuOrButtons, *CB_WithoutCaption;
    QGroupBox *GB_TitleBar;
    QCheckBox *CB_WithITListName, *CB_WithNumbering, *CB_WithTotalNumbering, *CB_WithSNumbering,
        *CB_WithSTotalNumbering, *CB_WithITName, *CB_WithITPath, *CB_WithITExt,
        *CB_WithIAmpliationRatio, *CB_WithKeyInfo;

private:
    void applyEnabling();

    PresentationSettings m_settings;
    TWhereSaveBox *m_where;
    bool m_saveNow = false;
    DialogHelp *m_help = nullptr;
};
