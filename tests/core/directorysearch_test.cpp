// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/directorysearch.h"
#include "core/platform/directorylisting.h"

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
        result.found.append(QFile::decodeName(QByteArray::fromStdString(path.native())));
    };
    callbacks.searched = [&result, stopAt] { return ++result.searched != stopAt; };
    result.finished =
        searchAircraftDirectories(std::filesystem::path(QFile::encodeName(start).toStdString()), callbacks);
    return result;
}

bool makeDirs(const QString &root, const QStringList &relative)
{
    for (const QString &path : relative) {
        if (!QDir().mkpath(root + "/" + path)) {
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
    // What is listed, in which order
    void parentListedBeforeMatchBelowIt();
    void names_matchWithoutRegardToCase_data();
    void names_matchWithoutRegardToCase();
    void siblings_inNameOrderWithoutRegardToCase();
    void siblings_sameOrderAsTheListing();
    void start_neverTestedOrListed();
    void start_trailingSlashNotDoubled();
    void hiddenDirectories_searched();

    // What is not entered
    void excludedNames_neitherListedNorEntered_data();
    void excludedNames_neitherListedNorEntered();
    void links_neverFollowed();
    void unreadableDirectory_contributesNothing();
    void missingStart_searchesOnlyTheStart();

    // Progress and stopping
    void searched_countsEveryDirectoryEntered();
    void stop_endsBeforeTheNextDirectory();

    // Pseudo file systems
    void mountinfo_pseudoMountsParsed();
};

void DirectorySearchTest::parentListedBeforeMatchBelowIt()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(makeDirs(root, {"Games/FS9/Aircraft/a320 aircraft pack/model", "Games/FS9/Scenery"}));
    QCOMPARE(search(root + "/Games").found,
             under(root, {"Games/FS9/Aircraft", "Games/FS9/Aircraft/a320 aircraft pack"}));
}

void DirectorySearchTest::names_matchWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("upper") << "AIRCRAFT" << true;
    QTest::newRow("inside a word") << "MyAirCraftX" << true;
    QTest::newRow("AI Aircraft") << "AI Aircraft" << true;
    QTest::newRow("split") << "Air craft" << false;
    QTest::newRow("partial") << "Aircraf" << false;
    QTest::newRow("not ASCII") << QString::fromUtf8("Flugzeug \u00fc AIRCRAFT") << true;
    QTest::newRow("Kelvin sign in SDK") << QString::fromUtf8("Aircraft SD\u212a") << false;
}

void DirectorySearchTest::names_matchWithoutRegardToCase()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {name}));
    QCOMPARE(search(dir.path()).found, listed ? QStringList{dir.path() + "/" + name} : QStringList{});
}

void DirectorySearchTest::siblings_inNameOrderWithoutRegardToCase()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    // Byte order would give "A", "AIRCRAFT", "Z", "_", "aircraft", "b".
    QVERIFY(makeDirs(root, {"b aircraft", "Z aircraft", "_aircraft", "A aircraft", "aircraft", "AIRCRAFT"}));
    QCOMPARE(search(root).found,
             under(root, {"_aircraft", "A aircraft", "AIRCRAFT", "aircraft", "b aircraft", "Z aircraft"}));
}

void DirectorySearchTest::siblings_sameOrderAsTheListing()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const QStringList names{QString::fromUtf8("\u00c9t\u00e9 aircraft"),
                            "F aircraft",
                            "e aircraft",
                            QString::fromUtf8("\u00e9 aircraft"),
                            "[aircraft]",
                            "9 aircraft",
                            "{aircraft}",
                            QString::fromUtf8("\u00df aircraft"),
                            "SS aircraft"};
    QVERIFY(makeDirs(root, names));
    QStringList listed;
    for (const DirectoryEntry &entry : listSubfolders(QFile::encodeName(root).toStdString())) {
        listed.append(root + "/" + entry.name);
    }
    QCOMPARE(listed.size(), names.size());
    QCOMPARE(search(root).found, listed);
}

void DirectorySearchTest::start_neverTestedOrListed()
{
    QTemporaryDir dir;
    // A start that would be excluded or listed as a sub-directory is searched all the same.
    for (const QString &start : {QStringLiteral("Aircraft"), QStringLiteral("Aircraft SDK")}) {
        const QString root = dir.path() + "/" + start;
        QVERIFY(makeDirs(root, {"inner aircraft"}));
        QCOMPARE(search(root).found, QStringList{root + "/inner aircraft"});
    }
}

void DirectorySearchTest::start_trailingSlashNotDoubled()
{
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {"Aircraft"}));
    QCOMPARE(search(dir.path() + "/").found, QStringList{dir.path() + "/Aircraft"});
}

void DirectorySearchTest::hiddenDirectories_searched()
{
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {".wine/drive_c/Program Files/FS9/Aircraft", ".Aircraft"}));
    QCOMPARE(search(dir.path()).found, under(dir.path(), {".Aircraft", ".wine/drive_c/Program Files/FS9/Aircraft"}));
}

void DirectorySearchTest::excludedNames_neitherListedNorEntered_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("SDK") << "SDK";
    QTest::newRow("Learning Center") << "Learning Center";
    QTest::newRow("My Documents") << "My Documents";
    QTest::newRow("HANGARDECK Files") << "HANGARDECK Files";
    QTest::newRow("Aircraft SDK: excluded first") << "Aircraft SDK";
    QTest::newRow("fragment inside") << "relearned aircraft";
    QTest::newRow("lower case") << "hangardeck";
}

