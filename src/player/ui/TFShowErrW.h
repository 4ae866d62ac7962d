#pragma once

#include <QString>
#include <QWidget>

class PlayerView;
class Prompter;

// The window that shows what belongs to a chosen answer: a sizeable window of its own, closed
// with Esc or its close button, that plays the answer's audio track each time it is activated.
// It is deleted when closed; deleting it stops the audio in use, the slide's own track included.
class TFShowErrW : public QWidget
{
    Q_OBJECT
public:
    // `audio` is the track to play (empty for none), through the main window's slide audio.
    TFShowErrW(PlayerView &audioOwner, Prompter &prompter, const QString &audio,
               QWidget *parent = nullptr);
    ~TFShowErrW() override;

    QString audioPath() const { return m_audio; }
    // The text F1 shows.
    static QString helpText();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    PlayerView &m_audioOwner;
    Prompter &m_prompter;
    QString m_audio;
    bool m_shown = false; // a window that never showed leaves the audio alone
};
