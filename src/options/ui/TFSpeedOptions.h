#pragma once

#include <QDialog>

#include <cstdint>

class QSpinBox;

// "Velocitat de presentació": the default time each slide without its own stays up in an
// automatic run.
class TFSpeedOptions : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1047;

    // `imageDelay` in seconds; 0 (half a second) comes only from a settings file and is kept
    // unless the value is changed here.
    explicit TFSpeedOptions(std::uint16_t imageDelay, QWidget *parent = nullptr);
    std::uint16_t imageDelay() const;

    QSpinBox *SE_ImageDelay;

private:
    std::uint16_t m_stored;
    int m_shown;
};
