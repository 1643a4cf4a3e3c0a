// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"

#include "core/platform/nativepath.h"

#include <QRandomGenerator>

#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
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

std::string randomSuffix()
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix(8, 'x');
    for (char &letter : suffix) {
        letter = Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
    }
    return suffix;
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

    // Hidden and beside the file, so the rename stays within one file system; the name is
    // cut so that the temporary name stays within the 255 bytes a name may hold.
    const std::string name = m_targetPath.filename().native().substr(0, 200);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::filesystem::path temporary = m_targetPath.parent_path() / ('.' + name + '.' + randomSuffix());
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
