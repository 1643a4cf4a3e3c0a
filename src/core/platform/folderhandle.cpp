// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/folderhandle.h"

#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

#ifdef Q_OS_UNIX
// Folders are opened for reaching their entries only: a folder that can be entered but not
// listed (mode 0111) still gives its files, as a path through it would.
#ifdef O_PATH
constexpr int FolderOpenFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int FolderOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

int closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return -1;
}

// One open, one fstat, one read: the scan reads thousands of small files, and O_NONBLOCK keeps
// a FIFO or a device from blocking the reader forever.
FileRead readAt(int folderFd, const char *path, qsizetype capBytes)
{
    FileRead result;
    const int fd = ::openat(folderFd, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? FileRead::Missing : FileRead::Unreadable;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = S_ISDIR(info.st_mode) ? FileRead::Directory : FileRead::Unreadable;
        ::close(fd);
        return result;
    }
    result.status = FileRead::Unreadable;
    try {
        result.whole = info.st_size <= capBytes;
        const qsizetype wanted = result.whole ? qsizetype(info.st_size) : capBytes;
        // Each thread reads its small files into one buffer again and again: once the caller
        // has let go of the last file's bytes, the buffer is this thread's alone and needs no new
        // memory. A large file gets a buffer of its own, so no thread keeps megabytes for good.
        constexpr qsizetype ReusedBytes = 1024 * 1024;
        thread_local QByteArray reused;
        QByteArray own;
        QByteArray &buffer = wanted <= ReusedBytes ? reused : own;
        buffer.resize(wanted);
        char *data = buffer.data();
        qsizetype filled = 0;
        while (filled < wanted) {
            const ssize_t got = ::read(fd, data + filled, size_t(wanted - filled));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            filled += got;
        }
        if (filled == wanted) {
            result.bytes = buffer;
            result.status = FileRead::Read;
        }
    } catch (const std::bad_alloc &) {
        // One file whose bytes cannot be had reads as unreadable; it never ends a scan.
    }
    ::close(fd);
    return result;
}
#else
// A path as the wide functions take it: absolute, with backslashes, and in the \\?\ form, so
// that a path past 260 characters is read like any other.
std::wstring longPath(const fs::path &path)
{
    const std::wstring &given = path.native();
    if (given.starts_with(L"\\\\?\\")) {
        return given;
    }
    const std::wstring input = given.empty() ? std::wstring(L".") : given;
    std::wstring full(input.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(input.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (length == 0) {
            return input;
        }
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length + 1);
    }
    // "C:\Aircraft\" names the folder "C:\Aircraft" does; the \\?\ form takes it as written.
    while (full.size() > 3 && full.back() == L'\\') {
        full.pop_back();
    }
    if (full.starts_with(L"\\\\.\\") || full.starts_with(L"\\\\?\\")) {
        return full; // a device, or a path given whole
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2); // \\server\share
    }
    return L"\\\\?\\" + full;
}

// A junction, a symbolic link, or a Unix link as Wine shows it (a reparse point without a tag).
// Only the reparse points that stand for the file's own content (a cloud placeholder such as
// OneDrive's, a deduplicated or compressed file) are what they hold.
bool isLinkEntry(DWORD attributes, DWORD reparseTag)
{
    constexpr DWORD CloudTagMask = 0xFFFF0FFF, CloudTag = 0x9000001A; // IO_REPARSE_TAG_CLOUD_*
    constexpr DWORD DedupTag = 0x80000013, WofTag = 0x80000017;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && (reparseTag & CloudTagMask) != CloudTag
           && reparseTag != DedupTag && reparseTag != WofTag;
}

