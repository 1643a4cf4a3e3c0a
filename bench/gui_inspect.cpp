// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// Measures what a user waits for after F5 in the real main window: selecting a row (details,
// the picture walk, the first picture shown), on a collection and on one heavy aircraft
// folder (1,000 files in 100 folders and a 4000 x 3000 JPEG), the interface thread's longest
// stall while rows of a folder linked to 200,000 pictures are selected, and saving the whole
// list. Prints one line:
//
//   select_ms=.. heavy_select_ms=.. stall_ms=.. save_ms=.. rows=..
//
// (medians of the selections; the worst stall; one save).
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
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
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

// A tree of 200,000 empty pictures in 200 folders, linked into a collection as one aircraft
// beside a light one. The files are hard links to one empty file per folder, which cost no new
// files on disk (a file has at most 65,000 names).
bool writeLinkedTreeCollection(const QString &root)
{
    namespace fs = std::filesystem;
    const fs::path tree = fs::path(QDir(root).filePath(QStringLiteral("tree")).toStdString());
    const fs::path done = tree / "done";
    std::error_code error;
    if (!fs::exists(done, error)) {
        fs::remove_all(tree, error);
        for (int folder = 0; folder < 200 && !error; ++folder) {
            const fs::path dir = tree / ("f" + std::to_string(1000 + folder).substr(1));
            const fs::path empty = tree / ("empty" + std::to_string(folder));
            fs::create_directories(dir, error);
            QFile source(QString::fromStdString(empty.string()));
            if (error || !source.open(QIODevice::WriteOnly)) {
                return false;
            }
            for (int file = 0; file < 1000 && !error; ++file) {
                fs::create_hard_link(empty, dir / ("p" + std::to_string(1000 + file).substr(1) + ".jpg"), error);
            }
        }
        QFile cfg(QString::fromStdString((tree / "aircraft.cfg").string()));
        QFile stamp(QString::fromStdString(done.string()));
        if (error || !cfg.open(QIODevice::WriteOnly)
            || cfg.write("[fltsim.0]\r\ntitle=Linked tree\r\nui_manufacturer=Bench\r\nui_type=Big tree\r\n") <= 0
            || !stamp.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    const fs::path collection = fs::path(QDir(root).filePath(QStringLiteral("collection")).toStdString());
    fs::create_directories(collection / "light", error);
    if (!fs::exists(collection / "aaa tree", error)) {
        fs::create_directory_symlink(tree, collection / "aaa tree", error);
    }
    QFile light(QString::fromStdString((collection / "light" / "aircraft.cfg").string()));
    return !error && light.open(QIODevice::WriteOnly)
           && light.write("[fltsim.0]\r\ntitle=Light\r\nui_manufacturer=Bench\r\nui_type=Light\r\n") > 0;
}

// Runs the event loop until done() holds (false after 10 s). It sleeps while nothing comes, so
// that the workers have the processors to themselves.
bool pumpUntil(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake; // the test is made again at least this often
    wake.start(5);
    while (!done()) {
        if (clock.elapsed() > 10000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The longest time the interface thread went without coming back to its event loop: a timer
// due every millisecond notes each gap.
class StallMeter final
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_worstNs = std::max(m_worstNs, now - m_lastNs);
            m_lastNs = now;
        });
        m_clock.start();
        m_timer.start();
    }
    double worstMs() const { return double(m_worstNs) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_worstNs = 0;
};

struct Window {
    QTemporaryDir program;
    hangardeck::bench::FailingPresenter presenter{"hangardeck-bench-inspect"};
    QuietLauncher launcher;
    std::unique_ptr<hangardeck::gui::MainWindow> window;
    QAbstractItemView *list2 = nullptr;
    QLabel *img1 = nullptr;
    QListWidget *pictures = nullptr;

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
        pictures = window->findChild<QListWidget *>(QStringLiteral("lstImageFiles"));
        return list2 && img1 && pictures && list2->model()->rowCount() > 0 && presenter.count == 0;
    }

    // The pointer over the picture list is busy while the pictures are looked for.
    bool walking() const { return pictures->testAttribute(Qt::WA_SetCursor); }

    // One selection as the user makes it, until its pictures are all listed and the picture
    // area drawn; negative when that does not happen within 10 s.
    double select(int row)
    {
        QElapsedTimer clock;
        clock.start();
        list2->setCurrentIndex(list2->model()->index(row, 0));
        if (!pumpUntil([this] { return !walking(); })) {
            return -1;
        }
        img1->repaint();
        return double(clock.nsecsElapsed()) / 1e6;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    hangardeck::bench::offscreenUnlessChosen();
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
        // Timed to the photo drawn, which is the first picture in the list.
        QElapsedTimer photo;
        photo.start();
        heavy.list2->setCurrentIndex(heavy.list2->model()->index(0, 0));
        if (!pumpUntil([&heavy] { return !heavy.img1->pixmap().isNull(); })) {
            std::fprintf(stderr, "hangardeck-bench-inspect: the heavy aircraft's photo was not shown\n");
            return 1;
        }
        heavy.img1->repaint();
        heavySelections.push_back(double(photo.nsecsElapsed()) / 1e6);
        pumpUntil([&heavy] { return !heavy.walking(); });
    }

    const QString treeRoot = QDir(args[2]).filePath(QStringLiteral("linked-tree"));
    Window tree;
    if (!writeLinkedTreeCollection(treeRoot) || !tree.start(treeRoot + QStringLiteral("/collection"))
        || tree.list2->model()->rowCount() != 2) {
        std::fprintf(stderr, "hangardeck-bench-inspect: cannot list the folder linked to 200,000 pictures\n");
        return 1;
    }
    // Each selection of the linked tree to its bounded list, the light one in between; then
    // quick changes of row that stop the walk midway.
    pumpUntil([&tree] { return !tree.walking(); });
    const StallMeter stalls;
    for (int i = 0; i < 5; ++i) {
        tree.select(1);
        if (tree.select(0) < 0 || tree.pictures->count() != 10001) {
            std::fprintf(stderr, "hangardeck-bench-inspect: the linked tree did not list its first 10,000\n");
            return 1;
        }
    }
    for (int i = 0; i < 20; ++i) {
        tree.list2->setCurrentIndex(tree.list2->model()->index(i % 2, 0));
        QElapsedTimer clock;
        clock.start();
        pumpUntil([&clock] { return clock.elapsed() >= 20; });
    }
    pumpUntil([&tree] { return !tree.walking(); });
    std::printf("select_ms=%.2f heavy_select_ms=%.2f stall_ms=%.2f save_ms=%.1f rows=%d\n", median(selections),
                median(heavySelections), stalls.worstMs(), saveMs, rows);
    return 0;
}
