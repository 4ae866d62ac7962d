#include "media/PicturePrefetcher.h"

#include <utility>

PicturePrefetcher::PicturePrefetcher() : m_worker([this] { work(); }) {}

PicturePrefetcher::~PicturePrefetcher()
{
    {
        std::lock_guard lock(m_queueMutex);
        m_quit = true;
        m_queued.reset();
    }
    m_queueChanged.notify_all();
    m_worker.join(); // after the decoding in progress, if any
}

void PicturePrefetcher::work()
{
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_queueMutex);
            m_queueChanged.wait(lock, [this] { return m_quit || m_queued; });
            if (m_quit)
                return;
            job = std::exchange(m_queued, nullptr);
        }
        PreparedPicture result;
        try {
            result = prepare(job->path, job->decodeTarget, job->planner);
        } catch (...) {
            // Out of memory on a huge picture: an empty result, decoded again (and reported)
            // when it is shown.
            result = PreparedPicture{};
        }
        {
            std::lock_guard lock(job->mutex);
            job->result = std::move(result);
            job->done = true;
        }
        job->finished.notify_all();
    }
}

void PicturePrefetcher::waitFor(Job &job)
{
    std::unique_lock lock(job.mutex);
    job.finished.wait(lock, [&job] { return job.done; });
}

PreparedPicture PicturePrefetcher::prepare(const QString &path, QSize decodeTarget,
                                           const Planner &planner)
{
    PreparedPicture out;
    out.picture = LoadSlidePicture(path, decodeTarget);
    const QImage &img = out.picture.image;
    // Animations and metafiles are drawn frame by frame or anew; only stills are scaled ahead.
    if (!img.isNull() && out.picture.frames.size() <= 1 && !out.picture.metafile && planner) {
        const QSize natural =
            out.picture.naturalSize.isValid() ? out.picture.naturalSize : img.size();
        const QSize drawn = planner(natural);
        if (drawn.isValid() && !drawn.isEmpty() && drawn != img.size() &&
            qint64(drawn.width()) * drawn.height() <= qint64(img.width()) * img.height() * 4)
            out.prescaled = img.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return out;
}

void PicturePrefetcher::prefetch(const QString &path, QSize decodeTarget, Planner planner)
{
    if (path.isEmpty() || has(path))
        return;
    auto job = std::make_shared<Job>();
    job->path = path;
    job->decodeTarget = decodeTarget;
    job->planner = std::move(planner);
    m_current = job;
    {
        std::lock_guard lock(m_queueMutex);
        m_queued = std::move(job);
    }
    m_queueChanged.notify_one();
}

std::optional<PreparedPicture> PicturePrefetcher::take(const QString &path)
{
    if (!has(path))
        return std::nullopt;
    const std::shared_ptr<Job> job = std::exchange(m_current, nullptr);
    bool started = true;
    {
        std::lock_guard lock(m_queueMutex);
        if (m_queued == job) {
            m_queued.reset();
            started = false;
        }
    }
    if (!started) {
        // Still behind a picture asked for earlier: decoded here rather than after it.
        try {
            return prepare(job->path, job->decodeTarget, job->planner);
        } catch (...) {
            return PreparedPicture{};
        }
    }
    waitFor(*job);
    std::lock_guard lock(job->mutex);
    return std::move(job->result);
}

void PicturePrefetcher::wait()
{
    if (m_current)
        waitFor(*m_current);
}
