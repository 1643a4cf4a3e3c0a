// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/folderhandle.h"

#include <QtGlobal>

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
#include <fstream>
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
FileRead readPath(const fs::path &path, qsizetype capBytes)
{
    FileRead result;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return result;
    }
    if (fs::is_directory(status)) {
        result.status = FileRead::Directory;
        return result;
    }
    result.status = FileRead::Unreadable;
    if (!fs::is_regular_file(status)) {
        return result;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (!in || size < 0) {
            return result;
        }
        in.seekg(0, std::ios::beg);
        result.whole = size <= std::streamoff(capBytes);
        const qsizetype wanted = result.whole ? qsizetype(size) : capBytes;
        QByteArray bytes(wanted, Qt::Uninitialized);
        in.read(bytes.data(), std::streamsize(wanted));
        if (in.gcount() == std::streamsize(wanted)) {
            result.bytes = std::move(bytes);
            result.status = FileRead::Read;
        }
    } catch (const std::bad_alloc &) {
    }
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
    std::error_code error;
    handle.m_open = fs::is_directory(path, error);
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
    std::error_code error;
    const fs::file_status status =
        links == Links::Follow ? fs::status(child.m_path, error) : fs::symlink_status(child.m_path, error);
    child.m_open = fs::is_directory(status);
#endif
    return child;
}

namespace {

// Lists the folder at relative (below base, or "." for base itself) or, without a descriptor,
// at path.
bool listFolder([[maybe_unused]] int base, [[maybe_unused]] const char *relative, const fs::path &path, Links links,
                const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit)
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
    std::error_code error;
    fs::directory_iterator it(path, error);
    if (error) {
        return false;
    }
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const bool isLink = it->is_symlink(typeError);
        const bool isDirectory = (links == Links::Follow || !isLink) && it->is_directory(typeError);
        visit(NativeNameView(it->path().filename().native()), isDirectory, isLink);
    }
    return true;
#endif
}

} // namespace

bool FolderHandle::list(Links links,
                        const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit) const
{
    return m_open && listFolder(m_fd, ".", m_path, links, visit);
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
    std::error_code error;
    const fs::path child = m_path / fs::path(NativeName(name));
    const fs::file_status status = links == Links::Follow ? fs::status(child, error) : fs::symlink_status(child, error);
    if (error || status.type() == fs::file_type::not_found) {
        return std::nullopt;
    }
    return ChildInfo{fs::is_directory(status), fs::is_symlink(status), 0};
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
