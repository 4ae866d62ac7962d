#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Work on a branch of folders (reading it whole, measuring it) run on a thread of its own, so
// that the window keeps answering. When the work lasts, a progress window counts the folders
// done and offers to cancel it. `done` runs on the owner's thread afterwards, unless the work was
// cancelled; `over()` is emitted in every case.
class BranchJob : public QObject
{
    Q_OBJECT

public:
    using Work = std::function<void(const std::atomic_bool &cancel, std::atomic<qint64> &count)>;

    BranchJob(QWidget *owner, const QString &what, Work work, std::function<void()> done);
    // Cancels work still running and waits for its thread.
    ~BranchJob() override;

    void cancel();
    bool cancelled() const { return m_cancel.load(); }
    bool running() const;

Q_SIGNALS:
    void over();

private:
    void finish();
    void showProgress();

    QPointer<QWidget> m_owner;
    QString m_what;
    std::function<void()> m_done;
    std::atomic_bool m_cancel{false};
    std::atomic<qint64> m_count{0};
    QThread *m_thread = nullptr;
    QProgressDialog *m_progress = nullptr;
    QTimer *m_tick = nullptr;
};
