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
    const auto make = [&](int i) {
        const auto slot = static_cast<std::size_t>(i % window);
        try {
            slots[slot].emplace(produce(i));
        } catch (...) {
            slots[slot].emplace(); // nothing a file holds may end the run: an empty result
        }
        ready[slot].store(i + 1, std::memory_order_release);
        ready[slot].notify_one();
    };
    std::vector<std::jthread> helpers;
    // However this ends, the helpers stop taking indexes before they are joined.
    struct Stop {
        std::atomic<bool> &stopped;
        std::atomic<int> &consumed;
        ~Stop()
        {
            stopped = true;
            consumed.fetch_add(1 << 30);
            consumed.notify_all();
        }
    };
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    const Stop stop{stopped, consumed};
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back([&] {
                for (int i = next++; i < count && !stopped; i = next++) {
                    for (int done = consumed.load(); i >= done + window && !stopped; done = consumed.load()) {
                        consumed.wait(done);
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
            // Wait on the value seen: waiting on a fresh load could wait on i + 1 itself, which
            // would never change again.
            const int seen = ready[slot].load(std::memory_order_acquire);
            if (seen != i + 1 && next.load() >= std::min(count, i + window)) {
                ready[slot].wait(seen, std::memory_order_acquire);
            }
        }
        Result result = std::move(*slots[slot]);
        slots[slot].reset();
        consumed.store(i + 1);
        consumed.notify_all();
        if (!consume(i, std::move(result))) {
            break;
        }
    }
}

} // namespace hangardeck::core

#endif
