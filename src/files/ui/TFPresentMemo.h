#pragma once

#include <QDialog>

class HelpRequester;
class QPushButton;
class TFrEdicioMemo;

// A sizeable window that shows a text in an edit memo, with "&Tanca" and "Ajuda". The caller
// sets the caption and the text and shows it modally.
class TFPresentMemo : public QDialog
{
    Q_OBJECT

public:
    explicit TFPresentMemo(QWidget *parent = nullptr);

    TFrEdicioMemo *frame() const { return m_frame; }
    void setText(const QString &text);
    QString text() const;

    // Help opens the topic of `context`; the button stays disabled until help is given. The
    // requester must outlive the window.
    void setHelp(HelpRequester *help, int context);
    QPushButton *closeButton() const { return m_close; }
    QPushButton *helpButton() const { return m_help; }

private:
    TFrEdicioMemo *m_frame = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_help = nullptr;
    HelpRequester *m_requester = nullptr;
    int m_helpContext = 0;
};
