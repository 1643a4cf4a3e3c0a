// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/directorysearch.h"
#include "core/platform/directorylisting.h"
#include "core/platform/mounts.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace hangardeck::core;

namespace {

struct Search {
    QStringList found; // full paths as reported
    int searched = 0;
    bool finished = false;
};

// Searches below start; stops when `stopAt` directories have been searched (0: never).
Search search(const QString &start, int stopAt = 0)
{
    Search result;
    DirectorySearchCallbacks callbacks;
    callbacks.found = [&result](const std::filesystem::path &path) {
        result.found.append(QDir::fromNativeSeparators(hangardeck::testsupport::pathText(path)));
    };
    callbacks.searched = [&result, stopAt] { return ++result.searched != stopAt; };
    result.finished =
        searchAircraftDirectories(std::filesystem::path(QFile::encodeName(start).toStdString()), callbacks);
    return result;
}

// Makes the folders below root; "name*" is an empty file, "name -> target" a symbolic link.
bool makeTree(const QString &root, const QStringList &relative)
{
    for (const QString &path : relative) {
        const QString at = root + '/' + path.section(" -> ", 0, 0);
        const bool made = path.contains(" -> ")
                              ? QDir().mkpath(QFileInfo(at).path()) && QFile::link(path.section(" -> ", 1), at)
                          : path.endsWith('*') ? QDir().mkpath(root) && QFile(at.chopped(1)).open(QIODevice::WriteOnly)
                                               : QDir().mkpath(at);
        if (!made) {
            return false;
        }
    }
    return true;
}

QStringList under(const QString &root, const QStringList &relative)
{
    QStringList paths;
    for (const QString &path : relative) {
        paths.append(root + "/" + path);
    }
    return paths;
}

} // namespace

class DirectorySearchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What is listed, in which order, and how many directories are entered on the way.
    void search_listsAndEnters_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("start"); // appended to the root
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<int>("searched");
        const auto row = [](const QString &name, const QStringList &tree, const QString &start,
                            const QStringList &found,
                            int searched) { QTest::newRow(qPrintable(name)) << tree << start << found << searched; };
        row("parent listed before a match below it",
            {"Games/FS9/Aircraft/a320 aircraft pack/model", "Games/FS9/Scenery"}, "/Games",
            {"Games/FS9/Aircraft", "Games/FS9/Aircraft/a320 aircraft pack"}, 6);
        // Byte order would give "A", "AIRCRAFT", "Z", "_", "aircraft", "b".
        row("siblings in name order without regard to case",
            {"b aircraft", "Z aircraft", "_aircraft", "A aircraft", "aircraft", "AIRCRAFT"}, "",
            {"_aircraft", "A aircraft", "AIRCRAFT", "aircraft", "b aircraft", "Z aircraft"}, 7);
        row("hidden directories searched", {".wine/drive_c/Program Files/FS9/Aircraft", ".Aircraft"}, "",
            {".Aircraft", ".wine/drive_c/Program Files/FS9/Aircraft"}, 7);
        // A start that would be excluded or listed as a sub-directory is searched all the same.
        row("START never listed", {"Aircraft/inner aircraft"}, "/Aircraft", {"Aircraft/inner aircraft"}, 2);
        row("START never excluded", {"Aircraft SDK/inner aircraft"}, "/Aircraft SDK", {"Aircraft SDK/inner aircraft"},
            2);
        row("a file is no directory", {"a/b/c", "a/d", "e", "SDK/f/g", "a/file aircraft*"}, "", {}, 6);
#ifdef Q_OS_UNIX
        // Whether they point out of the start, back up the tree, at themselves or at nothing.
        row("links never followed",
            {"start/b/Aircraft", "elsewhere/Aircraft", "start/a link -> ../elsewhere",
             "start/Aircraft link -> ../elsewhere/Aircraft", "start/b/loop -> ..",
             "start/b/Aircraft/self aircraft -> .", "start/dangling aircraft -> nowhere"},
            "/start", {"start/b/Aircraft"}, 3);
