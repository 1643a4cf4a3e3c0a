// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "testsupport.h"

#include <QProcess>
#include <QTest>

// The window program answers --help and --version, and says when there is no display,
// without one: as in a terminal on a machine without a desktop.
class StartupTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutDisplay_answersAndExplains_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Usage: hangardeck [--help] [--version]\n")
                              << QByteArray();
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QByteArray("hangardeck " HANGARDECK_VERSION_TEXT "\n") << QByteArray();
        QTest::newRow("no display") << QStringList{} << 1 << QByteArray()
                                    << QByteArray(
                                           "hangardeck: no display: set DISPLAY or run under a desktop session\n");
    }

    void withoutDisplay_answersAndExplains()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        if (arguments.isEmpty()) {
            SKIP_ON_WINDOWS("a window can always be shown there");
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : QStringList{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(name);
        }
        process.setProcessEnvironment(environment);
        process.start(HANGARDECK_APP_PATH, arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(process.readAllStandardOutput().startsWith(out), "stdout");
        QCOMPARE(process.readAllStandardError(), err);
    }
};

QTEST_GUILESS_MAIN(StartupTest)

#include "startup_test.moc"
