#pragma once

#include <QDialog>

#include <cstdint>

class DialogHelp;
class HelpRequester;
class QSpinBox;

// "Velocitat de presentació": the default time each slide without its own stays up in an
// automatic run.
class TFSpeedOptions : public QDialog
{
    Q_OBJECT
public:
    // `imageDelay` in seconds; 0 (half a second) comes only from a settings file and is kept
    // unless the value is changed here.
    explicit TFSpeedOptions(std::uint16_t imageDelay, QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given (nullptr disables it
    // again). The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    std::uint16_t imageDelay() const;

    QSpinBox *SE_ImageDelay;

private:
    std::uint16_t m_stored;
    int m_shown;
    DialogHelp *m_help = nullptr;
};
