#pragma once

#include "media/SlidePicture.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <future>
#include <optional>

// A picture decoded ahead of time, with a copy already scaled to the size it will be drawn at.
struct PreparedPicture
{
    SlidePicture picture;
    QImage prescaled; // null when the drawn size was not known or equals the picture's
};

// Decodes the next slide's picture on a worker thread while the current one is shown, so that
// stepping on only has to paint.
class PicturePrefetcher
{
public:
    // Tells, from the decoded picture's natural size, the device size it will be drawn at.
    using Planner = std::function<QSize(QSize natural)>;

    PicturePrefetcher();
    ~PicturePrefetcher();
    PicturePrefetcher(const PicturePrefetcher &) = delete;
    PicturePrefetcher &operator=(const PicturePrefetcher &) = delete;

    // Starts decoding `path` (replacing the picture prepared before unless it is the same file).
    void prefetch(const QString &path, QSize decodeTarget, Planner planner);
    // The picture prepared for `path`, waiting for its decoding to end; std::nullopt when none
    // was started for that file. The prepared picture is handed over once.
    std::optional<PreparedPicture> take(const QString &path);
    bool has(const QString &path) const { return m_path == path && m_future.valid(); }
    // Waits until the decoding in progress has ended.
    void wait();

    // Decodes and scales on the calling thread (what the worker runs).
    static PreparedPicture prepare(const QString &path, QSize decodeTarget, const Planner &planner);

private:
    QThreadPool m_pool;
    QString m_path;
    std::shared_future<PreparedPicture> m_future;
};
