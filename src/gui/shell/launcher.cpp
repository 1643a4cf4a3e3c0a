// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace hangardeck::gui {

void DesktopLauncher::openFile(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace hangardeck::gui
