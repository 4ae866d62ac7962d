#include "files/ui/BranchJob.h"

#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace {
// A job that ends sooner shows no progress window at all.
constexpr int ProgressDelayMs = 400;
} // namespace

BranchJob::BranchJob(QWidget *owner, const QString &what, Work work, std::function<void()> done)
    : m_owner(owner), m_what(what), m_done(std::move(done))
{
    m_thread = QThread::create([this, w = std::move(work)] { w(m_cancel, m_count); });
    connect(m_thread, &QThread::finished, this, &BranchJob::finish, Qt::QueuedConnection);
    m_tick = new QTimer(this);
    m_tick->setInterval(100);
    connect(m_tick, &QTimer::timeout, this, &BranchJob::showProgress);
    QTimer::singleShot(ProgressDelayMs, this, [this] {
        if (running())
            m_tick->start();
    });
    m_thread->start();
}

BranchJob::~BranchJob()
{
    m_cancel = true;
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
    delete m_progress;
}

void BranchJob::cancel()
{
    m_cancel = true;
}

bool BranchJob::running() const
{
    return m_thread && !m_thread->isFinished();
}

void BranchJob::showProgress()
{
    if (!running())
        return;
    if (!m_progress) {
        m_progress = new QProgressDialog(m_owner);
        if (m_owner)
            m_progress->setWindowTitle(m_owner->window()->windowTitle());
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setRange(0, 0);
        m_progress->setCancelButtonText(QStringLiteral("Cancel·la"));
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        connect(m_progress, &QProgressDialog::canceled, this, &BranchJob::cancel);
        m_progress->show();
    }
    m_progress->setLabelText(QStringLiteral("%1\nLlegits: %2").arg(m_what).arg(m_count.load()));
}

void BranchJob::finish()
{
    m_tick->stop();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
    if (!m_cancel && m_owner && m_done)
        m_done();
    Q_EMIT over();
}
