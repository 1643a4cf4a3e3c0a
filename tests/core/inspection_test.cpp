// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/aircraftfolder.h"
#include "core/inspection/descriptionscan.h"
#include "core/inspection/detailstext.h"
#include "core/inspection/entryrange.h"
#include "core/inspection/picturewalk.h"
#include "core/inspection/rowfolderrule.h"
#include "core/platform/nativepath.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <limits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

namespace {

const QString None = "<none>";

// Builds a tree below root: "a/b.jpg" is a file, "a/b/" a folder, "a/l -> t" a symbolic link
// to t. Returns the first item that could not be made, or an empty text.
QString makeTree(const QString &root, const QStringList &items)
{
    for (const QString &item : items) {
        const QString path = root + "/" + item.section(" -> ", 0, 0);
        std::error_code error;
        if (item.contains(" -> ")) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            std::filesystem::create_symlink(toNativePath(item.section(" -> ", 1)), toNativePath(path), error);
        } else if (item.endsWith('/')) {
            std::filesystem::create_directories(toNativePath(path), error);
        } else if (!writeFile(path, "picture")) {
            return item;
        }
        if (error) {
            return item;
        }
    }
    return {};
}

} // namespace

class InspectionTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The aircraft.cfg of a folder named after the current data row; no file for empty bytes.
    Profile profileOf(const QByteArray &file)
    {
        const QString path = m_dir.filePath(QTest::currentDataTag() + QString("/aircraft.cfg"));
        return file.isEmpty() || writeFile(path, file) ? Profile::fromFile(toNativePath(path)) : Profile();
    }

