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

} // namespace hangardeck::core
