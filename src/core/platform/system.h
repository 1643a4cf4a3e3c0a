// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SYSTEM_H
#define HANGARDECK_CORE_SYSTEM_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <filesystem>

namespace hangardeck::core {

// What the process was started with, argv[0] included, as text for the options.
QStringList argumentText(int argc, char **argv);

// The same as the bytes the shell passed, from which paths are taken unchanged; empty where
// the system passes text (Windows), whose paths come from the text.
QList<QByteArray> argumentBytes(int argc, char **argv);

// Whether a standard stream (0, 1, 2) is a terminal.
bool isTerminal(int stream);

// A path as bytes to print: its own bytes on POSIX, so a name that is not UTF-8 reaches a
// script unchanged; UTF-8 on Windows.
QByteArray pathBytes(const std::filesystem::path &path);

// Whether this process may list a folder and enter it.
bool canListFolder(const std::filesystem::path &folder);

// Whether a window can be shown: on X11 and Wayland systems a display is named (DISPLAY,
// WAYLAND_DISPLAY) or a Qt platform is chosen (QT_QPA_PLATFORM, such as offscreen).
bool hasGraphicalSession();

// Where the simulator keeps its aircraft by default: under Program Files on Windows, in the
// default Wine prefix elsewhere. Ends with a separator.
QString simulatorAircraftDirectory();

// Where the search for an aircraft directory starts: "C:\" on Windows; elsewhere the home
// folder, where Wine keeps its drive_c.
QString searchStartFolder();

// The user's own folder for the settings and the saved list when the program's folder cannot
// be written: %APPDATA%\hangardeck on Windows, the desktop's configuration folder elsewhere.
QString userConfigFolder();

// Makes stdout and stderr write bytes as given: on Windows, text mode would turn each "\n"
// into CR LF, and the output would differ from every other system's.
void useBinaryStandardStreams();

// Starts Notepad on a text file, returning at once; false when it could not be started.
// Windows only: elsewhere nothing is started.
bool startNotepad(const QString &path);

// Notepad's arguments for a file: its path with backslashes, in quotes, so that a folder with
// blanks in its name opens.
QString notepadArguments(const QString &path);

} // namespace hangardeck::core

#endif
