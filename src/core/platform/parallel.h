// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PARALLEL_H
#define HANGARDECK_CORE_PARALLEL_H

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <system_error>
#include <thread>
#include <vector>

namespace hangardeck::core {

// How many threads read an aircraft directory: `requested`, or with 0 twice as many as the
// machine has cores, 8 to 16; never more than there are items.
int readerThreadCount(int requested, int items);

// Runs first on another thread and second on this one, and returns when both are done; one
// after the other when no thread can be had.
void runBoth(const std::function<void()> &first, const std::function<void()> &second);

// A thread of its own for work whose newest request is the only one wanted: the picture walk
// and the picture decoding of the selected aircraft. Each job runs to its end or until a newer
// job (or the worker's end) asks it to stop through its token; a job waiting behind the running
// one is dropped when a newer one comes. The calling thread never waits for a job, except when
// the worker ends: it then waits for the running job to see its token.
class LatestJobWorker final
{
public:
    using Job = std::function<void(std::stop_token stop)>;

    LatestJobWorker() = default;
    ~LatestJobWorker();
    LatestJobWorker(const LatestJobWorker &) = delete;
    LatestJobWorker &operator=(const LatestJobWorker &) = delete;

    // Asks the running job to stop and runs job after it. Without a thread to be had the job
    // runs here, at once.
    void run(Job job);
    // Asks the running job to stop and drops a waiting one.
    void stop();

private:
    void loop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_waiting;
    std::stop_source m_running{std::nostopstate};
    bool m_ending = false;
    std::thread m_thread; // last: it starts once everything it uses is there
};

// Wakes the threads waiting for a change that a condition tells. On Linux an atomic's wait and
// notify sit on a futex and cost next to nothing. Elsewhere (Windows' libstdc++ 12) such a
// wake-up can be lost and the wait last forever, so a mutex and a condition variable carry it.
class WakeUp final
{
public:
    // Call after the change is made.
    void notify()
    {
#ifdef __linux__
        m_changes.fetch_add(1);
        m_changes.notify_all();
#else
        {
            const std::lock_guard lock(m_mutex); // orders the wake-up after a waiter's test
        }
        m_changed.notify_all();
#endif
    }
    template <typename Condition> void waitUntil(Condition &&condition)
    {
#ifdef __linux__
        // A change made after the count was read changes the count: the wait ends at once.
        for (unsigned seen = m_changes.load(); !condition(); seen = m_changes.load()) {
            m_changes.wait(seen);
        }
#else
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, condition);
#endif
    }

private:
#ifdef __linux__
    std::atomic<unsigned> m_changes{0};
#else
    std::mutex m_mutex;
    std::condition_variable m_changed;
#endif
};

// Produces a result for each index from 0 to count - 1 on up to `threads` threads, this one
// among them, and hands the results to consume(i, result) on this thread in the order of i, so
// that what comes out is the same for any number of threads. This thread produces too whenever
// the next result is not there yet, so it seldom sleeps. At most `window` results are made
// ahead of the one consumed: memory stays bounded however slowly consume goes. consume returns
// false to stop; no result is started after that.
template <typename Result, typename Produce, typename Consume>
void produceInOrder(int count, int threads, int window, Produce &&produce, Consume &&consume)
{
    if (count <= 0) {
        return;
    }
    window = std::clamp(window, 1, count);
    threads = std::clamp(threads, 1, count);
    std::vector<std::optional<Result>> slots(static_cast<std::size_t>(window));
    // ready[s] holds i + 1 once result i lies in slot s = i % window.
    std::vector<std::atomic<int>> ready(static_cast<std::size_t>(window));
    std::atomic<int> next{0};
    std::atomic<int> consumed{0};
    std::atomic<bool> stopped{false};
    WakeUp madeOne;     // a result is ready
    WakeUp consumedOne; // the window moved on, or the run stopped
    const auto make = [&](int i) {
        const auto slot = static_cast<std::size_t>(i % window);
        try {
            slots[slot].emplace(produce(i));
        } catch (...) {
            slots[slot].emplace(); // nothing a file holds may end the run: an empty result
        }
        ready[slot].store(i + 1, std::memory_order_release);
        madeOne.notify();
    };
    std::vector<std::jthread> helpers;
    // However this ends, the helpers stop taking indexes before they are joined.
    struct Stop {
        std::atomic<bool> &stopped;
        WakeUp &consumedOne;
        ~Stop()
        {
            stopped = true;
            consumedOne.notify();
        }
    };
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    const Stop stop{stopped, consumedOne};
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back([&] {
                for (int i = next++; i < count && !stopped; i = next++) {
                    if (i >= consumed.load() + window) {
                        consumedOne.waitUntil([&] { return stopped || i < consumed.load() + window; });
                    }
                    if (stopped) {
                        return;
                    }
                    make(i);
                }
            });
        } catch (const std::system_error &) {
            break; // the threads there are, this one included, make every result
        }
    }
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i % window);
        while (ready[slot].load(std::memory_order_acquire) != i + 1) {
            int n = next.load();
            if (n < count && n < i + window && next.compare_exchange_weak(n, n + 1)) {
                make(n);
                continue;
            }
            // Nothing left to make here: a helper is making result i.
            if (next.load() >= std::min(count, i + window)) {
                madeOne.waitUntil([&] { return ready[slot].load(std::memory_order_acquire) == i + 1; });
            }
        }
        Result result = std::move(*slots[slot]);
        slots[slot].reset();
        consumed.store(i + 1);
        consumedOne.notify();
        if (!consume(i, std::move(result))) {
            break;
        }
    }
}

} // namespace hangardeck::core

#endif
