#include "users/ui/TFInstall.h"

#include "files/HelpRequester.h"
#include "files/Prompter.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The dialog's texts keep the program's CR LF line breaks; a label breaks at LF alone.
QString shown(const char16_t *text)
{
    return QString::fromUtf16(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

TFInstall::TFInstall(const ExamplesPlace &place, Prompter &prompter, HelpRequester *help,
                     QWidget *parent)
    : QDialog(parent), m_place(place), m_prompter(prompter), m_help(help)
{
    setObjectName(QStringLiteral("TFInstall"));
    setWindowTitle(QStringLiteral("Benvinguda i instal·lació d'exemples"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);

    QLabel *welcome = label(QStringLiteral("L_Welcome"),
                            QStringLiteral("Enhorabona de provar el programa"), this);
    QFont big = welcome->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    welcome->setFont(big);
    welcome->setAlignment(Qt::AlignCenter);
    layout->addWidget(welcome);

    layout->addWidget(label(
        QStringLiteral("L_Info"),
        shown(u"Inicialment el programa modifica els arxius de presentació dels exemples\r\n"
              u"(cal tenir el directori dels exemples copiat dins del directori del programa,\r\n"
              u"serà així si s'ha instal·lat correctament).\r\n"
              u"Això afectarà als arxius de presentació:\r\n"
              u"Arquitectura1 i 2, Banderes 1 i 2, Capitals, El Pacte, Endevina, \r\n"
              u"Esquelet1 i 2, Música Htm i Rtf, Ocells 1, 2 i 3, \r\n"
              u"Pres Vídeo, Fada i Símbols."),
        this));
    // Installed for every user, the examples are copied first to a folder the user can write.
    const QString where = QDir::toNativeSeparators(m_place.folder);
    QLabel *placeLabel = label(QStringLiteral("L_Place"),
                               m_place.source.isEmpty()
                                   ? QStringLiteral("Els exemples són a:\n%1").arg(where)
                                   : QStringLiteral("Els exemples es copiaran a:\n%1").arg(where),
                               this);
    placeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(placeLabel);
    QLabel *message = label(QStringLiteral("L_Message"),
                            shown(u"Aquest missatge no apareixerà ja més\r\n"
                                  u"un cop hàgiu premut Fer-ho.\r\n"
                                  u"Recordeu de prémer F1 per les ajudes."),
                            this);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    layout->addWidget(message);

    m_install = new QPushButton(QStringLiteral("Fer-ho"), this);
    m_install->setObjectName(QStringLiteral("BB_Install"));
    m_install->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_install);
    row->addStretch(1);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_install, &QPushButton::clicked, this, [this] {
        install();
        accept();
    });
}

bool TFInstall::install()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Fallible<void> done = installSamples(m_place);
    QApplication::restoreOverrideCursor();
    if (!done.ok()) {
        m_prompter.ShowError(done.error());
        return false;
    }
    if (recordInstalled && !recordInstalled())
        return false;
    m_installed = true;
    m_prompter.ShowInfo(QStringLiteral("Ja està"));
    return true;
}

void TFInstall::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && m_help) {
        m_help->showHelpTopic(QStringLiteral("exemples"));
        return;
    }
    QDialog::keyPressEvent(event);
}
