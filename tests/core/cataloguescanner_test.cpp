// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"
#include "core/catalogue/listfilter.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace hangardeck::core;
using namespace hangardeck::testsupport;
namespace fs = std::filesystem;

namespace {

// The test's aircraft folders, scanned as the catalogue scans them.
class Tree : public AircraftTree
{
public:
    CatalogueScan scan(bool extended, const FormatSettings &settings = {}) const
    {
        return scanCatalogue(root(), extended, settings);
    }
};

// "[fltsim.N]" sections with the given titles, N counting from 0.
QByteArray fltsims(const QList<QByteArray> &titles, const QByteArray &extra = "ui_manufacturer=Acme\r\n")
{
    QByteArray text;
    for (qsizetype n = 0; n < titles.size(); ++n) {
        text += "[fltsim." + QByteArray::number(n) + "]\r\n";
        if (!titles[n].isNull()) {
            text += "title=" + titles[n] + "\r\n";
        }
        text += extra;
    }
    return text;
}

QList<int> entryNumbers(const CatalogueScan &scan)
{
    QList<int> numbers;
    for (const CatalogueEntry &entry : scan.entries) {
        numbers.append(entry.fltsimIndex);
    }
    return numbers;
}

// Every file below a folder with its modification time and content.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files.insert(path, it.fileInfo().lastModified().toString(Qt::ISODateWithMs).toUtf8() + readFile(path));
    }
    return files;
}

} // namespace

class CatalogueScannerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scan_emptyOrMissingDirectory_listsNothing()
    {
        Tree tree;
        const CatalogueScan scan = tree.scan(true);
        QVERIFY(scan.entries.empty());
        QVERIFY(scan.rows().isEmpty());
        QVERIFY(scanCatalogue(tree.root() / "nowhere", true, {}).entries.empty());
    }

    void scan_skipsSimulatorFoldersByExactName()
    {
        SKIP_ON_WINDOWS("default and Default are one folder");
        Tree tree;
        for (const QString &name :
             QStringList{"default", "fsfsconv", "templates", "Default", "TEMPLATES", "default2"}) {
            QVERIFY(tree.cfg(name, fltsims({name.toUtf8()})));
        }
        QCOMPARE(tree.scan(false).subdirs(), QStringList({"\\Default", "\\default2", "\\TEMPLATES"}));
        QVERIFY(isSkippedSubdir("\\fsfsconv"));
        QVERIFY(!isSkippedSubdir("\\Fsfsconv"));
    }

    void scan_foldersInNameOrderWithoutCase()
    {
        Tree tree;
        for (const QString &name : QStringList{"b747", "Zulu", "alpha", "Charlie", "_under"}) {
            QVERIFY(tree.cfg(name, fltsims({"Title of " + name.toUtf8()})));
        }
        // A plain file beside the folders is no aircraft.
        QFile stray(QString::fromStdString((tree.root() / "readme.txt").string()));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        QCOMPARE(tree.scan(false).subdirs(), QStringList({"\\_under", "\\alpha", "\\b747", "\\Charlie", "\\Zulu"}));

        // The listing under the scan: files and folders alike in that order, links flagged, a
        // dangling link no folder; names equal but for case in byte order.
        SKIP_ON_WINDOWS("alpha and ALPHA are one folder, and links are made by Unix");
        QVERIFY(tree.cfg("ALPHA", fltsims({"Upper"})));
        fs::create_directory_symlink(tree.root() / "b747", tree.root() / "Boeing");
        fs::create_symlink(tree.root() / "nowhere", tree.root() / "dangling");
        QStringList listed;
        for (const DirectoryEntry &entry : listDirectory(tree.root())) {
            listed.append(entry.name + (entry.isDirectory ? "/" : "") + (entry.isLink ? "@" : ""));
        }
        QCOMPARE(listed, QStringList({"_under/", "ALPHA/", "alpha/", "b747/", "Boeing/@", "Charlie/", "dangling@",
                                      "readme.txt", "Zulu/"}));
        QCOMPARE(listSubfolders(tree.root()).size(), size_t(7));
    }

    void scan_entriesOfOneFile_data()
    {
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("numbers");

        const QByteArray five = fltsims({"Zero", "One", "Two", "Three", "Four"});
        QStringList titles33;
        QList<int> numbers33;
        for (int n = 0; n <= 32; ++n) {
            titles33.append("Variation " + QString::number(n));
            numbers33.append(n);
        }
        const QByteArray untitled = "[fltsim.0]\r\nui_manufacturer=Maker\r\n[fltsim.1]\r\ntitle=Never listed\r\n";
        const QByteArray oneChar = "[fltsim.0]\r\ntitle=Zero\r\n[fltsim.1]\r\ntitle=X\r\n[fltsim.2]\r\ntitle=Two\r\n";

        QTest::newRow("plain lists fltsim.0 only") << five << false << QStringList{"Zero"} << QList<int>{0};
        QTest::newRow("extended lists every titled entry")
            << five << true << QStringList{"Zero", "One", "Two", "Three", "Four"} << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("extended stops at a gap") << fltsims({"Zero", "One", QByteArray(), "Three"}) << true
                                                 << QStringList{"Zero", "One"} << QList<int>{0, 1};
        QTest::newRow("extended stops at 33 entries")
            << numberedEntries(41, "Variation") << true << titles33 << numbers33;
        QTest::newRow("one-character title ends the entries")
            << oneChar << true << QStringList{"Zero"} << QList<int>{0};
        QTest::newRow("untitled fltsim.0, plain") << untitled << false << QStringList{"-EMPTY-"} << QList<int>{0};
        QTest::newRow("untitled fltsim.0, extended") << untitled << true << QStringList{"-EMPTY-"} << QList<int>{0};
        QTest::newRow("no aircraft.cfg, extended")
            << QByteArray("<none>") << true << QStringList{"-EMPTY-"} << QList<int>{0};
    }

    void scan_entriesOfOneFile()
    {
        QFETCH(QByteArray, cfg);
        QFETCH(bool, extended);
        QFETCH(QStringList, titles);
        QFETCH(QList<int>, numbers);
        Tree tree;
        if (cfg == "<none>") {
            tree.folder("aircraft");
        } else {
            QVERIFY(tree.cfg("aircraft", cfg));
        }
        const CatalogueScan scan = tree.scan(extended);
        QCOMPARE(scan.titles(), titles);
        QCOMPARE(entryNumbers(scan), numbers);
        QCOMPARE(scan.rows().size(), titles.size());
    }

    void scan_fieldListsInScanOrderUnfitted()
    {
        Tree tree;
        const QByteArray longTitle = "A title much longer than the twenty-one characters of a field";
        QVERIFY(tree.cfg("one", fltsims({longTitle, "Second"}, "ui_manufacturer=Same Maker\r\nui_type=Type\r\n")));
        // A one-character value counts as none.
        QVERIFY(tree.cfg("two", fltsims({"Third"}, "ui_manufacturer=Same Maker\r\nui_type=J\r\n")));
        const CatalogueScan scan = tree.scan(true);
        QCOMPARE(scan.titles(), QStringList({QString::fromUtf8(longTitle), "Second", "Third"}));
        QCOMPARE(scan.manufacturers(), QStringList({"Same Maker", "Same Maker", "Same Maker"}));
        QCOMPARE(scan.types(), QStringList({"Type", "Type", "-EMPTY-"}));
        QCOMPARE(scan.subdirs(), QStringList({"\\one", "\\one", "\\two"}));
        // A second scan starts afresh: the same lists, not doubled ones.
        QCOMPARE(tree.scan(true).rows(), scan.rows());
    }

    void scan_rowsSortedAndMappedToEntries()
    {
        Tree tree;
        QVERIFY(tree.cfg("a", "[fltsim.0]\r\ntitle=t1\r\nui_manufacturer=zeta\r\n"));
        QVERIFY(tree.cfg("b", "[fltsim.0]\r\ntitle=t2\r\nui_manufacturer=Alpha\r\n"));
        QVERIFY(tree.cfg("c", "[fltsim.0]\r\ntitle=t3\r\nui_manufacturer=beta\r\n"));
        FormatSettings settings;
        settings.actualWidth = true;
        settings.delimiter = ";";
        const CatalogueScan scan = tree.scan(false, settings);
        QCOMPARE(scan.rows(),
                 QStringList({"Alpha;-EMPTY-;t2;.00\\b", "beta;-EMPTY-;t3;.00\\c", "zeta;-EMPTY-;t1;.00\\a"}));
        QCOMPARE(scan.rowEntries, std::vector<int>({1, 2, 0}));

        settings.leadField = LeadField::Title;
        QCOMPARE(tree.scan(false, settings).rows().first(), "t1;zeta;-EMPTY-;.00\\a");
    }

    void sortRows_ignoresCaseAndKeepsTies()
    {
        QStringList rows = {"b row", "B ROW", "a row", "b row", "-EMPTY-", "\u00C9clair", "\u00E9CLAIR"};
        const std::vector<int> order = sortRows(rows);
        QCOMPARE(rows, QStringList({"-EMPTY-", "a row", "b row", "B ROW", "b row", "\u00C9clair", "\u00E9CLAIR"}));
        QCOMPARE(order, std::vector<int>({4, 2, 0, 1, 3, 5, 6}));

        // Enough rows to be sorted in two halves and merged: rows equal but for case, spread over
        // both halves, must keep their order across the merge.
        constexpr int Count = 30000;
        constexpr int Groups = 7;
        const QStringList spellings{"Same row ", "SAME ROW ", "same row "};
        QStringList many;
        for (int i = 0; i < Count; ++i) {
            many.append(spellings[i % 3] + QString::number(i % Groups));
        }
        std::vector<int> expected;
        for (int group = 0; group < Groups; ++group) {
            for (int i = group; i < Count; i += Groups) {
                expected.push_back(i);
            }
        }
        QCOMPARE(sortRows(many), expected);
        for (int k = 0; k < Count; k += 997) {
            QCOMPARE(many[k], spellings[expected[size_t(k)] % 3] + QString::number(expected[size_t(k)] % Groups));
        }
    }

    // Hostile input never crashes, hangs or changes a file
    void scan_hostileFilesListAsEmpty()
    {
        Tree tree;
        QByteArray garbage;
        for (int i = 0; i < 200000; ++i) {
            garbage.append(char((i * 7919 + i / 13) & 0xFF));
        }
        QVERIFY(tree.cfg("garbage", garbage));
        QVERIFY(tree.cfg("nuls", QByteArray(4096, '\0') + "\r\n[fltsim.0]\r\ntitle=After NULs\r\n"));
        QVERIFY(tree.cfg("bracketsonly", QByteArray(100000, '[')));
        QVERIFY(
            tree.cfg("wide", utf16(QStringLiteral("[fltsim.0]\r\ntitle=Wide \u00C5\r\nui_type=UTF-16\r\n"), false)));
        QVERIFY(tree.cfg("cp1252", "[fltsim.0]\r\ntitle=Br\xE9geat \x96 Mod\xE8le\r\n"));

        const auto before = snapshot(QString::fromStdString(tree.root().string()));
        const CatalogueScan scan = tree.scan(true);
        QCOMPARE(scan.subdirs(), QStringList({"\\bracketsonly", "\\cp1252", "\\garbage", "\\nuls", "\\wide"}));
        QCOMPARE(scan.titles(), QStringList({"-EMPTY-", QString::fromUtf8("Brégeat – Modèle"), "-EMPTY-", "After NULs",
                                             QString::fromUtf8("Wide Å")}));
        QCOMPARE(scan.types().at(4), "UTF-16");
        for (const QString &row : scan.rows()) {
            QVERIFY2(!row.contains(QChar(0)) && !row.contains(u'\n'), qPrintable(row));
        }
        QCOMPARE(snapshot(QString::fromStdString(tree.root().string())), before);
    }

    void scan_hugeFileIsReadOnce()
    {
        Tree tree;
        QByteArray big = "[fltsim.0]\r\ntitle=Huge\r\n[fltsim.1]\r\ntitle=Second\r\n[General]\r\n";
        const QByteArray line = "key_of_flight_model=0.5,0.5,0.5,0.5,0.5,0.5,0.5,0.5\r\n";
        big.reserve(100 * 1024 * 1024 + line.size());
        while (big.size() < 100 * 1024 * 1024) {
            big += line;
        }
        QVERIFY(tree.cfg("huge", big));
        big.clear();
        big.squeeze();
        QCOMPARE(tree.scan(true).titles(), QStringList({"Huge", "Second"}));
    }

    void scan_nonUtf8FolderNameAndLinkLoops()
    {
#ifdef Q_OS_UNIX
        Tree tree;
        const fs::path latin1 = tree.root() / std::string("Br\xE9geat");
        // The temporary folder's own clean-up goes by decoded names and cannot remove this one.
        const auto removeAtEnd = qScopeGuard([&latin1] {
            std::error_code e;
            fs::remove_all(latin1, e);
        });
        QVERIFY(fs::create_directory(latin1));
        QVERIFY(std::ofstream(latin1 / "aircraft.cfg") << "[fltsim.0]\r\ntitle=Named in Latin-1\r\n");

        QVERIFY(tree.cfg("looped", fltsims({"Looped"})));
        fs::create_directory_symlink(tree.root() / "looped", tree.root() / "looped" / "loop");
        fs::create_directory_symlink(tree.root() / "self", tree.root() / "self"); // loops on itself
        fs::create_directory_symlink(tree.root() / "looped", tree.root() / "linked");

        const CatalogueScan scan = tree.scan(true);
        QCOMPARE(scan.subdirs(), QStringList({QString::fromUtf8("\\Brégeat"), "\\linked", "\\looped"}));
        QCOMPARE(scan.titles(), QStringList({"Named in Latin-1", "Looped", "Looped"}));
        QCOMPARE(scan.folderPath(scan.entries.front()), latin1);
#else
        QSKIP("needs POSIX file names");
#endif
    }

    void scan_progressCanStopEarly()
    {
        Tree tree;
        for (const QString &name : QStringList{"a", "b", "c", "d"}) {
            QVERIFY(tree.cfg(name, fltsims({name.toUtf8() + name.toUtf8()})));
        }
        QList<int> seen;
        const CatalogueScan scan = scanCatalogue(tree.root(), false, {}, [&seen](int done, int total) {
            seen.append(done * 10 + total);
            return done < 2;
        });
        QCOMPARE(seen, QList<int>({14, 24}));
        QCOMPARE(scan.titles(), QStringList({"aa", "bb"}));
    }

    // A file claiming 64 GB cannot be read whole; the scan lists its folder all the same.
    void scan_sparse64GbFileListsAsEmptyAircraft()
    {
        Tree tree;
        QVERIFY(tree.cfg("after", fltsims({"After"})));
        QFile sparse(tree.folder("sparse") + "/aircraft.cfg");
        if (!sparse.open(QIODevice::WriteOnly) || !sparse.resize(64LL << 30)) {
            QSKIP("the file system refuses a sparse 64 GB file");
        }
        sparse.close();

        const CatalogueScan plain = tree.scan(false);
        QCOMPARE(plain.subdirs(), QStringList({"\\after", "\\sparse"}));
        QCOMPARE(plain.titles(), QStringList({"After", "-EMPTY-"}));
        QCOMPARE(plain.manufacturers(), QStringList({"Acme", "-EMPTY-"}));
        QCOMPARE(plain.types(), QStringList({"-EMPTY-", "-EMPTY-"}));
        QCOMPARE(plain.rowCount(), 2);
        QCOMPARE(plain.rows().count("-EMPTY-               -EMPTY-               -EMPTY-               .00\\sparse"),
                 1);
        QCOMPARE(tree.scan(true).titles(), plain.titles());
    }

    void scan_utf16BigEndianAndInnerByteOrderMarks()
    {
        Tree tree;
        QVERIFY(tree.cfg("big", utf16(QStringLiteral("[fltsim.0]\r\ntitle=Wide \u00C5 \u2708\r\nui_type=UTF-16BE\r\n"
                                                     "[fltsim.1]\r\ntitle=Second \u00E9\r\n"),
                                      true)));
        // The file's own byte-order mark goes; the one starting the title is part of it.
        QVERIFY(tree.cfg("marked", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=\xEF\xBB\xBFZulu\r\n"));
        QVERIFY(tree.cfg("plain", "[fltsim.0]\r\ntitle=Zulu\r\n"));
        QVERIFY(tree.cfg(QStringLiteral("\uFEFFnamed"), "[fltsim.0]\r\ntitle=Named\r\n"));

        const CatalogueScan scan = tree.scan(true);
        // Folders named with a U+FEFF sort by rules of their own: compare by folder.
        QMap<QString, QStringList> titles;
        for (qsizetype i = 0; i < scan.titles().size(); ++i) {
            titles[scan.subdirs().at(i)].append(scan.titles().at(i));
        }
        QCOMPARE(titles.value("\\big"),
                 QStringList({QStringLiteral("Wide \u00C5 \u2708"), QStringLiteral("Second \u00E9")}));
        QCOMPARE(titles.value("\\marked"), QStringList({QStringLiteral("\uFEFFZulu")}));
        QCOMPARE(titles.value("\\plain"), QStringList({"Zulu"}));
#ifndef Q_OS_WIN // Wine drops a U+FEFF from a file name
        QCOMPARE(titles.value(QStringLiteral("\\\uFEFFnamed")), QStringList({"Named"}));
#endif
        QCOMPARE(titles.size(), 4);
        QCOMPARE(scan.types().at(scan.subdirs().indexOf("\\big")), "UTF-16BE");
    }

    // The list filter compares case folded text with the accents of Latin letters taken off.
    void foldForFilter_caseAndLatinAccents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("folded");
        QTest::newRow("ascii") << "Boeing 747-400" << QByteArray("boeing 747-400");
        QTest::newRow("accents") << "ÉPERVIER Château Ålesund" << QByteArray("epervier chateau alesund");
        QTest::newRow("two levels, decomposed") << QStringLiteral("\u01D5 E\u0301") << QByteArray("u e");
        QTest::newRow("letters spelled out")
            << "Straße ẞ Æsir Œuvre Sjø Łódź Þór Đak ıİ" << QByteArray("strasse ss aesir oeuvre sjo lodz thor dak ii");
        QTest::newRow("other scripts keep theirs") << "ΨΥΧΉ Й" << QByteArray("ψυχή й");
        QTest::newRow("outside the basic plane") << QStringLiteral("\U0001F600A")
                                                 << QByteArray("\xF0\x9F\x98\x80"
                                                               "a");
        QTest::newRow("line feed") << "a\nb"
                                   << QByteArray("a\xEF\xBF\xBD"
                                                 "b");
    }
    void foldForFilter_caseAndLatinAccents()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, folded);
        QCOMPARE(QByteArray::fromStdString(foldForFilter(text)), folded);
    }

    // A row matches when one of its entry's fields, or (once read) its description, holds
    // the text; never across two fields.
    void listFilter_fieldsThenDescriptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("byFields");
        QTest::addColumn<QList<int>>("withDescriptions");
        QTest::newRow("manufacturer") << "BOEING" << QList<int>{0, 1} << QList<int>{0, 1};
        QTest::newRow("not across fields") << "g747" << QList<int>{} << QList<int>{};
        QTest::newRow("folder") << "\\cub" << QList<int>{2} << QList<int>{2};
        QTest::newRow("description") << "jumbo" << QList<int>{} << QList<int>{0};
        QTest::newRow("description, accents") << "HAULÉR" << QList<int>{} << QList<int>{1};
        QTest::newRow("no line end in a description") << "hauler\r" << QList<int>{} << QList<int>{};
        QTest::newRow("empty") << "" << QList<int>{0, 1, 2} << QList<int>{0, 1, 2};
    }
    void listFilter_fieldsThenDescriptions()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, byFields);
        QFETCH(QList<int>, withDescriptions);
        Tree tree;
        QVERIFY(tree.cfg("cub", "[fltsim.0]\r\ntitle=Piper Cub\r\nui_manufacturer=Piper\r\nui_type=J-3\r\n"));
        QVERIFY(tree.cfg("b747", "[fltsim.0]\r\ntitle=Boeing 747\r\nui_manufacturer=Boeing\r\nui_type=747\r\n"
                                 "description=Jumbo jet\r\n[fltsim.1]\r\ntitle=Boeing Freighter\r\n"
                                 "ui_manufacturer=Boeing\r\nui_type=747F\r\ndescription=Cargo haul\xE9r\r\n"));
        const CatalogueScan scan = tree.scan(true); // rows: Boeing 747, Boeing Freighter, Piper Cub
        ListFilter filter = ListFilter::fromFields(scan);
        const auto rows = [&](const std::vector<int> &found) { return QList<int>(found.begin(), found.end()); };
        QCOMPARE(rows(filter.matchingRows(scan, text)), byFields);
        const std::optional<FilterText> descriptions = gatherDescriptions(scan, {}, 2);
        QVERIFY(descriptions);
        filter.setDescriptions(*descriptions);
        QCOMPARE(rows(filter.matchingRows(scan, text)), withDescriptions);
        QCOMPARE(rows(matchingRows(scan, text)), withDescriptions);
        // Given the rows of a shorter text, only those are looked at.
        const std::vector<int> firstOnly{0};
        QCOMPARE(rows(filter.matchingRows(scan, text, &firstOnly)),
                 withDescriptions.contains(0) ? QList<int>{0} : QList<int>{});
    }
};

QTEST_GUILESS_MAIN(CatalogueScannerTest)
#include "cataloguescanner_test.moc"
