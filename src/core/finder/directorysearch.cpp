// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/directorysearch.h"

#include "core/platform/directorylisting.h"
#include "core/platform/textdecoding.h"

#include <QString>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// Tested in this order: a name holding "Aircraft SDK" is excluded, not listed.
constexpr std::array<std::string_view, 4> ExcludedFragments{"learn", "hangardeck", "sdk", "documents"};
constexpr std::string_view ListedFragment = "aircraft";

enum class Verdict { Excluded, Listed, Searched };

bool isAscii(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// What the search does with a directory of this name. Nearly every name is ASCII and is
// lowered in place; any other is decoded as the listing decodes it, so that a fragment
// written with other letters of the same case (the Kelvin sign in "SD\u212A") matches too.
Verdict verdictFor(std::string_view name, std::string &lowered)
{
    if (isAscii(name)) {
        lowered.resize(name.size());
        std::transform(name.begin(), name.end(), lowered.begin(), asciiLower);
        const std::string_view text(lowered);
        for (const std::string_view fragment : ExcludedFragments) {
            if (text.find(fragment) != std::string_view::npos) {
                return Verdict::Excluded;
            }
        }
        return text.find(ListedFragment) != std::string_view::npos ? Verdict::Listed : Verdict::Searched;
    }
    const QString text = decodeFileName(std::string(name)).toLower();
    for (const std::string_view fragment : ExcludedFragments) {
        if (text.contains(QLatin1StringView(fragment.data(), qsizetype(fragment.size())))) {
            return Verdict::Excluded;
        }
    }
    return text.contains(QLatin1StringView(ListedFragment.data(), qsizetype(ListedFragment.size())))
               ? Verdict::Listed
               : Verdict::Searched;
}

bool callSearched(const DirectorySearchCallbacks &callbacks)
{
    return !callbacks.searched || callbacks.searched();
}

// The types whose mounts are the kernel's views of itself: walking them never ends (or
// blocks on a device) and never holds an aircraft folder.
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
#ifdef Q_OS_UNIX
        const std::uint64_t number = makedev(major, minor);
#else
        const std::uint64_t number = (std::uint64_t(major) << 32) | minor;
#endif
        mounts.push_back({number, unescapeMountPath(mountPoint)});
    }
    return mounts;
}

#ifdef Q_OS_UNIX

namespace {

void report(const DirectorySearchCallbacks &callbacks, const std::string &path)
{
    if (callbacks.found) {
        callbacks.found(fs::path(path));
    }
}

// One sub-directory of a folder being walked: its name lies in the folder's name buffer.
struct Child {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::int32_t folded = -1; // index of the case-folded name, for a name that is not ASCII
    bool typeKnown = true;    // false: the file system did not say, a stat decides
};

// A folder on the walk's stack. Frames are kept and reused once popped, so that their buffers
// are allocated once for the deepest level rather than once per folder.
struct Frame {
    DIR *dir = nullptr;         // open while its sub-directories are walked, for openat
    std::size_t pathLength = 0; // of the path with its trailing "/"
    dev_t device = 0;
    std::string names;           // the sub-directories' names, one after the other
    std::vector<Child> children; // in walk order once read
    std::vector<QString> folded;
    std::size_t next = 0;

    std::string_view name(const Child &child) const { return {names.data() + child.offset, child.length}; }
};

// Past this depth a folder is closed as soon as it is read and its sub-directories are opened
// by their whole path, so that a deep tree cannot exhaust the process's file descriptors.
constexpr std::size_t MaxOpenDepth = 128;

class Walker final
{
public:
    Walker(const fs::path &start, const DirectorySearchCallbacks &callbacks)
        : m_start(start),
          m_callbacks(callbacks)
    {
    }
    ~Walker()
    {
        for (std::size_t i = 0; i < m_depth; ++i) {
            closeFrame(m_frames[i]);
        }
    }
    Walker(const Walker &) = delete;
    Walker &operator=(const Walker &) = delete;

