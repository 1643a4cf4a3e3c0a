// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/shell/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the user's configuration folder (~/.config/hangardeck), used where the program's
    // own folder cannot be written.
    QApplication::setApplicationName(QStringLiteral("hangardeck"));

    // Start-up (settings, the welcome message on a first start) runs before the window shows.
    hangardeck::gui::MainWindow window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
