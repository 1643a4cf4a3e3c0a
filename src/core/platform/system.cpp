// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/system.h"

#include "core/platform/nativepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace hangardeck::core {

QStringList argumentText(int argc, char **argv)
{
#ifdef Q_OS_UNIX
    QStringList text;
    for (int i = 0; i < argc; ++i) {
        text.append(QString::fromLocal8Bit(argv[i]));
    }
    return text;
#else
    // argv holds the arguments in the ANSI code page; Qt has them as the UTF-16 Windows passed.
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return QCoreApplication::arguments();
#endif
}

QList<QByteArray> argumentBytes(int argc, char **argv)
{
    QList<QByteArray> bytes;
#ifdef Q_OS_UNIX
    for (int i = 0; i < argc; ++i) {
        bytes.append(QByteArray(argv[i]));
    }
#else
    Q_UNUSED(argc)
    Q_UNUSED(argv)
#endif
    return bytes;
}

bool isTerminal(int stream)
{
#ifdef Q_OS_UNIX
    return ::isatty(stream) != 0;
#else
    return ::_isatty(stream) != 0;
#endif
}

QByteArray pathBytes(const std::filesystem::path &path)
{
#ifdef Q_OS_UNIX
    const std::string &native = path.native();
    return QByteArray(native.data(), qsizetype(native.size()));
#else
    return fromNativePath(path).toUtf8();
#endif
}

bool canListFolder(const std::filesystem::path &folder)
{
#ifdef Q_OS_UNIX
    return ::access(folder.c_str(), R_OK | X_OK) == 0;
#else
    const QFileInfo info(fromNativePath(folder));
    return info.isReadable() && info.isExecutable();
#endif
}

bool hasGraphicalSession()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

QString simulatorAircraftDirectory()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\Aircraft\\");
#else
    return QDir::homePath()
           + QStringLiteral("/.wine/drive_c/Program Files/Microsoft Games/Flight Simulator 9/Aircraft/");
#endif
}

QString searchStartFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

QString userConfigFolder()
{
#ifdef Q_OS_WIN
    // The roaming profile, as the simulator's own tools keep their settings; Qt's configuration
    // location would be the local one.
    const QString roaming = qEnvironmentVariable("APPDATA");
    if (!roaming.isEmpty()) {
        return QDir::fromNativeSeparators(roaming) + QStringLiteral("/hangardeck");
    }
#endif
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void useBinaryStandardStreams()
{
#ifdef Q_OS_WIN
    (void)::_setmode(::_fileno(stdout), _O_BINARY);
    (void)::_setmode(::_fileno(stderr), _O_BINARY);
#endif
}

QString notepadArguments(const QString &path)
{
    return u'"' + QDir::toNativeSeparators(path) + u'"';
}

bool startNotepad([[maybe_unused]] const QString &path)
{
#ifdef Q_OS_WIN
    // The command line as given: Qt would quote the argument its own way.
    QProcess notepad;
    notepad.setProgram(QStringLiteral("notepad.exe"));
    notepad.setNativeArguments(notepadArguments(path));
    return notepad.startDetached();
#else
    return false;
#endif
}

} // namespace hangardeck::core
