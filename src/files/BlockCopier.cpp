#include "files/BlockCopier.h"

#include "files/CopyMovePlan.h"

void CopyControl::setPaused(bool paused)
{
    {
        std::lock_guard lock(m_mutex);
        m_paused = paused;
    }
    m_wake.notify_all();
}

void CopyControl::requestAbort()
{
    {
        std::lock_guard lock(m_mutex);
        m_abort = true;
    }
    m_wake.notify_all();
}

bool CopyControl::mayContinue()
{
    if (!m_paused.load())
        return !m_abort.load();
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_paused.load() || m_abort.load(); });
    return !m_abort.load();
}

CopyResult BlockCopier::copy(const QString &source, const QString &target,
                             const QDateTime &sourceTime, Durability durability)
{
    const auto failed = [](const QString &message) {
        return CopyResult{CopyOutcome::Failed, message};
    };
    Fallible<int> in = m_ops.openForReading(source);
    if (!in.ok())
        return failed(QStringLiteral("No es pot obrir: '%1'").arg(source));
    const qint64 size = m_ops.handleSize(in.value());

    const QString temp = temporaryTargetName(target);
    // A temporary file of ours left by a copy that was killed.
    if (m_ops.exists(temp) && !m_ops.isFolder(temp))
        (void)m_ops.remove(temp);
    Fallible<int> out = m_ops.createNew(temp);
    if (!out.ok()) {
        m_ops.close(in.value());
        return failed(QStringLiteral("No es pot crear '%1'").arg(target));
    }
    const auto abandon = [&](CopyResult result) {
        m_ops.close(out.value());
        (void)m_ops.remove(temp);
        m_ops.close(in.value());
        return result;
    };

    qint64 done = 0;
    for (;;) {
        if (!m_control.mayContinue())
            return abandon({CopyOutcome::Cancelled, QString()});
        const BlockResult block = m_ops.copyBlock(in.value(), out.value(), blockBytes);
        switch (block.fault) {
        case CopyFault::None: break;
        case CopyFault::DiskFull:
            return abandon(
                failed(QStringLiteral("No hi ha prou espai pel dispositiu de destí per: '%1'")
                           .arg(source)));
        case CopyFault::ReadFailed:
            return abandon(
                failed(QStringLiteral("No es pot llegir '%1': %2").arg(source, block.reason)));
        case CopyFault::WriteFailed:
            return abandon(
                failed(QStringLiteral("No es pot escriure '%1': %2").arg(target, block.reason)));
        }
        if (block.bytes == 0)
            break;
        done += block.bytes;
        if (onProgress)
            onProgress(done, size);
    }

    // The copy counts only when it holds every byte the source had when it was opened.
    if (done != size || m_ops.handleSize(out.value()) != size ||
        m_ops.handleSize(in.value()) != size)
        return abandon(
            failed(QStringLiteral("La còpia de '%1' no té la mida de l'original").arg(source)));
    if (durability == Durability::OnDisk && !m_ops.flushToDisk(out.value()))
        return abandon(failed(QStringLiteral("No es pot escriure '%1'").arg(target)));
    m_ops.close(out.value());
    m_ops.close(in.value());
    (void)m_ops.setModified(temp, sourceTime);

    if (!m_control.mayContinue()) {
        (void)m_ops.remove(temp);
        return {CopyOutcome::Cancelled, QString()};
    }
    const bool replacing = m_ops.exists(target);
    if (!m_ops.renameReplacing(temp, target)) {
        (void)m_ops.remove(temp);
        return failed(replacing ? QStringLiteral("No s'ha pogut esborrar '%1'").arg(target)
                                : QStringLiteral("No es pot crear '%1'").arg(target));
    }
    return {CopyOutcome::Done, QString()};
}