void DirectorySearchTest::excludedNames_neitherListedNorEntered()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {name + "/Aircraft/deep aircraft", "zz"}));
    const Search result = search(dir.path());
    QCOMPARE(result.found, QStringList{});
    QCOMPARE(result.searched, 2); // the start and zz
}

void DirectorySearchTest::links_neverFollowed()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString root = dir.path() + "/start";
    const QString elsewhere = dir.path() + "/elsewhere";
    QVERIFY(makeDirs(root, {"b/Aircraft"}));
    QVERIFY(makeDirs(elsewhere, {"Aircraft"}));
    QVERIFY(QFile::link(elsewhere, root + "/a link"));
    QVERIFY(QFile::link(elsewhere + "/Aircraft", root + "/Aircraft link"));
    QVERIFY(QFile::link(root, root + "/b/loop"));
    QVERIFY(QFile::link(".", root + "/b/Aircraft/self aircraft"));
    QVERIFY(QFile::link("nowhere", root + "/dangling aircraft"));
    const Search result = search(root);
    QVERIFY(result.finished);
    QCOMPARE(result.found, QStringList{root + "/b/Aircraft"});
    QCOMPARE(result.searched, 3); // start, b, b/Aircraft
#else
    QSKIP("needs POSIX links");
#endif
}

void DirectorySearchTest::unreadableDirectory_contributesNothing()
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0) {
        QSKIP("root reads every directory");
    }
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(makeDirs(root, {"Locked Aircraft/inner aircraft", "locked/Aircraft", "open/Aircraft"}));
    QVERIFY(::chmod(QFile::encodeName(root + "/Locked Aircraft").constData(), 0) == 0);
    QVERIFY(::chmod(QFile::encodeName(root + "/locked").constData(), 0) == 0);
    const Search result = search(root);
    ::chmod(QFile::encodeName(root + "/Locked Aircraft").constData(), 0700);
    ::chmod(QFile::encodeName(root + "/locked").constData(), 0700);
    // Listed by its name, then nothing below it; the next sibling is searched all the same.
    QCOMPARE(result.found, under(root, {"Locked Aircraft", "open/Aircraft"}));
    QCOMPARE(result.searched, 5);
    QVERIFY(result.finished);
#else
    QSKIP("needs POSIX permissions");
#endif
}

void DirectorySearchTest::missingStart_searchesOnlyTheStart()
{
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
    for (const QString &start : {dir.filePath("missing"), dir.filePath("file"), QString()}) {
        const Search result = search(start);
        QCOMPARE(result.found, QStringList{});
        QCOMPARE(result.searched, 1);
        QVERIFY(result.finished);
    }
}

void DirectorySearchTest::searched_countsEveryDirectoryEntered()
{
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {"a/b/c", "a/d", "e", "SDK/f/g"}));
    QVERIFY(QFile(dir.filePath("a/file aircraft")).open(QIODevice::WriteOnly));
    const Search result = search(dir.path());
    QCOMPARE(result.searched, 6);          // start, a, a/b, a/b/c, a/d, e
    QCOMPARE(result.found, QStringList{}); // a file is no directory
}

void DirectorySearchTest::stop_endsBeforeTheNextDirectory()
{
    QTemporaryDir dir;
    QVERIFY(makeDirs(dir.path(), {"a1 aircraft/b aircraft", "a2 aircraft", "a3 aircraft", "a4 aircraft"}));
    QCOMPARE(search(dir.path()).found.size(), 5);
    // Searched: start, a1, a1/b (stops here: listed first, then refused), nothing after.
    const Search stopped = search(dir.path(), 3);
    QVERIFY(!stopped.finished);
    QCOMPARE(stopped.searched, 3);
    QCOMPARE(stopped.found, under(dir.path(), {"a1 aircraft", "a1 aircraft/b aircraft"}));
    const Search atOnce = search(dir.path(), 1);
    QVERIFY(!atOnce.finished);
    QCOMPARE(atOnce.found, QStringList{});
}

void DirectorySearchTest::mountinfo_pseudoMountsParsed()
{
    const std::string text = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                             "24 27 0:6 / /dev rw,relatime shared:2 - devtmpfs devtmpfs rw,size=1k\n"
                             "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                             "30 23 0:26 / /sys/fs/cgroup rw master:3 - cgroup2 cgroup2 rw\n"
                             "31 27 0:40 / /mnt/with\\040blank rw - autofs systemd-1 rw\n"
                             "40 27 0:41 / /broken rw proc\n"
                             "41 27 x:y / /bad rw - proc proc rw";
    const std::vector<PseudoFileSystemMount> mounts = pseudoFileSystemMounts(text);
    QCOMPARE(mounts.size(), std::size_t(4));
    QCOMPARE(mounts[0].mountPoint, std::string("/proc"));
    QCOMPARE(mounts[1].mountPoint, std::string("/dev"));
    QCOMPARE(mounts[2].mountPoint, std::string("/sys/fs/cgroup"));
    QCOMPARE(mounts[3].mountPoint, std::string("/mnt/with blank"));
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

QTEST_GUILESS_MAIN(DirectorySearchTest)
#include "directorysearch_test.moc"
