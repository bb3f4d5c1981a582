// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/ParallelJobs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

bool RunInParallel(std::size_t count, const std::function<void(std::size_t)>& job, const ProgressFunction& progress,
                   const QString& what, qint64 doneBefore, qint64 total)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::size_t done = 0;
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable changed;
    const auto work = [&] {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= count || stop.load())
                return;
            try {
                job(i);
            } catch (...) {
                const std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
            const std::lock_guard lock(mutex);
            ++done;
            changed.notify_one();
        }
    };
    const unsigned workers = std::max(1u, std::min<unsigned>(std::thread::hardware_concurrency(), unsigned(std::min<std::size_t>(count, 64))));
    bool cancelled = false;
    {
        std::vector<std::jthread> threads;
        for (unsigned t = 0; t < workers; ++t)
            threads.emplace_back(work);
        // The caller's thread only reports: a window stays answerable and
        // its Cancel is seen within a tenth of a second.
        std::unique_lock lock(mutex);
        for (;;) {
            const bool finished = done >= count || stop.load();
            const std::size_t now = done;
            if (progress) {
                lock.unlock();
                const bool goOn = progress(what, doneBefore + qint64(now), total);
                lock.lock();
                if (!goOn) {
                    cancelled = true;
                    stop = true;
                }
            }
            if (finished || cancelled)
                break;
            changed.wait_for(lock, std::chrono::milliseconds(100));
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}
