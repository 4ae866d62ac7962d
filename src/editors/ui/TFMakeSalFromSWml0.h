#pragma once

#include "editors/QuizGeneration.h"
#include "editors/ui/TFEditFileList.h"
#include "files/HelpContexts.h"

#include <QDialog>

class DialogHelp;
class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

// "Creació de presentació des de la taula": the accessory slides around a quiz generated from a
// meaning table and the changes its settings need, then, on "&Crea", the quiz written beside the
// table. The variants add the question and answer choices of their kind of quiz.
class TFMakeSalFromSWml0 : public QDialog
{
    Q_OBJECT

public:
    TFMakeSalFromSWml0(EditorServices &services, MeaningTable &table, QuizAnswers answers,
                       QWidget *parent = nullptr);

    // The quiz's path: the table's name with ".sal".
    const QString &targetPath() const { return m_target; }
    // The path written on "&Crea", "" until then.
    const QString &writtenPath() const { return m_written; }
    AccessorySlides &accessory() { return m_accessory; }

    QLabel *L_Config = nullptr;
    QPushButton *B_OutFormal = nullptr, *B_Mode = nullptr, *B_Load = nullptr, *B_InFormal = nullptr;
    QPushButton *B_First = nullptr, *B_Last = nullptr;
    QCheckBox *CB_FirstPresent = nullptr, *CB_LastPresent = nullptr, *CB_AddTitle = nullptr;

    void setHelp(HelpRequester *help);
    // "&Crea": generates, assembles and writes; stays open when nothing was written.
    void accept() override;
    void reject() override;

protected:
    // The choices of the variant's own controls.
    virtual GenerationChoices choices() const;
    // A variant's check before anything is made; false keeps the dialog open.
    virtual bool choicesAccepted() { return true; }
    virtual HelpContext helpContext() const = 0;
    QVBoxLayout *variantArea() const { return m_variant; }
    QuizAnswers answers() const { return m_answers; }
    MeaningTable &table() { return m_table; }
    Prompter &prompter() { return m_services.prompter; }

private:
    void showConfigName();
    void adaptOnOpen();
    void editGroup(bool first);
    void showGroups();

    EditorServices &m_services;
    MeaningTable &m_table;
    QuizAnswers m_answers;
    QString m_target, m_written;
    AccessorySlides m_accessory;
    QVBoxLayout *m_variant = nullptr;
    DialogHelp *m_help = nullptr;
};
