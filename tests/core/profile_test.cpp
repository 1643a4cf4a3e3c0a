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
using hangardeck::testsupport::readFile;
using hangardeck::testsupport::writeFile;

namespace {

// Text as UTF-16 with its byte-order mark, in the byte order asked for.
QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

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

private Q_SLOTS:
    // Reading: the Windows lookup rules, one row per rule
    void lookup_followsWindowsRules_data();
    void lookup_followsWindowsRules();
    void lookup_lineEndsCrOnlyAndLfOnly();
    void lookup_valueLengthLimits();
    void lookup_encodings();
    void aircraftValue_shortValuesCountAsNone();
    void settingsValue_keepsOneCharacter();
    void fromFile_missingOrSpecialFiles();

    // Robustness: text forms and sizes any file may have
    void lookup_utf16BigEndian();
    void lookup_byteOrderMarkOnlyAtFileStartDropped();
    void fromFile_examinesOnlyTheFirstBytes();
    void fromFile_sparseHugeFileReadsAsEmpty();

    // Writing: the given keys change, every other byte stays
    void write_producesExactFile_data();
    void write_producesExactFile();
    void write_valueReadsBackAsWritten_data();
    void write_valueReadsBackAsWritten();
    void write_roundTripsNonAscii();
    void write_startsFromBaseContent();
    void write_failsInMissingFolder_keepsNothing();
    void write_neverReplacesUnreadableFile();
    void write_neverReplacesFileLongerThanExamined();
};

void ProfileTest::lookup_followsWindowsRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << F1 << "section1"
                           << "name1" << true << "val1";
    QTest::newRow("quoted value unquoted") << F1 << "section1"
                                           << "name2" << true << "val2";
    QTest::newRow("line without = is no key") << F1 << "section1"
                                              << "name3" << false << "";
    QTest::newRow("missing key") << F1 << "section1"
                                 << "notakey" << false << "";
    QTest::newRow("missing section") << F1 << "notasection"
                                     << "name1" << false << "";
    QTest::newRow("key case") << F1 << "section1"
                              << "NaMe1" << true << "val1";
    QTest::newRow("section case") << FD << "SECTIONNAME"
                                  << "testkey" << true << "TestValue";
    QTest::newRow("tab in argument is significant") << FD << "\tSectionName"
                                                    << "TestKey" << false << "";
    QTest::newRow("blanks around value") << QByteArray("[S]\r\nk=\tv v\t\r\n") << "S"
                                         << "k" << true << "v v";
    QTest::newRow("blanks before header") << QByteArray("\t[S]\r\nk=vv\r\n") << "S"
                                          << "k" << true << "vv";
    QTest::newRow("title with blanks") << QByteArray("[S]\r\ntitle =  Cessna 172  \r\n") << "s"
                                       << "TITLE" << true << "Cessna 172";
    QTest::newRow("quotes keep inner blanks") << QByteArray("[S]\r\nk=  \"   T   \"  \r\n") << "S"
                                              << "k" << true << "   T   ";
    QTest::newRow("one pair only") << QByteArray("[S]\r\nk=''string''\r\n") << "S"
                                   << "k" << true << "'string'";
    QTest::newRow("inline ; is value") << QByteArray("[S]\r\nk=\"Boeing\" ;maker\r\n") << "S"
                                       << "k" << true << "\"Boeing\" ;maker";
    QTest::newRow("comment line") << QByteArray("[S]\r\n;key=v\r\n") << "S"
                                  << "key" << false << "";
    QTest::newRow("value starting with ;") << QByteArray("[S]\r\nk=;nocomment\r\n") << "S"
                                           << "k" << true << ";nocomment";
    QTest::newRow("# is no comment") << QByteArray("[S]\r\n#c=v1\r\n") << "S"
                                     << "#c" << true << "v1";
    QTest::newRow("first duplicate key wins") << QByteArray("[S]\r\nk=first\r\nk=second") << "S"
                                              << "k" << true << "first";
    QTest::newRow("lines before first header") << QByteArray("k=v\r\n[S]\r\n") << ""
                                               << "k" << false << "";
    QTest::newRow("header without ]") << QByteArray("[Name   \r\nk=vv\r\n") << "Name"
                                      << "k" << true << "vv";
    QTest::newRow("text after ] ignored") << QByteArray("[S]k=v\r\n") << "S"
                                          << "k" << false << "";
    QTest::newRow("name ends at first ]") << QByteArray("[sec]whoops]\r\nk=vv\r\n") << "sec"
                                          << "k" << true << "vv";
    QTest::newRow("[ inside value is no header") << QByteArray("[S]\r\nk=a [b] c\r\nj=jj\r\n") << "S"
                                                 << "j" << true << "jj";
    QTest::newRow("later = belong to value") << QByteArray("[s]\r\nk=a=b\r\n") << "s"
                                             << "k" << true << "a=b";
    QTest::newRow("empty value") << QByteArray("[s]\r\nname2=\r\n") << "s"
                                 << "name2" << true << "";
    QTest::newRow("NUL ends value") << QByteArray("[s]\r\nk=abc\0def\r\n", 17) << "s"
                                    << "k" << true << "abc";
}

