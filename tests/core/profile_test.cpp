// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profile.h"
#include "core/platform/profilewriter.h"
#include "core/platform/textdecoding.h"
#include "testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

namespace {

// Writes bytes into a file at a position, creating or growing it: the bytes skipped over
// read as NULs and take no disk space.
bool writeAt(const QString &path, qint64 position, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.seek(position) && file.write(bytes) == bytes.size();
}

// A looked-up value, or "<none>", so that a missing value never passes for an empty one.
QString shown(const std::optional<QString> &value)
{
    return value.value_or(QStringLiteral("<none>"));
}

const QByteArray F1 = "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";
const QByteArray FD = "[SectionName]\r\nTestKey=TestValue\r\n[SectionName2]\r\nTestKey2=TestValue2\r\n";

} // namespace

class ProfileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir; // each test names files of its own

private Q_SLOTS:
    void lookup_followsWindowsRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // "<none>": no such key
        const auto row = [](const char *name, const QByteArray &file, const QString &section, const QString &key,
                            const QString &value) { QTest::newRow(name) << file << section << key << value; };
        QByteArray crOnly = F1;
        crOnly.replace("\r\n", "\r");

        row("plain", F1, "section1", "name1", "val1");
        row("quoted value unquoted", F1, "section1", "name2", "val2");
        row("line without = is no key", F1, "section1", "name3", "<none>");
        row("missing key", F1, "section1", "notakey", "<none>");
        row("missing section", F1, "notasection", "name1", "<none>");
        row("key case", F1, "section1", "NaMe1", "val1");
        row("section case", FD, "SECTIONNAME", "testkey", "TestValue");
        row("tab in argument is significant", FD, "\tSectionName", "TestKey", "<none>");
        row("blanks around value", "[S]\r\nk=\tv v\t\r\n", "S", "k", "v v");
        row("blanks before header", "\t[S]\r\nk=vv\r\n", "S", "k", "vv");
        row("title with blanks", "[S]\r\ntitle =  Cessna 172  \r\n", "s", "TITLE", "Cessna 172");
        row("quotes keep inner blanks", "[S]\r\nk=  \"   T   \"  \r\n", "S", "k", "   T   ");
        row("one pair only", "[S]\r\nk=''string''\r\n", "S", "k", "'string'");
        row("inline ; is value", "[S]\r\nk=\"Boeing\" ;maker\r\n", "S", "k", "\"Boeing\" ;maker");
        row("comment line", "[S]\r\n;key=v\r\n", "S", "key", "<none>");
        row("value starting with ;", "[S]\r\nk=;nocomment\r\n", "S", "k", ";nocomment");
        row("# is no comment", "[S]\r\n#c=v1\r\n", "S", "#c", "v1");
        row("first duplicate key wins", "[S]\r\nk=first\r\nk=second", "S", "k", "first");
        row("lines before first header", "k=v\r\n[S]\r\n", "", "k", "<none>");
        row("header without ]", "[Name   \r\nk=vv\r\n", "Name", "k", "vv");
        row("text after ] ignored", "[S]k=v\r\n", "S", "k", "<none>");
        row("name ends at first ]", "[sec]whoops]\r\nk=vv\r\n", "sec", "k", "vv");
        row("[ inside value is no header", "[S]\r\nk=a [b] c\r\nj=jj\r\n", "S", "j", "jj");
        row("later = belong to value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b");
        row("empty value", "[s]\r\nname2=\r\n", "s", "name2", "");
        row("NUL ends value", QByteArray("[s]\r\nk=abc\0def\r\n", 17), "s", "k", "abc");
        row("CR line ends, last key", crOnly, "section1", "name4", "a");
        row("LF line ends", "[Test]\nProfileInt=123\n", "test", "profileint", "123");
        // A section body ends where the next header starts, whatever the line ends.
        row("header after mixed line ends", "[a]\n[b]\rk=v\r\n", "a", "k", "<none>");
        // Windows-1252 bytes that are not UTF-8 decode as Windows-1252.
        row("Windows-1252", "[S]\r\nm=Soci\xE9t\xE9 \x80 \x92\r\n", "S", "m", QString::fromUtf8("Société € ’"));
        row("UTF-8", "[S]\r\nk=caf\xC3\xA9\r\n", "S", "k", QString::fromUtf8("café"));
        row("UTF-8 byte-order mark", "\xEF\xBB\xBF" + FD, "SectionName", "TestKey", "TestValue");
    }

    void lookup_followsWindowsRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(shown(Profile::fromBytes(file).value(section, key)), value);
    }

    void lookup_valueLengthLimits()
    {
        const QByteArray v126(126, 'x');
        const QByteArray v130 = QByteArray(126, 'y') + "zzzz";
        const Profile profile = Profile::fromBytes("[S]\r\na=" + v126 + "\r\nb=" + v130 + "\r\nc=\"" + v130 + "\"\r\n");
        QCOMPARE(profile.value(u"S", u"a")->size(), 126);
        QCOMPARE(*profile.value(u"S", u"b"), QString(126, u'y'));
        // Unquoted first, then cut.
        QCOMPARE(*profile.value(u"S", u"c"), QString(126, u'y'));

        // The cut counts characters, neither bytes nor UTF-16 units: a pair at the 126th stays whole.
        const QByteArray plane = "\xF0\x9F\x9B\xA9";
        const Profile paired = Profile::fromBytes("[S]\r\nk=" + QByteArray(125, 'x') + plane + "y");
        QCOMPARE(*paired.aircraftValue("S", "k"), QString(125, u'x') + QString::fromUtf8(plane));

        // No 64 KiB wrap-around: a huge value is simply cut.
        const QByteArray huge(70000, 'h');
        QCOMPARE(Profile::fromBytes("[S]\r\nk=" + huge).value(u"S", u"k")->size(), 126);
    }

    // An aircraft value of one character (here two UTF-16 units) counts as none; a setting keeps it.
    void aircraftAndSettingsValues_shortValues()
    {
        const Profile aircraft =
            Profile::fromBytes("[fltsim.0]\r\nsix=abcdef\r\none=X\r\nempty=\r\ntwo=ab\r\nplane=\xF0\x9F\x9B\xA9\r\n");
        QCOMPARE(shown(aircraft.aircraftValue("fltsim.0", "six")), "abcdef");
        QCOMPARE(shown(aircraft.aircraftValue("FLTSIM.0", "TWO")), "ab");
        for (const char *key : {"one", "empty", "missing", "plane"}) {
            QVERIFY2(!aircraft.aircraftValue("fltsim.0", key), key);
        }

        const Profile settings = Profile::fromBytes("[main]\r\nsheep=9\r\nfielddelimiter=,\r\nempty=\r\n");
        QCOMPARE(settings.settingsValue(u"main", u"sheep"), "9");
        QCOMPARE(settings.settingsValue(u"MAIN", u"fielddelimiter"), ",");
        QCOMPARE(settings.settingsValue(u"main", u"empty"), QString());
        QCOMPARE(settings.settingsValue(u"main", u"absent"), QString());
    }

    void fromFile_missingOrSpecialFiles()
    {
        const Profile missing = Profile::fromFile(dir.filePath("nope.cfg").toStdString());
        QVERIFY(!missing.isLoaded());
        QVERIFY(!missing.value(u"fltsim.0", u"title"));
        // A directory named like the file is no file.
        QVERIFY(!Profile::fromFile(dir.path().toStdString()).isLoaded());
    }

    void lookup_utf16EitherByteOrder()
    {
        // U+1D11E takes a surrogate pair: both halves keep their byte order.
        const QString value = QStringLiteral("\u00C5ngstr\u00F6m \u2708 \U0001D11E");
        for (const bool bigEndian : {true, false}) {
            const Profile wide =
                Profile::fromBytes(utf16(QString::fromLatin1(FD) + "[u]\r\nt=" + value + "\r\n", bigEndian));
            QCOMPARE(shown(wide.value(u"SectionName2", u"TestKey2")) + '|' + shown(wide.value(u"u", u"t")),
                     "TestValue2|" + value);
        }
    }

    void decoding_byteOrderMarkOnlyAtFileStartDropped()
    {
        const QByteArray bom = "\xEF\xBB\xBF";
        const QString zulu = QStringLiteral("\uFEFFZulu");

        // The file's own mark goes, the one starting the value stays, even inside quotes.
        const Profile profile = Profile::fromBytes(bom + "[fltsim.0]\r\ntitle=" + bom + "Zulu\r\nui_type=\"" + bom
                                                   + "\"\r\nui_variation=" + bom + bom + "Z\r\n");
        QCOMPARE(shown(profile.aircraftValue("fltsim.0", "title")), zulu);
        QCOMPARE(shown(profile.value(u"fltsim.0", u"ui_type")), QStringLiteral("\uFEFF"));
        QCOMPARE(shown(profile.value(u"fltsim.0", u"ui_variation")), QStringLiteral("\uFEFF\uFEFFZ"));

        // A second mark starts the first line as a character, so that line is no header.
        QVERIFY(!Profile::fromBytes(bom + bom + "[S]\r\nk=vv\r\n").value(u"S", u"k"));
        QVERIFY(!Profile::fromBytes(bom + "\r\n" + bom + "[S]\r\nk=vv\r\n").value(u"S", u"k"));

        // The same in a UTF-16 file.
        const Profile wide = Profile::fromBytes(utf16(QStringLiteral("[fltsim.0]\r\ntitle=\uFEFFZulu\r\n"), false));
        QCOMPARE(shown(wide.aircraftValue("fltsim.0", "title")), zulu);

        QCOMPARE(decodeText(QByteArray(bom + "Zulu")), zulu);
        QCOMPARE(decodeText(QByteArray("Zu" + bom + "lu")), QStringLiteral("Zu\uFEFFlu"));
        QCOMPARE(decodeText(QByteArray(bom + "Br\xE9geat")),
                 QStringLiteral("\u00EF\u00BB\u00BFBr\u00E9geat")); // not UTF-8

        // Overlong and surrogate encodings are not UTF-8.
        QVERIFY(!isValidUtf8("\xC0\xAF"));
        QVERIFY(!isValidUtf8("\xED\xA0\x80"));
        QVERIFY(!isValidUtf8("\xE2\x82"));
        QVERIFY(isValidUtf8("\xF0\x9F\x9B\xA9"));
    }

    // A file longer than MaxExaminedBytes is examined up to its last line end within them.
    void fromFile_examinesOnlyTheFirstBytes()
    {
        const QString path = dir.filePath("capped.cfg");
        QVERIFY(writeFile(path, "[fltsim.0]\r\ntitle=Within\r\n"));
        // NULs fill the hole up to the cap: no sections, no values.
        const QByteArray cut = "\r\n[fltsim.1]\r\nui_type=Whole\r\ntitle=Cut";
        QVERIFY(writeAt(path, MaxExaminedBytes - cut.size(), cut + " short\r\n"));
        QVERIFY(writeAt(path, MaxExaminedBytes + 100, "\r\n[fltsim.2]\r\ntitle=Past the cap\r\n"));
        QVERIFY(QFile::resize(path, MaxExaminedBytes + 1024 * 1024));

        Profile profile = Profile::fromFile(path.toStdString());
        QCOMPARE(shown(profile.aircraftValue("fltsim.0", "title")), QStringLiteral("Within"));
        QCOMPARE(shown(profile.aircraftValue("fltsim.1", "ui_type")), QStringLiteral("Whole"));
        QVERIFY(!profile.aircraftValue("fltsim.1", "title")); // a line cut short is no value
        QVERIFY(!profile.aircraftValue("fltsim.2", "title"));

        // At exactly the cap the file is whole, its last line included; one byte more cuts it.
        QVERIFY(QFile::resize(path, MaxExaminedBytes));
        profile = Profile::fromFile(path.toStdString());
        QCOMPARE(shown(profile.aircraftValue("fltsim.1", "title")), QStringLiteral("Cut"));
        QVERIFY(QFile::resize(path, MaxExaminedBytes + 1));
        profile = Profile::fromFile(path.toStdString());
        QCOMPARE(shown(profile.aircraftValue("fltsim.0", "title")), QStringLiteral("Within"));
        QVERIFY(!profile.aircraftValue("fltsim.1", "title"));

        // Content given in memory is examined the same way.
        QByteArray bytes =
            "[fltsim.0]\r\ntitle=Within\r\n" + QByteArray(MaxExaminedBytes, ';') + "\r\n[fltsim.1]\r\ntitle=Past\r\n";
        profile = Profile::fromBytes(std::move(bytes));
        QCOMPARE(shown(profile.aircraftValue("fltsim.0", "title")), QStringLiteral("Within"));
        QVERIFY(!profile.aircraftValue("fltsim.1", "title"));

        // UTF-16 that grows past the cap as UTF-8 is cut the same way.
        QString wide = QStringLiteral("[fltsim.0]\r\ntitle=Wide\r\n;");
        wide += QString(MaxExaminedBytes / 2 - 100, QChar(0x2708)) + QStringLiteral("\r\n[fltsim.1]\r\ntitle=Past\r\n");
        profile = Profile::fromBytes(utf16(wide, true));
        QCOMPARE(shown(profile.aircraftValue("fltsim.0", "title")), QStringLiteral("Wide"));
        QVERIFY(!profile.aircraftValue("fltsim.1", "title"));
    }

    // Writing: the given keys change, every other byte stays
    void write_producesExactFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // "<none>" for no file
        QTest::addColumn<QStringList>("calls"); // section, key, value, ...
        QTest::addColumn<QByteArray>("after");

        const auto row = [](const char *name, const QByteArray &before, const QStringList &calls,
                            const QByteArray &after) { QTest::newRow(name) << before << calls << after; };
        row("empty file", "", {"SectionName", "TestKey", "TestValue"}, "[SectionName]\r\nTestKey=TestValue\r\n");
        row("sections in order", "<none>",
            {"App1", "key1", "string1", "App1", "key2", "string2", "App2", "key4", "string4"},
            "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n");
        row("replace in place, new keys after last key", "[S]\r\nb=value\r\na=value\r\n",
            {"S", "z", "", "S", "b", "", "S", "y", "", "S", "a", ""}, "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n");
        row("comments stay after last key", ";c0\r\n[S]\r\n;c1\r\nb=value\r\n;c2\r\na=value\r\n;c3\r\n",
            {"S", "z", "1", "S", "b", "2"}, ";c0\r\n[S]\r\n;c1\r\nb=2\r\n;c2\r\na=value\r\nz=1\r\n;c3\r\n");
        row("key spelling kept, unterminated last line", "[SectionName]\r\nTestKey=TestValue",
            {"SECTIONNAME", "TESTKEY", "TestValue2"}, "[SectionName]\r\nTestKey=TestValue2\r\n");
        row("other lines byte for byte", "[a]\r\nx = 1 ; c\r\n\r\n[b]\ny=2\n", {"b", "y", "3"},
            "[a]\r\nx = 1 ; c\r\n\r\n[b]\ny=3\n");
        row("new key before blank line", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", {"a", "n", "5"},
            "[a]\r\nx=1\r\nn=5\r\n\r\n[b]\r\ny=2\r\n");
        row("new section after unterminated line", "[a]\r\nx=1", {"b", "y", "2"}, "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
        row("spaces of names dropped", "<none>", {" sec ", " key ", "v"}, "[sec]\r\nkey=v\r\n");
        row("data before first section kept", QByteArray("Data \0 before \0 first \0 section", 31),
            {"section1", "key1", "string1"},
            QByteArray("Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n", 59));
        row("UTF-8 byte-order mark kept", "\xEF\xBB\xBF[main]\r\nk=1\r\n", {"main", "k", "2"},
            "\xEF\xBB\xBF[main]\r\nk=2\r\n");
        row("UTF-16 text starting with U+FEFF keeps it behind a mark",
            utf16(QStringLiteral("\uFEFF[main]\r\nk=1\r\n"), false), {"main", "k", "2"},
            "\xEF\xBB\xBF\xEF\xBB\xBF[main]\r\nk=1\r\n[main]\r\nk=2\r\n");
    }

    // Each row runs twice: one writeProfileString per key, and one writeProfileStrings per run
    // of keys of the same section. Both must give the same file.
    void write_producesExactFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, calls);
        QFETCH(QByteArray, after);

        const QString single = dir.filePath(QTest::currentDataTag() + QString(".single"));
        const QString batch = dir.filePath(QTest::currentDataTag() + QString(".batch"));
        if (before != "<none>") {
            QVERIFY(writeFile(single, before) && writeFile(batch, before));
        }
        std::vector<ProfileEntry> run;
        for (qsizetype i = 0; i + 2 < calls.size(); i += 3) {
            QVERIFY(writeProfileString(single, calls[i], calls[i + 1], calls[i + 2]));
            run.push_back({calls[i + 1], calls[i + 2]});
            if (i + 3 >= calls.size() || calls[i + 3] != calls[i]) {
                QVERIFY(writeProfileStrings(batch, calls[i], run));
                run.clear();
            }
        }
        QCOMPARE(readFile(single), after);
        QCOMPARE(readFile(batch), after);
    }

    // What the reader would trim or unquote is written inside quotes; the rest is written bare.
    void write_valueReadsBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("readBack");

        const auto same = [](const char *name, const QString &value, const QByteArray &line) {
            QTest::newRow(name) << value << line << value;
        };
        same("empty", "", "k=");
        same("plain", "a b", "k=a b");
        same("quotes inside", "x'y \"z\" w", "k=x'y \"z\" w");
        same("spaced bar", " | ", "k=\" | \"");
        same("tab", "\t", "k=\"\t\"");
        same("trailing blank", "a ", "k=\"a \"");
        same("quoted", "\"x\"", "k=\"\"x\"\"");
        same("single-quoted", "'x'", "k=\"'x'\"");
        same("leading apostrophe", "'a", "k=\"'a\"");
        same("trailing quote", "a\"", "k=\"a\"\"");
        same("non-ASCII as UTF-8", QStringLiteral("/home/zo\u00EB/\u00C4ra"), "k=/home/zo\xC3\xAB/\xC3\x84ra");
        // A line break becomes a space first, and a space at the end is then quoted.
        QTest::newRow("line break inside") << "a\r\nb=c" << QByteArray("k=a b=c") << "a b=c";
        QTest::newRow("line break at end") << "a\n" << QByteArray("k=\"a \"") << "a ";
    }

    void write_valueReadsBackAsWritten()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        QFETCH(QString, readBack);

        const QString path = dir.filePath(QTest::currentDataTag() + QString(".ini"));
        QVERIFY(writeProfileString(path, "S", "k", value));
        QCOMPARE(readFile(path), "[S]\r\n" + line + "\r\n");
        QCOMPARE(Profile::fromFile(path.toStdString()).settingsValue(u"S", u"k"), readBack);
    }

    // A file read as Windows-1252 becomes UTF-8 before UTF-8 goes in: both values read back.
    void write_windows1252FileBecomesUtf8()
    {
        const QString path = dir.filePath("base.ini");
        QVERIFY(writeFile(path, "[main]\r\nold=Br\xE9geat\r\n"));
        QVERIFY(writeProfileString(path, "main", "k", QStringLiteral("zo\u00EB")));
        QCOMPARE(readFile(path), QByteArray("[main]\r\nold=Br\xC3\xA9geat\r\nk=zo\xC3\xAB\r\n"));
        QCOMPARE(Profile::fromFile(path.toStdString()).settingsValue(u"main", u"old"), QStringLiteral("Br\u00E9geat"));
    }

    // A missing folder keeps nothing; replacing a file that could not be read (here a FIFO)
    // would lose its other keys.
    void write_refusesMissingFolderAndUnreadableFile()
    {
        const QString missing = dir.filePath("missing/hangardeck.ini");
        QVERIFY(!writeProfileString(missing, "S", "k", "v"));
        QVERIFY(!QFile::exists(missing));
#ifdef Q_OS_UNIX
        const QString fifo = dir.filePath("fifo.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!writeProfileString(fifo, "S", "k", "v"));
        QVERIFY(!QFileInfo(fifo).isFile());
#endif
    }
};

QTEST_GUILESS_MAIN(ProfileTest)
#include "profile_test.moc"
