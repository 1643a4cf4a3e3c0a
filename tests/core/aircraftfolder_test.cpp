// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/check/collectioncheck.h"
#include "core/inspection/detailstext.h"
#include "core/platform/parallel.h"
#include "testsupport.h"

#include <QTest>

#include <filesystem>

#include <sys/stat.h>

using namespace hangardeck::core;
using hangardeck::testsupport::AircraftTree;
namespace fs = std::filesystem;

class AircraftFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void otherLetterCases_foundAsTheListFindsThem();
    void nodesThatAreNoFiles_readAsUnreadableWithoutBlocking();
    void mixedBytes_decodedOnceForTheWholeFile();
    void inlineComments_ignoredWhereTheSimulatorIgnoresThem();
    void characters_countedAsCodePoints();
    void produceInOrder_sameOrderForAnyThreadsAndWindow();
};

// Every reader of one folder tells the same: the scan's title, details' title, the check.
void AircraftFolderTest::otherLetterCases_foundAsTheListFindsThem()
{
    AircraftTree tree;
    QVERIFY(tree.cfg("Upper", "[fltsim.0]\r\ntitle=Upper Jet\r\n", "Aircraft.cfg"));
    QVERIFY(tree.cfg("Shout", "[fltsim.0]\r\ntitle=Shout Jet\r\n", "AIRCRAFT.CFG"));
    // Two spellings: the first in byte order ("AIRCRAFT.CFG" < "Aircraft.cfg"), not the disk's order.
    QVERIFY(tree.cfg("Both", "[fltsim.0]\r\ntitle=Second\r\n", "Aircraft.cfg"));
    QVERIFY(tree.cfg("Both", "[fltsim.0]\r\ntitle=First\r\n", "AIRCRAFT.CFG"));
    // The exact name wins over any other spelling.
    QVERIFY(tree.cfg("Exact", "[fltsim.0]\r\ntitle=Exact one\r\n"));
    QVERIFY(tree.cfg("Exact", "[fltsim.0]\r\ntitle=Other one\r\n", "AIRCRAFT.CFG"));

    const QStringList expected = {"First", "Exact one", "Shout Jet", "Upper Jet"};
    const CatalogueScan scan = scanCatalogue(tree.root(), false, {});
    QCOMPARE(scan.titles(), expected);
    QStringList details;
    for (const char *folder : {"Both", "Exact", "Shout", "Upper"}) {
        const AircraftConfig config = readAircraftConfig(tree.root() / folder);
        QCOMPARE(config.status, AircraftConfig::Found);
        details.append(entryDetails(config.profile, "0").title);
    }
    QCOMPARE(details, expected);
    QCOMPARE(aircraftConfigPath(tree.root() / "Upper").filename().string(), "Aircraft.cfg");
    QCOMPARE(checkCollection(tree.root(), true).findings.size(), size_t(0));
}

void AircraftFolderTest::nodesThatAreNoFiles_readAsUnreadableWithoutBlocking()
{
    AircraftTree tree;
    const fs::path fifo = fs::path(tree.folder("Fifo").toStdString()) / "aircraft.cfg";
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path loop = fs::path(tree.folder("Loop").toStdString()) / "aircraft.cfg";
    fs::create_symlink("aircraft.cfg", loop);
    fs::create_symlink("/dev/zero", fs::path(tree.folder("Device").toStdString()) / "aircraft.cfg");
    tree.folder("Folder/aircraft.cfg");
    for (const char *name : {"Device", "Fifo", "Folder", "Loop"}) {
        QCOMPARE(readAircraftConfig(tree.root() / name).status, AircraftConfig::Unreadable);
    }
    // Each lists as one -EMPTY- row and the check names it unreadable, no-cfg never.
    const CatalogueScan scan = scanCatalogue(tree.root(), true, {});
    QCOMPARE(scan.titles(), QStringList(4, "-EMPTY-"));
    const CollectionCheck check = checkCollection(tree.root(), true);
    QCOMPARE(check.summary.counts[size_t(FindingKind::Unreadable)], 4);
    QCOMPARE(check.summary.counts[size_t(FindingKind::NoCfg)], 0);
}

