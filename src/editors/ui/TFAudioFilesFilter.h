#pragma once

#include <QDialog>

#include <vector>

class DialogHelp;
class HelpRequester;
class QRadioButton;

// "Tipus d'arxius d'audio a mostrar": which kind of audio track the editor's audio list shows,
// all of them or one kind (AudioFFilterIndex 0 to 5).
class TFAudioFilesFilter : public QDialog
{
    Q_OBJECT

public:
    // An index outside 0..5 shows "Arxius d'audio (tots)" chosen.
    explicit TFAudioFilesFilter(int audioFilterIndex, QWidget *parent = nullptr);

    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    int audioFilterIndex() const;
    QRadioButton *choice(int index) const { return m_choices[std::size_t(index)]; }

private:
    std::vector<QRadioButton *> m_choices;
    DialogHelp *m_help = nullptr;
};
