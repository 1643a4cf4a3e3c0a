// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"
#include "testconfig.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX
#include <poll.h>
#include <stdlib.h>
#endif

using namespace hangardeck::testsupport;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Error causes come from the C library; its English texts are the ones checked.
Run runProgram(const QString &program, const QStringList &arguments, const QString &standardOutputFile = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    environment.remove("LANGUAGE");
    process.setProcessEnvironment(environment);
    if (!standardOutputFile.isEmpty()) {
        process.setStandardOutputFile(standardOutputFile);
    }
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

Run runCli(const QStringList &arguments)
{
    return runProgram(QStringLiteral(HANGARDECK_CLI_PATH), arguments);
}

// What a list printed on stdout becomes in a saved file.
QByteArray crlf(QByteArray rows)
{
    return rows.replace("\n", "\r\n");
}

// The files in a folder, hidden ones too: a temporary file left behind shows here.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

#ifdef Q_OS_UNIX
// Runs the command line with arguments given as bytes, which QProcess cannot pass (it
// encodes text): sh rebuilds each argument from printf's octal escapes.
Run runCliWithBytes(const QList<QByteArray> &arguments)
{
    QString script = "exec \"$0\"";
    for (const QByteArray &argument : arguments) {
        script += " \"$(printf '";
        for (const char byte : argument) {
            script += QString::asprintf("\\%03o", unsigned(static_cast<unsigned char>(byte)));
        }
        script += "')\"";
    }
    return runProgram("sh", {"-c", script, QStringLiteral(HANGARDECK_CLI_PATH)});
}

// Files named by bytes, which QFile cannot name.
bool writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path.toStdString()).parent_path(), error);
    std::ofstream out(path.toStdString(), std::ios::binary);
    return bool(out.write(bytes.constData(), bytes.size()).flush());
}

QByteArray readRawFile(const QByteArray &path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return in ? QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}}) : QByteArray("<missing>");
}

// The kind of file at a path (S_IFIFO, S_IFCHR, ...), its link not followed; 0 if missing.
mode_t fileType(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// A node of /dev/null or /dev/full (device 1,3 or 1,7); empty when none can be had. Root
// gets a node of its own in folder: a command line that wrongly replaced its target could
// then never take the system's device with it.
QString characterDevice(const QString &folder, const QString &name, unsigned minor)
{
    const QString system = "/dev/" + name;
    if (::geteuid() != 0) {
        return fileType(system) == S_IFCHR ? system : QString();
    }
    const QString own = folder + "/" + name;
    const QByteArray ownBytes = QFile::encodeName(own);
    if (::mknod(ownBytes.constData(), S_IFCHR | 0666, ::makedev(1, minor)) != 0) {
        return {};
    }
    // A folder mounted nodev holds the node but refuses to open it.
    QFile node(own);
    return node.open(QIODevice::WriteOnly) ? own : QString();
}
#endif

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_aircraft;
    QString m_odd;     // values and a folder name holding control characters
    QString m_large;   // a list of several 64 KiB pieces
    QString m_inspect; // b747 with entries and pictures, bare without aircraft.cfg
    QString m_find;    // aircraft directories among others
    QString m_check;   // CheckN: collections of N folders

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::exists(QStringLiteral(HANGARDECK_CLI_PATH)));
        m_aircraft = m_dir.filePath("Aircraft");
        QVERIFY(writeFile(
            m_aircraft + "/b747/aircraft.cfg",
            "[fltsim.0]\r\ntitle=Boeing 747-400 Intercontinental XL\r\nui_manufacturer=Boeing\r\nui_type=747-400\r\n"
            "[fltsim.1]\r\ntitle=Boeing 747-400 \"Cargo\", "
            "freighter\r\nui_manufacturer=Boeing\r\nui_type=747-400F\r\n"));
        QVERIFY(writeFile(m_aircraft + "/cub/aircraft.cfg",
                          "[FLTSIM.0]\nTITLE = \"Piper Cub\" \nui_manufacturer=Piper\nui_type=J-3\n"));
        QVERIFY(writeFile(m_aircraft + "/default/aircraft.cfg", "[fltsim.0]\r\ntitle=Skipped\r\n"));
        QDir().mkpath(m_aircraft + "/empty");

        m_odd = m_dir.filePath("Odd");
#ifndef Q_OS_WIN // no name holds a line break there
        QVERIFY(writeFile(m_odd + "/two\nlines/aircraft.cfg",
                          "[fltsim.0]\r\ntitle=\x1b[31mRed\x1b[0m alert\r\nui_manufacturer=Acme\r\nui_type=T1\r\n"));
