// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_LAUNCHER_H
#define HANGARDECK_GUI_LAUNCHER_H

#include <QString>

#include <functional>

namespace hangardeck::gui {

// Opens files with the programs the desktop has for them (the editor for aircraft.cfg and
// output.txt, the viewer for a picture); the window opens every file through one, so a test
// can see the paths instead of starting programs.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // Starts the desktop's program for the file and returns at once. False when no program
    // could be started for it; the failure handler hears of it too.
    bool openFile(const QString &path);
    // The same for a text file the user reads or edits (aircraft.cfg, output.txt): Notepad on
    // Windows, whatever program the desktop has for the file elsewhere.
    bool openTextFile(const QString &path);

    // Told the path of every file no program could be started for (the window says so on
    // its status line).
    void setFailureHandler(std::function<void(const QString &path)> handler) { m_onFailure = std::move(handler); }

protected:
    // Starts the program for the file; false when there is none to start.
    virtual bool start(const QString &path) = 0;
    virtual bool startText(const QString &path) { return start(path); }

private:
    // Tells the failure handler of a file no program was started for.
    bool started(bool ok, const QString &path) const;

    std::function<void(const QString &path)> m_onFailure;
};

// The desktop's handler for the file, as QDesktopServices finds it; Notepad for text files on
// Windows.
class DesktopLauncher final : public Launcher
{
protected:
    bool start(const QString &path) override;
#ifdef Q_OS_WIN
    bool startText(const QString &path) override;
#endif
};

} // namespace hangardeck::gui

#endif