void ProfileTest::lookup_followsWindowsRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);

    const std::optional<QString> result = Profile::fromBytes(file).value(section, key);
    QCOMPARE(result.has_value(), found);
    if (found) {
        QCOMPARE(*result, value);
    }
}

void ProfileTest::lookup_lineEndsCrOnlyAndLfOnly()
{
    QByteArray crOnly = F1;
    crOnly.replace("\r\n", "\r");
    QCOMPARE(Profile::fromBytes(crOnly).value(u"section1", u"name2"), QStringLiteral("val2"));
    QCOMPARE(Profile::fromBytes(crOnly).value(u"section1", u"name4"), QStringLiteral("a"));
    QCOMPARE(Profile::fromBytes("[Test]\nProfileInt=123\n").value(u"test", u"profileint"), QStringLiteral("123"));
    // A section body ends where the next header starts, whatever the line ends.
    QVERIFY(!Profile::fromBytes("[a]\n[b]\rk=v\r\n").value(u"a", u"k"));
}

void ProfileTest::lookup_valueLengthLimits()
{
    const QByteArray v126(126, 'x');
    const QByteArray v130 = QByteArray(126, 'y') + "zzzz";
    const Profile profile = Profile::fromBytes("[S]\r\na=" + v126 + "\r\nb=" + v130 + "\r\nc=\"" + v130 + "\"\r\n");
    QCOMPARE(profile.value(u"S", u"a")->size(), 126);
    QCOMPARE(*profile.value(u"S", u"b"), QString(126, u'y'));
    // Unquoted first, then cut.
    QCOMPARE(*profile.value(u"S", u"c"), QString(126, u'y'));

    // The cut counts characters: 126 two-byte letters stay whole, a 127th is dropped.
    const QByteArray accented = QString(127, QChar(0xE9)).toUtf8();
    QCOMPARE(*Profile::fromBytes("[S]\r\nk=" + accented).value(u"S", u"k"), QString(126, QChar(0xE9)));

    // No 64 KiB wrap-around: a huge value is simply cut.
    const QByteArray huge(70000, 'h');
    QCOMPARE(Profile::fromBytes("[S]\r\nk=" + huge).value(u"S", u"k")->size(), 126);
}

void ProfileTest::lookup_encodings()
{
    // Windows-1252 bytes that are not UTF-8 decode as Windows-1252.
    const Profile cp1252 = Profile::fromBytes("[S]\r\nm=Soci\xE9t\xE9 \x80 \x92\r\n");
    QCOMPARE(*cp1252.value(u"S", u"m"), QString::fromUtf8("Société € ’"));
    const Profile utf8 = Profile::fromBytes("[S]\r\nk=caf\xC3\xA9\r\n");
    QCOMPARE(*utf8.value(u"S", u"k"), QString::fromUtf8("café"));

    // A UTF-8 byte-order mark does not hide the first section.
    QCOMPARE(*Profile::fromBytes("\xEF\xBB\xBF" + FD).value(u"SectionName", u"TestKey"), QStringLiteral("TestValue"));

    // UTF-16LE with its byte-order mark is read as text.
    const QString text = QString::fromLatin1(FD) + QStringLiteral("[u]\r\nt=\u00C5ngstr\u00F6m\r\n");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : text) {
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    }
    const Profile wide = Profile::fromBytes(utf16);
    QCOMPARE(*wide.value(u"SectionName2", u"TestKey2"), QStringLiteral("TestValue2"));
    QCOMPARE(*wide.value(u"u", u"t"), QStringLiteral("\u00C5ngstr\u00F6m"));

    // Overlong and surrogate encodings are not UTF-8.
    QVERIFY(!isValidUtf8("\xC0\xAF"));
    QVERIFY(!isValidUtf8("\xED\xA0\x80"));
    QVERIFY(!isValidUtf8("\xE2\x82"));
    QVERIFY(isValidUtf8("\xF0\x9F\x9B\xA9"));
}

