// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/check/collectioncheck.h"
#include "core/platform/parallel.h"
#include "testsupport.h"

#include <QTest>

using namespace hangardeck::core;
using hangardeck::testsupport::AircraftTree;

class AircraftFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inlineComments_ignoredWhereTheSimulatorIgnoresThem();
    void oneCharacterTitle_inTwoUnits_listsAsEmpty();
    void produceInOrder_sameOrderForAnyThreadsAndWindow();
};

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
    const CollectionCheck check = checkCollection(tree.root(), {});
    QCOMPARE(check.findings.size(), size_t(1));
    QCOMPARE(check.findings.front().message,
             "panel=Gone ; no such names the folder panel.Gone, which is not in the aircraft folder");
    // The list keeps the comment, as the profile functions return it.
    QVERIFY(tree.cfg("Typed", "[fltsim.0]\r\ntitle=Typed ; note\r\n"));
    QCOMPARE(scanCatalogue(tree.root(), false, {}).titles().last(), "Typed ; note");
}

// The scan counts a title's characters, not its UTF-16 units: one is too few.
void AircraftFolderTest::oneCharacterTitle_inTwoUnits_listsAsEmpty()
{
    AircraftTree tree;
    QVERIFY(tree.cfg("A", "[fltsim.0]\r\ntitle=\xF0\x9F\x9B\xA9\r\n"));
    QCOMPARE(scanCatalogue(tree.root(), false, {}).titles(), QStringList{"-EMPTY-"});
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
