// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DIRECTORYSEARCH_H
#define HANGARDECK_CORE_DIRECTORYSEARCH_H

#include <filesystem>
#include <functional>

namespace hangardeck::core {

// What the search for aircraft directories reports, on the calling thread, in walk order.
struct DirectorySearchCallbacks {
    // A directory whose name holds "aircraft" (without regard to case) was found: its full
    // path, the start as given joined with "/" and the names below it, no trailing separator.
    std::function<void(const std::filesystem::path &found)> found;
    // Called once per directory searched, the start included; return false to stop the
    // search before the next directory.
    std::function<bool()> searched;
};

// The depth-first walk below a start directory: a folder's entries in name order without
// regard to case; "." and ".." never entered; a directory whose name holds "learn",
// "hangardeck", "sdk" or "documents" (without regard to case, tested first) neither listed
// nor entered; one whose name holds "aircraft" listed and still entered; the start itself
// never tested or listed; hidden directories searched; an unreadable, vanished or too long
// path contributes nothing. Links to directories are never followed and the kernel's pseudo
// file systems (/proc, /sys, /dev, /run and any mount of type proc, sysfs, devtmpfs, cgroup
// and the like) never entered, so a search from "/" ends. Returns false when stopped.
bool searchAircraftDirectories(const std::filesystem::path &start, const DirectorySearchCallbacks &callbacks);

} // namespace hangardeck::core

#endif