// The entry a path names, as its folder lists it (a link as itself).
std::optional<WIN32_FIND_DATAW> entryAt(const fs::path &path)
{
    WIN32_FIND_DATAW data{};
    const HANDLE find =
        FindFirstFileExW(longPath(path).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    FindClose(find);
    return data;
}

// Whether what a path leads to, links followed, is a folder; nullopt when it leads nowhere.
std::optional<bool> followedIsFolder(const fs::path &path)
{
    const HANDLE handle = CreateFileW(longPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folder =
        GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(handle);
    return folder;
}

bool isFolderFollowing(const fs::path &path)
{
    return followedIsFolder(path).value_or(false);
}

// One open, one read; a named pipe or a device is not read, so it cannot block the reader.
FileRead readPath(const fs::path &path, qsizetype capBytes)
{
    FileRead result;
    const std::wstring wide = longPath(path);
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            result.status = FileRead::Directory;
        } else if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            result.status = FileRead::Unreadable;
        }
        return result;
    }
    result.status = FileRead::Unreadable;
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size)) {
        try {
            result.whole = size.QuadPart <= capBytes;
            const qsizetype wanted = result.whole ? qsizetype(size.QuadPart) : capBytes;
            QByteArray bytes(wanted, Qt::Uninitialized);
            qsizetype filled = 0;
            while (filled < wanted) {
                const DWORD chunk = DWORD(std::min<qsizetype>(wanted - filled, 1 << 30));
                DWORD got = 0;
                if (!ReadFile(file, bytes.data() + filled, chunk, &got, nullptr) || got == 0) {
                    break;
                }
                filled += got;
            }
            if (filled == wanted) {
                result.bytes = std::move(bytes);
                result.status = FileRead::Read;
            }
        } catch (const std::bad_alloc &) {
            // One file whose bytes cannot be had reads as unreadable; it never ends a scan.
        }
    }
    CloseHandle(file);
    return result;
}
#endif

} // namespace

FileRead readRegularFile(const fs::path &path, qsizetype capBytes)
{
#ifdef Q_OS_UNIX
    return readAt(AT_FDCWD, path.c_str(), capBytes);
#else
    return readPath(path, capBytes);
#endif
}

FolderHandle::~FolderHandle()
{
    release();
}

FolderHandle::FolderHandle(FolderHandle &&other) noexcept
    : m_path(std::move(other.m_path)),
      m_device(other.m_device),
      m_fd(std::exchange(other.m_fd, -1)),
      m_open(std::exchange(other.m_open, false))
{
}

FolderHandle &FolderHandle::operator=(FolderHandle &&other) noexcept
{
    if (this != &other) {
        release();
        m_path = std::move(other.m_path);
        m_device = other.m_device;
        m_fd = std::exchange(other.m_fd, -1);
        m_open = std::exchange(other.m_open, false);
    }
    return *this;
}

void FolderHandle::release()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        ::close(m_fd);
    }
#endif
    m_fd = -1;
}

FolderHandle FolderHandle::open(const fs::path &path)
{
    FolderHandle handle;
    handle.m_path = path;
#ifdef Q_OS_UNIX
    const int fd = ::open(path.empty() ? "." : path.c_str(), FolderOpenFlags);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return handle;
    }
    handle.m_fd = fd;
    handle.m_device = std::uint64_t(info.st_dev);
    handle.m_open = true;
#else
    handle.m_open = isFolderFollowing(path);
#endif
    return handle;
}

FolderHandle FolderHandle::openChild(NativeNameView name, Links links) const
{
    FolderHandle child;
    if (!m_open) {
        return child;
    }
    child.m_path = m_path / fs::path(NativeName(name));
#ifdef Q_OS_UNIX
    const int base = m_fd >= 0 ? m_fd : AT_FDCWD;
    const NativeName relative = m_fd >= 0 ? NativeName(name) : child.m_path.native();
    const int flags = FolderOpenFlags | (links == Links::DontFollow ? O_NOFOLLOW : 0);
    int fd = ::openat(base, relative.c_str(), flags);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode))) {
        fd = closeKeepingErrno(fd); // with O_PATH | O_NOFOLLOW a link opens as itself
    }
    if (fd < 0) {
        return child;
    }
    child.m_fd = fd;
    child.m_device = std::uint64_t(info.st_dev);
    child.m_open = true;
#else
    if (links == Links::DontFollow) {
        const std::optional<WIN32_FIND_DATAW> entry = entryAt(child.m_path);
        child.m_open = entry && (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                       && !isLinkEntry(entry->dwFileAttributes, entry->dwReserved0);
    } else {
        child.m_open = isFolderFollowing(child.m_path);
    }
#endif
    return child;
}