#endif
        row("missing start", {}, "/missing", {}, 1);
        row("a file as start", {"file*"}, "/file", {}, 1);

        for (const QString &name : QStringList{"AIRCRAFT", "MyAirCraftX", "AI Aircraft", "Flugzeug \u00fc AIRCRAFT"}) {
            row("listed: " + name, {name}, "", {name}, 2);
        }
        for (const QString &name : QStringList{"Air craft", "Aircraf"}) {
            row("not listed: " + name, {name}, "", {}, 2);
        }
        // Neither listed nor entered: only the start and zz are searched. A Kelvin sign folds to k
        // beyond ASCII.
        for (const QString &name :
             QStringList{"SDK", "Learning Center", "My Documents", "HANGARDECK Files", "Aircraft SDK",
                         "relearned aircraft", "hangardeck", "Aircraft SD\u212a"}) {
            row("excluded: " + name, {name + "/Aircraft/deep aircraft", "zz"}, "", {}, 2);
        }
    }

    void search_listsAndEnters()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, start);
        QFETCH(QStringList, found);
        QFETCH(int, searched);
        if (QByteArray(QTest::currentDataTag()).contains("case")) {
            SKIP_ON_WINDOWS("aircraft and AIRCRAFT are one folder");
        }
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(), tree));
        const Search result = search(dir.path() + start);
        QCOMPARE(result.found, under(dir.path(), found));
        QCOMPARE(result.searched, searched);
        QVERIFY(result.finished);
    }

    void siblings_sameOrderAsTheListing()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        const QStringList names =
            QString("\u00c9t\u00e9 aircraft,F aircraft,e aircraft,\u00e9 aircraft,[aircraft],9 aircraft,{aircraft},"
                    "\u00df aircraft,SS aircraft")
                .split(',');
        QVERIFY(makeTree(root, names));
        QStringList listed;
        for (const DirectoryEntry &entry : listSubfolders(QFile::encodeName(root).toStdString())) {
            listed.append(root + "/" + entry.name);
        }
        QCOMPARE(listed.size(), names.size());
        QCOMPARE(search(root).found, listed);
    }

    void stop_endsBeforeTheNextDirectory()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(), {"a1 aircraft/b aircraft", "a2 aircraft", "a3 aircraft", "a4 aircraft"}));
        QCOMPARE(search(dir.path()).found.size(), 5);
        // Searched: start, a1, a1/b (stops here: listed first, then refused), nothing after.
        const Search stopped = search(dir.path(), 3);
        QVERIFY(!stopped.finished);
        QCOMPARE(stopped.searched, 3);
        QCOMPARE(stopped.found, under(dir.path(), {"a1 aircraft", "a1 aircraft/b aircraft"}));
        const Search atOnce = search(dir.path(), 1);
        QVERIFY(!atOnce.finished && atOnce.found.isEmpty());
        // No start at all is searched as a missing one.
        const Search none = search(QString());
        QVERIFY(none.finished && none.found.isEmpty() && none.searched == 1);
    }

    void mountinfo_pseudoMountsParsed()
    {
        const std::string text = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                                 "24 27 0:6 / /dev rw,relatime shared:2 - devtmpfs devtmpfs rw,size=1k\n"
                                 "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                                 "30 23 0:26 / /sys/fs/cgroup rw master:3 - cgroup2 cgroup2 rw\n"
                                 "31 27 0:40 / /mnt/with\\040blank rw - autofs systemd-1 rw\n"
                                 "40 27 0:41 / /broken rw proc\n"
                                 "41 27 x:y / /bad rw - proc proc rw";
        const std::vector<PseudoFileSystemMount> mounts = pseudoFileSystemMounts(text);
        QStringList points;
        for (const PseudoFileSystemMount &mount : mounts) {
            points.append(QString::fromStdString(mount.mountPoint));
        }
        QCOMPARE(points, (QStringList{"/proc", "/dev", "/sys/fs/cgroup", "/mnt/with blank"}));
#ifdef Q_OS_UNIX
        QCOMPARE(mounts[0].device, std::uint64_t(makedev(0, 21)));
        QCOMPARE(mounts[1].device, std::uint64_t(makedev(0, 6)));
        // The devices the kernel names are the ones stat gives.
        struct stat info {};
        if (::stat("/proc", &info) == 0) {
            QFile file("/proc/self/mountinfo");
            QVERIFY(file.open(QIODevice::ReadOnly));
            bool seen = false;
            for (const PseudoFileSystemMount &mount : pseudoFileSystemMounts(file.readAll().toStdString())) {
                seen = seen || (mount.mountPoint == "/proc" && mount.device == std::uint64_t(info.st_dev));
            }
            QVERIFY(seen);
        }
#endif
    }

#ifdef Q_OS_UNIX
    void unreadableDirectory_contributesNothing()
    {
        if (::geteuid() == 0) {
            QSKIP("root reads every directory");
        }
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(makeTree(root, {"Locked Aircraft/inner aircraft", "locked/Aircraft", "open/Aircraft"}));
        QVERIFY(::chmod(QFile::encodeName(root + "/Locked Aircraft").constData(), 0) == 0);
        QVERIFY(::chmod(QFile::encodeName(root + "/locked").constData(), 0) == 0);
        const Search result = search(root);
        ::chmod(QFile::encodeName(root + "/Locked Aircraft").constData(), 0700);
        ::chmod(QFile::encodeName(root + "/locked").constData(), 0700);
        // Listed by its name, then nothing below it; the next sibling is searched all the same.
        QCOMPARE(result.found, under(root, {"Locked Aircraft", "open/Aircraft"}));
        QCOMPARE(result.searched, 5);
        QVERIFY(result.finished);
    }
#endif
};

QTEST_GUILESS_MAIN(DirectorySearchTest)
#include "directorysearch_test.moc"
