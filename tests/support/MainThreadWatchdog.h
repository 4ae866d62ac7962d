#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Ends the test program when the test's own loop stops coming round: a test that calls beat()
// each time round and then blocks for good inside a library (a media backend's deadlock) would
// otherwise wait for the test library's watchdog, minutes or hours later, with nothing said. Here
// the program says what stalled and aborts, so the crash handler prints every thread's stack.
class MainThreadWatchdog
{
public:
    MainThreadWatchdog(std::chrono::milliseconds limit, const char *what)
        : m_limit(limit), m_what(what), m_last(Clock::now().time_since_epoch().count()),
          m_thread([this] { watch(); })
    {}

    ~MainThreadWatchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    MainThreadWatchdog(const MainThreadWatchdog &) = delete;
    MainThreadWatchdog &operator=(const MainThreadWatchdog &) = delete;

    void beat() { m_last.store(Clock::now().time_since_epoch().count()); }

private:
    using Clock = std::chrono::steady_clock;

    void watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            m_wake.wait_for(lock, std::chrono::milliseconds(200));
            const auto since = Clock::now() - Clock::time_point(Clock::duration(m_last.load()));
            if (!m_done && since > m_limit) {
                std::fprintf(
                    stderr, "FAIL: %s: no progress for %lld ms\n", m_what.constData(),
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(since).count()));
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    const std::chrono::milliseconds m_limit;
    const QByteArray m_what;
    std::atomic<Clock::rep> m_last;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread; // last: started once the rest is ready
};
