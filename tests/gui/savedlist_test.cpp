// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

using namespace hangardeck::testsupport;

namespace {

// A window in the given program folder with the list of two aircraft generated.
struct ListRun : Run {
    QTemporaryDir aircraft;

    explicit ListRun(const QString &programFolder)
        : Run(programFolder)
    {
        if (!writeAircraft(aircraft.path(), "cub", "Piper", {"Piper Cub"})
            || !writeAircraft(aircraft.path(), "b747", "Boeing", {"Boeing 747"})) {
            qFatal("cannot write the aircraft folders");
        }
        presenter.messages.clear();
        dir1()->setPath(aircraft.path());
        action("mnuGenerate")->trigger();
    }

    QByteArray savedRows() const { return (items("List2").join("\r\n") + "\r\n").toUtf8(); }
};

// The saved list in the user's configuration folder.
QString userOutput()
{
    return hangardeck::core::userConfigFolder() + "/output.txt";
}

const QByteArray OldList = "an older list\r\n";

// Mounts a file system of 64 KiB on the folder, holding only the settings, an old output.txt
// and a file that takes every byte left. False where mounting is not allowed.
bool mountFullFileSystem(const QString &folder)
{
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) != 0) {
        return false;
    }
    QFile filler(folder + "/filler");
    if (!writeFile(iniIn(folder), "[main]\r\nsheep=9\r\n") || !writeFile(folder + "/output.txt", OldList)
        || !filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray page(4096, 'x');
    for (int i = 0; i < 64 && filler.write(page) == page.size(); ++i) {}
    return true;
}

} // namespace

class SavedListTest final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    // A home of its own for each test: the user's configuration folder starts empty.
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("HOME", m_home->path().toLocal8Bit());
        qputenv("APPDATA", m_home->path().toLocal8Bit()); // where Windows keeps it
    }

    // output.txt beside the settings cannot be written: the list goes to the user's folder
    // and the status line names that file; where that fails too, a message gives each
    // system's reason and no editor opens. Open shows the file a save would write, then the
    // one it wrote. The old list stays whole.
    void save_fallsBackToTheUserFolderOrSaysWhy_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<bool>("userBlocked");
        QTest::newRow("folder named output.txt") << false << false;
        QTest::newRow("folder named output.txt in both places") << false << true;
        QTest::newRow("full file system") << true << false;
        QTest::newRow("full file system, user's place a folder") << true << true;
    }

    void save_fallsBackToTheUserFolderOrSaysWhy()
    {
        QFETCH(bool, fullDisk);
        QFETCH(bool, userBlocked);
        QTemporaryDir base;
        const QString program = base.filePath("program");
        const QString output = program + "/output.txt";
        QVERIFY(QDir().mkpath(program));
        auto unmount = qScopeGuard([&] {
            if (fullDisk) {
                QProcess::execute("umount", {program});
            }
        });
        if (fullDisk && !mountFullFileSystem(program)) {
            QSKIP("a small tmpfs cannot be mounted here (it needs root)");
        }
        QVERIFY(fullDisk || QDir().mkpath(output));
        QVERIFY(!userBlocked || QDir().mkpath(userOutput()));

        ListRun run(program);
        const QString directoryShown = run.label("Label3")->text();
        run.action("mnuOpen")->trigger();
        run.action("mnuSave")->trigger();
        run.action("mnuOpen")->trigger();

        if (userBlocked) {
#ifdef Q_OS_WIN
            const QString isFolder = "Filename refers to a directory";
#else
            const QString isFolder = "Is a directory";
#endif
            const QString reason = fullDisk ? QString("No space left on device") : isFolder;
            QCOMPARE(run.presenter.messages, QStringList{"The list could not be saved.\n" + native(output) + ": "
                                                         + reason + '\n' + native(userOutput()) + ": " + isFolder});
            QCOMPARE(run.label("Label3")->text(), directoryShown);
            QCOMPARE(run.launcher.opened, QStringList({output, output}));
        } else {
            QVERIFY(run.presenter.messages.isEmpty());
            QCOMPARE(run.label("Label3")->text(), "Target: " + native(userOutput()));
            QCOMPARE(readFile(userOutput()), run.savedRows());
            // Before the save, a full disk looks like any other place that can be written.
            QCOMPARE(run.launcher.opened, QStringList({fullDisk ? output : userOutput(), userOutput(), userOutput()}));
        }
        QCOMPARE(run.currentRow("List2"), 0);
        if (fullDisk) {
            QCOMPARE(readFile(output), OldList);
        }
    }

    // Without a program for a file, the status line says so: for the list just saved, for
    // the list opened, and for an aircraft.cfg.
    void noProgramToOpen_saysSoOnTheStatusLine()
    {
        QTemporaryDir program;
        const QString output = program.filePath("output.txt");
        ListRun run(program.path());
        QVERIFY(run.showAndActivate());
        run.launcher.startable = false;
        run.action("mnuSave")->trigger();
        QCOMPARE(run.label("Label3")->text(), "Target: " + native(output) + " (no program found to open it)");
        run.action("mnuOpen")->trigger();
        QCOMPARE(run.label("Label3")->text(), "No program found to open " + native(output));
        run.doubleClick("List2", 1);
        QCOMPARE(run.launcher.opened.size(), 3);
        QVERIFY(run.launcher.opened.last().endsWith("/aircraft.cfg"));
        QCOMPARE(run.label("Label3")->text(), "No program found to open " + native(run.launcher.opened.last()));
    }
};

QTEST_MAIN(SavedListTest)
#include "savedlist_test.moc"
