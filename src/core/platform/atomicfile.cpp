// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"

#include "core/platform/nativepath.h"

#include <QRandomGenerator>

#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace hangardeck::core {

#ifdef Q_OS_UNIX

namespace {

// Where a write to path lands: the end of its chain of symbolic links, existing or not, as
// opening the path for writing would create it.
std::filesystem::path resolvedTarget(std::filesystem::path path)
{
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            return path;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

constexpr char SuffixLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t SuffixLength = 8;

std::string randomSuffix()
{
    std::string suffix(SuffixLength, 'x');
    for (char &letter : suffix) {
        letter = SuffixLetters[QRandomGenerator::global()->bounded(int(sizeof SuffixLetters - 1))];
    }
    return suffix;
}

// The hidden name a temporary file of the target gets: ".output.txt.Ab3dEf9h". The target's
// name is cut so that the temporary name stays within the 255 bytes a name may hold.
std::string temporaryPrefix(const std::filesystem::path &target)
{
    return '.' + target.filename().native().substr(0, 200) + '.';
}

// Removes the temporary files an earlier write of the same file left when it was killed
// before its rename (only a write without O_TMPFILE leaves one for more than an instant).
void removeLeftovers(const std::filesystem::path &target)
{
    const std::string prefix = temporaryPrefix(target);
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().native();
        if (name.size() != prefix.size() + SuffixLength || name.compare(0, prefix.size(), prefix) != 0
            || name.find_first_not_of(SuffixLetters, prefix.size()) != std::string::npos) {
            continue;
        }
        std::error_code typeError;
        if (it->symlink_status(typeError).type() == std::filesystem::file_type::regular) {
            ::unlink(it->path().c_str());
        }
    }
}

// An unnamed file in the folder, given a name only once complete: a process killed while
// writing leaves nothing behind. -1 where the system or the file system has no such files,
// or where /proc, through which it gets its name, is missing.
int openUnnamed(const std::filesystem::path &folder, mode_t mode)
{
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) {
        return -1;
    }
    int fd = -1;
    do {
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
#else
    (void)folder;
    (void)mode;
    return -1;
#endif
}

// Gives an unnamed file a name. The /proc link needs no privilege; AT_EMPTY_PATH needs one,
// and is tried where /proc refuses. errno says why both failed (EEXIST: the name is taken).
bool linkUnnamed(int fd, const std::filesystem::path &name)
{
#ifdef O_TMPFILE
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    const int procError = errno;
    if (procError == EEXIST) {
        return false;
    }
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
        return true;
    }
    // Without the privilege AT_EMPTY_PATH answers ENOENT, which says less than /proc's answer.
    if (errno != EEXIST) {
        errno = procError;
    }
    return false;
#else
    (void)fd;
    (void)name;
    errno = ENOTSUP;
    return false;
#endif
}

// The rename lives in the folder's own entries: until they reach the disk, a power cut can
// bring the old file back, or none at all on some file systems.
void syncFolderOf(const std::filesystem::path &filePath)
{
    const std::filesystem::path folder = filePath.parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The new content is in place already; a folder that cannot be synced changes nothing.
        (void)::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path filePath)
    : m_filePath(std::move(filePath))
{
}

AtomicFileWriter::~AtomicFileWriter()
{
    discard();
}

