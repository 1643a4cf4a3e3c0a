// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/collectioncheck.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace hangardeck::core;
using hangardeck::testsupport::writeFile;
namespace fs = std::filesystem;

namespace {

// The test's aircraft folders; a file that cannot be written fails the test.
class Tree : public hangardeck::testsupport::AircraftTree
{
public:
    void cfg(const QString &name, const QByteArray &content, const QString &fileName = "aircraft.cfg") const
    {
        QVERIFY(AircraftTree::cfg(name, content, fileName));
    }

    CollectionCheck check(bool extended, int threads = 0) const { return checkCollection(root(), extended, threads); }
};

// "kind section" of each finding of one folder, in order.
QStringList summary(const CollectionCheck &check, const QString &folder = {})
{
    QStringList lines;
    for (const Finding &finding : check.findings) {
        if (folder.isEmpty() || finding.folder == folder) {
            lines.append(QString(findingKindName(finding.kind) + u' ' + finding.section).trimmed());
        }
    }
    return lines;
}

const Finding *firstOf(const CollectionCheck &check, FindingKind kind, const QString &folder = {})
{
    for (const Finding &finding : check.findings) {
        if (finding.kind == kind && (folder.isEmpty() || finding.folder == folder)) {
            return &finding;
        }
    }
    return nullptr;
}

} // namespace

class CollectionCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanAircraft_givesNoFinding()
    {
        Tree tree;
        tree.cfg("Clean", "[fltsim.0]\r\ntitle=Clean One\r\ntexture=\r\nmodel=\r\nsim=clean\r\n"
                          "[fltsim.1]\r\ntitle=Clean Two\r\ntexture=red\r\nmodel=\r\n");
        tree.folder("Clean/texture");
        tree.folder("Clean/texture.red");
        tree.folder("Clean/model");
        QVERIFY(writeFile(tree.folder("Clean") + "/clean.air", "x"));
        // The simulator's own folders are not checked at all.
        tree.folder("default");
        const CollectionCheck check = tree.check(true);
        QCOMPARE(summary(check), QStringList());
        QCOMPARE(check.summary.folders, 1);
        QCOMPARE(check.summary.variations, 2);
        QVERIFY(!check.hasProblems());
    }

    void missingAndUnreadableFiles()
    {
        Tree tree;
        tree.folder("NoCfg");
        tree.cfg("OtherCase", "[fltsim.0]\r\ntitle=Found Anyway\r\n", "AIRCRAFT.CFG");
        // A folder named aircraft.cfg exists but cannot be read as a file.
        tree.folder("Broken/aircraft.cfg");
        const CollectionCheck check = tree.check(false);
        QCOMPARE(summary(check, "\\NoCfg"), QStringList{"no-cfg"});
        QCOMPARE(summary(check, "\\OtherCase"), QStringList());
        QCOMPARE(summary(check, "\\Broken"), QStringList{"unreadable"});
        QCOMPARE(check.summary.variations, 3); // each broken folder still lists as one -EMPTY- row
        QVERIFY(check.hasProblems());
        QCOMPARE(check.summary.counts[size_t(FindingKind::NoCfg)], 1);
        QCOMPARE(check.summary.counts[size_t(FindingKind::Unreadable)], 1);
    }

    void titlesAndNumbering()
    {
        Tree tree;
        tree.cfg("Untitled", "[fltsim.0]\r\ntitle=\r\nui_type=X\r\n");
        // fltsim.2 is missing: 3 and 5 are not listed. A one-character title counts as none.
        tree.cfg("Gap", "[fltsim.0]\r\ntitle=A0\r\n[fltsim.1]\r\ntitle=A1\r\n[fltsim.2]\r\ntitle=z\r\n"
                        "[fltsim.3]\r\ntitle=A3\r\n[fltsim.5]\r\ntitle=A5\r\n");
        QByteArray many;
        for (int n = 0; n <= 34; ++n) {
            many += "[fltsim." + QByteArray::number(n) + "]\r\ntitle=Many " + QByteArray::number(n) + "\r\n";
        }
        tree.cfg("Many", many);
        // Section names match in any letter case; [fltsim.04] is never looked up as fltsim.4. A
        // title of one two-byte character is still one character, so it counts as none.
        tree.cfg("Case", "[FLTSIM.0]\r\ntitle=C0\r\n[fltsim.1]\r\ntitle=\xc3\xa9\r\n[Fltsim.2]\r\ntitle=C2\r\n"
                         "[fltsim.04]\r\ntitle=C4\r\n");
        const CollectionCheck check = tree.check(true);
        QCOMPARE(summary(check, "\\Case"), QStringList{"gap fltsim.1"});
        QVERIFY(firstOf(check, FindingKind::Gap, "\\Case")->message.endsWith(": fltsim.2 is not listed"));
        QCOMPARE(summary(check, "\\Untitled"), QStringList{"no-title fltsim.0"});
        QCOMPARE(summary(check, "\\Gap"), QStringList{"gap fltsim.2"});
        QVERIFY(firstOf(check, FindingKind::Gap, "\\Gap")->message.contains("fltsim.3, fltsim.5 are not listed"));
        QCOMPARE(summary(check, "\\Many"), QStringList{"over-33 fltsim.33"});
        QVERIFY(firstOf(check, FindingKind::Over33)->message.contains("fltsim.33, fltsim.34 are not listed"));
        QCOMPARE(check.summary.variations, 1 + 2 + 33 + 1);
        // The numbering is the file's, so the plain check reports it too.
        QCOMPARE(summary(tree.check(false), "\\Gap"), QStringList{"gap fltsim.2"});
    }

    void cutValues()
    {
        Tree tree;
        const QByteArray longType(127, 't');
        const QByteArray exact(126, 'e');
        // 126 two-byte characters fit even though their bytes are more than 126.
        QByteArray wide;
        for (int i = 0; i < 126; ++i) {
            wide += "\xc3\xa9";
        }
        tree.cfg("Long",
                 "[fltsim.0]\r\ntitle=" + exact + "\r\nui_type=" + longType + "\r\nui_manufacturer=" + wide + "\r\n");
        const CollectionCheck check = tree.check(false);
        QCOMPARE(summary(check), QStringList{"cut fltsim.0"});
        QVERIFY(firstOf(check, FindingKind::Cut)->message.startsWith("ui_type is 127 characters"));
    }

    void foldersMatchWithoutRegardToCase()
    {
        Tree tree;
        tree.cfg("Paint", "[fltsim.0]\r\ntitle=Painted\r\ntexture=Blue\r\nmodel=\r\npanel=ifr\r\nsound=old\r\n");
        tree.folder("Paint/TEXTURE.blue");
        tree.folder("Paint/Model");
        // A file of the name is no folder.
        QVERIFY(writeFile(tree.folder("Paint") + "/sound.old", "x"));
        const CollectionCheck check = tree.check(false);
        QCOMPARE(summary(check), (QStringList{"missing-folder fltsim.0", "missing-folder fltsim.0"}));
        QVERIFY(check.findings[0].message.contains("panel.ifr"));
        QVERIFY(check.findings[1].message.contains("sound.old"));

        // A value beyond ASCII is matched on its folded text; a link to a folder is the folder.
        tree.cfg("Wide", "[fltsim.0]\r\ntitle=Wide\r\ntexture=\xc3\x9c"
                         "ber\r\nmodel=Linked\r\n");
        tree.folder("Wide/TEXTURE.\xc3\xbc"
                    "BER");
        tree.folder("Wide/real");
#ifdef Q_OS_UNIX
        QCOMPARE(::symlink("real", QFile::encodeName(tree.folder("Wide") + "/model.linked").constData()), 0);
        QCOMPARE(summary(tree.check(false), "\\Wide"), QStringList());
#endif
    }

    void missingAirFile()
    {
        Tree tree;
        tree.cfg("Air", "[fltsim.0]\r\ntitle=Air One\r\nsim=Heron\r\n[fltsim.1]\r\ntitle=Air Two\r\nsim=gone\r\n");
        QVERIFY(writeFile(tree.folder("Air") + "/heron.AIR", "x"));
        // Plain mode checks only the listed entry.
        QCOMPARE(summary(tree.check(false)), QStringList());
        const CollectionCheck check = tree.check(true);
        QCOMPARE(summary(check), QStringList{"missing-air fltsim.1"});
        QVERIFY(check.findings[0].message.contains("gone.air"));
    }

    void encodingIsInformational()
    {
        Tree tree;
        tree.cfg("Latin", "[fltsim.0]\r\ntitle=Caf\xe9 Racer\r\n");
        tree.cfg("Utf8", "[fltsim.0]\r\ntitle=Caf\xc3\xa9 Racer 2\r\n");
        const CollectionCheck check = tree.check(false);
        QCOMPARE(summary(check), QStringList{"encoding"});
        QCOMPARE(check.findings[0].folder, QString("\\Latin"));
        QVERIFY(!check.hasProblems());
    }

    void duplicateTitles()
    {
        Tree tree;
        tree.cfg("A", "[fltsim.0]\r\ntitle=Twin Jet\r\n[fltsim.1]\r\ntitle=Solo\r\n");
        tree.cfg("B", "[fltsim.0]\r\ntitle=  twin JET \r\n");
        tree.cfg("C", "[fltsim.0]\r\ntitle=Other\r\n[fltsim.1]\r\ntitle=TWIN JET\r\n");
        // Untitled folders all list as -EMPTY-; they are reported as such, not as duplicates.
        tree.folder("D");
        tree.folder("E");
        const CollectionCheck check = tree.check(true);
        QCOMPARE(summary(check), (QStringList{"no-cfg", "no-cfg", "duplicate-title"}));
        const Finding *duplicate = firstOf(check, FindingKind::DuplicateTitle);
        QVERIFY(duplicate->folder.isEmpty());
        QVERIFY(duplicate->message.startsWith("3 variations"));
        QVERIFY(duplicate->message.contains("\\A [fltsim.0]"));
        QVERIFY(duplicate->message.contains("\\B [fltsim.0]"));
        QVERIFY(duplicate->message.contains("\\C [fltsim.1]"));
        // In plain mode C's second entry is not listed, so only two carry it.
        QVERIFY(firstOf(tree.check(false), FindingKind::DuplicateTitle)->message.startsWith("2 variations"));

        // Titles are reported in the order their first carrier is listed, though "Other" is met
        // twice before "Solo" is.
        tree.cfg("F", "[fltsim.0]\r\ntitle=other\r\n[fltsim.1]\r\ntitle=Solo\r\n");
        QStringList order;
        for (const Finding &finding : tree.check(true).findings) {
            if (finding.kind == FindingKind::DuplicateTitle) {
                order.append(finding.message.section(u'"', 1, 1));
            }
        }
        QCOMPARE(order, (QStringList{"Twin Jet", "Solo", "Other"}));
    }

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
        QCOMPARE(summary(many), summary(one));
        QCOMPARE(many.findings.back().message, one.findings.back().message);
        QCOMPARE(one.summary.counts[size_t(FindingKind::NoCfg)], 14);
        QCOMPARE(one.summary.counts[size_t(FindingKind::MissingFolder)], 26);
        QCOMPARE(one.summary.counts[size_t(FindingKind::DuplicateTitle)], 7);
    }
};

QTEST_GUILESS_MAIN(CollectionCheckTest)
#include "collectioncheck_test.moc"