#endif
        QVERIFY(writeFile(m_odd + "/c1/aircraft.cfg", "[fltsim.0]\r\ntitle=Csi\xC2\x9B"
                                                      "2J\r\nui_manufacturer=Del\x7F"
                                                      "ete\r\nui_type=Tab\there\r\n"));

        m_large = m_dir.filePath("Large");
        for (int i = 0; i < 1200; ++i) {
            QVERIFY(
                writeFile(m_large + QString::asprintf("/ac%04d/aircraft.cfg", i),
                          QString::asprintf("[fltsim.0]\ntitle=Aircraft %04d \"Caf\u00e9\"\nui_manufacturer=Maker %d\n"
                                            "ui_type=Jet\n[fltsim.1]\ntitle=Variation %04d\n",
                                            i, i % 7, i)
                              .toUtf8()));
        }

        // Saved with LF line ends; entry 4 follows a gap.
        m_inspect = m_dir.filePath("Inspect");
        QVERIFY(writeFile(
            m_inspect + "/b747/aircraft.cfg",
            "[fltsim.0]\ntitle=Boeing 747-400\nui_manufacturer=Boeing\nui_type=747-400\n"
            "description=Four engines\n[fltsim.1]\ntitle=Boeing 747 Cargo\nui_manufacturer=Boeing\n"
            "[fltsim.2]\ntitle=Caf\xC3\xA9 Jumbo\ndescription = Last one\n[fltsim.4]\ntitle=Beyond the gap\n"));
        for (const char *picture : {"thumbnail.jpg", "texture/T1.JPG", "panel/p.gif", "shots.jpg/s.jpg"}) {
            QVERIFY(writeFile(m_inspect + "/b747/" + picture, "picture"));
        }
        QVERIFY(QDir().mkpath(m_inspect + "/bare"));

        m_find = m_dir.filePath("Find");
        for (const char *path : {"Games/FS9/Aircraft/a320 aircraft pack", "Games/FS9/Aircraft SDK/Aircraft",
                                 "b aircraft", "My Documents/Aircraft", ".hidden/AIRCRAFT", "Z/inner Aircraft",
                                 "json/b/Aircraft/AI aircraft", "json/a aircraft"}) {
            QVERIFY(QDir().mkpath(m_find + "/" + path));
        }

        m_check = m_dir.filePath("Check");
        const QList<QByteArray> checked{"[fltsim.0]\r\ntitle=Alpha One\r\n", "[fltsim.0]\r\ntitle=Caf\xe9\r\n",
                                        "[fltsim.0]\r\ntitle=Alpha\x1b One\r\n[fltsim.2]\r\ntitle=Lost\r\n",
                                        "[fltsim.0]\r\ntitle=alpha\x1b one\r\n"};
        for (qsizetype n = 1; n <= checked.size(); ++n) {
            for (qsizetype i = 0; i < n; ++i) {
                QVERIFY(writeFile(m_check + QString("%1/%2/aircraft.cfg").arg(n).arg(QChar(char16_t(u'a' + i))),
                                  checked[i]));
            }
        }
    }

    // What each command prints, byte for byte, and its exit status.
    void output_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        const auto row = [](const char *name, const QStringList &arguments, const QByteArray &out, int exitCode = 0,
                            const QByteArray &err = {}) { QTest::newRow(name) << arguments << exitCode << out << err; };
        const QString samples = QStringLiteral(HANGARDECK_SAMPLES_DIR "/Aircraft");
        const QString data = QStringLiteral(HANGARDECK_TEST_DATA_DIR "/");

        row("list", {"list", m_aircraft},
            "-EMPTY-               -EMPTY-               -EMPTY-               .00\\empty\n"
            "Boeing                747-400               Boeing 747-400 Interc .00\\b747\n"
            "Piper                 J-3                   Piper Cub             .00\\cub\n");
        row("list options",
            {"list", "--extended", "--width", "5", "--padding", "1", "--delimiter", ";", "--terminator", "|", "--lead",
             "type", m_aircraft},
            "-EMPTY  ;-EMPTY  ;-EMPTY  ;.00\\empty|\n"
            "747-40  ;Boeing  ;Boeing  ;.00\\b747|\n"
            "747-40  ;Boeing  ;Boeing  ;.01\\b747|\n"
            "J-3     ;Piper   ;Piper   ;.00\\cub|\n");
        row("list actual width, subdir lead",
            {"list", "--actual-width", "--lead", "subdir", "--delimiter", ",", m_aircraft},
            "\\b747,Boeing,747-400,Boeing 747-400 Intercontinental XL\n"
            "\\cub,Piper,J-3,Piper Cub\n"
            "\\empty,-EMPTY-,-EMPTY-,-EMPTY-\n");
        row("list csv, unfitted", {"list", "--extended", "--format", "csv", m_aircraft},
            "manufacturer,type,title,subdir,entry\r\n"
            "-EMPTY-,-EMPTY-,-EMPTY-,\\empty,0\r\n"
            "Boeing,747-400,Boeing 747-400 Intercontinental XL,\\b747,0\r\n"
            "Boeing,747-400F,\"Boeing 747-400 \"\"Cargo\"\", freighter\",\\b747,1\r\n"
            "Piper,J-3,Piper Cub,\\cub,0\r\n");
        row("list samples, extended", {"list", "--extended", "--delimiter", "|", samples},
            readFile(data + "samples-extended.rows"));
        row("list samples, title lead", {"list", "--padding", "2", "--lead", "title", samples},
            readFile(data + "samples-plain-title.rows"));
        // The window's filter rule: description, case and accents; any output format.
        row("list match, description",
            {"list", "--extended", "--actual-width", "--delimiter", ";", "--match", "CHÉQUERS", samples},
            "Rotorline;RL-60 Heron;Rotorline RL-60 Heron Police;.01\\Rotorline_RL60_Heron\n");
        row("list match, csv", {"list", "--extended", "--format", "csv", "--match", "alesund", samples},
            "manufacturer,type,title,subdir,entry\r\n"
            "Fjordfly \xC3\x85lesund,F-7 M\xC3\xA5ke,Fjordfly F-7 M\xC3\xA5ke,\\Fjordfly_F7_Maake,0\r\n"
            "Fjordfly \xC3\x85lesund,F-7 M\xC3\xA5ke,Fjordfly F-7 M\xC3\xA5ke Sj\xC3\xB8"
            "fly,\\Fjordfly_F7_Maake,1\r\n");

        // Line breaks, escape sequences, DEL, the C1 CSI and tabs show as U+FFFD on stdout,
        // one character each, so fitted fields keep their width.
        const QByteArray r = "\xEF\xBF\xBD";
        row("control characters", {"list", "--actual-width", "--delimiter", ";", m_odd},
            "Acme;T1;" + r + "[31mRed" + r + "[0m alert;.00\\two" + r + "lines\nDel" + r + "ete;Tab" + r + "here;Csi"
                + r + "2J;.00\\c1\n");
        row("control characters, fitted", {"list", "--width", "5", m_odd},
            "Acme   T1     " + r + "[31mR .00\\two" + r + "lines\nDel" + r + "et Tab" + r + "he Csi" + r
                + "2J .00\\c1\n");
        // A delimiter the user asked for prints as given, even a tab; the values are still cleaned.
        row("control characters, tab delimiter",
            {"list", "--actual-width", "--delimiter", "\t", "--lead", "subdir", m_odd},
            "\\c1\tDel" + r + "ete\tTab" + r + "here\tCsi" + r + "2J\n\\two" + r + "lines\tAcme\tT1\t" + r + "[31mRed"
                + r + "[0m alert\n");
        // CSV quotes and escapes for itself.
        row("control characters, csv", {"list", "--format", "csv", m_odd},
            "manufacturer,type,title,subdir,entry\r\n"
            "Acme,T1,\x1b[31mRed\x1b[0m alert,\"\\two\nlines\",0\r\n"
            "Del\x7F"
            "ete,Tab\there,Csi\xC2\x9B"
            "2J,\\c1,0\r\n");

        // The details box's text and a line feed; a later entry, a row's folder with its
        // backslash, DIR with a trailing slash.
        const QByteArray nothing = "-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n[fltsim.32]\n";
        row("details", {"details", m_inspect, "b747"},
            "Boeing 747-400\r\n\r\nBoeing\r\n\r\n747-400\r\n\r\nFour engines\r\r\n[fltsim.0]\n");
        row("details entry 2, row folder", {"details", "--entry", "2", m_inspect + "/", "\\b747"},
            "Caf\xC3\xA9 Jumbo\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n= Last one\r\r\n[fltsim.2]\n");
        row("details untitled entry", {"details", "--entry", "32", m_inspect, "b747"}, nothing);
        row("details no aircraft.cfg", {"details", "--entry", "32", m_inspect, "bare"}, nothing);

        const QByteArray b747 = (m_inspect + "/b747/").toUtf8();
        const QByteArray pictures = native(QString::fromUtf8(b747 + "thumbnail.jpg\n" + b747 + "shots.jpg/s.jpg\n"
                                                             + b747 + "texture/T1.JPG\n" + b747 + "panel/p.gif\n"))
                                        .toUtf8();
        row("images", {"images", m_inspect, "\\b747"}, pictures);
        row("images, DIR slash", {"images", m_inspect + "/", "b747"}, pictures);
        row("images none", {"images", m_inspect, "bare"}, "");
        row("images none, json", {"images", "--format", "json", m_inspect, "bare"}, "[\n]\n");

        const QByteArray find = m_find.toUtf8();
        const QByteArray foundWritten = find + "/.hidden/AIRCRAFT\n" + find + "/b aircraft\n" + find
                                        + "/Games/FS9/Aircraft\n" + find + "/Games/FS9/Aircraft/a320 aircraft pack\n"
                                        + find + "/json/a aircraft\n" + find + "/json/b/Aircraft\n" + find
                                        + "/json/b/Aircraft/AI aircraft\n" + find + "/Z/inner Aircraft\n";
        const QByteArray found = native(QString::fromUtf8(foundWritten)).toUtf8();
        row("find", {"find", m_find}, found, 0, "8 aircraft directories found\n");
        row("find, START slash", {"find", m_find + "/"}, found, 0, "8 aircraft directories found\n");
        row("find one", {"find", m_find + "/Z"}, native(m_find + "/Z/inner Aircraft\n").toUtf8(), 0,
            "1 aircraft directory found\n");
        row("find none", {"find", m_find + "/json/a aircraft"}, "", 0, "0 aircraft directories found\n");
        row("find none, json", {"find", "--format", "json", m_find + "/json/a aircraft"}, "[\n]\n", 0,
            "0 aircraft directories found\n");

        // Only findings that are problems fail the check; control characters stay on their line.
        row("check samples", {"check", "--extended", "--thumbnails", samples}, readFile(data + "samples-check.txt"), 1);
        // The report closes every check: each total, then the counts that make it up.
        const auto report = [](int folders, int sections, int titled, int pastGap, int listed) {
            return QStringLiteral("report: %1 folders seen: 0 skipped, 0 without aircraft.cfg, 0 unreadable, %1 with "
                                  "an aircraft.cfg\n"
                                  "report: %2 [fltsim.N] sections in them: %3 not valid (no title of two characters), "
                                  "%4 titled\n"
                                  "report: %4 titled: %5 past a gap, 0 past [fltsim.32], 0 past [fltsim.0] (not "
                                  "extended), %6 listed\n"
                                  "report: %1 rows: %6 titled, 0 -EMPTY- (0 without aircraft.cfg, 0 unreadable, 0 with "
                                  "an untitled [fltsim.0])\n")
                .arg(folders)
                .arg(sections)
                .arg(sections - titled)
                .arg(titled)
                .arg(pastGap)
                .arg(listed)
                .toUtf8();
        };
        row("check clean", {"check", m_check + "1"}, "1 folder, 1 variation, 0 findings\n" + report(1, 1, 1, 0, 1));
        row("check informational", {"check", m_check + "2"},
            "\\b encoding: aircraft.cfg is not valid UTF-8: its text was read as Windows-1252\n"
            "2 folders, 2 variations, 1 finding: encoding 1\n"
                + report(2, 2, 2, 0, 2));
        row("check problems", {"check", "--extended", m_check + "4"},
            "\\b encoding: aircraft.cfg is not valid UTF-8: its text was read as Windows-1252\n"
            "\\c fltsim.1 gap: [fltsim.1] has no title, so the list stops there: fltsim.2 is not listed\n"
            "(collection) duplicate-title: 2 variations carry the same title, the simulator keeps one: \\c [fltsim.0] "
            "\"Alpha\xEF\xBF\xBD One\", \\d [fltsim.0] \"alpha\xEF\xBF\xBD one\"\n"
            "4 folders, 4 variations, 3 findings: gap 1, encoding 1, duplicate-title 1\n"
                + report(4, 5, 5, 1, 4),
            1);
        // CSV quotes what needs it and keeps every character; the summary is the records' to count.
        row("check csv", {"check", "--extended", "--format", "csv", m_check + "4"},
            "folder,section,kind,message\r\n"
            "\\b,,encoding,aircraft.cfg is not valid UTF-8: its text was read as Windows-1252\r\n"
            "\\c,fltsim.1,gap,\"[fltsim.1] has no title, so the list stops there: fltsim.2 is not listed\"\r\n"
            ",,duplicate-title,\"2 variations carry the same title, the simulator keeps one: \\c [fltsim.0] "
            "\"\"Alpha\x1b One\"\", \\d [fltsim.0] \"\"alpha\x1b one\"\"\"\r\n",
            1);
        row("check csv, nothing found", {"check", "--format", "csv", m_check + "1"}, "folder,section,kind,message\r\n");
    }

    void output()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        if (QByteArray(QTest::currentDataTag()).startsWith("control characters")) {
            SKIP_ON_WINDOWS("a folder name with a line break");
        }
        const Run run = runCli(arguments);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err, err);
        QCOMPARE(run.exitCode, exitCode);
    }

    // The JSON each command prints, compared as a whole document.
    void json_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("json");
        const auto row = [](const char *name, const QStringList &arguments, const QString &json, int exitCode = 0) {
            QTest::newRow(name) << arguments << exitCode << json;
        };
        const QString inspect = m_inspect + "/b747/", find = m_find + "/json/";
        row("list", {"list", "--extended", "--format", "json", "--lead", "title", m_aircraft},
            R"([{"entry":0,"manufacturer":"-EMPTY-","subdir":"\\empty","title":"-EMPTY-","type":"-EMPTY-"},
                {"entry":1,"manufacturer":"Boeing","subdir":"\\b747",
                 "title":"Boeing 747-400 \u0022Cargo\u0022, freighter","type":"747-400F"},
                {"entry":0,"manufacturer":"Boeing","subdir":"\\b747","title":"Boeing 747-400 Intercontinental XL",
                 "type":"747-400"},
                {"entry":0,"manufacturer":"Piper","subdir":"\\cub","title":"Piper Cub","type":"J-3"}])");
        // Entries up to the first without a title: entry 4 after the gap is not one of them.
        row("details", {"details", "--format", "json", m_inspect, "\\b747"}, R"({"folder":"b747","entries":[
                {"entry":0,"section":"fltsim.0","title":"Boeing 747-400","manufacturer":"Boeing","type":"747-400",
                 "description":"Four engines"},
                {"entry":1,"section":"fltsim.1","title":"Boeing 747 Cargo","manufacturer":"Boeing","type":"-EMPTY-",
                 "description":"= Last one"},
                {"entry":2,"section":"fltsim.2","title":"Café Jumbo","manufacturer":"-EMPTY-","type":"-EMPTY-",
                 "description":"= Last one"}]})");
        row("details, no aircraft.cfg", {"details", "--format", "json", m_inspect, "bare"},
            R"({"folder":"bare","entries":[]})");
        row("images", {"images", "--format", "json", m_inspect, "b747"},
            R"([{"name":"thumbnail.jpg","path":")" + inspect + R"(thumbnail.jpg"},{"name":"s.jpg","path":")" + inspect
                + R"(shots.jpg/s.jpg"},{"name":"T1.JPG","path":")" + inspect + R"(texture/T1.JPG"},{"name":"p.gif",)"
                + R"("path":")" + inspect + R"(panel/p.gif"}])");
        row("find", {"find", "--format", "json", m_find + "/json"},
            R"([{"name":"a aircraft","path":")" + find + R"(a aircraft"},{"name":"Aircraft","path":")" + find
                + R"(b/Aircraft"},{"name":"AI aircraft","path":")" + find + R"(b/Aircraft/AI aircraft"}])");
        // \default is skipped as list skips it.
        row("check", {"check", "--extended", "--format", "json", m_aircraft},
            R"({"findings":[{"folder":"\\empty","section":"","kind":"no-cfg",
                             "message":"no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft"}],
                "summary":{"folders":3,"variations":4,"findings":1,
                           "kinds":{"cut":0,"duplicate-title":0,"encoding":0,"gap":0,"junk-folder":0,"missing-air":0,
                                    "missing-folder":0,"nested-aircraft":0,"nested-cfg":0,"no-cfg":1,"no-thumbnail":0,
                                    "no-title":0,"over-33":0,"same-selector":0,"unreadable":0},
                           "report":{"foldersSeen":4,"skipped":1,"noCfg":1,"unreadable":0,"withCfg":2,"sections":3,
                                     "notValid":0,"titled":3,"pastGap":0,"pastLast":0,"plainOnly":0,"listed":3,
                                     "untitledFirst":0,"rows":4}}})",
            1);
    }

    void json()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, json);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QJsonParseError error;
        QByteArray out = run.out;
