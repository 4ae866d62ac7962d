#include "presentation/ui/TFPresentErrors.h"

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString withLineBreaks(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

TFPresentErrors::TFPresentErrors(QWidget *parent) : TFPresentRxRichEdit(parent)
{
    setObjectName(QStringLiteral("TFPresentErrors"));
    setWindowTitle(QStringLiteral("Errors trobats"));
    richEdit()->setReadOnly(true);
    // A report is read, not written: only copying and selecting remain of the edit commands.
    for (const char *name : {"A_E_Undo", "A_E_Cut", "A_E_Paste", "A_E_Clear"})
        action(QString::fromLatin1(name))->setVisible(false);

    // The text above, the two buttons on a panel below it.
    QWidget *text = takeCentralWidget();
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 0);
    buttons->addStretch(1);
    m_edit = new QPushButton(QStringLiteral("&Editar"), body);
    m_edit->setObjectName(QStringLiteral("BB_Edit"));
    m_changeDir = new QPushButton(QStringLiteral("&Refer"), body);
    m_changeDir->setObjectName(QStringLiteral("BB_ChangeDir"));
    m_changeDir->setToolTip(withLineBreaks(
        QStringLiteral("Si hi ha errors que són d'arxiu no trobat i\r\nsabeu que tots són al "
                       "mateix directori de la presentació\r\nels hi canvia el directori")));
    buttons->addWidget(m_edit);
    buttons->addWidget(m_changeDir);
    layout->addLayout(buttons);
    setCentralWidget(body);
    resize(560, 360);

    connect(m_edit, &QPushButton::clicked, this, [this] { finish(Result::Edit); });
    connect(m_changeDir, &QPushButton::clicked, this, [this] { finish(Result::Relocate); });
    // Esc closes it as the window's exit does.
    auto *escape = new QAction(this);
    escape->setObjectName(QStringLiteral("A_Escape"));
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WindowShortcut);
    addAction(escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
}

TFPresentErrors::~TFPresentErrors()
{
    if (m_loop)
        m_loop->quit();
}

void TFPresentErrors::setErrors(const QStringList &lines)
{
    setPlainText(withLineBreaks(lines.join(QLatin1Char('\n'))));
}

void TFPresentErrors::setEditAvailable(bool available, const QString &reason)
{
    m_edit->setEnabled(available);
    m_edit->setToolTip(available ? QString() : withLineBreaks(reason));
}

void TFPresentErrors::finish(Result result)
{
    m_result = result;
    close();
}

void TFPresentErrors::closeEvent(QCloseEvent *event)
{
    TFPresentRxRichEdit::closeEvent(event);
    if (event->isAccepted() && m_loop)
        m_loop->quit();
}

TFPresentErrors::Result TFPresentErrors::exec()
{
    m_result = Result::None;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    m_loop = &loop;
    const QPointer<TFPresentErrors> self(this);
    // Waits like a modal dialog until the window closes; it may be deleted meanwhile.
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return Result::None;
    m_loop = nullptr;
    return m_result;
}
