// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_LAUNCHER_H
#define HANGARDECK_GUI_LAUNCHER_H

#include <QString>

namespace hangardeck::gui {

// Opens files with the programs the desktop has for them (the editor for aircraft.cfg and
// output.txt, the viewer for a picture); the window opens every file through one, so a test
// can see the paths instead of starting programs.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // Starts the desktop's program for the file and returns at once; nothing is reported
    // when there is none or the file does not exist.
    virtual void openFile(const QString &path) = 0;
};

// The desktop's handler for the file, as QDesktopServices finds it.
class DesktopLauncher final : public Launcher
{
public:
    void openFile(const QString &path) override;
};

} // namespace hangardeck::gui

#endif
