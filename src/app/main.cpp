// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/mainwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the user's configuration folder (~/.config/hangardeck), used where the program's
    // own folder cannot be written.
    QApplication::setApplicationName(QStringLiteral("hangardeck"));
    // Lets the desktop match the window to its launcher entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(HANGARDECK_APP_ID));

    // The installed theme icon first; the built-in copy where none is installed.
    QIcon builtInIcon;
    for (const int sizePixels : {16, 32, 48, 64, 128, 256}) {
        builtInIcon.addFile(QStringLiteral(":/icons/%1x%1/apps/" HANGARDECK_APP_ID ".png").arg(sizePixels));
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(HANGARDECK_APP_ID), builtInIcon));

    // Start-up (settings, the welcome message on a first start) runs before the window shows.
    hangardeck::gui::MainWindow window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