void ProfileTest::aircraftValue_shortValuesCountAsNone()
{
    const Profile profile = Profile::fromBytes("[fltsim.0]\r\nsix=abcdef\r\none=X\r\nempty=\r\ntwo=ab\r\n");
    QCOMPARE(*profile.aircraftValue("fltsim.0", "six"), QStringLiteral("abcdef"));
    QCOMPARE(*profile.aircraftValue("FLTSIM.0", "TWO"), QStringLiteral("ab"));
    QVERIFY(!profile.aircraftValue("fltsim.0", "one"));
    QVERIFY(!profile.aircraftValue("fltsim.0", "empty"));
    QVERIFY(!profile.aircraftValue("fltsim.0", "missing"));
}

void ProfileTest::settingsValue_keepsOneCharacter()
{
    const Profile profile = Profile::fromBytes("[main]\r\nsheep=9\r\nfielddelimiter=,\r\nempty=\r\n");
    QCOMPARE(profile.settingsValue(u"main", u"sheep"), QStringLiteral("9"));
    QCOMPARE(profile.settingsValue(u"MAIN", u"fielddelimiter"), QStringLiteral(","));
    QCOMPARE(profile.settingsValue(u"main", u"empty"), QString());
    QCOMPARE(profile.settingsValue(u"main", u"absent"), QString());
}

void ProfileTest::fromFile_missingOrSpecialFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Profile missing = Profile::fromFile(dir.filePath(QStringLiteral("nope.cfg")).toStdString());
    QVERIFY(!missing.isLoaded());
    QVERIFY(!missing.value(u"fltsim.0", u"title"));
    // A directory named like the file is no file.
    QVERIFY(!Profile::fromFile(dir.path().toStdString()).isLoaded());

    const QString path = dir.filePath(QStringLiteral("aircraft.cfg"));
    QVERIFY(writeFile(path, "[fltsim.0]\r\ntitle=Read Me\r\n"));
    QCOMPARE(*Profile::fromFile(path.toStdString()).value(u"fltsim.0", u"title"), QStringLiteral("Read Me"));
}