namespace {

// Lists the folder at relative (below base, or "." for base itself) or, without a descriptor,
// at path.
bool listFolder([[maybe_unused]] int base, [[maybe_unused]] const fs::path::value_type *relative, const fs::path &path,
                Links links, const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit)
{
#ifdef Q_OS_UNIX
    // A listing of its own: the handle may have been opened for reaching entries only, and
    // two listings of one folder must not share a read position.
    const int listFd = base >= 0 ? ::openat(base, relative, O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                 : ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) {
            ::close(listFd);
        }
        return false;
    }
    const int statBase = ::dirfd(dir);
    while (const dirent *item = ::readdir(dir)) {
        const char *name = item->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        bool isLink = item->d_type == DT_LNK;
        bool isDirectory = item->d_type == DT_DIR;
        // Only links, and file systems that do not say, cost a stat.
        if (item->d_type == DT_UNKNOWN || (isLink && links == Links::Follow)) {
            struct stat info {};
            if (item->d_type == DT_UNKNOWN) {
                int flags = AT_SYMLINK_NOFOLLOW;
#ifdef AT_NO_AUTOMOUNT
                flags |= links == Links::DontFollow ? AT_NO_AUTOMOUNT : 0; // a walk never mounts
#endif
                isLink = ::fstatat(statBase, name, &info, flags) == 0 && S_ISLNK(info.st_mode);
                isDirectory = !isLink && S_ISDIR(info.st_mode);
            }
            if (isLink && links == Links::Follow) {
                isDirectory = ::fstatat(statBase, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
            }
        }
        visit(NativeNameView(name), isDirectory, isLink);
    }
    ::closedir(dir);
    return true;
#else
    WIN32_FIND_DATAW data{};
    std::wstring pattern = longPath(path);
    pattern += pattern.ends_with(L'\\') ? L"*" : L"\\*"; // a drive's root ends with its separator
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        // An empty folder still lists "." and "..": no entry at all means no listing.
        return false;
    }
    do {
        const wchar_t *name = data.cFileName;
        if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) {
            continue;
        }
        const bool isLink = isLinkEntry(data.dwFileAttributes, data.dwReserved0);
        bool isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isLink) {
            isDirectory = links == Links::Follow && isFolderFollowing(path / fs::path(name));
        }
        visit(NativeNameView(name), isDirectory, isLink);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
#endif
}

} // namespace

bool FolderHandle::list(Links links,
                        const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit) const
{
    static constexpr fs::path::value_type Self[] = {'.', '\0'};
    return m_open && listFolder(m_fd, Self, m_path, links, visit);
}

bool FolderHandle::listChild(NativeNameView name, Links links,
                             const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit) const
{
    if (!m_open) {
        return false;
    }
    const NativeName child(name);
    return listFolder(m_fd, child.c_str(), m_path / fs::path(child), links, visit);
}

std::optional<std::vector<FolderItem>> FolderHandle::items(Links links) const
{
    std::vector<FolderItem> found;
    const bool listed = list(links, [&found](NativeNameView name, bool isDirectory, bool isLink) {
        found.push_back({NativeName(name), isDirectory, isLink});
    });
    return listed ? std::optional(std::move(found)) : std::nullopt;
}

std::optional<ChildInfo> FolderHandle::childInfo(NativeNameView name, Links links) const
{
    if (!m_open) {
        return std::nullopt;
    }
#ifdef Q_OS_UNIX
    int flags = links == Links::Follow ? 0 : AT_SYMLINK_NOFOLLOW;
#ifdef AT_NO_AUTOMOUNT
    // An autofs mount point is looked at, never mounted.
    flags |= links == Links::Follow ? 0 : AT_NO_AUTOMOUNT;
#endif
    const NativeName relative = m_fd >= 0 ? NativeName(name) : (m_path / fs::path(NativeName(name))).native();
    struct stat info {};
    if (::fstatat(m_fd >= 0 ? m_fd : AT_FDCWD, relative.c_str(), &info, flags) != 0) {
        return std::nullopt;
    }
    return ChildInfo{S_ISDIR(info.st_mode), S_ISLNK(info.st_mode), std::uint64_t(info.st_dev)};
#else
    const fs::path child = m_path / fs::path(NativeName(name));
    const std::optional<WIN32_FIND_DATAW> entry = entryAt(child);
    if (!entry) {
        return std::nullopt;
    }
    const bool isLink = isLinkEntry(entry->dwFileAttributes, entry->dwReserved0);
    if (!isLink || links == Links::DontFollow) {
        return ChildInfo{!isLink && (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, isLink, 0};
    }
    // A link followed to nothing is nothing.
    const std::optional<bool> isDirectory = followedIsFolder(child);
    if (!isDirectory) {
        return std::nullopt;
    }
    return ChildInfo{*isDirectory, false, 0};
#endif
}

FileRead FolderHandle::readFile(NativeNameView name, qsizetype capBytes) const
{
    if (!m_open) {
        return {};
    }
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        return readAt(m_fd, NativeName(name).c_str(), capBytes);
    }
#endif
    return readRegularFile(m_path / fs::path(NativeName(name)), capBytes);
}

} // namespace hangardeck::core