bool AtomicFileWriter::open()
{
    discard();
    m_failed = false;
    m_errorText.clear();
    m_targetPath = resolvedTarget(m_filePath);

    // An existing file passes its permissions on; a new one gets the usual 0666 less umask.
    mode_t mode = 0666;
    bool exists = false;
    struct stat existing {};
    if (::lstat(m_targetPath.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return fail(EISDIR);
        }
        if (S_ISLNK(existing.st_mode)) {
            return fail(ELOOP);
        }
        if (!S_ISREG(existing.st_mode)) {
            // Renaming over a FIFO or a device node would silently take its place.
            m_failed = true;
            m_errorText = QStringLiteral("not a regular file");
            return false;
        }
        // A read-only file stays read-only: replacing it would go around its protection.
        if (::access(m_targetPath.c_str(), W_OK) != 0) {
            return fail(errno);
        }
        mode = existing.st_mode & 07777;
        exists = true;
    } else if (errno != ENOENT) {
        return fail(errno);
    }

    removeLeftovers(m_targetPath);
    // Beside the file, so the rename stays within one file system. Unnamed where the file
    // system allows it; else hidden under a name of its own until the rename.
    m_fd = openUnnamed(m_targetPath.parent_path(), mode);
    m_unnamed = m_fd >= 0;
    const std::string prefix = temporaryPrefix(m_targetPath);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::filesystem::path temporary = m_targetPath.parent_path() / (prefix + randomSuffix());
        m_fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporaryPath = temporary;
        } else if (errno != EEXIST) {
            return fail(errno);
        }
    }
    if (m_fd < 0) {
        return fail(EEXIST);
    }
    // The umask may have narrowed the existing file's permissions.
    if (exists && ::fchmod(m_fd, mode) != 0) {
        return fail(errno);
    }
    return true;
}

bool AtomicFileWriter::write(QByteArrayView bytes)
{
    if (m_fd < 0) {
        return false;
    }
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        data += written;
        left -= written;
    }
    return true;
}

bool AtomicFileWriter::commit()
{
    if (m_fd < 0) {
        if (!m_failed) {
            m_errorText = QStringLiteral("not open");
        }
        return false;
    }
    // Some file systems report a full disk only when the data is synced or the file closed.
    if (::fsync(m_fd) != 0) {
        return fail(errno);
    }
    // The name lives only from here to the rename; a write killed in between leaves it to
    // the next write to remove.
    const std::string prefix = temporaryPrefix(m_targetPath);
    for (int attempt = 0; m_unnamed && attempt < 100; ++attempt) {
        const std::filesystem::path temporary = m_targetPath.parent_path() / (prefix + randomSuffix());
        if (linkUnnamed(m_fd, temporary)) {
            m_temporaryPath = temporary;
            m_unnamed = false;
        } else if (errno != EEXIST) {
            return fail(errno);
        }
    }
    if (m_unnamed) {
        return fail(EEXIST);
    }
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0) {
        return fail(errno);
    }
    m_temporaryPath.clear();
    syncFolderOf(m_targetPath);
    return true;
}

bool AtomicFileWriter::fail(int errorNumber)
{
    // Taken before discard(), whose calls may change errno.
    m_errorText = QString::fromLocal8Bit(std::generic_category().message(errorNumber));
    m_failed = true;
    discard();
    return false;
}

void AtomicFileWriter::discard()
{
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1));
    }
    m_unnamed = false;
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

#else

AtomicFileWriter::AtomicFileWriter(std::filesystem::path filePath)
    : m_filePath(std::move(filePath))
{
}

AtomicFileWriter::~AtomicFileWriter() = default;

bool AtomicFileWriter::open()
{
    // QSaveFile writes a temporary file in the same folder, syncs it and renames it over the
    // file at commit.
    m_file = std::make_unique<QSaveFile>(fromNativePath(m_filePath));
    if (m_file->open(QIODevice::WriteOnly)) {
        return true;
    }
    m_errorText = m_file->errorString();
    m_file.reset();
    return false;
}

bool AtomicFileWriter::write(QByteArrayView bytes)
{
    if (!m_file) {
        return false;
    }
    if (m_file->write(bytes.data(), bytes.size()) == bytes.size()) {
        return true;
    }
    m_errorText = m_file->errorString();
    m_file.reset();
    return false;
}

bool AtomicFileWriter::commit()
{
    if (!m_file) {
        return false;
    }
    const bool committed = m_file->commit();
    if (!committed) {
        m_errorText = m_file->errorString();
    }
    m_file.reset();
    return committed;
}

#endif

bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *errorText)
{
    AtomicFileWriter file(toNativePath(filePath));
    if (file.open() && file.write(content) && file.commit()) {
        return true;
    }
    if (errorText) {
        *errorText = file.errorText();
    }
    return false;
}

} // namespace hangardeck::core
