#include "users/ui/UserDialogButtons.h"

#include "files/HelpRequester.h"
#include "files/ui/DialogHelp.h"
#include "users/UserNames.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QValidator>

namespace {

// Refuses, as they are typed or pasted, the characters a file name cannot hold.
class UserNameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return IsSafeUserName(input) || input.isEmpty() ? Acceptable : Invalid;
    }
};

} // namespace

QDialogButtonBox *userDialogButtons(QDialog *dialog, HelpRequester *help,
                                    const HelpContext *helpContext)
{
    QPushButton *helpButton = nullptr;
    QDialogButtonBox *buttons = okCancelHelpButtons(dialog, helpButton);
    helpButton->setEnabled(help != nullptr);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, [help, helpContext] {
        if (help)
            help->showHelpContext(helpNumber(*helpContext));
    });
    DialogHelp::bindHelpKey(dialog, helpButton);
    return buttons;
}

void installUserNameFilter(QLineEdit *edit)
{
    edit->setValidator(new UserNameValidator(edit));
}

void addToolButton(QHBoxLayout *row, QAction *action, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setDefaultAction(action);
    b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    row->addWidget(b);
}
