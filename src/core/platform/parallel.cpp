// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/parallel.h"

namespace hangardeck::core {

int readerThreadCount(int requested, int items)
{
    if (requested <= 0) {
        // Readers mostly wait for the disk when the files are not cached: a few more readers
        // than cores keep it busy (eight read a cold collection about three times faster than
        // two on a two-core machine), and cost little when the files are cached.
        requested = std::clamp(2 * int(std::thread::hardware_concurrency()), 8, 16);
    }
    return std::clamp(requested, 1, std::max(1, items));
}

void runBoth(const std::function<void()> &first, const std::function<void()> &second)
{
    std::jthread other;
    try {
        other = std::jthread(first);
    } catch (const std::system_error &) {
        first(); // no thread to be had: one after the other
    }
    second();
}

LatestJobWorker::~LatestJobWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
        m_waiting.reset();
        m_running.request_stop();
    }
    m_wake.notify_one();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void LatestJobWorker::run(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_running.request_stop();
        m_waiting = std::move(job);
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread([this] { loop(); });
            } catch (const std::system_error &) {
                // No thread to be had: the job runs below, on this thread.
            }
        }
    }
    if (m_thread.joinable()) {
        m_wake.notify_one();
        return;
    }
    std::optional<Job> here;
    {
        const std::lock_guard lock(m_mutex);
        here.swap(m_waiting);
    }
    if (here) {
        (*here)(std::stop_token());
    }
}

void LatestJobWorker::stop()
{
    const std::lock_guard lock(m_mutex);
    m_running.request_stop();
    m_waiting.reset();
}

void LatestJobWorker::loop()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_ending || m_waiting; });
        if (m_ending) {
            return;
        }
        Job job = std::move(*m_waiting);
        m_waiting.reset();
        m_running = std::stop_source();
        const std::stop_token token = m_running.get_token();
        lock.unlock();
        try {
            job(token);
        } catch (...) {
            // Nothing a file holds may end the worker: the job's result is lost, not the thread.
        }
        job = nullptr; // what the job holds goes before the next one starts
        lock.lock();
    }
}

} // namespace hangardeck::core
