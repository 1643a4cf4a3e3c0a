// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_TESTS_TESTSUPPORT_H
#define HANGARDECK_TESTS_TESTSUPPORT_H

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

// What only a POSIX file system holds: a line break in a name, two names that differ only in
// letter case, a symbolic link a program makes (Wine makes none). Windows skips the case, and
// says why.
#ifdef Q_OS_WIN
#define SKIP_ON_WINDOWS(why) QSKIP("not on Windows: " why)
#else
#define SKIP_ON_WINDOWS(why)                                                                                           \
    do {                                                                                                               \
    } while (false)
#endif

namespace hangardeck::testsupport {

// A path as the program shows it: with backslashes on Windows.
inline QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A path as text, unchanged: its bytes as the locale decodes them on POSIX, its UTF-16 on Windows.
inline QString pathText(const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

// Writes a whole file, creating its folder; false when that fails.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Text as UTF-16 with its byte-order mark, in the byte order asked for.
inline QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

// Entries [fltsim.0] to [fltsim.count - 1], each titled "<title> N" and followed by extra.
inline QByteArray numberedEntries(int count, const QByteArray &title, const QByteArray &extra = {})
{
    QByteArray text;
    for (int n = 0; n < count; ++n) {
        const QByteArray number = QByteArray::number(n);
        text += "[fltsim." + number + "]\r\ntitle=" + title + ' ' + number + "\r\n" + extra;
    }
    return text;
}

// Aircraft folders built below a temporary Aircraft directory, removed with it.
class AircraftTree
{
public:
    AircraftTree()
    {
        if (!m_dir.isValid()) {
            qFatal("cannot make a temporary folder");
        }
    }

    std::filesystem::path root() const { return m_dir.path().toStdString(); }

    // The folder's path, made with its parents.
    QString folder(const QString &name) const
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }

    bool cfg(const QString &name, const QByteArray &content, const QString &fileName = "aircraft.cfg") const
    {
        return writeFile(folder(name) + u'/' + fileName, content);
    }

private:
    QTemporaryDir m_dir;
};

// A file's whole content; "<missing>" when it cannot be read, so a missing file never
// passes for an empty one.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

#ifdef Q_OS_LINUX
// How often a file appears in a folder under its name (created, renamed onto or written in
// place) while `act` runs: once for each replacement of the file, once for each key if it
// were written key by key; -1 when the folder cannot be watched.
inline int replacementsDuring(const QString &folder, const QByteArray &name, const std::function<void()> &act)
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const auto closeFd = qScopeGuard([fd] { ::close(fd); }); // -1 closes nothing
    const int mask = IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE;
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), mask) < 0) {
        return -1;
    }
    act();
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got = 0; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            count += event->len > 0 && name == event->name ? 1 : 0;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return count;
}
#endif

} // namespace hangardeck::testsupport

#endif
