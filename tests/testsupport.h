// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_TESTS_TESTSUPPORT_H
#define HANGARDECK_TESTS_TESTSUPPORT_H

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace hangardeck::testsupport {

// Writes a whole file, creating its folder; false when that fails.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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
// Counts how often a file appears in a folder under its name, created or renamed onto:
// once for each replacement of the file, once for each key if it were written key by key.
class ReplacementCounter final
{
public:
    ReplacementCounter(const QString &folder, QByteArray name)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          m_name(std::move(name))
    {
        m_watching = m_fd >= 0
                     && ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                            IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE)
                            >= 0;
    }
    ~ReplacementCounter()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Q_DISABLE_COPY_MOVE(ReplacementCounter)

    bool isWatching() const { return m_watching; }

    // The replacements since the last call; a write into the file in place counts too.
    int take()
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0 && m_name == event->name) {
                    ++count;
                }
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int m_fd = -1;
    QByteArray m_name;
    bool m_watching = false;
};
#endif

} // namespace hangardeck::testsupport

#endif
