// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/prefixsearch.h"
#include "testconfig.h"
#include "testsupport.h"

#include <QProcess>
#include <QTest>

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

class PrefixSearchTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // One prefix of each kind in a fake home, in the order they are looked at.
    const QStringList m_found{
        "own prefix/drive_c/Program Files (x86)/Flight Simulator 9/Aircraft",
        "home/.wine/drive_c/Program Files/Microsoft Games/Flight Simulator 9/Aircraft",
        "library2/steamapps/compatdata/2430/pfx/drive_c/program files/Microsoft Games/FLIGHT SIMULATOR 9/aircraft",
        "home/.local/share/bottles/bottles/FS9/drive_c/Program Files/Microsoft Games/Flight Simulator 9/Aircraft",
        "games/fs9/drive_c/Program Files/Microsoft Games/Flight Simulator 9/Aircraft"};

    // The prefixes, plus prefixes and folders that must not count.
    void makeHome()
    {
        const QStringList others{"library2/steamapps/compatdata/10/pfx/drive_c/Program Files/Steam",
                                 // Two folders deep is past what is looked at; an Aircraft file is no folder.
                                 "home/.wine/drive_c/Program Files/A/B/Flight Simulator 9/Aircraft",
                                 "home/.wine/drive_c/Program Files (x86)/Flight Simulator 9"};
        for (const QString &folder : m_found + others) {
            QVERIFY(QDir().mkpath(path(folder)));
        }
        QVERIFY(writeFile(path("home/.wine/drive_c/Program Files (x86)/Flight Simulator 9/Aircraft"), ""));
        QVERIFY(writeFile(path("home/.local/share/Steam/steamapps/libraryfolders.vdf"),
                          "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\""
                              + path("home/.local/share/Steam").toUtf8() + "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\""
                              + path("library2").toUtf8()
                              + "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2430\"\t\t\"123\"\n\t\t}\n\t}\n}\n"));
        // Steam's usual link to its own folder: its libraries count once.
        QVERIFY(QDir().mkpath(path("home/.steam")));
        QVERIFY(QFile::link(path("home/.local/share/Steam"), path("home/.steam/steam")));
        QVERIFY(writeFile(path("home/.config/lutris/games/fs9-1700000000.yml"),
                          "game:\n  exe: x.exe\n  prefix: '" + path("games/fs9").toUtf8() + "'\nname: FS9\n"));
    }

private Q_SLOTS:
    void initTestCase() { makeHome(); }

    void prefixes_foundInFixedOrderOnce()
    {
        PrefixPlaces places;
        places.home = path("home").toStdString();
        places.winePrefix = path("own prefix").toStdString();
        places.dataHome = path("home/.local/share").toStdString();
        places.configHome = path("home/.config").toStdString();
        QStringList found;
        for (const std::filesystem::path &folder : findPrefixAircraftDirectories(places)) {
            found.append(
                QDir::fromNativeSeparators(QString::fromStdString(folder.string())).remove(m_dir.path() + '/'));
        }
        QCOMPARE(found, m_found);

        // The command line reads the same places from the environment.
        SKIP_ON_WINDOWS("the home there is the user profile, not $HOME");
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", path("home"));
        environment.insert("WINEPREFIX", path("own prefix"));
        environment.remove("XDG_DATA_HOME");
        environment.remove("XDG_CONFIG_HOME");
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(HANGARDECK_CLI_PATH), {"find", "--prefixes"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QDir::fromNativeSeparators(QString::fromUtf8(cli.readAllStandardOutput())).remove(m_dir.path() + '/'),
                 m_found.join('\n') + '\n');
        QCOMPARE(cli.readAllStandardError(), QByteArray("5 aircraft directories found\n"));
    }

    void placesFiles_parsed()
    {
        // The older form numbers the libraries; a backslash escapes the next character.
        const std::vector<std::filesystem::path> old =
            steamLibraryFolders("\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n\t\"1\"\t\"/mnt/Games\"\n"
                                "\t\"2\"\t\"/mnt/With \\\"quote\\\\\"\n}\n");
        QCOMPARE(old, (std::vector<std::filesystem::path>{"/mnt/Games", "/mnt/With \"quote\\"}));
        QVERIFY(steamLibraryFolders("").empty());

        QCOMPARE(lutrisPrefix("game:\n  prefix: \"/home/u/Games/fs 9\"\n"),
                 std::filesystem::path("/home/u/Games/fs 9"));
        QCOMPARE(lutrisPrefix("game:\n  exe: /x/prefix: no\n"), std::filesystem::path());
    }
};

QTEST_GUILESS_MAIN(PrefixSearchTest)
#include "prefixsearch_test.moc"
