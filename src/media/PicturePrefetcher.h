#pragma once

#include "media/SlidePicture.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// A picture decoded ahead of time, with a copy already scaled to the size it will be drawn at.
struct PreparedPicture
{
    SlidePicture picture;
    QImage prescaled; // null when the drawn size was not known or equals the picture's
};

// Decodes the next slide's picture on a worker thread while the current one is shown, so that
// stepping on only has to paint. The worker is a thread of ours, and every hand-over between it
// and the caller goes through the mutexes here (never through a library's queue), so that the
// thread checker sees each one.
class PicturePrefetcher
{
public:
    // Tells, from the decoded picture's natural size, the device size it will be drawn at.
    using Planner = std::function<QSize(QSize natural)>;

    PicturePrefetcher();
    ~PicturePrefetcher();
    PicturePrefetcher(const PicturePrefetcher &) = delete;
    PicturePrefetcher &operator=(const PicturePrefetcher &) = delete;

    // Starts decoding `path` (replacing the picture prepared before unless it is the same file;
    // a replaced one not started yet is dropped).
    void prefetch(const QString &path, QSize decodeTarget, Planner planner);
    // The picture prepared for `path`, waiting for its decoding to end; std::nullopt when none
    // was started for that file. The prepared picture is handed over once.
    std::optional<PreparedPicture> take(const QString &path);
    bool has(const QString &path) const { return m_current && m_current->path == path; }
    // Waits until the decoding of the picture asked for last has ended.
    void wait();

    // Decodes and scales on the calling thread (what the worker runs).
    static PreparedPicture prepare(const QString &path, QSize decodeTarget, const Planner &planner);

private:
    struct Job
    {
        QString path;
        QSize decodeTarget;
        Planner planner;
        std::mutex mutex; // guards `done` and `result`
        std::condition_variable finished;
        bool done = false;
        PreparedPicture result;
    };

    void work();
    static void waitFor(Job &job);

    std::shared_ptr<Job> m_current; // the caller's: the picture asked for last

    std::mutex m_queueMutex; // guards `m_queued` and `m_quit`
    std::condition_variable m_queueChanged;
    std::shared_ptr<Job> m_queued;
    bool m_quit = false;
    std::thread m_worker; // last: started once the rest is ready
};
