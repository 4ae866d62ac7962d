#include "media/PicturePrefetcher.h"

#include <memory>

PicturePrefetcher::PicturePrefetcher()
{
    m_pool.setMaxThreadCount(1);
}

PicturePrefetcher::~PicturePrefetcher()
{
    m_pool.waitForDone();
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
    if (path.isEmpty() || (m_path == path && m_future.valid()))
        return;
    auto promise = std::make_shared<std::promise<PreparedPicture>>();
    m_future = promise->get_future().share();
    m_path = path;
    m_pool.start([promise, path, decodeTarget, planner = std::move(planner)]() {
        try {
            promise->set_value(prepare(path, decodeTarget, planner));
        } catch (...) {
            // Out of memory on a huge picture: an empty result, decoded again (and reported)
            // when it is shown.
            promise->set_value(PreparedPicture{});
        }
    });
}

std::optional<PreparedPicture> PicturePrefetcher::take(const QString &path)
{
    if (path != m_path || !m_future.valid())
        return std::nullopt;
    PreparedPicture out = m_future.get();
    m_future = {};
    m_path.clear();
    return out;
}

void PicturePrefetcher::wait()
{
    if (m_future.valid())
        m_future.wait();
}