void AircraftFolderTest::mixedBytes_decodedOnceForTheWholeFile()
{
    AircraftTree tree;
    // "Caf\xC3\xA9" is valid UTF-8 alone, but the copyright line's 0xA9 makes the file
    // Windows-1252: title and description decode alike.
    QVERIFY(tree.cfg("Mixed", "; \xA9 2004 Someone\r\n[fltsim.0]\r\ntitle=Caf\xC3\xA9 Jet\r\n"
                              "description=Caf\xC3\xA9 Jet, a description\r\n"));
    QVERIFY(tree.cfg("Clean", "[fltsim.0]\r\ntitle=Caf\xC3\xA9 Jet\r\n"));
    const CatalogueScan scan = scanCatalogue(tree.root(), false, {});
    const QString mixed = QString::fromUtf8("Caf\xC3\x83\xC2\xA9 Jet");
    QCOMPARE(scan.titles(), (QStringList{QString::fromUtf8("Caf\xC3\xA9 Jet"), mixed}));
    const EntryDetails details = entryDetails(readAircraftConfig(tree.root() / "Mixed").profile, "0");
    QCOMPARE(details.title, mixed);
    QVERIFY(details.description.startsWith(mixed));
    const CollectionCheck check = checkCollection(tree.root(), false);
    QCOMPARE(check.summary.counts[size_t(FindingKind::Encoding)], 1);
    QCOMPARE(check.findings.front().folder, "\\Mixed");
    QVERIFY(!check.hasProblems());
}

void AircraftFolderTest::inlineComments_ignoredWhereTheSimulatorIgnoresThem()
{
    QCOMPARE(effectiveValue("\"\" ; texture folder"), QByteArrayView(""));
    QCOMPARE(effectiveValue("Blue // the blue one"), QByteArrayView("Blue"));
    QCOMPARE(effectiveValue("'Red' ;"), QByteArrayView("Red"));
    QCOMPARE(effectiveValue("plain"), QByteArrayView("plain"));

    AircraftTree tree;
    QVERIFY(tree.cfg("Jet", "[fltsim.0]\r\ntitle=Jet One\r\ntexture = \"\" ; texture folder\r\n"
                            "model=Main ; the model\r\nsim=Jet // flight model\r\npanel=Gone ; no such\r\n"));
    tree.folder("Jet/TEXTURE");
    tree.folder("Jet/model.main");
    QVERIFY(tree.cfg("Jet", "", "jet.AIR"));
    const CollectionCheck check = checkCollection(tree.root(), false);
    QCOMPARE(check.findings.size(), size_t(1));
    QCOMPARE(check.findings.front().message,
             "panel=Gone ; no such names the folder panel.Gone, which is not in the aircraft folder");
    // The list keeps the comment, as the profile functions return it.
    QVERIFY(tree.cfg("Typed", "[fltsim.0]\r\ntitle=Typed ; note\r\n"));
    QCOMPARE(scanCatalogue(tree.root(), false, {}).titles().last(), "Typed ; note");
}

void AircraftFolderTest::characters_countedAsCodePoints()
{
    AircraftTree tree;
    const QByteArray plane = "\xF0\x9F\x9B\xA9"; // one character, two UTF-16 units
    QVERIFY(tree.cfg("A", "[fltsim.0]\r\ntitle=" + plane + "\r\n"));
    QVERIFY(tree.cfg("B", "[fltsim.0]\r\ntitle=" + QByteArray(125, 'x') + plane + "y\r\n"));
    const QStringList titles = scanCatalogue(tree.root(), false, {}).titles();
    QCOMPARE(titles.at(0), "-EMPTY-");                                     // fewer than two characters
    QCOMPARE(titles.at(1), QString(125, u'x') + QString::fromUtf8(plane)); // 126 characters, the pair whole
}

void AircraftFolderTest::produceInOrder_sameOrderForAnyThreadsAndWindow()
{
    for (const int threads : {1, 3, 16}) {
        for (const int window : {1, 7, 5000}) {
            std::vector<int> seen;
            produceInOrder<int>(
                2000, threads, window, [](int i) { return i * 3; },
                [&](int i, int value) {
                    seen.push_back(value - 3 * i);
                    return i < 1500; // stops after 1501 results
                });
            QCOMPARE(seen.size(), size_t(1501));
            QVERIFY(std::all_of(seen.begin(), seen.end(), [](int d) { return d == 0; }));
        }
    }
}

QTEST_GUILESS_MAIN(AircraftFolderTest)
#include "aircraftfolder_test.moc"
