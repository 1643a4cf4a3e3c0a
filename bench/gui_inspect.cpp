// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Measures what a user waits for after F5 in the real main window: selecting a row (details,
// the picture walk, the first picture shown), on a collection and on one heavy aircraft
// folder (1,000 files in 100 folders and a 4000 x 3000 JPEG), and saving the whole list.
// Prints one line:
//
//   select_ms=.. heavy_select_ms=.. save_ms=.. rows=..
//
// (medians of the selections; one save).
//
//   hangardeck-bench-inspect COLLECTION_DIR HEAVY_WORK_DIR
#include "benchsupport.h"
#include "gui/shell/launcher.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messagepresenter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Opening the editor or the viewer is the desktop's time, not ours.
class QuietLauncher final : public hangardeck::gui::Launcher
{
protected:
    bool start(const QString &) override { return true; }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool writeSettings(const QString &programFolder, const QString &aircraftDir)
{
    QFile ini(QDir(programFolder).filePath(QStringLiteral("hangardeck.ini")));
    return ini.open(QIODevice::WriteOnly)
           && ini.write("[main]\r\nacpath=" + QFileInfo(aircraftDir).absoluteFilePath().toUtf8()
                        + "\r\nflsimx=1\r\nframe=5\r\nsheep=9\r\n")
                  > 0;
}

// An aircraft folder as heavy as they come: 1,000 small pictures in 100 folders, and one
// photo of 4000 x 3000 pixels, which is the first picture shown.
bool writeHeavyCollection(const QString &root)
{
    const QString heavy = QDir(root).filePath(QStringLiteral("aaa heavy"));
    QFile cfg(heavy + QStringLiteral("/aircraft.cfg"));
    if (!QDir().mkpath(heavy) || !cfg.open(QIODevice::WriteOnly)
        || cfg.write("[fltsim.0]\r\ntitle=Heavy\r\nui_manufacturer=Bench\r\nui_type=Heavy\r\n"
                     "description=An aircraft with a thousand pictures\r\n")
               <= 0) {
        return false;
    }
    cfg.close();
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); x += 7) {
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
    }
    if (!photo.save(heavy + QStringLiteral("/aaa photo.jpg"), "JPG", 85)) {
        return false;
    }
    QImage small(64, 48, QImage::Format_RGB32);
    small.fill(Qt::darkGreen);
    QByteArray smallJpeg;
    for (int folder = 0; folder < 100; ++folder) {
        const QString dir = heavy + QStringLiteral("/texture.%1").arg(folder, 3, 10, QChar(u'0'));
        if (!QDir().mkpath(dir)) {
            return false;
        }
        for (int file = 0; file < 10; ++file) {
            const QString name = dir + QStringLiteral("/skin%1.%2").arg(file).arg(file % 3 == 0 ? u"gif" : u"jpg");
            if (!small.save(name, "JPG")) {
                return false;
            }
        }
    }
    QFile light(QDir(root).filePath(QStringLiteral("zzz light/aircraft.cfg")));
    return QDir().mkpath(QFileInfo(light).absolutePath()) && light.open(QIODevice::WriteOnly)
           && light.write("[fltsim.0]\r\ntitle=Light\r\nui_manufacturer=Bench\r\nui_type=Light\r\n") > 0;
}

struct Window {
    QTemporaryDir program;
    hangardeck::bench::FailingPresenter presenter{"hangardeck-bench-inspect"};
    QuietLauncher launcher;
    std::unique_ptr<hangardeck::gui::MainWindow> window;
    QAbstractItemView *list2 = nullptr;
    QLabel *img1 = nullptr;

    bool start(const QString &aircraftDir)
    {
        if (!program.isValid() || !writeSettings(program.path(), aircraftDir)) {
            return false;
        }
        window = std::make_unique<hangardeck::gui::MainWindow>(program.path(), &presenter, &launcher);
        window->show();
        QCoreApplication::processEvents();
        window->findChild<QAction *>(QStringLiteral("mnuGenerate"))->trigger();
        QCoreApplication::processEvents();
        list2 = window->findChild<QAbstractItemView *>(QStringLiteral("List2"));
        img1 = window->findChild<QLabel *>(QStringLiteral("img1"));
        return list2 && img1 && list2->model()->rowCount() > 0 && presenter.count == 0;
    }

    // One selection as the user makes it, to the picture drawn.
    double select(int row)
    {
        QElapsedTimer clock;
        clock.start();
        list2->setCurrentIndex(list2->model()->index(row, 4));
        img1->repaint();
        return double(clock.nsecsElapsed()) / 1e6;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || !QFileInfo(args[1]).isDir()) {
        std::fprintf(stderr, "usage: hangardeck-bench-inspect COLLECTION_DIR HEAVY_WORK_DIR\n");
        return 2;
    }

    Window collection;
    if (!collection.start(args[1])) {
        std::fprintf(stderr, "hangardeck-bench-inspect: the collection did not list\n");
        return 1;
    }
    const int rows = collection.list2->model()->rowCount();
    std::vector<double> selections;
    for (int i = 1; i <= 21; ++i) {
        selections.push_back(collection.select(int(qint64(rows - 1) * i / 22)));
    }
    QElapsedTimer clock;
    clock.start();
    collection.window->findChild<QAction *>(QStringLiteral("mnuSave"))->trigger();
    const double saveMs = double(clock.nsecsElapsed()) / 1e6;

    const QString heavyRoot = QDir(args[2]).filePath(QStringLiteral("heavy-collection"));
    if (!QFileInfo(heavyRoot + QStringLiteral("/aaa heavy/aircraft.cfg")).exists()
        && !writeHeavyCollection(heavyRoot)) {
        std::fprintf(stderr, "hangardeck-bench-inspect: cannot write the heavy aircraft\n");
        return 1;
    }
    Window heavy;
    if (!heavy.start(heavyRoot) || heavy.list2->model()->rowCount() != 2) {
        std::fprintf(stderr, "hangardeck-bench-inspect: the heavy aircraft did not list\n");
        return 1;
    }
    std::vector<double> heavySelections;
    for (int i = 0; i < 11; ++i) {
        heavy.select(1); // the light one in between, so that each heavy selection is a change
        heavySelections.push_back(heavy.select(0));
    }
    if (heavy.img1->pixmap().isNull()) {
        std::fprintf(stderr, "hangardeck-bench-inspect: the heavy aircraft's photo was not shown\n");
        return 1;
    }
    std::printf("select_ms=%.2f heavy_select_ms=%.2f save_ms=%.1f rows=%d\n", median(selections),
                median(heavySelections), saveMs, rows);
    return 0;
}
