// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/launcher.h"

#include "core/platform/system.h"

#include <QDesktopServices>
#include <QUrl>

namespace hangardeck::gui {

bool Launcher::openFile(const QString &path)
{
    return started(start(path), path);
}

bool Launcher::openTextFile(const QString &path)
{
    return started(startText(path), path);
}

bool Launcher::started(bool ok, const QString &path) const
{
    if (!ok && m_onFailure) {
        m_onFailure(path);
    }
    return ok;
}

#ifdef Q_OS_WIN
bool DesktopLauncher::startText(const QString &path)
{
    return core::startNotepad(path);
}
#endif

bool DesktopLauncher::start(const QString &path)
{
    // False when the desktop has no handler to start (no xdg-open on a minimal system).
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace hangardeck::gui
