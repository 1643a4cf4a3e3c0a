// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/outputfile.h"

#include "core/platform/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

OutputFile::OutputFile(std::filesystem::path file)
    : m_file(std::move(file))
{
}

OutputFile::~OutputFile()
{
#ifdef Q_OS_UNIX
    if (m_ownsFd && m_fd >= 0) {
        ::close(m_fd);
    }
#endif
}

bool OutputFile::open()
{
    if (m_file.empty()) {
        m_fd = 1;
        return true;
    }
#ifdef Q_OS_UNIX
    // stat, not lstat: a link to a FIFO or a device is written through like the node itself.
    struct stat target {};
    if (::stat(m_file.c_str(), &target) == 0) {
        if (S_ISDIR(target.st_mode)) {
            return fail(EISDIR);
        }
        if (!S_ISREG(target.st_mode)) {
            return openInPlace(S_ISSOCK(target.st_mode));
        }
    } else if (errno != ENOENT) {
        return fail(errno);
    }
#endif
    return openReplacement();
}

bool OutputFile::openReplacement()
{
    m_replacement = std::make_unique<AtomicFileWriter>(m_file);
    if (m_replacement->open()) {
        return true;
    }
    m_errorText = m_replacement->errorText();
    m_replacement.reset();
    return false;
}

#ifdef Q_OS_UNIX
bool OutputFile::openInPlace(bool socket)
{
    if (socket) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string &path = m_file.native();
        if (path.size() >= sizeof address.sun_path) {
            return fail(ENAMETOOLONG);
        }
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            return fail(errno);
        }
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        m_fd = fd;
        m_ownsFd = true;
        return true;
    }

    // Neither O_CREAT nor O_TRUNC: the node stays what it is. O_NOCTTY: a terminal named as
    // FILE must not become this process's controlling terminal.
    int fd = -1;
    do {
        fd = ::open(m_file.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return fail(errno);
    }
    struct stat opened {};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) {
        // A regular file took the node's name since the look: nothing is written yet, so it
        // is replaced as a whole like any other.
        ::close(fd);
        return openReplacement();
    }
    m_fd = fd;
    m_ownsFd = true;
    return true;
}
#endif

bool OutputFile::write(QByteArrayView bytes)
{
    if (m_replacement) {
        if (m_replacement->write(bytes)) {
            return true;
        }
        m_errorText = m_replacement->errorText();
        m_replacement.reset();
        return false;
    }
    if (m_fd < 0) {
        return false;
    }
#ifdef Q_OS_UNIX
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written >= 0) {
            data += written;
            left -= written;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // stdout may be a pipe or terminal some other process set non-blocking.
            pollfd ready{m_fd, POLLOUT, 0};
            (void)::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            return fail(errno);
        }
    }
    return true;
#else
    errno = 0;
    if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())) {
        return fail(errno ? errno : EIO);
    }
    return true;
#endif
}

bool OutputFile::finish()
{
    if (m_replacement) {
        const bool committed = m_replacement->commit();
        if (!committed) {
            m_errorText = m_replacement->errorText();
        }
        m_replacement.reset();
        return committed;
    }
    if (m_fd < 0) {
        return false;
    }
#ifdef Q_OS_UNIX
    if (m_ownsFd) {
        m_ownsFd = false;
        if (::close(std::exchange(m_fd, -1)) != 0 && errno != EINTR) {
            return fail(errno);
        }
    }
#else
    errno = 0;
    if (std::fflush(stdout) != 0) {
        return fail(errno ? errno : EIO);
    }
#endif
    return true;
}

bool OutputFile::fail(int errorNumber)
{
    m_errorText = QString::fromLocal8Bit(std::generic_category().message(errorNumber));
    return false;
}

} // namespace hangardeck::core
