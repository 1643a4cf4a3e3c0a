// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DIRECTORYSEARCH_H
#define HANGARDECK_CORE_DIRECTORYSEARCH_H

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// A mount of one of the kernel's pseudo file systems, which the search never enters.
struct PseudoFileSystemMount {
    std::uint64_t device = 0; // the st_dev of what lies on it
    std::string mountPoint;   // its path, octal escapes such as \040 undone
};

// The mounts of pseudo file systems (proc, sysfs, devtmpfs, cgroup and the like) in the text of
// /proc/self/mountinfo, one line per mount:
//   22 27 0:21 / /proc rw,relatime - proc proc rw
std::vector<PseudoFileSystemMount> pseudoFileSystemMounts(std::string_view mountinfo);

} // namespace hangardeck::core

#endif
