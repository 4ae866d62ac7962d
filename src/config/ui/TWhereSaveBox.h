#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

// The save-destination choice of the option dialogs: the label "Desa\r\nconfiguració:", the
// combo CB_WhereSave and the button BB_OkAndSave that accepts the dialog and saves at once.
class TWhereSaveBox : public QWidget
{
    Q_OBJECT
public:
    enum class HintStyle { SaveCurrent, AcceptAndSave };

    // `presentationName` is the list's file name without extension, "" for an unnamed list.
    TWhereSaveBox(int destination, const QString &presentationName, const QString &programBaseName,
                  HintStyle style, QWidget *parent = nullptr);

    int destination() const { return m_destination; } // 0 own, 1 default, 2 a file chosen
    QComboBox *combo() const { return m_combo; }
    QPushButton *button() const { return m_button; }
    QString buttonHint() const;

Q_SIGNALS:
    void okAndSave();

private:
    void updateHint();

    int m_destination;
    bool m_named;
    QString m_presentationName, m_programBaseName;
    HintStyle m_style;
    QComboBox *m_combo;
    QPushButton *m_button;
};
