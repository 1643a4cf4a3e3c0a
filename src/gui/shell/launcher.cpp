// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace hangardeck::gui {

bool Launcher::openFile(const QString &path)
{
    if (start(path)) {
        return true;
    }
    if (m_onFailure) {
        m_onFailure(path);
    }
    return false;
}

bool DesktopLauncher::start(const QString &path)
{
    // False when the desktop has no handler to start (no xdg-open on a minimal system).
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace hangardeck::gui
