// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/collectioncheck.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace hangardeck::core;
using hangardeck::testsupport::writeFile;

namespace {

// The test's aircraft folders; a file that cannot be written fails the test.
class Tree : public hangardeck::testsupport::AircraftTree
{
public:
    void cfg(const QString &name, const QByteArray &content, const QString &fileName = "aircraft.cfg") const
    {
        QVERIFY(AircraftTree::cfg(name, content, fileName));
    }

    CollectionCheck check(bool extended, int threads = 0) const
    {
        return checkCollection(root(), {extended, true}, threads);
    }
};

// Each finding as "folder kind section: message", in the order reported.
QStringList described(const CollectionCheck &check)
{
    QStringList lines;
    for (const Finding &finding : check.findings) {
        lines.append(QStringList({finding.folder, findingKindName(finding.kind), finding.section})
                         .filter(QRegularExpression("."))
                         .join(u' ')
                     + ": " + finding.message);
    }
    return lines;
}

} // namespace

class CollectionCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One collection holding each kind of fault in a folder of its own, checked plain and extended.
    void findings_plainAndExtended()
    {
        Tree tree;
        // Clean: every texture, model and air file it names is there; the simulator's own
        // folders are not checked at all.
        tree.cfg("Clean", "[fltsim.0]\r\ntitle=Clean One\r\ntexture=\r\nmodel=\r\nsim=clean\r\n"
                          "[fltsim.1]\r\ntitle=Clean Two\r\ntexture=red\r\nmodel=\r\n");
        for (const QString &folder : QStringList{"Clean/model", "default"}) {
            tree.folder(folder);
        }
        QVERIFY(writeFile(tree.folder("Clean") + "/clean.air", "x"));
        QVERIFY(writeFile(tree.folder("Clean/texture") + "/thumbnail.jpg", "x"));
        QVERIFY(writeFile(tree.folder("Clean/texture.red") + "/Thumbnail.JPG", "x"));
        // A missing aircraft.cfg, one in other letters, and a folder named aircraft.cfg.
        tree.folder("NoCfg");
        tree.cfg("OtherCase", "[fltsim.0]\r\ntitle=Found Anyway\r\n", "AIRCRAFT.CFG");
        tree.folder("Broken/aircraft.cfg");
        // Numbering: fltsim.2 of Gap has a one-character title, so 3 and 5 are not listed;
        // section names match in any letter case, [fltsim.04] is never fltsim.4, and a title of
        // one two-byte character is one character.
        tree.cfg("Untitled", "[fltsim.0]\r\ntitle=\r\nui_type=X\r\n");
        tree.cfg("Gap", "[fltsim.0]\r\ntitle=A0\r\n[fltsim.1]\r\ntitle=A1\r\n[fltsim.2]\r\ntitle=z\r\n"
                        "[fltsim.3]\r\ntitle=A3\r\n[fltsim.5]\r\ntitle=A5\r\n");
        tree.cfg("Many", hangardeck::testsupport::numberedEntries(35, "Many"));
        tree.cfg("Case", "[FLTSIM.0]\r\ntitle=C0\r\n[fltsim.1]\r\ntitle=\xc3\xa9\r\n[Fltsim.2]\r\ntitle=C2\r\n"
                         "[fltsim.04]\r\ntitle=C4\r\n");
        // Cut values: 126 two-byte characters fit though their bytes are more than 126.
        const QByteArray wide = QString(126, QChar(0xE9)).toUtf8();
        tree.cfg("Long", "[fltsim.0]\r\ntitle=" + QByteArray(126, 'e') + "\r\nui_type=" + QByteArray(127, 't')
                             + "\r\nui_manufacturer=" + wide + "\r\n");
        // Folders match without regard to case, a file of the name is no folder; a value beyond
        // ASCII matches on its folded text, a link to a folder is the folder.
        tree.cfg("Paint", "[fltsim.0]\r\ntitle=Painted\r\ntexture=Blue\r\nmodel=\r\npanel=ifr\r\nsound=old\r\n");
        tree.folder("Paint/TEXTURE.blue");
        tree.folder("Paint/Model");
        QVERIFY(writeFile(tree.folder("Paint") + "/sound.old", "x"));
        tree.cfg("Wide", "[fltsim.0]\r\ntitle=Wide\r\ntexture=\xc3\x9c"
                         "ber\r\nmodel=Linked\r\n");
        QVERIFY(writeFile(tree.folder("Wide/TEXTURE.\xc3\xbc"
                                      "BER")
                              + "/thumbnail.jpg",
                          "x"));
        tree.folder("Wide/real");
#ifdef Q_OS_UNIX
        QCOMPARE(::symlink("real", QFile::encodeName(tree.folder("Wide") + "/model.linked").constData()), 0);
#else
        tree.folder("Wide/model.linked"); // no program makes a link under Wine
#endif
        tree.cfg("Air", "[fltsim.0]\r\ntitle=Air One\r\nsim=Heron\r\n[fltsim.1]\r\ntitle=Air Two\r\nsim=gone\r\n");
        QVERIFY(writeFile(tree.folder("Air") + "/heron.AIR", "x"));
        tree.cfg("Latin", "[fltsim.0]\r\ntitle=Caf\xe9 Racer\r\n");
        // Duplicate titles, reported in the order their first carrier is listed, though "Other"
        // is met twice before "Solo" is; the folders listed as -EMPTY- are no duplicates.
        tree.cfg("TwinA", "[fltsim.0]\r\ntitle=Twin Jet\r\n[fltsim.1]\r\ntitle=Solo\r\n");
        tree.cfg("TwinB", "[fltsim.0]\r\ntitle=  twin JET \r\n");
        tree.cfg("TwinC", "[fltsim.0]\r\ntitle=Other\r\n[fltsim.1]\r\ntitle=TWIN JET\r\n");
        tree.cfg("TwinF", "[fltsim.0]\r\ntitle=other\r\n[fltsim.1]\r\ntitle=Solo\r\n");

        const QStringList both{
            "\\Broken unreadable: aircraft.cfg cannot be read: the folder lists as -EMPTY-",
            "\\Case gap fltsim.1: [fltsim.1] has no title, so the list stops there: fltsim.2 is not listed",
            "\\Gap gap fltsim.2: [fltsim.2] has no title, so the list stops there: fltsim.3, fltsim.5 are not listed",
            "\\Latin encoding: aircraft.cfg is not valid UTF-8: its text was read as Windows-1252",
            "\\Long cut fltsim.0: ui_type is 127 characters long; it is shown cut to 126",
            "\\Many over-33 fltsim.33: the list shows fltsim.0 to fltsim.32 at most: fltsim.33, fltsim.34 are not "
            "listed",
            "\\NoCfg no-cfg: no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft",
            "\\Paint no-thumbnail fltsim.0: TEXTURE.blue has no thumbnail.jpg: the simulator's selector shows no "
            "picture of this variation",
            "\\Paint missing-folder fltsim.0: panel=ifr names the folder panel.ifr, which is not in the aircraft "
            "folder",
            "\\Paint missing-folder fltsim.0: sound=old names the folder sound.old, which is not in the aircraft "
            "folder",
            "\\Untitled no-title fltsim.0: [fltsim.0] has no title: the folder lists as -EMPTY-"};
        const QString duplicate = "duplicate-title: %1 variations carry the same title, the simulator keeps one: ";
        const QString others = duplicate.arg(2) + "\\TwinC [fltsim.0] \"Other\", \\TwinF [fltsim.0] \"other\"";

        // Plain mode checks the listed entries only, so only two carry "Twin Jet".
        const CollectionCheck plain = tree.check(false);
        const QString twoTwins = duplicate.arg(2) + "\\TwinA [fltsim.0] \"Twin Jet\", \\TwinB [fltsim.0] \"twin JET\"";
        QCOMPARE(described(plain), both + QStringList({twoTwins, others}));
        QCOMPARE(plain.summary.folders, 17);
        QCOMPARE(plain.summary.variations, 17); // a broken folder still lists as one -EMPTY- row
        QVERIFY(plain.hasProblems());

        const CollectionCheck extended = tree.check(true);
        const QString air = "\\Air missing-air fltsim.1: sim=gone names gone.air, which is not in the aircraft folder";
        const QString twins = duplicate.arg(3) + "\\TwinA [fltsim.0] \"Twin Jet\", \\TwinB [fltsim.0] \"twin JET\", "
                              + "\\TwinC [fltsim.1] \"TWIN JET\"";
        const QString solo = duplicate.arg(2) + "\\TwinA [fltsim.1] \"Solo\", \\TwinF [fltsim.1] \"Solo\"";
        QCOMPARE(described(extended), QStringList{air} + both + QStringList({twins, solo, others}));
        QCOMPARE(extended.summary.variations, 2 + 1 + 1 + 2 + 2 + 1 + 1 + 33 + 1 + 1 + 1 + 2 + 1 + 2 + 2 + 1 + 1);
        QCOMPARE(extended.summary.counts[size_t(FindingKind::NoCfg)], 1);
        QCOMPARE(extended.summary.counts[size_t(FindingKind::DuplicateTitle)], 3);
    }

    // Placement mistakes and variations the selector cannot tell apart; a clean collection
    // gives no finding.
    void placementAndIdentity()
    {
        Tree clean;
        clean.cfg("Ok", "[fltsim.0]\r\ntitle=Ok\r\nui_manufacturer=M\r\nui_type=T1\r\n");
        QVERIFY(clean.check(true).findings.empty());

        Tree tree;
        QVERIFY(writeFile(tree.folder("__MACOSX/Jet") + "/._aircraft.cfg", "x"));
        QVERIFY(writeFile(tree.folder("Junk") + "/.DS_Store", "x"));
        QVERIFY(writeFile(tree.folder("Junk") + "/THUMBS.DB", "x"));
        QVERIFY(writeFile(tree.folder("Almost") + "/desktop.ini", "x"));
        QVERIFY(writeFile(tree.folder("Almost") + "/readme.txt", "x"));
        tree.cfg("Deep/Deep Jet", "[fltsim.0]\r\ntitle=Deep\r\n", "Aircraft.cfg");
        tree.cfg("Host", "[fltsim.0]\r\ntitle=Host\r\nui_manufacturer=Maker\r\nui_type=Jet\r\n"
                         "ui_variation=Blue\r\n[fltsim.1]\r\ntitle=Host Two\r\nui_manufacturer=maker \r\n"
                         "ui_type=JET\r\nui_variation=blue\r\n[fltsim.2]\r\ntitle=Host Three\r\n"
                         "ui_manufacturer=Maker\r\nui_type=Jet\r\nui_variation=Red\r\n");
        tree.cfg("Host/Livery", "[fltsim.0]\r\ntitle=Inside\r\n");
        tree.cfg("Host/texture.red", "[fltsim.0]\r\ntitle=A texture folder is never looked into\r\n");
        tree.cfg("Other", "[fltsim.0]\r\ntitle=Other\r\nui_manufacturer=Maker\r\nui_type=Jet\r\n");
        tree.cfg("Same", "[fltsim.0]\r\ntitle=Same\r\nui_manufacturer=Maker\r\nui_type=Jet\r\nui_variation=\r\n");
        const QString selector = "same-selector: %1 variations have the same ui_manufacturer, ui_type and "
                                 "ui_variation, so the simulator's selector shows them alike: ";
        QCOMPARE(described(tree.check(true)),
                 QStringList({
                     "\\__MACOSX junk-folder: left by an archiver or a file browser, not an aircraft: the folder "
                     "lists as -EMPTY-; delete it",
                     "\\Almost no-cfg: no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft",
                     "\\Deep nested-cfg: no aircraft.cfg here, but Deep Jet holds one: the aircraft was unpacked "
                     "one level too deep; move the sub-folder up into the Aircraft directory",
                     "\\Host nested-aircraft: the sub-folder Livery holds an aircraft.cfg of its own, which the "
                     "simulator never reads: move it up into the Aircraft directory",
                     "\\Junk junk-folder: left by an archiver or a file browser, not an aircraft: the folder lists "
                     "as -EMPTY-; delete it",
                     selector.arg(2) + "\\Host [fltsim.0] \"Host\", \\Host [fltsim.1] \"Host Two\"",
                     selector.arg(2) + "\\Other [fltsim.0] \"Other\", \\Same [fltsim.0] \"Same\"",
                 }));
    }

    // Every count of the report is the sum of the counts that follow it, and the rows are the
    // variations the list shows, on trees of every kind.
    void report_addsUp_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::newRow("plain") << false;
        QTest::newRow("extended") << true;
    }

    void report_addsUp()
    {
        QFETCH(bool, extended);
        Tree tree;
        tree.folder("default");
        tree.folder("Empty");
        tree.folder("Broken/aircraft.cfg");
        tree.cfg("Untitled", "[fltsim.0]\r\nui_type=X\r\n[fltsim.1]\r\ntitle=After\r\n");
        tree.cfg("Gap", "[fltsim.0]\r\ntitle=A0\r\n[fltsim.1]\r\ntitle=A1\r\n[fltsim.2]\r\ntitle=z\r\n"
                        "[fltsim.3]\r\ntitle=A3\r\n[FLTSIM.40]\r\ntitle=A40\r\n[fltsim.x]\r\ntitle=No\r\n");
        tree.cfg("Many", hangardeck::testsupport::numberedEntries(35, "Many"));
        const CheckSummary summary = tree.check(extended).summary;
        const ScanReport &r = summary.report;
        QCOMPARE(r.foldersSeen, r.skipped + r.noCfg + r.unreadable + r.withCfg);
        QCOMPARE(r.sections, r.notValid + r.titled);
        QCOMPARE(r.titled, r.pastGap + r.pastLast + r.plainOnly + r.listed);
        QCOMPARE(r.rows, r.listed + r.noCfg + r.unreadable + r.untitledFirst);
        QCOMPARE(r.rows, qint64(summary.variations));
        QCOMPARE(r.withCfg + r.noCfg + r.unreadable, qint64(summary.folders));
        // The counts themselves: Gap has five numbered sections, one of them with a one-letter title.
        QCOMPARE(r.foldersSeen, 6);
        QCOMPARE(r.skipped, 1);
        QCOMPARE(r.sections, 2 + 5 + 35);
        QCOMPARE(r.notValid, 2);
        QCOMPARE(r.untitledFirst, 1);
        QCOMPARE(r.pastLast, 1 + 2);
        QCOMPARE(r.pastGap, 2); // Untitled's fltsim.1 and Gap's fltsim.3, whatever is listed
        QCOMPARE(r.plainOnly, extended ? 0 : 1 + 32);
        QCOMPARE(r.listed, extended ? 2 + 33 : 2);
    }

    // Progress counts the folders in order; false from it stops the check before the next folder,
    // without the collection's findings.
    void progress_countsAndStops_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::newRow("whole") << -1;
        QTest::newRow("at once") << 0;
        QTest::newRow("after two folders") << 2;
    }

    void progress_countsAndStops()
    {
        QFETCH(int, stopAfter);
        Tree tree;
        for (const QString &name : QStringList{"A", "B", "C", "D"}) {
            tree.cfg(name, "[fltsim.0]\r\ntitle=Same\r\ntexture=gone\r\n");
        }
        QList<int> told;
        QList<int> totals;
        QStringList folders;
        const CheckSummary summary = checkCollection(
            tree.root(), {}, [&](const Finding &finding) { folders.append(finding.folder); }, 2,
            [&](int done, int total) {
                totals.append(total);
                told.append(done);
                return done != stopAfter;
            });
        const int checked = stopAfter < 0 ? 4 : stopAfter;
        QCOMPARE(told.size(), checked + 1);
        QCOMPARE(told.last(), checked);
        QCOMPARE(totals, QList<int>(checked + 1, 4));
        QCOMPARE(summary.stopped, stopAfter >= 0);
        QStringList expected = QStringList({"\\A", "\\B", "\\C", "\\D"}).first(checked);
        if (stopAfter < 0) {
            expected.append(""); // the duplicate title, once every folder is read
        }
        QCOMPARE(folders, expected);
    }

