#pragma once

#include <QDialog>
#include <QString>

class Prompter;

// The bare preview window: no border, a system menu and a maximise button. It is maximised when
// first activated; Esc closes it and F1 shows its help text as information.
class TFEdiPresentation0 : public QDialog
{
    Q_OBJECT
public:
    explicit TFEdiPresentation0(Prompter &prompter, QWidget *parent = nullptr);

    // The text F1 shows: how the window is closed.
    virtual QString helpText() const;
    // Whether the first activation has happened (the window is up and its media started).
    bool activated() const { return m_activated; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Runs once, on the first activation, after the window is maximised.
    virtual void firstActivation() {}
    Prompter &prompter() const { return m_prompter; }

private:
    void activateOnce();

    Prompter &m_prompter;
    bool m_activated = false;
};
