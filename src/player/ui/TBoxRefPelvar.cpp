#include "player/ui/TBoxRefPelvar.h"

#include "player/ProgramCredits.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString escaped(const char *utf8)
{
    return QString::fromUtf8(utf8).toHtmlEscaped();
}

} // namespace

TBoxRefPelvar::TBoxRefPelvar(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TBoxRefPelvar"));
    setWindowTitle(QStringLiteral("Referència"));

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto *name = new QLabel(QStringLiteral("Pelvar"), this);
    name->setObjectName(QStringLiteral("L_Name"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    m_version =
        new QLabel(QStringLiteral("Versió %1 (Qt %2)")
                       .arg(QStringLiteral(PELVAR_VERSION), QString::fromLatin1(qVersion())),
                   this);
    m_version->setObjectName(QStringLiteral("L_Version"));
    auto *description = new QLabel(ProgramDescription(), this);
    description->setObjectName(QStringLiteral("L_Description"));
    description->setWordWrap(true);

    QString html = QStringLiteral("<p>Aquest programa fa servir:</p><table cellpadding=\"2\">");
    for (const CreditedLibrary &lib : creditedLibraries())
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(escaped(lib.name), escaped(lib.licence));
    html += QStringLiteral("</table>");
    m_licences = new QTextBrowser(this);
    m_licences->setObjectName(QStringLiteral("RE_Licences"));
    m_licences->setHtml(html);
    m_licences->setMinimumSize(420, 170);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("D'acord"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(m_version);
    texts->addWidget(description);
    head->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_licences, 1);
    layout->addWidget(buttons);
}
