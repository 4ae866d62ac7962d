#include "editors/ui/TFMakeSalIni.h"

#include "files/HelpContexts.h"

#include <QAction>

TFMakeSalIni::TFMakeSalIni(EditorServices &services, Group group, const QStringList &lines,
                           bool addTitle, QWidget *parent)
    : TFEditSAL0(services, parent), m_group(group), m_addTitle(addTitle && lines.isEmpty())
{
    setObjectName(QStringLiteral("TFMakeSalIni"));
    setWindowTitle(QStringLiteral("Assignació de %1 diapositiva/es")
                       .arg(group == Group::First ? QStringLiteral("la primera/es")
                                                  : QStringLiteral("l'última/es")));
    slideRows().firstRowRule = group == Group::First;
    loadLines(lines, 0);
}

int TFMakeSalIni::helpContext() const
{
    return helpNumber(m_group == Group::First ? HelpContext::FirstAccessorySlides
                                              : HelpContext::LastAccessorySlides);
}

void TFMakeSalIni::showEvent(QShowEvent *event)
{
    TFEditSAL0::showEvent(event);
    if (m_addTitle) {
        m_addTitle = false;
        slideRows().addTitleRow(false);
    }
}
