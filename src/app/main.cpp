// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/system.h"
#include "gui/shell/mainwindow.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char *Usage =
    "Usage: hangardeck [--help] [--version]\n"
    "Opens the HANGARDECK window: the add-on aircraft below a flight simulator Aircraft directory,\n"
    "one row per variation, with each variation's details and pictures.\n"
    "hangardeck-cli lists, checks and finds the same without a window (hangardeck-cli --help).\n";

} // namespace

int main(int argc, char *argv[])
{
    hangardeck::core::useBinaryStandardStreams();
    // Answered before any display is looked for, so that they work anywhere, as for any command.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("hangardeck %d.%d.%d\n", HANGARDECK_VERSION_MAJOR, HANGARDECK_VERSION_MINOR,
                        HANGARDECK_VERSION_PATCH);
            return 0;
        }
    }
    // Qt would abort with advice to reinstall; one line says what is missing instead.
    if (!hangardeck::core::hasGraphicalSession()) {
        std::fputs("hangardeck: no display: set DISPLAY or run under a desktop session\n", stderr);
        return 1;
    }
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