#ifdef Q_OS_WIN
        // The paths compare as written here; the rows above test their backslashes.
        static const QRegularExpression PathValue("\"path\": *\"[^\"]*\"");
        QString text = QString::fromUtf8(out);
        for (const QRegularExpressionMatch &match : PathValue.globalMatch(QString::fromUtf8(out))) {
            text.replace(match.captured(), QString(match.captured()).replace("\\\\", "/"));
        }
        out = text.toUtf8();
#endif
        const QJsonDocument document = QJsonDocument::fromJson(out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document, QJsonDocument::fromJson(json.toUtf8()));
    }

    // Every usage error exits 2 with one line on stderr that names what is wrong.
    void errors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        const auto row = [](const char *name, const QStringList &arguments, const QString &mentions) {
            QTest::newRow(name) << arguments << mentions;
        };
        const QString cli = QStringLiteral(HANGARDECK_CLI_PATH);
        const QString dir = m_inspect;
        row("missing dir", {"list", "/no/such/Aircraft"}, "does not exist");
        row("file as dir", {"list", cli}, "not a directory");
        row("no dir", {"list"}, "DIR");
        row("unknown command", {"show", "."}, "show");
        row("width 41", {"list", "--width", "41", "."}, "--width");
        row("width text", {"list", "--width", "wide", "."}, "--width");
        row("padding 21", {"list", "--padding", "21", "."}, "--padding");
        row("delimiter 6", {"list", "--delimiter", "123456", "."}, "--delimiter");
        row("terminator 2", {"list", "--terminator", "ab", "."}, "--terminator");
        row("lead", {"list", "--lead", "engine", "."}, "--lead");
        row("format", {"list", "--format", "xml", "."}, "--format");
        row("match empty", {"list", "--match", "", "."}, "--match");
        row("unknown option", {"list", "--colour", "."}, "colour");
        row("details option on list", {"list", "--entry", "1", dir}, "entry");

        row("details: missing dir", {"details", "/no/such/Aircraft", "b747"}, "does not exist");
        row("images: missing dir", {"images", "/no/such/Aircraft", "b747"}, "does not exist");
        row("no folder", {"details", dir}, "FOLDER");
        row("no dir, no folder", {"images"}, "DIR");
        row("two folders", {"images", dir, "b747", "bare"}, "bare");
        row("missing folder", {"details", dir, "a380"}, "'a380' does not exist");
        row("file as folder", {"images", dir, "b747/thumbnail.jpg"}, "not a folder");
        row("dir itself", {"details", dir, "."}, "not a folder below");
        row("way out", {"images", dir, "../Inspect/b747"}, "not a folder below");
        row("absolute", {"images", dir, dir + "/b747"}, "not a folder below");
        row("backslash alone", {"details", dir, "\\"}, "not a folder below");
        row("entry 33", {"details", "--entry", "33", dir, "b747"}, "--entry");
        row("entry -1", {"details", "--entry", "-1", dir, "b747"}, "--entry");
        row("entry text", {"details", "--entry", "two", dir, "b747"}, "--entry");
        row("entry with json", {"details", "--entry", "1", "--format", "json", dir, "b747"}, "--entry");
        row("details format", {"details", "--format", "rows", dir, "b747"}, "--format");
        row("images format", {"images", "--format", "text", dir, "b747"}, "--format");
        row("list option on images", {"images", "--extended", dir, "b747"}, "extended");

        row("missing start", {"find"}, "START");
        row("start missing", {"find", "/no/such/dir"}, "does not exist");
        row("file as start", {"find", cli}, "not a directory");
        row("two starts", {"find", m_dir.path(), "/tmp"}, "give one START");
        row("find format", {"find", "--format", "csv", m_dir.path()}, "--format");
        row("list option on find", {"find", "--extended", m_dir.path()}, "extended");
        row("prefixes and START", {"find", "--prefixes", m_dir.path()}, "takes no START");

        row("check: missing dir", {"check", "/no/such/Aircraft"}, "does not exist");
        row("check: no dir", {"check"}, "DIR");
        row("two dirs", {"check", ".", "."}, "unexpected");
        row("check format", {"check", "--format", "rows", "."}, "--format");
        row("list option on check", {"check", "--width", "20", "."}, "width");
        row("check option on list", {"list", "--thumbnails", "."}, "thumbnails");
    }

    void errors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("hangardeck-cli: error: "), run.err.constData());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(mentions.toUtf8()), run.err.constData());
    }

    void help_describesEveryCommandAndOption()
    {
        const Run run = runCli({"--help"});
        QCOMPARE(run.exitCode, 0);
        for (const char *text : {"list [options] DIR",
                                 "--extended",
                                 "--width",
                                 "--padding",
                                 "--actual-width",
                                 "--delimiter",
                                 "--terminator",
                                 "--lead",
                                 "--output",
                                 "--format",
                                 "details [--entry N] [--format text|json] DIR FOLDER",
                                 "images [--format lines|json] DIR FOLDER",
                                 "--entry",
                                 "COMMAND",
                                 "find [--format lines|json] START",
                                 "list, details, images, find or check",
                                 "check [--extended] [--thumbnails] [--format text|csv|json] DIR",
                                 "find --prefixes",
                                 "a FIFO, a device or a socket is written in place",
                                 "shows as U+FFFD"}) {
            QVERIFY2(run.out.contains(text), text);
        }
    }

    // --output replaces an older, longer file whole, with CR LF, and leaves no temporary file.
    void output_writesSavedListFile()
    {
        const QString output = m_dir.filePath("out/output.txt");
        QVERIFY(writeFile(output, "an older, longer list that must disappear completely\r\n\r\n\r\n\r\n"));
        const Run run = runCli({"list", "--extended", "--output", output, m_aircraft});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        const QByteArray saved = readFile(output);
        QCOMPARE(saved, crlf(runCli({"list", "--extended", m_aircraft}).out));
        QCOMPARE(saved.count("\r\n"), 4);
        QVERIFY(saved.endsWith(".00\\cub\r\n"));
        QCOMPARE(filesIn(m_dir.filePath("out")), QStringList({"output.txt"}));

        // The file keeps the control characters that stdout shows as U+FFFD.
        SKIP_ON_WINDOWS("a folder name with a line break");
        QCOMPARE(runCli({"list", "--actual-width", "--delimiter", ";", "--output", output, m_odd}).exitCode, 0);
        QCOMPARE(readFile(output), QByteArray("Acme;T1;\x1b[31mRed\x1b[0m alert;.00\\two\nlines\r\n"
                                              "Del\x7F"
                                              "ete;Tab\there;Csi\xC2\x9B"
                                              "2J;.00\\c1\r\n"));
    }

    void output_unwritable_exitsOne()
    {
        const Run missingFolder = runCli({"list", "--output", m_dir.filePath("no/such/folder/output.txt"), m_aircraft});
        QCOMPARE(missingFolder.exitCode, 1);
        QVERIFY(missingFolder.err.startsWith("hangardeck-cli: error: cannot write"));

        // A directory in the way is left as it was.
        const QString folder = m_dir.filePath("taken");
        QVERIFY(writeFile(folder + "/keep.txt", "kept"));
        QCOMPARE(runCli({"list", "--output", folder, m_aircraft}).exitCode, 1);
        QCOMPARE(readFile(folder + "/keep.txt"), QByteArray("kept"));
    }

    // Output handed on in pieces is whole in every format.
    void list_largeListIsWholeInEveryFormat()
    {
        const Run rows = runCli({"list", "--extended", m_large});
        QCOMPARE(rows.exitCode, 0);
        QVERIFY(rows.out.size() > 2 * 64 * 1024);
        QCOMPARE(rows.out.count('\n'), 2400);
        QVERIFY(rows.out.startsWith("-EMPTY-               -EMPTY-               Variation 0000        .01\\ac0000\n"));
        QVERIFY(rows.out.endsWith(
            "Maker 6               Jet                   Aircraft 1196 \"Caf\xC3\xA9\"  .00\\ac1196\n"));

        const QString output = m_dir.filePath("large.txt");
        QCOMPARE(runCli({"list", "--extended", "--output", output, m_large}).exitCode, 0);
        QCOMPARE(readFile(output), crlf(rows.out));

        const Run csv = runCli({"list", "--extended", "--format", "csv", m_large});
        QCOMPARE(csv.out.count("\r\n"), 2401);
        QVERIFY(csv.out.endsWith("Maker 6,Jet,\"Aircraft 1196 \"\"Caf\xC3\xA9\"\"\",\\ac1196,0\r\n"));

        // Written record by record, the JSON is still what Qt gives for the whole array at once.
        for (const QString &tree : QStringList{m_large, m_odd, m_aircraft + "/empty"}) {
            const Run json = runCli({"list", "--extended", "--format", "json", tree});
            QCOMPARE(json.exitCode, 0);
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(json.out, &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            QCOMPARE(json.out, document.toJson(QJsonDocument::Indented));
        }
    }

    void find_progressOnlyOnTerminal()
    {
        const QString start = m_dir.filePath("FindMany");
        for (int i = 0; i < 600; ++i) {
            QVERIFY(QDir().mkpath(start + QString::asprintf("/d%03d/e", i)));
        }
        QVERIFY(QDir().mkpath(start + "/zz Aircraft"));
        // A pipe gets the count line alone.
        const Run piped = runCli({"find", start});
        QCOMPARE(piped.exitCode, 0);
        QCOMPARE(piped.err, "1 aircraft directory found\n");
#ifdef Q_OS_LINUX
        // A terminal gets the count redrawn in place, cleared before the count line.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        const auto closeMaster = qScopeGuard([master] { ::close(master); });
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        QProcess process;
        process.setStandardErrorFile(QString::fromLocal8Bit(::ptsname(master)));
        process.start(QStringLiteral(HANGARDECK_CLI_PATH), {"find", start});
        // The terminal keeps what was written after the program ended: read up to the count line.
        QByteArray terminal;
        QElapsedTimer timer;
        timer.start();
        while (!terminal.contains("found") && timer.elapsed() < 60000) {
            pollfd ready{master, POLLIN, 0};
            if (::poll(&ready, 1, 100) > 0) {
                char buffer[4096];
                const ssize_t got = ::read(master, buffer, sizeof buffer);
                QVERIFY(got > 0);
                terminal.append(buffer, got);
            }
        }
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), (start + "/zz Aircraft\n").toUtf8());
        QVERIFY2(terminal.startsWith("\r256 directories searched"), terminal.constData());
        // The terminal turns the count line's line feed into CR LF.
        QVERIFY2(terminal.endsWith("\r\x1b[K1 aircraft directory found\r\n"), terminal.constData());
