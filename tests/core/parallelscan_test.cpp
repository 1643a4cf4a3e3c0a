// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"
#include "core/platform/nativepath.h"
#include "core/platform/parallel.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace hangardeck::core;
using namespace hangardeck::testsupport;
namespace fs = std::filesystem;

namespace {

// Everything one scan gives, as text: rows in order, the entry each maps to, its folder.
QStringList describe(const CatalogueScan &scan)
{
    QStringList lines;
    for (qsizetype i = 0; i < scan.rowCount(); ++i) {
        const CatalogueEntry &entry = scan.entries[size_t(scan.rowEntries[size_t(i)])];
        lines.append(scan.row(i) + u" | " + entry.title + u" | " + QString::number(entry.fltsimIndex) + u" | "
                     + fromNativePath(scan.folderPath(entry)));
    }
    return lines;
}

} // namespace

class ParallelScanTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The readers may finish folders in any order; the result must not show it.
    void anyNumberOfReaders_givesTheOneReaderResult()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        const QList<std::pair<QString, QByteArray>> files{
            {"many", numberedEntries(40, "Variant", "ui_manufacturer=Acme\r\nui_type=Many\r\n")},
            {"wide", utf16("[fltsim.0]\r\ntitle=W\r\n", false)},
            {"cp1252", "[fltsim.0]\r\ntitle=Br\xE9geat\r\n"},
            {"gap", "[fltsim.0]\r\ntitle=Zero\r\n[fltsim.2]\r\ntitle=Two\r\n"},
            {"default", "[fltsim.0]\r\ntitle=Skipped\r\n"},
            {"Same Title A", "[fltsim.0]\r\ntitle=Same\r\n"},
            {"same title b", "[fltsim.0]\r\ntitle=same\r\n"},
        };
        for (const auto &[folder, content] : files) {
            QVERIFY(writeFile(root + '/' + folder + "/aircraft.cfg", content));
        }
        QVERIFY(QDir(root).mkpath("no cfg"));
        for (int i = 0; i < 60; ++i) {
            QVERIFY(writeFile(root + QString("/bulk%1/aircraft.cfg").arg(i, 2, 10, QChar('0')),
                              "[fltsim.0]\r\ntitle=Bulk " + QByteArray::number(59 - i) + "\r\n"));
        }
#ifdef Q_OS_UNIX
        QVERIFY(QDir(root).mkpath("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(root + "/fifo/aircraft.cfg").constData(), 0644) == 0);
        fs::create_directory_symlink(toNativePath(root + "/many"), toNativePath(root + "/linked"));
        fs::create_directory_symlink(toNativePath(root + "/loop"), toNativePath(root + "/loop"));
#endif
        const std::vector<DirectoryEntry> folders = listSubfolders(toNativePath(root));
        FormatSettings format;
        format.delimiter = "|";
        for (const bool extended : {false, true}) {
            const QStringList one = describe(scanFolders(folders, extended, format, {}, 1));
#ifdef Q_OS_UNIX
            constexpr qsizetype AtLeast = 69;
#else
            constexpr qsizetype AtLeast = 66; // without the FIFO and the links
#endif
            QVERIFY2(one.size() >= AtLeast, QByteArray::number(one.size()));
            for (const int readers : {0, 2, 7, 64}) {
                QCOMPARE(describe(scanFolders(folders, extended, format, {}, readers)), one);
            }
        }
    }

    // Progress comes on the calling thread, folder by folder in scan order; stopping it keeps
    // exactly the folders told so far.
    void progress_inScanOrderAndStopsWhereAsked()
    {
        QTemporaryDir dir;
        for (int i = 0; i < 20; ++i) {
            QVERIFY(writeFile(dir.path() + QString("/f%1/aircraft.cfg").arg(i, 2, 10, QChar('0')),
                              "[fltsim.0]\r\ntitle=T" + QByteArray::number(i) + "\r\n"));
        }
        const std::vector<DirectoryEntry> folders = listSubfolders(toNativePath(dir.path()));
        QList<int> told;
        const CatalogueScan scan = scanFolders(
            folders, false, {},
            [&told](int done, int total) {
                told.append(done);
                return total == 20 && done < 5;
            },
            4);
        QCOMPARE(told, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(scan.titles(), (QStringList{"T0", "T1", "T2", "T3", "T4"}));
    }

    // A newer job stops the running one; a job still waiting when an even newer one comes
    // never runs; the worker's end stops the running job and waits for it.
    void latestJobWorker_onlyTheNewestJobRuns()
    {
        std::atomic<int> state{0}; // 1: the first job runs, 2: it saw its stop, 3: let go
        QStringList ran;
        std::mutex ranMutex;
        const auto record = [&](const QString &name) {
            const std::lock_guard lock(ranMutex);
            ran.append(name);
        };
        const auto until = [](const std::function<bool()> &done) {
            for (int i = 0; i < 1000 && !done(); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            return done();
        };
        {
            LatestJobWorker worker;
            worker.run([&](std::stop_token stop) {
                state = 1;
                until([&] { return stop.stop_requested(); });
                state = 2;
                until([&] { return state == 3; });
                record(stop.stop_requested() ? QStringLiteral("first, stopped") : QStringLiteral("first"));
            });
            QVERIFY(until([&] { return state == 1; }));
            worker.run([&](std::stop_token) { record("second"); });
            QVERIFY(until([&] { return state == 2; }));
            worker.run([&](std::stop_token stop) {
                record("third");
                until([&] { return stop.stop_requested(); }); // only the worker's end stops it
            });
            state = 3;
            QVERIFY(until([&] {
                const std::lock_guard lock(ranMutex);
                return ran.size() == 2;
            }));
        }
        QCOMPARE(ran, (QStringList{"first, stopped", "third"}));
    }
};

QTEST_GUILESS_MAIN(ParallelScanTest)
#include "parallelscan_test.moc"
