// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/mounts.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/sysmacros.h>
#include <sys/types.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

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

namespace {

// The types whose mounts are the kernel's views of itself.
bool isPseudoType(std::string_view type)
{
    static constexpr std::array<std::string_view, 17> Types{
        "proc",   "sysfs", "devtmpfs", "devpts",  "cgroup", "cgroup2",   "securityfs", "debugfs",    "tracefs",
        "pstore", "bpf",   "configfs", "fusectl", "mqueue", "hugetlbfs", "autofs",     "binfmt_misc"};
    return std::find(Types.begin(), Types.end(), type) != Types.end();
}

// mountinfo writes a blank, tab, line feed and backslash of a path as \040, \011, \012, \134.
std::string unescapeMountPath(std::string_view text)
{
    std::string path;
    path.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                path.push_back(char((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        path.push_back(text[i]);
    }
    return path;
}

bool isNamed(NativeNameView name, std::string_view ascii)
{
    return std::equal(name.begin(), name.end(), ascii.begin(), ascii.end(), [](auto a, char b) {
        return unsigned(std::make_unsigned_t<decltype(a)>(a)) == unsigned(static_cast<unsigned char>(b));
    });
}

} // namespace

std::vector<PseudoFileSystemMount> pseudoFileSystemMounts(std::string_view mountinfo)
{
    std::vector<PseudoFileSystemMount> mounts;
    while (!mountinfo.empty()) {
        const std::size_t end = std::min(mountinfo.find('\n'), mountinfo.size());
        const std::string_view line = mountinfo.substr(0, end);
        mountinfo.remove_prefix(std::min(end + 1, mountinfo.size()));

        // Fields before " - ": id, parent id, major:minor, root, mount point, options, then
        // optional fields; after it the type.
        const std::size_t separator = line.find(" - ");
        if (separator == std::string_view::npos) {
            continue;
        }
        std::istringstream before{std::string(line.substr(0, separator))};
        std::istringstream after{std::string(line.substr(separator + 3))};
        std::string id, parent, device, root, mountPoint, type;
        if (!(before >> id >> parent >> device >> root >> mountPoint) || !(after >> type) || !isPseudoType(type)) {
            continue;
        }
        const std::size_t colon = device.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        char *majorEnd = nullptr;
        char *minorEnd = nullptr;
        const unsigned long major = std::strtoul(device.c_str(), &majorEnd, 10);
        const unsigned long minor = std::strtoul(device.c_str() + colon + 1, &minorEnd, 10);
        if (majorEnd != device.c_str() + colon || *minorEnd != '\0' || colon == 0) {
            continue;
        }
        mounts.push_back({deviceNumber(major, minor), unescapeMountPath(mountPoint)});
    }
    return mounts;
}

PseudoFileSystems::PseudoFileSystems(const fs::path &start)
{
    std::error_code error;
    const fs::path canonical = fs::canonical(start, error);
    if (error) {
        return;
    }
    const std::string text = canonical.string();
    m_atSystemRoot = canonical == canonical.root_path() && !canonical.has_root_name();
    const std::string below = text.back() == '/' ? text : text + '/';
    for (const PseudoFileSystemMount &mount : pseudoFileSystemMounts(readMountTable())) {
        m_devices.push_back(mount.device);
        if (mount.mountPoint.size() > below.size() && mount.mountPoint.compare(0, below.size(), below) == 0) {
            m_pseudoBelow = true;
        }
    }
}

bool PseudoFileSystems::excludesName(NativeNameView name, std::size_t depth) const
{
    // Whatever is mounted there now.
    return m_atSystemRoot && depth == 1
           && (isNamed(name, "proc") || isNamed(name, "sys") || isNamed(name, "dev") || isNamed(name, "run"));
}

bool PseudoFileSystems::excludesDevice(std::uint64_t device, std::uint64_t parentDevice) const
{
    return device != parentDevice && isPseudoDevice(device);
}

bool PseudoFileSystems::isPseudoDevice(std::uint64_t device) const
{
    return std::find(m_devices.begin(), m_devices.end(), device) != m_devices.end();
}

} // namespace hangardeck::core