#endif
    }

#ifdef Q_OS_UNIX
    // --output onto what is not a regular file writes into it in place and leaves it there.
    void output_fifo_readerGetsRowsAndFifoStays()
    {
        const QString fifo = m_dir.filePath("list.fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // The reader drains the FIFO while the list is written: the list is larger than the pipe.
        QProcess reader;
        reader.setStandardOutputFile(m_dir.filePath("received.txt"));
        reader.start("cat", {fifo});
        QVERIFY(reader.waitForStarted());
        const Run run = runCli({"list", "--extended", "--output", fifo, m_large});
        if (!reader.waitForFinished(30000)) {
            reader.kill(); // never opened for writing: the reader waits for ever
        }
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(readFile(m_dir.filePath("received.txt")), crlf(runCli({"list", "--extended", m_large}).out));
        QCOMPARE(fileType(fifo), mode_t(S_IFIFO));
    }

    // A full device fails with its cause, as a --output target and as stdout.
    void output_characterDevices_writtenInPlace()
    {
        const QString null = characterDevice(m_dir.path(), "null", 3);
        const QString full = characterDevice(m_dir.path(), "full", 7);
        if (null.isEmpty() || full.isEmpty()) {
            QSKIP("no null and full character devices to write to");
        }
        const Run toNull = runCli({"list", "--output", null, m_aircraft});
        QCOMPARE(toNull.exitCode, 0);
        QCOMPARE(toNull.err, QByteArray());
        QCOMPARE(fileType(null), mode_t(S_IFCHR));

        const Run toFull = runCli({"list", "--output", full, m_aircraft});
        QCOMPARE(toFull.exitCode, 1);
        QCOMPARE(toFull.err,
                 QByteArray("hangardeck-cli: error: cannot write '" + full.toUtf8() + "': No space left on device\n"));
        QCOMPARE(fileType(full), mode_t(S_IFCHR));

        const Run stdoutFull = runProgram(QStringLiteral(HANGARDECK_CLI_PATH), {"list", m_aircraft}, full);
        QCOMPARE(stdoutFull.exitCode, 1);
        QCOMPARE(stdoutFull.err,
                 QByteArray("hangardeck-cli: error: cannot write to stdout: No space left on device\n"));
    }

    void output_socket_writtenInPlace()
    {
        const QByteArray path = QFile::encodeName(m_dir.filePath("list.sock"));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(path.size()) < sizeof address.sun_path);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()) + 1);
        const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        QVERIFY(server >= 0);
        const auto closeServer = qScopeGuard([server] { ::close(server); });
        QVERIFY(::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(server, 1) == 0);

        // The connection waits in the backlog with the whole (small) list in its buffer.
        QCOMPARE(runCli({"list", "--output", QFile::decodeName(path), m_aircraft}).exitCode, 0);
        const int connection = ::accept(server, nullptr, nullptr);
        QVERIFY2(connection >= 0, std::strerror(errno));
        QFile received;
        QVERIFY(received.open(connection, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(received.readAll(), crlf(runCli({"list", m_aircraft}).out));
        QCOMPARE(fileType(QFile::decodeName(path)), mode_t(S_IFSOCK));
    }

    void output_symlink_replacesFileItPointsAt()
    {
        const QString folder = m_dir.filePath("linked");
        QVERIFY(writeFile(folder + "/real.txt", "old"));
        QVERIFY(QFile::link(folder + "/real.txt", folder + "/link.txt"));
        QCOMPARE(runCli({"list", "--output", folder + "/link.txt", m_aircraft}).exitCode, 0);
        QCOMPARE(fileType(folder + "/link.txt"), mode_t(S_IFLNK));
        QCOMPARE(readFile(folder + "/real.txt"), crlf(runCli({"list", m_aircraft}).out));
        QCOMPARE(filesIn(folder), QStringList({"link.txt", "real.txt"}));
    }

    void output_fileTooLarge_keepsOldFile()
    {
        const QString folder = m_dir.filePath("limited");
        const QString output = folder + "/output.txt";
        QVERIFY(writeFile(output, "the old list\r\n"));
        // ulimit -f counts blocks of 512 bytes (1,024 in some shells); the list is far larger.
        // SIGXFSZ ignored, the write fails with EFBIG instead of ending the process.
        const Run run =
            runProgram("sh", {"-c", "trap '' XFSZ; ulimit -f 2 && exec \"$@\"", "sh",
                              QStringLiteral(HANGARDECK_CLI_PATH), "list", "--extended", "--output", output, m_large});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("hangardeck-cli: error: cannot write '"), run.err.constData());
        QVERIFY2(run.err.endsWith("': File too large\n"), run.err.constData());
        QCOMPARE(readFile(output), QByteArray("the old list\r\n"));
        QCOMPARE(filesIn(folder), QStringList({"output.txt"}));
    }

    void atomicWrite_keepsPermissionsAndRefusesNodes()
    {
        using hangardeck::core::writeFileAtomically;
        const QString folder = m_dir.filePath("atomic");
        const QString file = folder + "/settings.ini";
        QVERIFY(writeFile(file, "old"));
        const QByteArray fileBytes = QFile::encodeName(file);
        QCOMPARE(::chmod(fileBytes.constData(), 0664), 0); // wider than the usual umask lets a new file be
        QString error;
        QVERIFY2(writeFileAtomically(file, "new", &error), qPrintable(error));
        QCOMPARE(readFile(file), QByteArray("new"));
        struct stat written {};
        QCOMPARE(::stat(fileBytes.constData(), &written), 0);
        QCOMPARE(written.st_mode & 07777, mode_t(0664));

        // A FIFO in the file's place is neither replaced nor opened (which would wait for a reader).
        const QString fifo = folder + "/fifo.ini";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!writeFileAtomically(fifo, "new", &error));
        QCOMPARE(error, QString("not a regular file"));
        QCOMPARE(fileType(fifo), mode_t(S_IFIFO));

        QVERIFY(!writeFileAtomically(folder + "/missing/settings.ini", "new", &error));
        QCOMPARE(error, QString("No such file or directory"));
        QVERIFY(!writeFileAtomically(folder, "new", &error));
        QCOMPARE(error, QString("Is a directory"));
        QCOMPARE(filesIn(folder), QStringList({"fifo.ini", "settings.ini"}));
    }

    // Paths that are no UTF-8 text are taken and written as the bytes given; a line break
    // inside a printed name shows as U+FFFD.
    void nonUtf8Paths_takenAndPrintedAsGiven()
    {
        // 0xE9 alone is "é" in Latin-1 and not valid UTF-8. QTemporaryDir removes by text and
        // cannot name these files.
        const QByteArray root = QFile::encodeName(m_dir.filePath("bytes"));
        const auto cleanup = qScopeGuard([&root] { std::filesystem::remove_all(root.toStdString()); });
        const QByteArray list = root + "/Aircraft\xE9";
        QVERIFY(writeRawFile(list + "/b747/aircraft.cfg", "[fltsim.0]\r\ntitle=Jumbo\r\nui_manufacturer=Boeing\r\n"));
        const QByteArray row = "Boeing                -EMPTY-               Jumbo                 .00\\b747";
        const Run listed = runCliWithBytes({"list", list});
        QCOMPARE(listed.err, QByteArray());
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out, QByteArray(row + "\n"));

        // Both spellings of the option; the name is written as given, not as its decoded text.
        const QByteArray separate = root + "/out\xE9-1.txt";
        const QByteArray joined = root + "/out\xE9-2.txt";
        QCOMPARE(runCliWithBytes({"list", "--output", separate, list}).exitCode, 0);
        QCOMPARE(runCliWithBytes({"list", list, QByteArray("--output=" + joined)}).exitCode, 0);
        QCOMPARE(readRawFile(separate), QByteArray(row + "\r\n"));
        QCOMPARE(readRawFile(joined), QByteArray(row + "\r\n"));

        // A missing one is named readably, as Latin-1.
        const Run missing = runCliWithBytes({"list", QByteArray(list + "\xE9")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY2(missing.err.contains("Aircraft\xC3\xA9\xC3\xA9' does not exist"), missing.err.constData());

        const QByteArray folder = root + "/Images\xE9/b\xE9";
        QVERIFY(writeRawFile(folder + "/p\xE9.jpg", "jpg") && writeRawFile(folder + "/line\nbreak/q.gif", "gif"));
        const Run images = runCliWithBytes({"images", root + "/Images\xE9", "\\b\xE9"});
        QCOMPARE(images.err, QByteArray());
        QCOMPARE(images.exitCode, 0);
        QCOMPARE(images.out, folder + "/p\xE9.jpg\n" + folder + "/line\xEF\xBF\xBD" + "break/q.gif\n");
        const Run details = runCliWithBytes({"details", root + "/Images\xE9", "b\xE9"});
        QCOMPARE(details.exitCode, 0);
        QVERIFY(details.out.endsWith("[fltsim.0]\n"));

        const QByteArray start = root + "/Jeux\xE9";
        QVERIFY(std::filesystem::create_directories(
            QByteArray(start + "/FS9\xE9/Aircraft/line\nbreak aircraft").toStdString()));
        const Run found = runCliWithBytes({"find", start});
        QCOMPARE(found.exitCode, 0);
        QCOMPARE(found.out,
                 start + "/FS9\xE9/Aircraft\n" + start + "/FS9\xE9/Aircraft/line\xEF\xBF\xBD" + "break aircraft\n");
    }
#endif
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
