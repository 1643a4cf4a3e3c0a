// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_MOUNTS_H
#define HANGARDECK_CORE_MOUNTS_H

#include "core/platform/nativepath.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace hangardeck::core {

// The text of the process's mount table (/proc/self/mountinfo), empty where there is none.
std::string readMountTable();

// The device number a folder on the file system with these numbers reports
// (FolderHandle::device), as the mount table writes it: "major:minor".
std::uint64_t deviceNumber(unsigned long major, unsigned long minor);

// A mount of one of the kernel's pseudo file systems, which no walk enters.
struct PseudoFileSystemMount {
    std::uint64_t device = 0; // the st_dev of what lies on it
    std::string mountPoint;   // its path, octal escapes such as \040 undone
};

// The mounts of pseudo file systems (proc, sysfs, devtmpfs, cgroup and the like) in the text of
// /proc/self/mountinfo, one line per mount:
//   22 27 0:21 / /proc rw,relatime - proc proc rw
std::vector<PseudoFileSystemMount> pseudoFileSystemMounts(std::string_view mountinfo);

// Where a recursive walk from one start must not go: the kernel's own trees (/proc, /sys, /dev,
// /run right below "/") and any mount of a pseudo file system below the start. Walking them
// never ends, or blocks on a device, and never finds an add-on's file.
class PseudoFileSystems final
{
public:
    // Reads the mount table once for a walk from start (links in it followed).
    explicit PseudoFileSystems(const std::filesystem::path &start);

    // Whether a folder named so, depth levels below the start (1: the start's own entries), is
    // one of the kernel's trees by its name alone.
    bool excludesName(NativeNameView name, std::size_t depth) const;
    // Whether the walk must look up each folder's device: only where such a mount lies below
    // the start, so that a walk of a home folder costs no lookups.
    bool needsDevices() const { return m_pseudoBelow; }
    // Whether a folder on device, entered from a folder on parentDevice, lies on a pseudo file
    // system's mount.
    bool excludesDevice(std::uint64_t device, std::uint64_t parentDevice) const;
    // Whether a walk's start itself lies on one (a link to /proc).
    bool isPseudoDevice(std::uint64_t device) const;

private:
    std::vector<std::uint64_t> m_devices;
    bool m_pseudoBelow = false;
    bool m_atSystemRoot = false;
};

} // namespace hangardeck::core

#endif
