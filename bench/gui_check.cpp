// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Measures the check window on a collection: from the check started to its last finding in
// the table (the check over, every batch shown, the table drawn), and the memory the findings
// take. Prints one line:
//
//   check_ms=.. findings=.. rows=.. rss_before_mb=.. rss_after_mb=.. hwm_mb=..
//
//   hangardeck-bench-check-window COLLECTION_DIR
#include "benchsupport.h"
#include "gui/check/checkwindow.h"
#include "gui/shell/launcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>

#include <cstdio>

namespace {

// Opening an editor is the desktop's time, not ours.
class QuietLauncher final : public hangardeck::gui::Launcher
{
protected:
    bool start(const QString &) override { return true; }
};

} // namespace

int main(int argc, char *argv[])
{
    hangardeck::bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || !QFileInfo(args[1]).isDir()) {
        std::fprintf(stderr, "usage: hangardeck-bench-check-window COLLECTION_DIR\n");
        return 2;
    }
    QuietLauncher launcher;
    hangardeck::gui::CheckWindow window(&launcher);
    window.show();
    QCoreApplication::processEvents();
    const double rssBefore = hangardeck::bench::procStatusMb("VmRSS");

    QEventLoop loop;
    QObject::connect(&window, &hangardeck::gui::CheckWindow::checkFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    window.check(QFile::encodeName(args[1]).toStdString(), true);
    loop.exec();
    auto *table = window.findChild<QTableView *>(QStringLiteral("checkFindings"));
    table->scrollToBottom();
    table->viewport()->repaint();
    const double checkMs = double(clock.nsecsElapsed()) / 1e6;
    const QString report = window.findChild<QLabel *>(QStringLiteral("checkReport"))->text();
    if (report.startsWith(u"Check cancelled")) {
        std::fprintf(stderr, "hangardeck-bench-check-window: the check did not end whole\n");
        return 1;
    }
    std::printf("check_ms=%.1f rows=%d rss_before_mb=%.1f rss_after_mb=%.1f hwm_mb=%.1f\n", checkMs,
                table->model()->rowCount(), rssBefore, hangardeck::bench::procStatusMb("VmRSS"),
                hangardeck::bench::procStatusMb("VmHWM"));
    return 0;
}
