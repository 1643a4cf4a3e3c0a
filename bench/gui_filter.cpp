// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Measures the list filter of the real main window on one collection: F5, the wait until the
// descriptions are gathered, the window's memory then, and each keystroke typed into the
// filter field from the key event to the repainted list. Prints one line of figures and one
// line per keystroke:
//
//   f5_ms=.. gather_ms=.. rows=.. rss_after_f5_mb=.. rss_gathered_mb=.. hwm_mb=..
//   filter_text_mb=.. keys=.. key_median_ms=.. key_max_ms=.. key_cpu_max_ms=..
//   key=.. text=".." ms=.. cpu_ms=.. shown=..
//
// The keys type TEXT (default "tanaka", a word of some descriptions) one character at a time,
// take it back with Backspace, then type "coastguard" (a word of some titles). Memory in MB
// of 2^20 bytes, from /proc/self/status.
//
//   hangardeck-bench-filter COLLECTION_DIR [TEXT]
#include "benchsupport.h"
#include "gui/catalogue/cataloguemodel.h"
#include "gui/shell/mainwindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// A key press and release as the keyboard delivers them, to the widget with the focus.
void pressKey(QWidget *target, int key, const QString &text, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    hangardeck::bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3 || !QFileInfo(args[1]).isDir()) {
        std::fprintf(stderr, "usage: hangardeck-bench-filter COLLECTION_DIR [TEXT]\n");
        return 2;
    }
    const QString first = args.size() == 3 ? args[2] : QStringLiteral("tanaka");

    // A returning user: extended mode on, the list panel showing.
    QTemporaryDir program;
    QFile ini(program.filePath(QStringLiteral("hangardeck.ini")));
    if (!program.isValid() || !ini.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "hangardeck-bench-filter: cannot write a settings file\n");
        return 1;
    }
    ini.write("[main]\r\nacpath=" + QFileInfo(args[1]).absoluteFilePath().toUtf8()
              + "\r\nflsimx=1\r\nframe=5\r\nsheep=9\r\n");
    ini.close();

    hangardeck::bench::FailingPresenter presenter{"hangardeck-bench-filter"};
    auto window = std::make_unique<hangardeck::gui::MainWindow>(program.path(), &presenter);
    window->show();
    QCoreApplication::processEvents();
    auto *generate = window->findChild<QAction *>(QStringLiteral("mnuGenerate"));
    auto *list2 = window->findChild<QAbstractItemView *>(QStringLiteral("List2"));
    auto *model = window->findChild<hangardeck::gui::CatalogueModel *>();
    auto *filter = window->findChild<QLineEdit *>(QStringLiteral("listFilter"));
    if (!generate || !list2 || !model || !filter) {
        std::fprintf(stderr, "hangardeck-bench-filter: mnuGenerate, List2, its model or the filter is missing\n");
        return 1;
    }

    bool gathered = false;
    QObject::connect(model, &hangardeck::gui::CatalogueModel::descriptionsGathered, [&gathered] { gathered = true; });
    QElapsedTimer clock;
    clock.start();
    generate->trigger();
    QCoreApplication::processEvents();
    list2->viewport()->repaint();
    const double f5Ms = elapsedMs(clock);
    const double rssAfterF5Mb = hangardeck::bench::procStatusMb("VmRSS");
    const int rows = list2->model()->rowCount();
    const QDeadlineTimer deadline(600'000);
    while (!gathered && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const double gatherMs = elapsedMs(clock) - f5Ms;
    QCoreApplication::processEvents();
    const double rssGatheredMb = hangardeck::bench::procStatusMb("VmRSS");
    const double hwmMb = hangardeck::bench::procStatusMb("VmHWM");
    if (!gathered || rows == 0 || presenter.count > 0) {
        std::fprintf(stderr, "hangardeck-bench-filter: F5 listed %d rows; descriptions %s\n", rows,
                     gathered ? "gathered" : "not gathered within 10 minutes");
        return 1;
    }

    pressKey(list2, Qt::Key_F, QString(), Qt::ControlModifier);
    QCoreApplication::processEvents();
    if (!filter->hasFocus()) {
        std::fprintf(stderr, "hangardeck-bench-filter: Ctrl+F did not open the filter\n");
        return 1;
    }

    // Each key from its event to the list drawn again with the rows it leaves.
    // The processor time beside it tells the work from the wait on a busy machine.
    std::vector<double> times;
    std::vector<double> cpuTimes;
    const auto timeKey = [&](int key, const QString &text) {
        QElapsedTimer keyClock;
        const std::clock_t cpuStart = std::clock();
        keyClock.start();
        pressKey(filter, key, text);
        QCoreApplication::processEvents();
        list2->viewport()->repaint();
        times.push_back(elapsedMs(keyClock));
        cpuTimes.push_back(double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
        std::printf("key=%zu text=\"%s\" ms=%.1f cpu_ms=%.1f shown=%d\n", times.size(), qPrintable(filter->text()),
                    times.back(), cpuTimes.back(), list2->model()->rowCount());
    };
    const auto type = [&](const QString &text) {
        for (const QChar c : text) {
            timeKey(c.isLetter() ? Qt::Key_A + (c.toLower().unicode() - u'a') : Qt::Key_Space, QString(c));
        }
    };
    type(first);
    for (qsizetype i = 0; i < first.size(); ++i) {
        timeKey(Qt::Key_Backspace, QString());
    }
    type(QStringLiteral("coastguard"));

    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("f5_ms=%.1f gather_ms=%.1f rows=%d rss_after_f5_mb=%.1f rss_gathered_mb=%.1f hwm_mb=%.1f "
                "filter_text_mb=%.1f keys=%zu key_median_ms=%.1f key_max_ms=%.1f key_cpu_max_ms=%.1f\n",
                f5Ms, gatherMs, rows, rssAfterF5Mb, rssGatheredMb, hwmMb,
                double(model->filter().byteCount()) / (1024.0 * 1024.0), sorted.size(), sorted[sorted.size() / 2],
                sorted.back(), cpuTimes.back());
    window->close();
    return 0;
}