    bool run()
    {
        if (!callSearched(m_callbacks)) {
            return false;
        }
        m_path = m_start.native();
        if (m_path.empty()) {
            return true;
        }
        // The start is where the user asked to look: a link given as the start is followed.
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return true;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            ::close(fd);
            return true;
        }
        preparePseudoFileSystems();
        if (m_path.back() != '/') {
            m_path.push_back('/');
        }
        if (!push(fd, info.st_dev)) {
            return true;
        }
        return walk();
    }

private:
    // Reads the mounts once. Stats of every directory are only needed where a pseudo file
    // system lies below the start; a search of a home folder costs none.
    void preparePseudoFileSystems()
    {
        char *resolved = ::realpath(m_path.c_str(), nullptr);
        if (!resolved) {
            return;
        }
        const std::string canonical(resolved);
        std::free(resolved);
        m_atSystemRoot = canonical == "/";

        std::ifstream file("/proc/self/mountinfo");
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        const std::string below = canonical == "/" ? canonical : canonical + '/';
        for (const PseudoFileSystemMount &mount : pseudoFileSystemMounts(text)) {
            m_pseudoDevices.push_back(dev_t(mount.device));
            if (mount.mountPoint.size() > below.size() && mount.mountPoint.compare(0, below.size(), below) == 0) {
                m_pseudoBelow = true;
            }
        }
    }

    bool isPseudoDevice(dev_t device) const
    {
        return std::find(m_pseudoDevices.begin(), m_pseudoDevices.end(), device) != m_pseudoDevices.end();
    }

    static void closeFrame(Frame &frame)
    {
        if (frame.dir) {
            ::closedir(frame.dir);
            frame.dir = nullptr;
        }
    }