void ProfileTest::write_producesExactFile_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>" for no file
    QTest::addColumn<QStringList>("calls"); // section, key, value, ...
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray("<none>") << QStringList{"App", "key", ""}
                              << QByteArray("[App]\r\nkey=\r\n");
    QTest::newRow("empty file") << QByteArray() << QStringList{"SectionName", "TestKey", "TestValue"}
                                << QByteArray("[SectionName]\r\nTestKey=TestValue\r\n");
    QTest::newRow("sections in order") << QByteArray(
        "<none>") << QStringList{"App1", "key1", "string1", "App1", "key2", "string2", "App2", "key4", "string4"}
                                       << QByteArray(
                                              "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n");
    QTest::newRow("replace in place, new keys after last key")
        << QByteArray("[S]\r\nb=value\r\na=value\r\n")
        << QStringList{"S", "z", "", "S", "b", "", "S", "y", "", "S", "a", ""}
        << QByteArray("[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n");
    QTest::newRow("comments stay after last key")
        << QByteArray(";c0\r\n[S]\r\n;c1\r\nb=value\r\n;c2\r\na=value\r\n;c3\r\n")
        << QStringList{"S", "z", "1", "S", "b", "2"}
        << QByteArray(";c0\r\n[S]\r\n;c1\r\nb=2\r\n;c2\r\na=value\r\nz=1\r\n;c3\r\n");
    QTest::newRow("key spelling kept, unterminated last line")
        << QByteArray("[SectionName]\r\nTestKey=TestValue") << QStringList{"SECTIONNAME", "TESTKEY", "TestValue2"}
        << QByteArray("[SectionName]\r\nTestKey=TestValue2\r\n");
    QTest::newRow("other lines byte for byte")
        << QByteArray("[a]\r\nx = 1 ; c\r\n\r\n[b]\ny=2\n") << QStringList{"b", "y", "3"}
        << QByteArray("[a]\r\nx = 1 ; c\r\n\r\n[b]\ny=3\n");
    QTest::newRow("new key before blank line")
        << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << QStringList{"a", "n", "5"}
        << QByteArray("[a]\r\nx=1\r\nn=5\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("new section after unterminated line")
        << QByteArray("[a]\r\nx=1") << QStringList{"b", "y", "2"} << QByteArray("[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
    QTest::newRow("spaces of names dropped")
        << QByteArray("<none>") << QStringList{" sec ", " key ", "v"} << QByteArray("[sec]\r\nkey=v\r\n");
    QTest::newRow("data before first section kept")
        << QByteArray("Data \0 before \0 first \0 section", 31) << QStringList{"section1", "key1", "string1"}
        << QByteArray("Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n", 59);
    QTest::newRow("UTF-8 byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[main]\r\nk=1\r\n") << QStringList{"main", "k", "2"}
        << QByteArray("\xEF\xBB\xBF[main]\r\nk=2\r\n");
    QTest::newRow("UTF-16 text starting with U+FEFF keeps it behind a mark")
        << utf16(QStringLiteral("\uFEFF[main]\r\nk=1\r\n"), false) << QStringList{"main", "k", "2"}
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[main]\r\nk=1\r\n[main]\r\nk=2\r\n");
}

// Each row runs twice: one writeProfileString per key, and one writeProfileStrings per run
// of keys of the same section. Both must give the same file.
void ProfileTest::write_producesExactFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, calls);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    const QString single = dir.filePath(QStringLiteral("single.ini"));
    const QString batch = dir.filePath(QStringLiteral("batch.ini"));
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
void ProfileTest::write_valueReadsBackAsWritten_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("readBack");

    const auto same = [](const char *name, const QString &value, const QByteArray &line) {
        QTest::newRow(name) << value << line << value;
    };
    same("empty", "", "k=");
    same("plain", "a b", "k=a b");
    same("one character", ",", "k=,");
    same("quotes inside", "x'y \"z\" w", "k=x'y \"z\" w");
    same("space", " ", "k=\" \"");
    same("spaced bar", " | ", "k=\" | \"");
    same("tab", "\t", "k=\"\t\"");
    same("trailing blank", "a ", "k=\"a \"");
    same("quoted", "\"x\"", "k=\"\"x\"\"");
    same("single-quoted", "'x'", "k=\"'x'\"");
    same("leading apostrophe", "'a", "k=\"'a\"");
    same("trailing quote", "a\"", "k=\"a\"\"");
    same("lone quote", "\"", "k=\"\"\"");
    same("lone apostrophe", "'", "k=\"'\"");
    // A line break becomes a space first, and a space at the end is then quoted.
    QTest::newRow("line break inside") << "a\r\nb=c" << QByteArray("k=a b=c") << "a b=c";
    QTest::newRow("line break at end") << "a\n" << QByteArray("k=\"a \"") << "a ";
}

void ProfileTest::write_valueReadsBackAsWritten()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    QFETCH(QString, readBack);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hangardeck.ini"));
    QVERIFY(writeProfileString(path, QStringLiteral("S"), QStringLiteral("k"), value));
    QCOMPARE(readFile(path), "[S]\r\n" + line + "\r\n");
    QCOMPARE(Profile::fromFile(path.toStdString()).settingsValue(u"S", u"k"), readBack);
}

void ProfileTest::write_roundTripsNonAscii()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hangardeck.ini"));
    const QString folder = QStringLiteral("/home/zo\u00EB/Flugsimulator \u00C4ra/Aircraft");
    QVERIFY(writeProfileString(path, QStringLiteral("main"), QStringLiteral("acpath"), folder));
    QVERIFY(writeProfileString(path, QStringLiteral("main"), QStringLiteral("sheep"), QStringLiteral("9")));
    const Profile profile = Profile::fromFile(path.toStdString());
    QCOMPARE(profile.settingsValue(u"main", u"acpath"), folder);
    QCOMPARE(profile.settingsValue(u"main", u"sheep"), QStringLiteral("9"));
}

void ProfileTest::write_startsFromBaseContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hangardeck.ini"));
    QVERIFY(writeFile(path, "[main]\r\nold=file\r\n"));
    const std::vector<ProfileEntry> entries{{QStringLiteral("k"), QStringLiteral("1")}};
    QVERIFY(writeProfileStrings(path, QStringLiteral("main"), entries, QByteArray("; base\r\n[main]\r\nk=0\r\n")));
    QCOMPARE(readFile(path), QByteArray("; base\r\n[main]\r\nk=1\r\n"));
}

