// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Times "Generate List" in the real main window: from the menu command to the full list on
// screen. Prints one line, "f5_ms=<milliseconds> rows=<rows listed>".
//
//   hangardeck-bench-gui COLLECTION_DIR
#include "shell/mainwindow.h"
#include "shell/messagepresenter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A message box would stop the clock on a dialog; the run fails instead.
class FailingPresenter final : public hangardeck::gui::MessagePresenter
{
public:
    void showMessage(QWidget *, const QString &text) override
    {
        std::fprintf(stderr, "hangardeck-bench-gui: unexpected message: %s\n", qPrintable(text));
        ++count;
    }
    int count = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || !QFileInfo(args[1]).isDir()) {
        std::fprintf(stderr, "usage: hangardeck-bench-gui COLLECTION_DIR\n");
        return 2;
    }

    // A settings file of a returning user: extended mode on, the list panel showing, the
    // collection as the aircraft directory.
    QTemporaryDir program;
    QFile ini(program.filePath(QStringLiteral("hangardeck.ini")));
    if (!program.isValid() || !ini.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "hangardeck-bench-gui: cannot write a settings file\n");
        return 1;
    }
    ini.write("[main]\r\nacpath=" + QFileInfo(args[1]).absoluteFilePath().toUtf8()
              + "\r\nflsimx=1\r\nframe=5\r\nsheep=9\r\n");
    ini.close();

    FailingPresenter presenter;
    hangardeck::gui::MainWindow window(program.path(), &presenter);
    window.show();
    QCoreApplication::processEvents();

    auto *generate = window.findChild<QAction *>(QStringLiteral("mnuGenerate"));
    auto *list2 = window.findChild<QListWidget *>(QStringLiteral("List2"));
    QElapsedTimer clock;
    clock.start();
    generate->trigger();
    list2->repaint(); // the first screen of rows drawn
    const double elapsedMs = double(clock.nsecsElapsed()) / 1e6;

    const qsizetype rows = window.lastScan().rows.size();
    if (presenter.count > 0 || rows == 0 || list2->count() != rows) {
        std::fprintf(stderr, "hangardeck-bench-gui: the list is not whole (%d of %lld rows)\n", list2->count(),
                     static_cast<long long>(rows));
        return 1;
    }
    std::printf("f5_ms=%.1f rows=%lld\n", elapsedMs, static_cast<long long>(rows));
    return 0;
}
