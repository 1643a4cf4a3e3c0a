// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/helplocation.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

class HelpLocationTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Beside the program first, then the data folder relative to it, if there is one.
    void candidates_besideProgramThenDataFolder()
    {
        QCOMPARE(helpPageCandidates("/", "share/hangardeck"),
                 QStringList({"/hangardeck-help.html", "/share/hangardeck/hangardeck-help.html"}));
        QCOMPARE(helpPageCandidates("/opt/hangardeck/", ""), QStringList{"/opt/hangardeck/hangardeck-help.html"});
    }

    void locate_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("inData");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("installed");
        QTest::newRow("both: beside wins") << true << true << "bin/hangardeck-help.html" << false;
        QTest::newRow("installed") << false << true << "share/hangardeck/hangardeck-help.html" << true;
        QTest::newRow("portable") << true << false << "bin/hangardeck-help.html" << false;
        QTest::newRow("none: beside named") << false << false << "bin/hangardeck-help.html" << false;
    }

    void locate()
    {
        QFETCH(bool, beside);
        QFETCH(bool, inData);
        QFETCH(QString, expected);
        QFETCH(bool, installed);
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin) && (!beside || writeFile(bin + "/hangardeck-help.html", "<p>beside</p>")));
        // Without the page, a folder of its name, which is no page.
        const QString page = prefix.filePath("share/hangardeck/hangardeck-help.html");
        QVERIFY(inData ? writeFile(page, "<p>data</p>") : QDir().mkpath(page));
        QCOMPARE(locateHelpPage(bin, "../share/hangardeck"), prefix.filePath(expected));
        QCOMPARE(isInstalledLayout(bin, "../share/hangardeck"), installed);
        QVERIFY(!isInstalledLayout(bin, ""));
    }
};

QTEST_GUILESS_MAIN(HelpLocationTest)
#include "helplocation_test.moc"