#ifdef Q_OS_UNIX
    // A folder name that is not UTF-8 comes with its bytes, which open it; a name its text gives
    // back comes without.
    void finding_carriesFolderNameOnDisk()
    {
        Tree tree;
        const std::filesystem::path odd = tree.root() / std::string("\xe9t\xe9");
        // QTemporaryDir cannot remove a name it cannot decode.
        const auto removeOdd = qScopeGuard([&odd] { std::filesystem::remove_all(odd); });
        std::filesystem::create_directory(odd);
        std::ofstream(odd / "aircraft.cfg") << "[fltsim.0]\r\ntitle=Twin\r\n";
        tree.cfg("Twin", "[fltsim.0]\r\ntitle=Twin\r\n");
        const CollectionCheck check = tree.check(false);
        QCOMPARE(check.findings.size(), 1u);
        const std::vector<FindingCarrier> &carriers = check.findings[0].carriers;
        QCOMPARE(carriers.size(), 2u);
        QCOMPARE(QByteArray::fromStdString(carriers[0].folderName), "");
        QCOMPARE(QByteArray::fromStdString(folderOnDisk(carriers[0].folder, carriers[0].folderName).string()), "Twin");
        QCOMPARE(QByteArray::fromStdString(folderOnDisk(carriers[1].folder, carriers[1].folderName).string()),
                 "\xe9t\xe9");
    }
#endif

    void sameResultForAnyThreadCount()
    {
        Tree tree;
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0'));
            if (i % 3 == 0) {
                tree.folder(name);
            } else {
                tree.cfg(name, "[fltsim.0]\r\ntitle=T" + QByteArray::number(i % 7) + "x\r\ntexture=q\r\n");
            }
        }
        const CollectionCheck one = tree.check(true, 1);
        const CollectionCheck many = tree.check(true, 8);
        QCOMPARE(described(many), described(one));
        QCOMPARE(one.summary.counts[size_t(FindingKind::NoCfg)], 14);
        QCOMPARE(one.summary.counts[size_t(FindingKind::MissingFolder)], 26);
        QCOMPARE(one.summary.counts[size_t(FindingKind::DuplicateTitle)], 7);
    }
};

QTEST_GUILESS_MAIN(CollectionCheckTest)
#include "collectioncheck_test.moc"
