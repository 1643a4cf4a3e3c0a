// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Measures the real main window on one collection, the way a returning user meets it:
// start-up to the first painted window, "Generate List" (F5) to the full list on screen,
// resident memory after F5, and close through the window's destruction. Prints one line:
//
//   start_ms=.. construct_ms=.. f5_ms=.. rows=.. rss_start_mb=.. rss_after_f5_mb=..
//   hwm_mb=.. close_ms=..
//
// With --picker it measures only start-up with the directory picker showing, to the painted
// window and on until Dir1 lists every folder of the collection:
//
//   start_picker_ms=.. dir1_listed_ms=..
//
// Memory figures are in MB of 2^20 bytes, read from /proc/self/status (VmRSS, VmHWM).
//
//   hangardeck-bench-gui [--picker] COLLECTION_DIR
//
// Only the window's constructor, show(), close(), the mnuGenerate action and the models
// behind List2 and Dir1 are used, so the program measures any layout of the window's insides.
#include "benchsupport.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messagepresenter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

// Notes the first paint event of any widget inside the watched window. Installed on the
// application before the window exists, so nothing painted during construction is missed.
class FirstPaintWatcher final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && target && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == target) {
            painted = true;
        }
        return false;
    }
    QWidget *target = nullptr;
    bool painted = false;
};

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Start-up with the directory picker showing, in a process of its own: to the painted
// window, and on until Dir1 shows every folder of the collection.
int measurePickerStart(QApplication &app, const QString &collection)
{
    QTemporaryDir program;
    QFile ini(program.filePath(QStringLiteral("hangardeck.ini")));
    if (!program.isValid() || !ini.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "hangardeck-bench-gui: cannot write a settings file\n");
        return 1;
    }
    ini.write("[main]\r\nacpath=" + QFileInfo(collection).absoluteFilePath().toUtf8()
              + "\r\nflsimx=1\r\nframe=0\r\nsheep=9\r\n");
    ini.close();
    const int folders = int(QDir(collection).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());

    hangardeck::bench::FailingPresenter presenter{"hangardeck-bench-gui"};
    FirstPaintWatcher watcher;
    app.installEventFilter(&watcher);
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<hangardeck::gui::MainWindow>(program.path(), &presenter);
    watcher.target = window.get();
    window->show();
    const QDeadlineTimer deadline(60'000);
    while (!(watcher.painted && window->windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
    }
    const double startMs = elapsedMs(clock);
    app.removeEventFilter(&watcher);
    auto *dir1 = window->findChild<QAbstractItemView *>(QStringLiteral("Dir1"));
    while (dir1 && dir1->model()->rowCount() < folders && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
    }
    const double listedMs = elapsedMs(clock);
    if (!dir1 || dir1->model()->rowCount() < folders || presenter.count > 0) {
        std::fprintf(stderr, "hangardeck-bench-gui: Dir1 did not list the collection's folders\n");
        return 1;
    }
    std::printf("start_picker_ms=%.1f dir1_listed_ms=%.1f\n", startMs, listedMs);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    hangardeck::bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool picker = args.size() == 3 && args[1] == u"--picker";
    if ((args.size() != 2 && !picker) || !QFileInfo(args.last()).isDir()) {
        std::fprintf(stderr, "usage: hangardeck-bench-gui [--picker] COLLECTION_DIR\n");
        return 2;
    }
    if (picker) {
        return measurePickerStart(app, args.last());
    }

    // A settings file of a returning user: extended mode on, the list panel showing, the
    // collection as the aircraft directory. Written before the clock starts.
    QTemporaryDir program;
    QFile ini(program.filePath(QStringLiteral("hangardeck.ini")));
    if (!program.isValid() || !ini.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "hangardeck-bench-gui: cannot write a settings file\n");
        return 1;
    }
    ini.write("[main]\r\nacpath=" + QFileInfo(args[1]).absoluteFilePath().toUtf8()
              + "\r\nflsimx=1\r\nframe=5\r\nsheep=9\r\n");
    ini.close();

    FirstPaintWatcher watcher;
    app.installEventFilter(&watcher);
    hangardeck::bench::FailingPresenter presenter{"hangardeck-bench-gui"};

    // Start-up: construction (settings, the directory list on the collection, the panels),
    // show, and the event batches up to the one that delivers the first paint of the
    // exposed window, which is then drawn whole.
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<hangardeck::gui::MainWindow>(program.path(), &presenter);
    const double constructMs = elapsedMs(clock);
    watcher.target = window.get();
    window->show();
    const QDeadlineTimer startDeadline(60'000);
    while (!(watcher.painted && window->windowHandle() && window->windowHandle()->isExposed())) {
        if (startDeadline.hasExpired()) {
            std::fprintf(stderr, "hangardeck-bench-gui: the window was not painted within a minute\n");
            return 1;
        }
        QCoreApplication::processEvents();
    }
    const double startMs = elapsedMs(clock);
    app.removeEventFilter(&watcher);
    QCoreApplication::processEvents(); // the outer size applied after the first show
    const double rssStartMb = hangardeck::bench::procStatusMb("VmRSS");

    auto *generate = window->findChild<QAction *>(QStringLiteral("mnuGenerate"));
    auto *list2 = window->findChild<QAbstractItemView *>(QStringLiteral("List2"));
    if (!generate || !list2 || !list2->model()) {
        std::fprintf(stderr, "hangardeck-bench-gui: mnuGenerate or List2 with a model is missing\n");
        return 1;
    }
    if (!list2->isVisible()) {
        std::fprintf(stderr, "hangardeck-bench-gui: List2 is not on screen; F5 would not draw it\n");
        return 1;
    }

    // F5: the scan and the lists filled, the view's pending layout done, the first screen
    // of rows drawn.
    clock.start();
    generate->trigger();
    QCoreApplication::processEvents();
    list2->viewport()->repaint();
    const double f5Ms = elapsedMs(clock);

    QCoreApplication::processEvents();
    const double rssAfterF5Mb = hangardeck::bench::procStatusMb("VmRSS");
    const double hwmMb = hangardeck::bench::procStatusMb("VmHWM");
    const int rows = list2->model()->rowCount();
    if (presenter.count > 0 || rows == 0) {
        std::fprintf(stderr, "hangardeck-bench-gui: F5 listed %d rows\n", rows);
        return 1;
    }

    // Close: the settings file written, then every list and panel freed.
    clock.start();
    window->close();
    window.reset();
    const double closeMs = elapsedMs(clock);
    if (presenter.count > 0) {
        return 1;
    }

    std::printf("start_ms=%.1f construct_ms=%.1f f5_ms=%.1f rows=%d rss_start_mb=%.1f rss_after_f5_mb=%.1f "
                "hwm_mb=%.1f close_ms=%.1f\n",
                startMs, constructMs, f5Ms, rows, rssStartMb, rssAfterF5Mb, hwmMb, closeMs);
    return 0;
}