    // Opens a frame for the folder at m_path (ending in "/") and reads its sub-directories in
    // walk order; false when the folder cannot be read (fd is closed then).
    bool push(int fd, dev_t device)
    {
        DIR *dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return false;
        }
        if (m_depth == m_frames.size()) {
            m_frames.emplace_back();
        }
        Frame &frame = m_frames[m_depth++];
        frame.dir = dir;
        frame.pathLength = m_path.size();
        frame.device = device;
        frame.names.clear();
        frame.children.clear();
        frame.folded.clear();
        frame.next = 0;
        read(frame);
        if (m_depth > MaxOpenDepth) {
            closeFrame(frame);
        }
        return true;
    }

    static void read(Frame &frame)
    {
        while (const dirent *item = ::readdir(frame.dir)) {
            // A link is never followed, whatever it points at; other files are no folders.
            if (item->d_type != DT_DIR && item->d_type != DT_UNKNOWN) {
                continue;
            }
            const std::string_view name(item->d_name);
            if (name == "." || name == "..") {
                continue;
            }
            Child child;
            child.offset = std::uint32_t(frame.names.size());
            child.length = std::uint32_t(name.size());
            child.typeKnown = item->d_type == DT_DIR;
            if (!isAscii(name)) {
                child.folded = std::int32_t(frame.folded.size());
                frame.folded.push_back(decodeFileName(std::string(name)).toCaseFolded());
            }
            frame.names.append(name);
            frame.children.push_back(child);
        }
        sortChildren(frame);
    }

    // The listing's order: names lowered (ASCII) or case-folded, compared; names equal but
    // for case by their bytes.
    static void sortChildren(Frame &frame)
    {
        const auto lowered = [&frame](const Child &child) {
            const std::string_view name = frame.name(child);
            QString text(qsizetype(name.size()), Qt::Uninitialized);
            std::transform(name.begin(), name.end(), text.begin(),
                           [](char c) { return QChar(char16_t(static_cast<unsigned char>(asciiLower(c)))); });
            return text;
        };
        std::sort(frame.children.begin(), frame.children.end(), [&](const Child &a, const Child &b) {
            const std::string_view left = frame.name(a);
            const std::string_view right = frame.name(b);
            int order = 0;
            if (a.folded < 0 && b.folded < 0) {
                const std::size_t common = std::min(left.size(), right.size());
                for (std::size_t i = 0; i < common && order == 0; ++i) {
                    order = int(static_cast<unsigned char>(asciiLower(left[i])))
                            - int(static_cast<unsigned char>(asciiLower(right[i])));
                }
                if (order == 0) {
                    order = left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
                }
            } else {
                const QString l = a.folded >= 0 ? frame.folded[std::size_t(a.folded)] : lowered(a);
                const QString r = b.folded >= 0 ? frame.folded[std::size_t(b.folded)] : lowered(b);
                order = l.compare(r);
            }
            return order != 0 ? order < 0 : left < right;
        });
    }

    bool walk()
    {
        std::string lowered;
        while (m_depth > 0) {
            Frame &frame = m_frames[m_depth - 1];
            if (frame.next == frame.children.size()) {
                closeFrame(frame);
                --m_depth;
                continue;
            }
            const Child child = frame.children[frame.next++];
            const std::string_view name = frame.name(child);
            const Verdict verdict = verdictFor(name, lowered);
            if (verdict == Verdict::Excluded) {
                continue;
            }
            // The kernel's own trees below "/", whatever is mounted there now.
            if (m_atSystemRoot && m_depth == 1 && (name == "proc" || name == "sys" || name == "dev" || name == "run")) {
                continue;
            }
            m_path.resize(frame.pathLength);
            m_path.append(name);
            const int base = frame.dir ? ::dirfd(frame.dir) : AT_FDCWD;
            const char *relative = frame.dir ? m_path.c_str() + frame.pathLength : m_path.c_str();

            dev_t device = frame.device;
            if (!child.typeKnown || m_pseudoBelow) {
                // No automount is triggered: an autofs mount point is skipped, not mounted.
                int flags = AT_SYMLINK_NOFOLLOW;
#ifdef AT_NO_AUTOMOUNT
                flags |= AT_NO_AUTOMOUNT;
#endif
                struct stat info {};
                if (::fstatat(base, relative, &info, flags) != 0) {
                    if (!child.typeKnown) {
                        continue;
                    }
                } else {
                    if (!S_ISDIR(info.st_mode)) {
                        continue;
                    }
                    if (info.st_dev != frame.device && isPseudoDevice(info.st_dev)) {
                        continue;
                    }
                    device = info.st_dev;
                }
            }

            if (verdict == Verdict::Listed) {
                report(m_callbacks, m_path);
            }
            if (!callSearched(m_callbacks)) {
                return false;
            }
            if (m_path.size() + 1 >= PATH_MAX) {
                continue;
            }
            // O_NOFOLLOW: a folder replaced by a link since it was read is not followed either.
            const int fd = ::openat(base, relative, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0) {
                continue;
            }
            m_path.push_back('/');
            push(fd, device);
        }
        return true;
    }

    const fs::path &m_start;
    const DirectorySearchCallbacks &m_callbacks;
    std::string m_path; // the folder being read or the directory being tested
    std::vector<Frame> m_frames;
    std::size_t m_depth = 0;
    std::vector<dev_t> m_pseudoDevices;
    bool m_pseudoBelow = false;
    bool m_atSystemRoot = false;
};

} // namespace

bool searchAircraftDirectories(const fs::path &start, const DirectorySearchCallbacks &callbacks)
{
    Walker walker(start, callbacks);
    return walker.run();
}

#else

namespace {

bool searchBelow(const fs::path::string_type &folder, const DirectorySearchCallbacks &callbacks)
{
    if (!callSearched(callbacks)) {
        return false;
    }
    auto prefix = folder;
    if (!prefix.empty() && prefix.back() != fs::path::preferred_separator && prefix.back() != L'/') {
        prefix.push_back(L'/');
    }
    std::string lowered;
    for (const DirectoryEntry &entry : listSubfolders(folder)) {
        if (entry.isLink) {
            continue;
        }
        const std::string utf8 = entry.name.toUtf8().toStdString();
        const Verdict verdict = verdictFor(utf8, lowered);
        if (verdict == Verdict::Excluded) {
            continue;
        }
        const auto path = prefix + fs::path(entry.name.toStdWString()).native();
        if (verdict == Verdict::Listed && callbacks.found) {
            callbacks.found(fs::path(path));
        }
        if (!searchBelow(path, callbacks)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool searchAircraftDirectories(const fs::path &start, const DirectorySearchCallbacks &callbacks)
{
    return searchBelow(start.native(), callbacks);
}

#endif

} // namespace hangardeck::core
