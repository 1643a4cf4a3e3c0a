// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingsfile.h"
#include "core/settings/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

class SettingsFileTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paths_oneSeparator()
    {
        const SettingsFile installed("/opt/hangardeck/", "/home/pilot/.config/hangardeck");
        QCOMPARE(installed.portablePath(), "/opt/hangardeck/hangardeck.ini");
        QCOMPARE(installed.userPath(), "/home/pilot/.config/hangardeck/hangardeck.ini");
        const SettingsFile inRoot("/", "");
        QCOMPARE(inRoot.portablePath(), "/hangardeck.ini");
        // No user folder: no fallback, never a file in the root folder.
        QCOMPARE(inRoot.userPath(), QString());
    }

    void readPath_programFolderFirst_data()
    {
        QTest::addColumn<bool>("portableExists");
        QTest::addColumn<bool>("userExists");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first run") << false << false << "prog/hangardeck.ini";
        QTest::newRow("installed") << false << true << "user/hangardeck.ini";
        QTest::newRow("portable") << true << false << "prog/hangardeck.ini";
        QTest::newRow("both") << true << true << "prog/hangardeck.ini";
    }

    void readPath_programFolderFirst()
    {
        QFETCH(bool, portableExists);
        QFETCH(bool, userExists);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("prog") && QDir(dir.path()).mkpath("user"));
        const SettingsFile settings(dir.filePath("prog"), dir.filePath("user"));
        QVERIFY(!portableExists || writeFile(settings.portablePath(), "[main]\r\nfieldwidth=11\r\n"));
        QVERIFY(!userExists || writeFile(settings.userPath(), "[main]\r\nfieldwidth=22\r\n"));
        // A folder of that name is no settings file.
        QVERIFY(userExists || QDir(dir.path()).mkpath("user/hangardeck.ini"));

        QCOMPARE(settings.readPath(), dir.filePath(expected));
        QCOMPARE(settings.read().settingsValue(u"main", u"fieldwidth"), QString::fromLatin1(portableExists ? "11"
                                                                                            : userExists   ? "22"
                                                                                                           : ""));
    }

    // A close composes its thirteen keys into the file's content, keeping every other line.
    void closingWrite_keepsOtherLines()
    {
        QTemporaryDir dir;
        const SettingsFile settings(dir.path(), dir.filePath("user"));
        const QByteArray before = "\xEF\xBB\xBF; kept comment\r\n[main]\r\nbroken line without equals\r\nsheep=9\r\n"
                                  "leadfield=0\r\nframe=4\r\nextra=kept\r\n[other]\r\nx=1\r\n";
        QVERIFY(writeFile(settings.portablePath(), before));
        const SettingsValues values = closingValues(
            {"/fs9/Aircraft", "33", "0", 1, " | ", "\"", 3, false, 2, WindowGeometryTwips{150, 300.5f, 7110, 9105}});
        QCOMPARE(values.size(), size_t(13));
        QCOMPARE(settings.write(values), settings.portablePath());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"hangardeck.ini"});
        QCOMPARE(readFile(settings.portablePath()),
                 "\xEF\xBB\xBF; kept comment\r\n[main]\r\nbroken line without equals\r\nsheep=9\r\nleadfield=3\r\n"
                 "frame=2\r\nextra=kept\r\nacpath=/fs9/Aircraft\r\nfieldwidth=33\r\nfieldpadding=0\r\n"
                 "fieldactualwidth=1\r\nfielddelimiter=\" | \"\r\nrowterminator=\"\"\"\r\nflsimx=0\r\ntop=150\r\n"
                 "left=300.5\r\nheight=7110\r\nwidth=9105\r\n[other]\r\nx=1\r\n");
    }

    // Start-up read the user file; the first write beside the program carries its marker and
    // foreign lines over, so the next start, which reads the program folder's file, is no first run.
    void newPortableFile_startsFromUserFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("prog") && QDir(dir.path()).mkpath("user"));
        const SettingsFile settings(dir.filePath("prog"), dir.filePath("user"));
        const QByteArray userFile = "; mine\r\n[main]\r\nsheep=9\r\nfieldwidth=20\r\n";
        QVERIFY(writeFile(settings.userPath(), userFile));

        QCOMPARE(settings.write({{"fieldwidth", "33"}}), settings.portablePath());
        QCOMPARE(readFile(settings.portablePath()), "; mine\r\n[main]\r\nsheep=9\r\nfieldwidth=33\r\n");
        QCOMPARE(readFile(settings.userPath()), userFile);
        QCOMPARE(settings.readPath(), settings.portablePath());
    }

    // A copy whose own settings file cannot be replaced (a read-only folder or medium) keeps
    // what each close writes in the user's file, and reads it back at the next start.
    void readOnlyPortableFile_writesAndReadsTheUserFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("prog"));
        const SettingsFile settings(dir.filePath("prog"), dir.filePath("user"));
        QVERIFY(writeFile(settings.portablePath(), "[main]\r\nsheep=9\r\nfieldwidth=20\r\n"));
        QVERIFY(QFile::setPermissions(dir.filePath("prog"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const bool rightsIgnored = QFileInfo(dir.filePath("prog")).isWritable();
        const QString written = settings.write({{"fieldwidth", "33"}});
        const QString readBack = settings.readPath();
        const StartupPlan plan = planStartup(settings.read());
        QFile::setPermissions(dir.filePath("prog"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (rightsIgnored) {
            QSKIP("running with rights that ignore folder permissions");
        }
        QCOMPARE(written, settings.userPath());
        QCOMPARE(readBack, settings.userPath());
        QVERIFY(!plan.firstRun);
        QCOMPARE(plan.settings.fieldWidthChars, 33);
    }

    void nothingWritable_returnsEmptyPath()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("file"), "not a folder"));
        const SettingsFile settings(dir.filePath("file/prog"), dir.filePath("file/user"));
        QCOMPARE(settings.write(firstRunValues({1, 2, 3, 4})), QString());
        QCOMPARE(readFile(dir.filePath("file")), "not a folder");
        QVERIFY(planStartup(settings.read()).firstRun);
    }

    // An installed program run by root could write beside itself in /usr/bin; it must not, or
    // every other user would start from root's settings.
    void noProgramFolder_keepsNothingBesideTheProgram()
    {
        QTemporaryDir dir;
        const SettingsFile settings(QString(), dir.filePath("user"));
        QCOMPARE(settings.portablePath(), QString());
        QCOMPARE(settings.readPath(), settings.userPath());
        QCOMPARE(settings.write({{"fieldwidth", "33"}}), settings.userPath());
        QCOMPARE(settings.read().settingsValue(u"main", u"fieldwidth"), "33");
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"user"});
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settingsfile_test.moc"
