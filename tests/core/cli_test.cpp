// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "testconfig.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hangardeck::testsupport;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(HANGARDECK_CLI_PATH), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    // Listing
    void list_printsSortedRows();
    void list_optionsShapeRows();
    void list_outputWritesSavedListFile();
    void list_csvAndJsonCarryUnfittedFields();
    void list_samplesMatchGoldenFiles_data();
    void list_samplesMatchGoldenFiles();

    // Errors
    void errors_exitTwoWithOneLine_data();
    void errors_exitTwoWithOneLine();
    void output_unwritable_exitsOne();
    void help_describesOptions();

private:
    QTemporaryDir m_dir;
    QString m_aircraft;
};

void CliTest::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(HANGARDECK_CLI_PATH)));
    m_aircraft = m_dir.filePath("Aircraft");
    QVERIFY(writeFile(m_aircraft + "/b747/aircraft.cfg",
              "[fltsim.0]\r\ntitle=Boeing 747-400 Intercontinental XL\r\nui_manufacturer=Boeing\r\nui_type=747-400\r\n"
              "[fltsim.1]\r\ntitle=Boeing 747-400 \"Cargo\", freighter\r\nui_manufacturer=Boeing\r\nui_type=747-400F\r\n"));
    QVERIFY(writeFile(m_aircraft + "/cub/aircraft.cfg",
              "[FLTSIM.0]\nTITLE = \"Piper Cub\" \nui_manufacturer=Piper\nui_type=J-3\n"));
    QVERIFY(writeFile(m_aircraft + "/default/aircraft.cfg", "[fltsim.0]\r\ntitle=Skipped\r\n"));
    QDir().mkpath(m_aircraft + "/empty");
}

void CliTest::list_printsSortedRows()
{
    const Run run = runCli({"list", m_aircraft});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, QByteArray("-EMPTY-               -EMPTY-               -EMPTY-               .00\\empty\n"
                                 "Boeing                747-400               Boeing 747-400 Interc .00\\b747\n"
                                 "Piper                 J-3                   Piper Cub             .00\\cub\n"));
}

void CliTest::list_optionsShapeRows()
{
    const Run run = runCli({"list", "--extended", "--width", "5", "--padding", "1", "--delimiter", ";", "--terminator",
                            "|", "--lead", "type", m_aircraft});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("-EMPTY  ;-EMPTY  ;-EMPTY  ;.00\\empty|\n"
                                 "747-40  ;Boeing  ;Boeing  ;.00\\b747|\n"
                                 "747-40  ;Boeing  ;Boeing  ;.01\\b747|\n"
                                 "J-3     ;Piper   ;Piper   ;.00\\cub|\n"));

    const Run subdirLead = runCli({"list", "--actual-width", "--lead", "subdir", "--delimiter", ",", m_aircraft});
    QCOMPARE(subdirLead.out, QByteArray("\\b747,Boeing,747-400,Boeing 747-400 Intercontinental XL\n"
                                        "\\cub,Piper,J-3,Piper Cub\n"
                                        "\\empty,-EMPTY-,-EMPTY-,-EMPTY-\n"));
}

void CliTest::list_outputWritesSavedListFile()
{
    const QString output = m_dir.filePath("out/output.txt");
    QDir().mkpath(m_dir.filePath("out"));
    QVERIFY(writeFile(output, "an older, longer list that must disappear completely\r\n\r\n\r\n\r\n"));
    const Run run = runCli({"list", "--extended", "--output", output, m_aircraft});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray());
    const QByteArray saved = readFile(output);
    const QByteArray printed = runCli({"list", "--extended", m_aircraft}).out;
    QCOMPARE(saved, QByteArray(printed).replace("\n", "\r\n"));
    QCOMPARE(saved.count("\r\n"), 4);
    QVERIFY(saved.endsWith(".00\\cub\r\n"));
    // Nothing but the output appears in its folder (no temporary file left behind).
    QCOMPARE(QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden), QStringList({"output.txt"}));
}

