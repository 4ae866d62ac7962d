#pragma once

#include <QObject>

class HelpRequester;
class QAbstractButton;
class QDialogButtonBox;
class QPushButton;
class QWidget;

// The help of a dialog: its "Ajuda" button and its F1 key open the dialog's help context. The
// button stays disabled, and F1 does nothing, until help is given.
class DialogHelp : public QObject
{
    Q_OBJECT

public:
    // `button` belongs to `dialog`; both outlive this object, which `dialog` owns.
    DialogHelp(QWidget *dialog, QAbstractButton *button);

    // The requester must outlive the dialog; nullptr disables the help again.
    void setHelp(HelpRequester *help, int context);
    int context() const { return m_context; }
    QAbstractButton *button() const { return m_button; }

    // F1 anywhere in `window` presses `button` when it is enabled.
    static void bindHelpKey(QWidget *window, QAbstractButton *button);

private:
    QAbstractButton *m_button;
    HelpRequester *m_help = nullptr;
    int m_context = 0;
};

// The buttons of a dialog with help: "D'acord", "Cancel·la" and "Ajuda" (named BB_Help, returned
// in `helpButton` for a DialogHelp or a handler of the dialog's own). OK and Cancel are left for
// the dialog to connect.
QDialogButtonBox *okCancelHelpButtons(QWidget *dialog, QPushButton *&helpButton);