private Q_SLOTS:
    // The folder from the row's first backslash on, and the two characters before it as the
    // entry number (a leading zero dropped).
    void rowFolderAndEntry_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("entry");
        const auto row = [](const char *name, const QString &text, const QString &folder, const QString &entry) {
            QTest::newRow(name) << text << folder << entry;
        };
        const QString fitted = "Boeing                747-400               Boeing 747-400 Interc ";
        row("tag and subdir last", fitted + ".00\\b747", "\\b747", "0");
        row("trailing spaces removed", fitted + ".03\\b747   ", "\\b747", "3");
        row("tab and terminator stay", fitted + ".05\\b747\t;", "\\b747\t;", "5");
        row(".10 keeps its zero", "Boeing ;.10\\b747", "\\b747", "10");
        row("deeper folder", fitted + ".32\\fleet\\b747", "\\fleet\\b747", "32");
        row("backslash past 255", QString(300, u'x') + ".12\\b747", "\\b747", "12");
        row("whatever stands there", "Boeing ab\\b747", "\\b747", "ab");
        row("subdir leading", "\\b747  Boeing  747-400", "\\b747  Boeing  747-400", None);
        row("backslash second", "7\\b747", "\\b747", None);
        row("backslash third", "07\\b747", "\\b747", "7");
        row("no backslash", fitted + ".03", None, None);
        row("empty row", "", None, None);
    }

    void rowFolderAndEntry()
    {
        QFETCH(QString, row);
        QFETCH(QString, folder);
        QFETCH(QString, entry);
        QCOMPARE(rowFolder(row).value_or(None), folder);
        QCOMPARE(rowEntryText(row).value_or(None), entry);
    }

    // The description scan, alike for CR LF, LF and CR line ends
    void scanDescription_rules_data()
    {
        QTest::addColumn<QString>("text"); // written with CR LF
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("description");
        const auto row = [](const char *name, const QString &text, const QString &section, const QString &found) {
            QTest::newRow(name) << text << section << found;
        };
        const QString head = "[fltsim.0]\r\ntitle=Boeing 747\r\n";
        row("description=", head + "description=Twin jet\r\n", "fltsim.0", "Twin jet\r");
        row("description = ", head + "description = Twin jet\r\n", "fltsim.0", "= Twin jet\r");
        row("description= ", head + "description= Twin jet\r\n", "fltsim.0", " Twin jet\r");
        row("description =", head + "description =Twin jet\r\n", "fltsim.0", "=Twin jet\r");
        row("first form wins over a nearer second", head + "description = Near\r\n[fltsim.1]\r\ndescription=Far\r\n",
            "fltsim.0", "Far\r");
        row("third form wins over a nearer fourth", head + "description =Near\r\n[fltsim.1]\r\ndescription= Far\r\n",
            "fltsim.0", " Far\r");
        row("three characters shown", head + "description=abc\r\n", "fltsim.0", "abc\r");
        row("two characters empty", head + "description=ab\r\n", "fltsim.0", "-EMPTY-");
        row("four units, three characters", head + "description=\U0001F6E9a\r\n", "fltsim.0", "-EMPTY-");
        row("empty value", head + "description=\r\nui_type=747\r\n", "fltsim.0", "-EMPTY-");
        row("last line without line end", head + "description=Twin jet", "fltsim.0", "-EMPTY-");
        row("key ends the file", head + "description=", "fltsim.0", "-EMPTY-");
        row("holds TITLE=", head + "description=see Title=Boeing\r\n", "fltsim.0", "-EMPTY-");
        row("later entry's description", head + "[fltsim.1]\r\ntitle=Cargo\r\ndescription=Freighter\r\n", "fltsim.0",
            "Freighter\r");
        row("capitals", "[FLTSIM.0]\r\nTITLE=Boeing\r\nDESCRIPTION=Loud\r\n", "fltsim.0", "Loud\r");
        row("section text inside fltsim.10", "[fltsim.10]\r\ndescription=Ten\r\n[fltsim.1]\r\ndescription=One\r\n",
            "fltsim.1", "Ten\r");
        row("section text anywhere", "; see fltsim.2 below\r\ndescription=Note\r\n[fltsim.2]\r\n", "fltsim.2",
            "Note\r");
        row("description before the section", "description=Before\r\n" + head, "fltsim.0", "-EMPTY-");
        row("section text missing", head + "description=Twin jet\r\n", "fltsim.3", "-EMPTY-");
        row("past 32,767 characters", head + "; " + QString(40000, u'x') + "\r\ndescription=Far down\r\n", "fltsim.0",
            "Far down\r");
        row("non-ASCII kept", head + "description=Caf\u00e9 cr\u00e8me\r\n", "fltsim.0", "Caf\u00e9 cr\u00e8me\r");
        row("only ASCII letters fold", "[flt\u017Fim.0]\r\ndescription=Long s\r\n", "fltsim.0", "-EMPTY-");
    }

    void scanDescription_rules()
    {
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, description);
        QCOMPARE(scanDescription(text, section), description);
        // The same file saved with LF or with CR line ends reads the same.
        QCOMPARE(scanDescription(QString(text).replace("\r\n", "\n"), section), description);
        QCOMPARE(scanDescription(QString(text).replace("\r\n", "\r"), section), description);
    }

    // One entry read from a file: its values, and the description scanned in its decoded text
    void entryDetails_keysAndDescription_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("expected"); // title, manufacturer, type, description
        const auto row = [](const char *name, const QByteArray &file, const QString &entry,
                            const QStringList &expected) { QTest::newRow(name) << file << entry << expected; };
        row("entry 0",
            "[fltsim.0]\r\ntitle=Boeing 747-400\r\nui_manufacturer=Boeing\r\nui_type=747-400\r\ndescription=Twin "
            "jet\r\n",
            "0", {"Boeing 747-400", "Boeing", "747-400", "Twin jet\r"});
        row("entry 12",
            numberedEntries(12, "Aircraft")
                + "[fltsim.12]\r\ntitle=Twelve\r\nui_type = \"Jet\" \r\ndescription=Number twelve\r\n",
            "12", {"Twelve", "-EMPTY-", "Jet", "Number twelve\r"});
        row("one-character values", "[fltsim.0]\r\ntitle=X\r\nui_manufacturer=Y\r\nui_type=ab\r\n", "0",
            {"-EMPTY-", "-EMPTY-", "ab", "-EMPTY-"});
        row("entry k of 3", numberedEntries(3, "Aircraft") + "description=Shared\r\n", "3", QStringList(4, "-EMPTY-"));
        row("no file", "", "4", QStringList(4, "-EMPTY-"));
        row("capitals", "[FLTSIM.0]\r\nTITLE=Cub\r\nUI_TYPE=J-3\r\nDESCRIPTION=Yellow\r\n", "0",
            {"Cub", "-EMPTY-", "J-3", "Yellow\r"});
        row("UTF-8", "[fltsim.0]\r\ntitle=Caf\xC3\xA9 jet\r\ndescription=Cr\xC3\xA8me\r\n", "0",
            {"Caf\u00e9 jet", "-EMPTY-", "-EMPTY-", "Cr\u00e8me\r"});
        row("Windows-1252", "[fltsim.0]\r\ntitle=Caf\xE9 jet\r\ndescription=Cr\xE8me \x80\r\n", "0",
            {"Caf\u00e9 jet", "-EMPTY-", "-EMPTY-", "Cr\u00e8me \u20ac\r"});
        row("UTF-16 big endian",
            utf16(QStringLiteral("[fltsim.0]\r\ntitle=Caf\u00e9\r\ndescription=Wide text\r\n"), true), "0",
            {"Caf\u00e9", "-EMPTY-", "-EMPTY-", "Wide text\r"});
    }

    void entryDetails_keysAndDescription()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, entry);
        QFETCH(QStringList, expected);
        const EntryDetails details = entryDetails(profileOf(file), entry);
        QCOMPARE((QStringList{details.title, details.manufacturer, details.type, details.description}), expected);
        QCOMPARE(details.entryText, entry);
    }

    // Stepping through the entries: they end at the first untitled one, 33 at most
    void endOfEntries_firstUntitled_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("end");
        QTest::newRow("no file") << QByteArray() << 0;
        QTest::newRow("no title at 0") << QByteArray("[fltsim.0]\r\nui_type=Jet\r\n") << 0;
        QTest::newRow("3 entries") << numberedEntries(3, "Aircraft") << 3;
        QTest::newRow("32 entries") << numberedEntries(32, "Aircraft") << 32;
        QTest::newRow("33 entries") << numberedEntries(33, "Aircraft") << 33;
        QTest::newRow("40 entries stop at 33") << numberedEntries(40, "Aircraft") << 33;
        QTest::newRow("gap after 1") << numberedEntries(2, "Aircraft") + "[fltsim.3]\r\ntitle=After gap\r\n" << 2;
        QTest::newRow("one-character title") << numberedEntries(1, "Aircraft") + "[fltsim.1]\r\ntitle=X\r\n" << 1;
        QTest::newRow("capitals, LF") << QByteArray("[FLTSIM.0]\nTITLE=A0\n[Fltsim.1]\nTitle=A1\n") << 2;
    }

    void endOfEntries_firstUntitled()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, end);
        QCOMPARE(endOfEntries(profileOf(file)), end);
    }

    void lastEntryMessage_namesEntryBeforeEnd()
    {
        QCOMPARE(lastEntryMessage(3), "[Fltsim.2] is the last entry");
        QCOMPARE(lastEntryMessage(1), "[Fltsim.0] is the last entry");
        QCOMPARE(lastEntryMessage(0), "[Fltsim.0] is the last entry"); // no entry before entry 0
    }

    void walkPictures_data()
    {
        QTest::addColumn<QStringList>("tree");     // below a root holding the aircraft folder b747
        QTest::addColumn<int>("limit");            // most pictures listed; 0: no bound
        QTest::addColumn<int>("stopAt");           // folders entered before the walk is stopped; 0: never
        QTest::addColumn<QStringList>("pictures"); // paths below b747, in walk order
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("folders"); // folders entered; -1: not counted

        const auto row = [](const char *name, const QStringList &tree, const QStringList &pictures,
                            const char *end = "whole", int limit = 0, int stopAt = 0, int folders = -1) {
            QTest::newRow(name) << tree << limit << stopAt << pictures << QString::fromLatin1(end) << folders;
        };
        row("GIFs after every JPEG", {"b747/a.gif", "b747/b.jpg", "b747/sub/c.gif", "b747/sub/d.jpg"},
            {"b.jpg", "sub/d.jpg", "a.gif", "sub/c.gif"});
        row("name order without regard to case",
            {"b747/c.jpg", "b747/B.jpg", "b747/a.jpg", "b747/Z/x.jpg", "b747/y/x.jpg"},
            {"a.jpg", "B.jpg", "c.jpg", "y/x.jpg", "Z/x.jpg"});
        row("endings matched without regard to case",
            {"b747/PHOTO.JPG", "b747/logo.Gif", "b747/photo.jpeg", "b747/jpg", "b747/a.jpg.txt", "b747/.jpg"},
            {".jpg", "PHOTO.JPG", "logo.Gif"});
        row("folder shots.jpg walked, not listed", {"b747/shots.jpg/in.jpg", "b747/empty.gif/"}, {"shots.jpg/in.jpg"});
        row("same name twice", {"b747/a/p.jpg", "b747/b/p.jpg"}, {"a/p.jpg", "b/p.jpg"});
        row("link loop ends", {"b747/p.jpg", "b747/loop -> .", "b747/sub/up -> ..", "b747/sub/q.jpg"},
            {"p.jpg", "sub/q.jpg"});
        row("linked folder outside not followed", {"other/x.jpg", "b747/ext -> ../other"}, {});
        row("link to a file listed", {"b747/real.jpg", "b747/alias.jpg -> real.jpg"}, {"alias.jpg", "real.jpg"});
        row("no pictures", {"b747/aircraft.cfg", "b747/model/"}, {});
        row("missing folder", {"elsewhere/a.jpg"}, {}, "whole", 0, 0, 0);
        // The bound keeps the first pictures in list order, so a JPEG found late pushes out a GIF.
        row("bound cuts the JPEGs", {"b747/a.jpg", "b747/b.jpg", "b747/c.jpg", "b747/d.gif", "b747/sub/e.jpg"},
            {"a.jpg", "b.jpg"}, "bounded", 2, 0, 1);
        row("late JPEG pushes a GIF out", {"b747/a.gif", "b747/b.gif", "b747/sub/c.jpg"}, {"sub/c.jpg", "a.gif"},
            "bounded", 2);
        row("as many as the bound is whole", {"b747/a.gif", "b747/sub/c.jpg"}, {"sub/c.jpg", "a.gif"}, "whole", 2);
        row("stopped before a sub-folder, GIFs held back", {"b747/a.jpg", "b747/b.gif", "b747/sub/c.jpg"}, {"a.jpg"},
            "stopped", 0, 2, 2);
#ifdef Q_OS_LINUX
        // An aircraft folder linked to the kernel's own trees is not walked at all.
        row("link to /proc", {"b747 -> /proc"}, {}, "whole", 0, 0, 0);
        row("link to /sys", {"b747 -> /sys"}, {}, "whole", 0, 0, 0);
#endif
    }

    void walkPictures()
    {
        QFETCH(QStringList, tree);
        QFETCH(int, limit);
        QFETCH(int, stopAt);
        QFETCH(QStringList, pictures);
        QFETCH(QString, end);
        QFETCH(int, folders);
        const QString root = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
        if (tree.join('\n').contains(" -> ")) {
            SKIP_ON_WINDOWS("the links are made by Unix (the Windows tests walk such a tree)");
        }
        QCOMPARE(makeTree(root, tree), QString());
        QStringList below;
        int entered = 0;
        PictureWalkCallbacks callbacks;
        callbacks.found = [&](PictureFile &&picture) {
            const QString path = QDir::fromNativeSeparators(fromNativePath(picture.path));
            below.append(path.mid(root.size() + 6));
            // The name is the path's last part: lstImageFiles and lstImages name the same file.
            QCOMPARE(picture.name, QFileInfo(path).fileName());
            QCOMPARE(path.left(root.size() + 6), root + "/b747/");
        };
        callbacks.entering = [&] { return ++entered != stopAt; };
        const PictureWalkEnd ended =
            hangardeck::core::walkPictures(toNativePath(root + "/b747"), callbacks,
                                           limit > 0 ? std::size_t(limit) : std::numeric_limits<std::size_t>::max());
        QCOMPARE(below, pictures);
        const char *const names[] = {"whole", "bounded", "stopped"};
        QCOMPARE(QString::fromLatin1(names[int(ended)]), end);
        if (folders >= 0) {
            QCOMPARE(entered, folders);
        }
        if (limit == 0 && stopAt == 0) {
            QCOMPARE(findPictures(toNativePath(root + "/b747")).size(), std::size_t(pictures.size()));
        }
    }

#ifdef Q_OS_UNIX
    void findPictures_unreadableFolder_contributesNothing()
    {
        if (::geteuid() == 0) {
            QSKIP("root reads every folder");
        }
        const QString root = m_dir.filePath("locked");
        QCOMPARE(makeTree(root, {"b747/a/in.jpg", "b747/locked/hidden.jpg", "b747/z.gif"}), QString());
        const QByteArray locked = QFile::encodeName(root + "/b747/locked");
        QCOMPARE(::chmod(locked.constData(), 0), 0);
        const std::vector<PictureFile> found = findPictures(toNativePath(root + "/b747"));
        ::chmod(locked.constData(), 0755);
        QStringList names;
        for (const PictureFile &picture : found) {
            names.append(picture.name);
        }
        QCOMPARE(names, (QStringList{"in.jpg", "z.gif"}));
    }
#endif
};

QTEST_GUILESS_MAIN(InspectionTest)
#include "inspection_test.moc"