void CliTest::list_csvAndJsonCarryUnfittedFields()
{
    const Run csv = runCli({"list", "--extended", "--format", "csv", m_aircraft});
    QCOMPARE(csv.exitCode, 0);
    QCOMPARE(csv.out, QByteArray("manufacturer,type,title,subdir,entry\r\n"
                                 "-EMPTY-,-EMPTY-,-EMPTY-,\\empty,0\r\n"
                                 "Boeing,747-400,Boeing 747-400 Intercontinental XL,\\b747,0\r\n"
                                 "Boeing,747-400F,\"Boeing 747-400 \"\"Cargo\"\", freighter\",\\b747,1\r\n"
                                 "Piper,J-3,Piper Cub,\\cub,0\r\n"));

    const Run json = runCli({"list", "--extended", "--format", "json", "--lead", "title", m_aircraft});
    QCOMPARE(json.exitCode, 0);
    QJsonParseError error;
    const QJsonArray array = QJsonDocument::fromJson(json.out, &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(array.size(), 4);
    QCOMPARE(array[0].toObject()["title"].toString(), "-EMPTY-");
    QCOMPARE(array[1].toObject()["title"].toString(), "Boeing 747-400 \"Cargo\", freighter");
    QCOMPARE(array[1].toObject()["entry"].toInt(), 1);
    QCOMPARE(array[3].toObject()["subdir"].toString(), "\\cub");
    QCOMPARE(array[3].toObject()["manufacturer"].toString(), "Piper");
}

void CliTest::list_samplesMatchGoldenFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("golden");
    QTest::newRow("extended, delimiter") << QStringList{"--extended", "--delimiter", "|"} << "samples-extended.rows";
    QTest::newRow("plain, title lead") << QStringList{"--padding", "2", "--lead", "title"}
                                       << "samples-plain-title.rows";
}

void CliTest::list_samplesMatchGoldenFiles()
{
    QFETCH(QStringList, options);
    QFETCH(QString, golden);
    const QString samples = QStringLiteral(HANGARDECK_SAMPLES_DIR "/Aircraft");
    const Run run = runCli(QStringList{"list"} + options + QStringList{samples});
    QCOMPARE(run.exitCode, 0);
    const QByteArray expected = readFile(QStringLiteral(HANGARDECK_TEST_DATA_DIR "/") + golden);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(run.out, expected);
    // Every sample folder lists at least one row.
    const int folders = int(QDir(samples).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    QVERIFY(run.out.count('\n') >= folders);
}

void CliTest::errors_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");

    const QString file = QStringLiteral(HANGARDECK_SAMPLES_DIR "/README.md");
    QTest::newRow("missing dir") << QStringList{"list", "/no/such/Aircraft"} << "does not exist";
    QTest::newRow("file as dir") << QStringList{"list", QStringLiteral(HANGARDECK_CLI_PATH)} << "not a directory";
    QTest::newRow("no dir") << QStringList{"list"} << "DIR";
    QTest::newRow("unknown command") << QStringList{"show", "."} << "show";
    QTest::newRow("width 41") << QStringList{"list", "--width", "41", "."} << "--width";
    QTest::newRow("width text") << QStringList{"list", "--width", "wide", "."} << "--width";
    QTest::newRow("padding 21") << QStringList{"list", "--padding", "21", "."} << "--padding";
    QTest::newRow("delimiter 6") << QStringList{"list", "--delimiter", "123456", "."} << "--delimiter";
    QTest::newRow("terminator 2") << QStringList{"list", "--terminator", "ab", "."} << "--terminator";
    QTest::newRow("lead") << QStringList{"list", "--lead", "engine", "."} << "--lead";
    QTest::newRow("format") << QStringList{"list", "--format", "xml", "."} << "--format";
    QTest::newRow("unknown option") << QStringList{"list", "--colour", "."} << "colour";
}

void CliTest::errors_exitTwoWithOneLine()
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

void CliTest::output_unwritable_exitsOne()
{
    const Run missingFolder = runCli({"list", "--output", m_dir.filePath("no/such/folder/output.txt"), m_aircraft});
    QCOMPARE(missingFolder.exitCode, 1);
    QVERIFY(missingFolder.err.startsWith("hangardeck-cli: error: cannot write"));

    // A directory in the way is left as it was.
    const QString folder = m_dir.filePath("taken");
    QVERIFY(writeFile(folder + "/keep.txt", "kept"));
    const Run onDirectory = runCli({"list", "--output", folder, m_aircraft});
    QCOMPARE(onDirectory.exitCode, 1);
    QCOMPARE(readFile(folder + "/keep.txt"), QByteArray("kept"));
}

void CliTest::help_describesOptions()
{
    const Run run = runCli({"--help"});
    QCOMPARE(run.exitCode, 0);
    for (const char *option : {"--extended", "--width", "--padding", "--actual-width", "--delimiter", "--terminator",
                               "--lead", "--output", "--format", "list [options] DIR"}) {
        QVERIFY2(run.out.contains(option), option);
    }
}

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