void ProfileTest::write_failsInMissingFolder_keepsNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/hangardeck.ini"));
    QVERIFY(!writeProfileString(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    QVERIFY(!QFile::exists(path));
}

// Replacing a file that could not be read would lose its other keys.
void ProfileTest::write_neverReplacesUnreadableFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hangardeck.ini"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QVERIFY(!writeProfileString(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    QVERIFY(!QFileInfo(path).isFile());
#else
    QSKIP("needs a FIFO, a file that exists but is no regular file");
#endif
}

void ProfileTest::lookup_utf16BigEndian()
{
    // U+1D11E takes a surrogate pair: both halves keep their byte order.
    const QString text = QString::fromLatin1(FD) + QStringLiteral("[u]\r\nt=\u00C5ngstr\u00F6m \u2708 \U0001D11E\r\n");
    const Profile big = Profile::fromBytes(utf16(text, true));
    QVERIFY(big.isLoaded());
    QCOMPARE(shown(big.value(u"SectionName", u"TestKey")), QStringLiteral("TestValue"));
    QCOMPARE(shown(big.value(u"SectionName2", u"TestKey2")), QStringLiteral("TestValue2"));
    QCOMPARE(shown(big.value(u"u", u"t")), QStringLiteral("\u00C5ngstr\u00F6m \u2708 \U0001D11E"));

    // Read from a file, both byte orders give the same answers.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("aircraft.cfg"));
    for (const bool bigEndian : {true, false}) {
        QVERIFY(writeFile(path, utf16(QStringLiteral("[fltsim.0]\r\ntitle=Cessna \u00E9t\u00E9\r\n"), bigEndian)));
        QCOMPARE(shown(Profile::fromFile(path.toStdString()).aircraftValue("fltsim.0", "title")),
                 QStringLiteral("Cessna \u00E9t\u00E9"));
    }
}

void ProfileTest::lookup_byteOrderMarkOnlyAtFileStartDropped()
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
    QCOMPARE(decodeText(QByteArray(bom + "Br\xE9geat")), QStringLiteral("\u00EF\u00BB\u00BFBr\u00E9geat")); // not UTF-8
    QCOMPARE(decodeFileName(std::string("\xEF\xBB\xBFZulu")), zulu);
    QCOMPARE(decodeFileName(std::string("Zulu")), QStringLiteral("Zulu"));
}

// A file longer than MaxExaminedBytes is examined up to its last line end within them.
void ProfileTest::fromFile_examinesOnlyTheFirstBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("aircraft.cfg"));
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

void ProfileTest::fromFile_sparseHugeFileReadsAsEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("aircraft.cfg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(64LL << 30)) {
        QSKIP("the file system refuses a sparse 64 GB file");
    }
    file.close();
    const Profile profile = Profile::fromFile(path.toStdString());
    QVERIFY(!profile.aircraftValue("fltsim.0", "title"));
    QVERIFY(!profile.value(u"fltsim.0", u"ui_type"));
}

// The settings writer starts from the file's whole content; a file it can only read in part
// would lose its tail.
void ProfileTest::write_neverReplacesFileLongerThanExamined()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hangardeck.ini"));
    QVERIFY(writeFile(path, "[main]\r\nk=1\r\n"));
    QVERIFY(writeAt(path, MaxExaminedBytes - 7, "\r\nt=2\r\n"));
    QCOMPARE(QFileInfo(path).size(), MaxExaminedBytes);
    QVERIFY(writeProfileString(path, QStringLiteral("main"), QStringLiteral("k"), QStringLiteral("3")));
    QCOMPARE(QFileInfo(path).size(), MaxExaminedBytes);
    QCOMPARE(Profile::fromFile(path.toStdString()).settingsValue(u"main", u"t"), QStringLiteral("2"));

    QVERIFY(writeAt(path, MaxExaminedBytes, "x"));
    const QByteArray before = readFile(path);
    QVERIFY(!writeProfileString(path, QStringLiteral("main"), QStringLiteral("k"), QStringLiteral("4")));
    const std::vector<ProfileEntry> entries{{QStringLiteral("k"), QStringLiteral("5")}};
    QVERIFY(!writeProfileStrings(path, QStringLiteral("main"), entries));
    QCOMPARE(readFile(path), before);
}

QTEST_GUILESS_MAIN(ProfileTest)
#include "profile_test.moc"
