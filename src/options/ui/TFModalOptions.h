#pragma once

#include "config/PresentationSettings.h"
#include "options/ModalOptionsRules.h"

#include <QDialog>

#include <vector>

class Prompter;
class DialogHelp;
class HelpRequester;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class TWhereSaveBox;

// "Opcions de mode de presentació": the order of the slides, what a random order shuffles, the
// memorisation, the quiz mode and its answers, manual or automatic advance and the default
// duration. It edits a copy of the settings and hands it back.
class TFModalOptions : public QDialog
{
    Q_OBJECT
public:
    // `slideCount` (at least 2: see modalOptionsRefusal) bounds the range and the number of
    // initial slides. `presentationName` is "" for an unnamed list.
    TFModalOptions(const PresentationSettings &settings, int slideCount, MemorisationOffer offer,
                   AnswerKinds answers, int saveDestination, const QString &presentationName,
                   const QString &programBaseName, Prompter &prompter, QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given (nullptr disables it
    // again). The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The settings as edited (those given, before OK).
    const PresentationSettings &settings() const { return m_settings; }
    bool saveNowRequested() const { return m_saveNow; }
    int saveDestination() const;

    void accept() override;

    QRadioButton *RB_PresSequential, *RB_PresDifferentRandom, *RB_PresSameRandom;
    QGroupBox *GB_Random;
    QRadioButton *RB_RandomAll, *RB_RandomOmission, *RB_RandomRange;
    QGroupBox *GB_Omission;
    QCheckBox *CB_OmissionFirstSlide, *CB_OmissionLastSlide;
    QGroupBox *GB_Range;
    QSpinBox *EC_RangeInf, *EC_RangeSup;
    QGroupBox *GB_Memorisation;
    QSpinBox *EC_InitialMemorizedCount;
    QCheckBox *CB_UseAllSlidesToMem;
    QSpinBox *EC_InitialImages;
    QCheckBox *CB_RepeatedImages;
    QSpinBox *EC_TotalSlidesToMemorize;
    QGroupBox *GB_Model;
    QRadioButton *RB_ModelNone, *RB_ModelLearning, *RB_ModelTest;
    QGroupBox *GB_Multiple;
    QSpinBox *SE_MA_MaxIncorrections;
    QCheckBox *CB_UseNegativeScore;
    QGroupBox *GB_Single;
    QRadioButton *RB_AA_MentalReminder, *RB_AA_ByInput;
    QGroupBox *GB_Input;
    QCheckBox *CB_AA_WithMask, *CB_AA_IgnoreAccent;
    QRadioButton *RB_AA_CheckAtEachChar, *RB_AA_CheckWhenReturnKeyP;
    QCheckBox *CB_AA_ChangeIncorrectChar;
    QSpinBox *SE_AA_MaxIncorrections;
    QCheckBox *CB_OmissionLearningResultsMessages, *CB_OnlyResultTest;
    QCheckBox *CB_ManualViewing, *CB_LoopImages, *CB_HideNote;
    QGroupBox *GB_Speed;
    QSpinBox *SE_Delay;
    TWhereSaveBox *whereSave() const { return m_where; }

private:
    // A number edit and the value it showed at opening. One set from the settings and left
    // untouched gives the stored value back (even one outside the edit's limits, which only a
    // settings file can hold); one the settings did not set gives what it shows.
    struct NumberField
    {
        QSpinBox *spin;
        int shown;
        bool loaded;
    };
    int numberBack(const NumberField &f, int stored) const;
    ModalChoices choices() const;
    void applyEnabling();
    void forceManual();
    void store();

    PresentationSettings m_settings;
    Prompter &m_prompter;
    int m_slideCount;
    MemorisationOffer m_offer;
    AnswerKinds m_answers;
    QButtonGroup *m_sort, *m_scope, *m_model;
    QLabel *m_initialImagesBefore, *m_initialImagesAfter, *m_totalLabel, *m_initialCountLabel;
    QLabel *m_rangeInfLabel, *m_rangeSupLabel;
    std::vector<NumberField> m_numbers;
    TWhereSaveBox *m_where;
    bool m_saveNow = false;
    DialogHelp *m_help = nullptr;
};
