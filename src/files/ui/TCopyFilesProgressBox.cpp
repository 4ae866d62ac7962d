#include "files/ui/TCopyFilesProgressBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TCopyFilesProgressBox::TCopyFilesProgressBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TCopyFilesProgressBox"));
    auto *panel = new QGridLayout;
    auto *from = new QLabel(QStringLiteral("De:"), this);
    auto *to = new QLabel(QStringLiteral("A:"), this);
    m_source = new QLabel(this);
    m_target = new QLabel(this);
    m_source->setObjectName(QStringLiteral("LB_Source"));
    m_target->setObjectName(QStringLiteral("LB_Target"));
    for (QLabel *l : {m_source, m_target}) {
        l->setTextFormat(Qt::PlainText);
        l->setMinimumWidth(300);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    panel->addWidget(from, 0, 0);
    panel->addWidget(m_source, 0, 1);
    panel->addWidget(to, 1, 0);
    panel->addWidget(m_target, 1, 1);
    panel->setColumnStretch(1, 1);

    m_fileGauge = new QProgressBar(this);
    m_totalGauge = new QProgressBar(this);
    m_fileGauge->setObjectName(QStringLiteral("GG_File"));
    m_totalGauge->setObjectName(QStringLiteral("GG_Total"));
    for (QProgressBar *g : {m_fileGauge, m_totalGauge}) {
        g->setRange(0, 100);
        g->setValue(0);
    }
    m_cancel = new QPushButton(QStringLiteral("Cancel·la"), this);
    m_cancel->setObjectName(QStringLiteral("BB_Cancel"));
    connect(m_cancel, &QPushButton::clicked, this, &TCopyFilesProgressBox::cancelRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *top = new QVBoxLayout(this);
    top->addLayout(panel);
    top->addWidget(m_fileGauge);
    top->addWidget(m_totalGauge);
    top->addLayout(buttons);

    // Large dialog fonts on a narrow screen: grow the window as the layout of the original
    // dialog units would.
    const QScreen *screen = QApplication::primaryScreen();
    const int sample = QFontMetrics(font()).horizontalAdvance(
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    QSize base(420, 150);
    if (screen && screen->geometry().width() == 800 && sample == 405)
        base = QSize(int(base.width() * 1.25387), base.height() * 16 / 13);
    resize(base.expandedTo(sizeHint()));
}

QString TCopyFilesProgressBox::displayName(const QString &name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('\n'))
            out += QChar(0x21B5); // ↵
        else if (c.category() == QChar::Other_Control)
            out += QChar(0xFFFD);
        else
            out += c;
    }
    return out;
}

void TCopyFilesProgressBox::setFiles(const QString &source, const QString &target)
{
    m_sourceName = displayName(source);
    m_targetName = displayName(target);
    showNames();
    m_fileGauge->setValue(0);
}

void TCopyFilesProgressBox::showNames()
{
    const QFontMetrics fm(m_source->font());
    const int width = std::max(m_source->width(), 100);
    m_source->setText(fm.elidedText(m_sourceName, Qt::ElideMiddle, width));
    m_target->setText(fm.elidedText(m_targetName, Qt::ElideMiddle, width));
    m_source->setToolTip(m_sourceName);
    m_target->setToolTip(m_targetName);
}

QString TCopyFilesProgressBox::sourceText() const
{
    return m_sourceName;
}

QString TCopyFilesProgressBox::targetText() const
{
    return m_targetName;
}

void TCopyFilesProgressBox::setFilePercent(int percent)
{
    m_fileGauge->setValue(percent);
}

void TCopyFilesProgressBox::setTotalPercent(int percent)
{
    m_totalGauge->setValue(percent);
}

void TCopyFilesProgressBox::reject()
{
    Q_EMIT cancelRequested();
}

void TCopyFilesProgressBox::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    showNames();
}
