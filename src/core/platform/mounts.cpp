// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/mounts.h"

#include <QtGlobal>

#include <fstream>
#include <iterator>

#ifdef Q_OS_UNIX
#include <sys/sysmacros.h>
#include <sys/types.h>
#endif

namespace hangardeck::core {

std::string readMountTable()
{
#ifdef Q_OS_LINUX
    // A pseudo file: its size reads as 0, so it is read to its end rather than by its size.
    std::ifstream file("/proc/self/mountinfo");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
#else
    return {};
#endif
}

std::uint64_t deviceNumber(unsigned long major, unsigned long minor)
{
#ifdef Q_OS_UNIX
    return std::uint64_t(makedev(major, minor));
#else
    return (std::uint64_t(major) << 32) | minor;
#endif
}

} // namespace hangardeck::core
