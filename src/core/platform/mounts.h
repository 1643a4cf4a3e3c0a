// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_MOUNTS_H
#define HANGARDECK_CORE_MOUNTS_H

#include <cstdint>
#include <string>

namespace hangardeck::core {

// The text of the process's mount table (/proc/self/mountinfo), empty where there is none.
std::string readMountTable();

// The device number a folder on the file system with these numbers reports
// (FolderHandle::device), as the mount table writes it: "major:minor".
std::uint64_t deviceNumber(unsigned long major, unsigned long minor);

} // namespace hangardeck::core

#endif
