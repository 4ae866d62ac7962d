#include "options/ui/OptionsDialogParts.h"

#include "files/ui/DialogHelp.h"
#include "player/PresentationSession.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>

QDialogButtonBox *optionsButtons(QDialog *dialog, DialogHelp *&help)
{
    QPushButton *helpButton = nullptr;
    QDialogButtonBox *buttons = okCancelHelpButtons(dialog, helpButton);
    help = new DialogHelp(dialog, helpButton);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QSpinBox *numberEdit(QWidget *parent, const QString &name, int min, int max)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    return spin;
}

QCheckBox *namedCheck(QWidget *parent, const QString &name, const QString &caption, bool checked)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    return c;
}

QGroupBox *namedGroup(QWidget *parent, const QString &name, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

QString askConfigSavePath(QWidget *parent, const QString &current)
{
    QString chosen = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Desar %1").arg(QStringLiteral("una configuració de presentació")),
        current, QStringLiteral("Configuració de presentació (*.ini)"));
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".ini");
    return chosen;
}

void saveSettingsNow(PresentationSession &session, int destination,
                     const std::function<QString(const QString &current)> &chooseFile)
{
    session.SaveDestination = SaveDestination(destination);
    QString chosen;
    if (session.SaveDestination == SaveDestination::Chosen) {
        chosen = chooseFile ? chooseFile(session.presentationConfigPath()) : QString();
        if (chosen.isEmpty()) {
            session.SettingsModified = true;
            return;
        }
    }
    session.SettingsModified = !session.SaveNow(chosen);
}
