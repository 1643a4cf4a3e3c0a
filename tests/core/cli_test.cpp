// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"
#include "testconfig.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

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

bool writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

QByteArray readRawFile(const QByteArray &path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return "<missing>";
    }
    return file.readAll();
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
    const int fd = ::open(ownBytes.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    ::close(fd);
    return own;
}
#endif

// The files in a folder, hidden ones too: a temporary file left behind shows here.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
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

    // Output in pieces
    void list_largeListIsWholeInEveryFormat();

    // --output onto what is not a regular file
    void output_fifo_readerGetsRowsAndFifoStays();
    void output_characterDevices_writtenInPlace();
    void output_socket_writtenInPlace();
    void output_symlink_replacesFileItPointsAt();

    // Real causes
    void output_fileTooLarge_keepsOldFile();
    void stdout_full_namesCause();
    void atomicWrite_keepsPermissionsAndRefusesNodes();

    // Control characters
    void rows_controlCharactersStayOnTheirLineOnStdout();
    void rows_outputFileKeepsControlCharacters();

    // Arguments as bytes
    void arguments_nonUtf8PathsAreTakenAsGiven();
    void list_sparse64GbFileListsAsEmptyAircraft();

    // One aircraft: details and images
    void details_textIsDetailsBoxTextAndLineFeed();
    void details_jsonListsEveryTitledEntry();
    void images_pathsInWalkOrder();
    void images_nonUtf8PathsPrintAsGiven();
    void aircraftErrors_exitTwoWithOneLine_data();
    void aircraftErrors_exitTwoWithOneLine();
    void help_describesDetailsAndImages();

    // Finding Aircraft directories
    void find_printsWalkOrderAndCount();
    void find_jsonListsNameAndPath();
    void find_nonUtf8StartTakenAsGiven();
    void findErrors_exitTwoWithOneLine_data();
    void findErrors_exitTwoWithOneLine();
    void find_progressOnlyOnTerminal();
    void help_describesFind();

    // Checking a collection
    void check_samplesMatchGoldenFile();
    void check_jsonCarriesFindingsAndSummary();
    void check_exitStatusFollowsFindings();
    void checkErrors_exitTwoWithOneLine_data();
    void checkErrors_exitTwoWithOneLine();

private:
    QString inspectionDirectory();

    QTemporaryDir m_dir;
    QString m_aircraft;
    QString m_odd;   // values and a folder name holding control characters
    QString m_large; // a list of several 64 KiB pieces
};

void CliTest::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(HANGARDECK_CLI_PATH)));
    m_aircraft = m_dir.filePath("Aircraft");
    QVERIFY(writeFile(
        m_aircraft + "/b747/aircraft.cfg",
        "[fltsim.0]\r\ntitle=Boeing 747-400 Intercontinental XL\r\nui_manufacturer=Boeing\r\nui_type=747-400\r\n"
        "[fltsim.1]\r\ntitle=Boeing 747-400 \"Cargo\", freighter\r\nui_manufacturer=Boeing\r\nui_type=747-400F\r\n"));
    QVERIFY(writeFile(m_aircraft + "/cub/aircraft.cfg",
                      "[FLTSIM.0]\nTITLE = \"Piper Cub\" \nui_manufacturer=Piper\nui_type=J-3\n"));
    QVERIFY(writeFile(m_aircraft + "/default/aircraft.cfg", "[fltsim.0]\r\ntitle=Skipped\r\n"));
    QDir().mkpath(m_aircraft + "/empty");

    m_odd = m_dir.filePath("Odd");
    QVERIFY(writeFile(m_odd + "/two\nlines/aircraft.cfg",
                      "[fltsim.0]\r\ntitle=\x1b[31mRed\x1b[0m alert\r\nui_manufacturer=Acme\r\nui_type=T1\r\n"));
    QVERIFY(writeFile(m_odd + "/c1/aircraft.cfg", "[fltsim.0]\r\ntitle=Csi\xC2\x9B"
                                                  "2J\r\nui_manufacturer=Del\x7F"
                                                  "ete\r\nui_type=Tab\there\r\n"));

    m_large = m_dir.filePath("Large");
    for (int i = 0; i < 1200; ++i) {
        QVERIFY(writeFile(m_large + QString::asprintf("/ac%04d/aircraft.cfg", i),
                          QString::asprintf("[fltsim.0]\ntitle=Aircraft %04d \"Caf\u00e9\"\nui_manufacturer=Maker %d\n"
                                            "ui_type=Jet\n[fltsim.1]\ntitle=Variation %04d\n",
                                            i, i % 7, i)
                              .toUtf8()));
    }
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

void CliTest::list_largeListIsWholeInEveryFormat()
{
    const Run rows = runCli({"list", "--extended", m_large});
    QCOMPARE(rows.exitCode, 0);
    QVERIFY(rows.out.size() > 2 * 64 * 1024);
    QCOMPARE(rows.out.count('\n'), 2400);
    QVERIFY(rows.out.startsWith("-EMPTY-               -EMPTY-               Variation 0000        .01\\ac0000\n"));
    QVERIFY(
        rows.out.endsWith("Maker 6               Jet                   Aircraft 1196 \"Caf\xC3\xA9\"  .00\\ac1196\n"));

    const QString output = m_dir.filePath("large.txt");
    QCOMPARE(runCli({"list", "--extended", "--output", output, m_large}).exitCode, 0);
    QCOMPARE(readFile(output), QByteArray(rows.out).replace("\n", "\r\n"));

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

void CliTest::output_fifo_readerGetsRowsAndFifoStays()
{
#ifdef Q_OS_UNIX
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
    QCOMPARE(readFile(m_dir.filePath("received.txt")),
             QByteArray(runCli({"list", "--extended", m_large}).out).replace("\n", "\r\n"));
    QCOMPARE(fileType(fifo), mode_t(S_IFIFO));
    QVERIFY(runCli({"--help"}).out.contains("a FIFO, a device or a socket is written in place"));
#else
    QSKIP("needs FIFOs");
#endif
}

void CliTest::output_characterDevices_writtenInPlace()
{
#ifdef Q_OS_UNIX
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
#else
    QSKIP("needs device nodes");
#endif
}

void CliTest::output_socket_writtenInPlace()
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(m_dir.filePath("list.sock"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(path.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()) + 1);
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    QVERIFY(server >= 0);
    QVERIFY(::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0);
    QVERIFY(::listen(server, 1) == 0);

    // The connection waits in the backlog with the whole (small) list in its buffer.
    const Run run = runCli({"list", "--output", QFile::decodeName(path), m_aircraft});
    QCOMPARE(run.exitCode, 0);
    const int connection = ::accept(server, nullptr, nullptr);
    QByteArray received;
    char buffer[4096];
    ssize_t got = 0;
    while (connection >= 0 && (got = ::read(connection, buffer, sizeof buffer)) > 0) {
        received.append(buffer, got);
    }
    if (connection >= 0) {
        ::close(connection);
    }
    ::close(server);
    QVERIFY2(connection >= 0, std::strerror(errno));
    QCOMPARE(received, QByteArray(runCli({"list", m_aircraft}).out).replace("\n", "\r\n"));
    QCOMPARE(fileType(QFile::decodeName(path)), mode_t(S_IFSOCK));
#else
    QSKIP("needs Unix domain sockets");
#endif
}

void CliTest::output_symlink_replacesFileItPointsAt()
{
#ifdef Q_OS_UNIX
    const QString folder = m_dir.filePath("linked");
    QVERIFY(writeFile(folder + "/real.txt", "old"));
    QVERIFY(QFile::link(folder + "/real.txt", folder + "/link.txt"));
    QCOMPARE(runCli({"list", "--output", folder + "/link.txt", m_aircraft}).exitCode, 0);
    QCOMPARE(fileType(folder + "/link.txt"), mode_t(S_IFLNK));
    QCOMPARE(readFile(folder + "/real.txt"), QByteArray(runCli({"list", m_aircraft}).out).replace("\n", "\r\n"));
    QCOMPARE(filesIn(folder), QStringList({"link.txt", "real.txt"}));
#else
    QSKIP("needs POSIX symbolic links");
#endif
}

void CliTest::output_fileTooLarge_keepsOldFile()
{
#ifdef Q_OS_UNIX
    const QString folder = m_dir.filePath("limited");
    const QString output = folder + "/output.txt";
    QVERIFY(writeFile(output, "the old list\r\n"));
    // ulimit -f counts blocks of 512 bytes (1,024 in some shells); the list is far larger.
    // SIGXFSZ ignored, the write fails with EFBIG instead of ending the process.
    const Run run =
        runProgram("sh", {"-c", "trap '' XFSZ; ulimit -f 2 && exec \"$@\"", "sh", QStringLiteral(HANGARDECK_CLI_PATH),
                          "list", "--extended", "--output", output, m_large});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("hangardeck-cli: error: cannot write '"), run.err.constData());
    QVERIFY2(run.err.endsWith("': File too large\n"), run.err.constData());
    QCOMPARE(readFile(output), QByteArray("the old list\r\n"));
    QCOMPARE(filesIn(folder), QStringList({"output.txt"}));
#else
    QSKIP("needs POSIX resource limits");
#endif
}

void CliTest::stdout_full_namesCause()
{
#ifdef Q_OS_UNIX
    QVERIFY(QDir().mkpath(m_dir.filePath("stdout")));
    const QString full = characterDevice(m_dir.filePath("stdout"), "full", 7);
    if (full.isEmpty()) {
        QSKIP("no full character device to write to");
    }
    const Run run = runProgram(QStringLiteral(HANGARDECK_CLI_PATH), {"list", m_aircraft}, full);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("hangardeck-cli: error: cannot write to stdout: No space left on device\n"));
#else
    QSKIP("needs a full device");
#endif
}

void CliTest::atomicWrite_keepsPermissionsAndRefusesNodes()
{
#ifdef Q_OS_UNIX
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
#else
    QSKIP("needs FIFOs");
#endif
}

void CliTest::rows_controlCharactersStayOnTheirLineOnStdout()
{
    // The line break of the folder name, the escape sequence of the title, DEL, the C1 CSI
    // and the tab all show as U+FFFD, one character each, so fitted fields keep their width.
    const QByteArray r = "\xEF\xBF\xBD";
    const Run run = runCli({"list", "--actual-width", "--delimiter", ";", m_odd});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Acme;T1;" + r + "[31mRed" + r + "[0m alert;.00\\two" + r
                                 + "lines\n"
                                   "Del"
                                 + r + "ete;Tab" + r + "here;Csi" + r + "2J;.00\\c1\n"));

    const Run fitted = runCli({"list", "--width", "5", m_odd});
    QCOMPARE(fitted.out, QByteArray("Acme   T1     " + r + "[31mR .00\\two" + r
                                    + "lines\n"
                                      "Del"
                                    + r + "et Tab" + r + "he Csi" + r + "2J .00\\c1\n"));

    // A delimiter the user asked for prints as given, even a tab; the values are still cleaned.
    const Run tabbed = runCli({"list", "--actual-width", "--delimiter", "\t", "--lead", "subdir", m_odd});
    QCOMPARE(tabbed.out, QByteArray("\\c1\tDel" + r + "ete\tTab" + r + "here\tCsi" + r
                                    + "2J\n"
                                      "\\two"
                                    + r + "lines\tAcme\tT1\t" + r + "[31mRed" + r + "[0m alert\n"));

    // CSV and JSON quote and escape for themselves and stay as they were.
    const Run csv = runCli({"list", "--format", "csv", m_odd});
    QVERIFY(csv.out.contains(",\"\\two\nlines\",0\r\n"));
    QVERIFY(csv.out.contains("\x1b[31mRed"));
    QVERIFY(runCli({"--help"}).out.contains("shows as U+FFFD"));
}

void CliTest::rows_outputFileKeepsControlCharacters()
{
    const QString output = m_dir.filePath("odd.txt");
    const Run run = runCli({"list", "--actual-width", "--delimiter", ";", "--output", output, m_odd});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFile(output), QByteArray("Acme;T1;\x1b[31mRed\x1b[0m alert;.00\\two\nlines\r\n"
                                          "Del\x7F"
                                          "ete;Tab\there;Csi\xC2\x9B"
                                          "2J;.00\\c1\r\n"));
}

void CliTest::arguments_nonUtf8PathsAreTakenAsGiven()
{
#ifdef Q_OS_UNIX
    // 0xE9 alone is "é" in Latin-1 and not valid UTF-8: no text names this folder.
    const QByteArray root = QFile::encodeName(m_dir.filePath("bytes"));
    const QByteArray folder = root + "/Aircraft\xE9";
    QCOMPARE(::mkdir(root.constData(), 0755), 0);
    // QTemporaryDir removes by text and cannot name these files.
    const auto cleanup = qScopeGuard([&root] { std::filesystem::remove_all(root.toStdString()); });
    QCOMPARE(::mkdir(folder.constData(), 0755), 0);
    QCOMPARE(::mkdir(QByteArray(folder + "/b747").constData(), 0755), 0);
    QVERIFY(writeRawFile(QByteArray(folder + "/b747/aircraft.cfg"),
                         "[fltsim.0]\r\ntitle=Jumbo\r\nui_manufacturer=Boeing\r\n"));
    const QByteArray row = "Boeing                -EMPTY-               Jumbo                 .00\\b747";

    const Run listed = runCliWithBytes({"list", folder});
    QCOMPARE(listed.err, QByteArray());
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.out, QByteArray(row + "\n"));

    // Both spellings of the option; the name is written as given, not as its decoded text.
    const QByteArray separate = root + "/out\xE9-1.txt";
    const QByteArray joined = root + "/out\xE9-2.txt";
    QCOMPARE(runCliWithBytes({"list", "--output", separate, folder}).exitCode, 0);
    QCOMPARE(runCliWithBytes({"list", folder, QByteArray("--output=" + joined)}).exitCode, 0);
    QCOMPARE(readRawFile(separate), QByteArray(row + "\r\n"));
    QCOMPARE(readRawFile(joined), QByteArray(row + "\r\n"));

    // A missing one is named readably, as Latin-1.
    const Run missing = runCliWithBytes({"list", QByteArray(folder + "\xE9")});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY2(missing.err.contains("Aircraft\xC3\xA9\xC3\xA9' does not exist"), missing.err.constData());
#else
    QSKIP("needs POSIX file names");
#endif
}

// A file claiming 64 GB is read up to the examined limit, not allocated whole: the command
// exits normally and lists the folder as an aircraft without values.
void CliTest::list_sparse64GbFileListsAsEmptyAircraft()
{
    const QString tree = m_dir.filePath("sparse-tree");
    QVERIFY(writeFile(tree + "/after/aircraft.cfg", "[fltsim.0]\r\ntitle=After\r\n"));
    QVERIFY(QDir().mkpath(tree + "/sparse"));
    QFile sparse(tree + "/sparse/aircraft.cfg");
    if (!sparse.open(QIODevice::WriteOnly) || !sparse.resize(64LL << 30)) {
        QSKIP("the file system refuses a sparse 64 GB file");
    }
    sparse.close();
    const Run run = runCli({"list", "--extended", tree});
    QFile::remove(sparse.fileName());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("-EMPTY-               -EMPTY-               -EMPTY-               .00\\sparse\n"
                                 "-EMPTY-               -EMPTY-               After                 .00\\after\n"));
}

// An aircraft directory for details and images, made on first use: b747 with three titled
// entries in a file saved with LF line ends, its pictures and a folder without aircraft.cfg.
QString CliTest::inspectionDirectory()
{
    const QString directory = m_dir.filePath("Inspect");
    if (QFileInfo::exists(directory)) {
        return directory;
    }
    const bool written =
        writeFile(directory + "/b747/aircraft.cfg",
                  "[fltsim.0]\ntitle=Boeing 747-400\nui_manufacturer=Boeing\nui_type=747-400\n"
                  "description=Four engines\n[fltsim.1]\ntitle=Boeing 747 Cargo\nui_manufacturer=Boeing\n"
                  "[fltsim.2]\ntitle=Caf\xC3\xA9 Jumbo\ndescription = Last one\n[fltsim.4]\ntitle=Beyond the gap\n")
        && writeFile(directory + "/b747/thumbnail.jpg", "jpg") && writeFile(directory + "/b747/texture/T1.JPG", "jpg")
        && writeFile(directory + "/b747/panel/p.gif", "gif") && writeFile(directory + "/b747/shots.jpg/s.jpg", "jpg")
        && QDir().mkpath(directory + "/bare");
    return written ? directory : QString();
}

void CliTest::details_textIsDetailsBoxTextAndLineFeed()
{
    const QString directory = inspectionDirectory();
    QVERIFY(!directory.isEmpty());
    const Run first = runCli({"details", directory, "b747"});
    QCOMPARE(first.err, QByteArray());
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out, "Boeing 747-400\r\n\r\nBoeing\r\n\r\n747-400\r\n\r\nFour engines\r\r\n[fltsim.0]\n");

    // A later entry; a row's folder with its backslash; DIR given with a trailing slash.
    const QByteArray third = "Caf\xC3\xA9 Jumbo\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n= Last one\r\r\n[fltsim.2]\n";
    QCOMPARE(runCli({"details", "--entry", "2", directory, "b747"}).out, third);
    QCOMPARE(runCli({"details", "--entry", "2", directory + "/", "\\b747"}).out, third);
    // Entry 1 has no description of its own and shows the next one's.
    QVERIFY(runCli({"details", "--entry", "1", directory, "b747"}).out.contains("\r\n= Last one\r\r\n[fltsim.1]\n"));

    // An entry without a title, a folder without aircraft.cfg: shown as the window shows them.
    const QByteArray nothing = "-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n\r\n-EMPTY-\r\n[fltsim.32]\n";
    QCOMPARE(runCli({"details", "--entry", "32", directory, "b747"}).out, nothing);
    const Run bare = runCli({"details", "--entry", "32", directory, "bare"});
    QCOMPARE(bare.exitCode, 0);
    QCOMPARE(bare.out, nothing);
}

void CliTest::details_jsonListsEveryTitledEntry()
{
    const QString directory = inspectionDirectory();
    QVERIFY(!directory.isEmpty());
    const Run run = runCli({"details", "--format", "json", directory, "\\b747"});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.value("folder").toString(), "b747");
    // Entries up to the first without a title: entry 4 after the gap is not one of them.
    const QJsonArray entries = object.value("entries").toArray();
    QCOMPARE(entries.size(), 3);
    const QJsonObject first = entries.at(0).toObject();
    QCOMPARE(first.value("entry").toInt(-1), 0);
    QCOMPARE(first.value("section").toString(), "fltsim.0");
    QCOMPARE(first.value("title").toString(), "Boeing 747-400");
    QCOMPARE(first.value("manufacturer").toString(), "Boeing");
    QCOMPARE(first.value("type").toString(), "747-400");
    QCOMPARE(first.value("description").toString(), "Four engines");
    const QJsonObject third = entries.at(2).toObject();
    QCOMPARE(third.value("entry").toInt(-1), 2);
    QCOMPARE(third.value("title").toString(), "Caf\u00e9 Jumbo");
    QCOMPARE(third.value("type").toString(), "-EMPTY-");
    QCOMPARE(third.value("description").toString(), "= Last one");

    const Run bare = runCli({"details", "--format", "json", directory, "bare"});
    QCOMPARE(bare.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(bare.out).object().value("entries").toArray().size(), 0);
}

void CliTest::images_pathsInWalkOrder()
{
    const QString directory = inspectionDirectory();
    QVERIFY(!directory.isEmpty());
    const Run lines = runCli({"images", directory, "\\b747"});
    QCOMPARE(lines.exitCode, 0);
    const QString b747 = directory + "/b747/";
    QCOMPARE(QString::fromUtf8(lines.out), b747 + "thumbnail.jpg\n" + b747 + "shots.jpg/s.jpg\n" + b747
                                               + "texture/T1.JPG\n" + b747 + "panel/p.gif\n");
    // DIR as given: its trailing slash is not doubled.
    QCOMPARE(runCli({"images", directory + "/", "b747"}).out, lines.out);

    const Run json = runCli({"images", "--format", "json", directory, "b747"});
    QCOMPARE(json.exitCode, 0);
    const QJsonArray pictures = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(pictures.size(), 4);
    QCOMPARE(pictures.at(2).toObject().value("name").toString(), "T1.JPG");
    QCOMPARE(pictures.at(2).toObject().value("path").toString(), b747 + "texture/T1.JPG");

    const Run none = runCli({"images", directory, "bare"});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.out, QByteArray());
    QCOMPARE(runCli({"images", "--format", "json", directory, "bare"}).out, "[\n]\n");
}

void CliTest::images_nonUtf8PathsPrintAsGiven()
{
#ifdef Q_OS_UNIX
    const QByteArray root = QFile::encodeName(m_dir.filePath("bytes-images"));
    const auto cleanup = qScopeGuard([&root] { std::filesystem::remove_all(root.toStdString()); });
    const QByteArray folder = root + "/Aircraft\xE9/b\xE9";
    std::filesystem::create_directories(std::string(QByteArray(folder + "/line\nbreak").constData()));
    QVERIFY(writeRawFile(folder + "/p\xE9.jpg", "jpg"));
    QVERIFY(writeRawFile(folder + "/line\nbreak/q.gif", "gif"));
    const Run run = runCliWithBytes({"images", root + "/Aircraft\xE9", "\\b\xE9"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    // The name's bytes as they are; the line break inside a name shows as U+FFFD.
    QCOMPARE(run.out, folder + "/p\xE9.jpg\n" + folder
                          + "/line\xEF\xBF\xBD"
                            "break/q.gif\n");
    const Run details = runCliWithBytes({"details", root + "/Aircraft\xE9", "b\xE9"});
    QCOMPARE(details.exitCode, 0);
    QVERIFY(details.out.endsWith("[fltsim.0]\n"));
#else
    QSKIP("needs POSIX file names");
#endif
}

void CliTest::aircraftErrors_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");

    const QString directory = inspectionDirectory();
    QTest::newRow("details: missing dir") << QStringList{"details", "/no/such/Aircraft", "b747"} << "does not exist";
    QTest::newRow("images: missing dir") << QStringList{"images", "/no/such/Aircraft", "b747"} << "does not exist";
    QTest::newRow("no folder") << QStringList{"details", directory} << "FOLDER";
    QTest::newRow("no dir, no folder") << QStringList{"images"} << "DIR";
    QTest::newRow("two folders") << QStringList{"images", directory, "b747", "bare"} << "bare";
    QTest::newRow("missing folder") << QStringList{"details", directory, "a380"} << "'a380' does not exist";
    QTest::newRow("file as folder") << QStringList{"images", directory, "b747/thumbnail.jpg"} << "not a folder";
    QTest::newRow("dir itself") << QStringList{"details", directory, "."} << "not a folder below";
    QTest::newRow("way out") << QStringList{"images", directory, "../Inspect/b747"} << "not a folder below";
    QTest::newRow("absolute") << QStringList{"images", directory, directory + "/b747"} << "not a folder below";
    QTest::newRow("backslash alone") << QStringList{"details", directory, "\\"} << "not a folder below";
    QTest::newRow("entry 33") << QStringList{"details", "--entry", "33", directory, "b747"} << "--entry";
    QTest::newRow("entry -1") << QStringList{"details", "--entry", "-1", directory, "b747"} << "--entry";
    QTest::newRow("entry text") << QStringList{"details", "--entry", "two", directory, "b747"} << "--entry";
    QTest::newRow("entry with json") << QStringList{"details", "--entry", "1", "--format", "json", directory, "b747"}
                                     << "--entry";
    QTest::newRow("details format") << QStringList{"details", "--format", "rows", directory, "b747"} << "--format";
    QTest::newRow("images format") << QStringList{"images", "--format", "text", directory, "b747"} << "--format";
    QTest::newRow("list option") << QStringList{"images", "--extended", directory, "b747"} << "extended";
    QTest::newRow("details option on list") << QStringList{"list", "--entry", "1", directory} << "entry";
}

void CliTest::aircraftErrors_exitTwoWithOneLine()
{
    errors_exitTwoWithOneLine(); // the same check, on this table's rows
}

void CliTest::help_describesDetailsAndImages()
{
    const Run run = runCli({"--help"});
    QCOMPARE(run.exitCode, 0);
    for (const char *text : {"details [--entry N] [--format text|json] DIR FOLDER",
                             "images [--format lines|json] DIR FOLDER", "--entry", "COMMAND"}) {
        QVERIFY2(run.out.contains(text), text);
    }
}

void CliTest::find_printsWalkOrderAndCount()
{
    const QString start = m_dir.filePath("Find");
    for (const char *path : {"Games/FS9/Aircraft/a320 aircraft pack", "Games/FS9/Aircraft SDK/Aircraft", "b aircraft",
                             "My Documents/Aircraft", ".hidden/AIRCRAFT", "Z/inner Aircraft"}) {
        QVERIFY(QDir().mkpath(start + "/" + path));
    }
    const Run run = runCli({"find", start});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out),
             start + "/.hidden/AIRCRAFT\n" + start + "/b aircraft\n" + start + "/Games/FS9/Aircraft\n" + start
                 + "/Games/FS9/Aircraft/a320 aircraft pack\n" + start + "/Z/inner Aircraft\n");
    QCOMPARE(run.err, "5 aircraft directories found\n");
    // START as given: its trailing slash is not doubled.
    QCOMPARE(runCli({"find", start + "/"}).out, run.out);

    const Run one = runCli({"find", start + "/Z"});
    QCOMPARE(one.out, (start + "/Z/inner Aircraft\n").toUtf8());
    QCOMPARE(one.err, "1 aircraft directory found\n");
    const Run none = runCli({"find", start + "/Games/FS9/Aircraft/a320 aircraft pack"});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.out, QByteArray());
    QCOMPARE(none.err, "0 aircraft directories found\n");
}

void CliTest::find_jsonListsNameAndPath()
{
    const QString start = m_dir.filePath("FindJson");
    QVERIFY(QDir().mkpath(start + "/b/Aircraft/AI aircraft"));
    QVERIFY(QDir().mkpath(start + "/a aircraft"));
    const Run run = runCli({"find", "--format", "json", start});
    QCOMPARE(run.exitCode, 0);
    const QJsonArray found = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(found.size(), 3);
    const QStringList names{"a aircraft", "Aircraft", "AI aircraft"};
    const QStringList paths{start + "/a aircraft", start + "/b/Aircraft", start + "/b/Aircraft/AI aircraft"};
    for (qsizetype i = 0; i < found.size(); ++i) {
        QCOMPARE(found.at(i).toObject().value("name").toString(), names.at(i));
        QCOMPARE(found.at(i).toObject().value("path").toString(), paths.at(i));
    }
    QCOMPARE(run.err, "3 aircraft directories found\n");
    QCOMPARE(runCli({"find", "--format", "json", start + "/a aircraft"}).out, "[\n]\n");
}

void CliTest::find_nonUtf8StartTakenAsGiven()
{
#ifdef Q_OS_UNIX
    const QByteArray top = QFile::encodeName(m_dir.filePath("bytes-find"));
    const auto cleanup = qScopeGuard([&top] { std::filesystem::remove_all(top.toStdString()); });
    const QByteArray root = top + "/Jeux\xE9";
    std::filesystem::create_directories(std::string(QByteArray(root + "/FS9\xE9/Aircraft/line\nbreak aircraft")));
    const Run run = runCliWithBytes({"find", root});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, root + "/FS9\xE9/Aircraft\n" + root
                          + "/FS9\xE9/Aircraft/line\xEF\xBF\xBD"
                            "break aircraft\n");
#else
    QSKIP("needs POSIX file names");
#endif
}

void CliTest::findErrors_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("missing start") << QStringList{"find"} << "START";
    QTest::newRow("start missing") << QStringList{"find", "/no/such/dir"} << "does not exist";
    QTest::newRow("file as start") << QStringList{"find", QStringLiteral(HANGARDECK_CLI_PATH)} << "not a directory";
    QTest::newRow("two starts") << QStringList{"find", m_dir.path(), "/tmp"} << "give one START";
    QTest::newRow("format") << QStringList{"find", "--format", "csv", m_dir.path()} << "--format";
    QTest::newRow("list option") << QStringList{"find", "--extended", m_dir.path()} << "extended";
}

void CliTest::findErrors_exitTwoWithOneLine()
{
    errors_exitTwoWithOneLine(); // the same check, on this table's rows
}

void CliTest::find_progressOnlyOnTerminal()
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

void CliTest::help_describesFind()
{
    const Run run = runCli({"--help"});
    QCOMPARE(run.exitCode, 0);
    for (const char *text : {"find [--format lines|json] START", "START", "list, details, images, find or check",
                             "check [--extended] [--format text|json] DIR"}) {
        QVERIFY2(run.out.contains(text), text);
    }
}

void CliTest::check_samplesMatchGoldenFile()
{
    const QString samples = QStringLiteral(HANGARDECK_SAMPLES_DIR "/Aircraft");
    const Run run = runCli({"check", samples});
    QCOMPARE(run.exitCode, 1);
    const QByteArray expected = readFile(QStringLiteral(HANGARDECK_TEST_DATA_DIR "/samples-check.txt"));
    QCOMPARE(run.out, expected);
    QCOMPARE(run.err, QByteArray());
}

void CliTest::check_jsonCarriesFindingsAndSummary()
{
    const Run run = runCli({"check", "--extended", "--format", "json", m_aircraft});
    QCOMPARE(run.exitCode, 1);
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    const QJsonArray findings = root.value("findings").toArray();
    QCOMPARE(findings.size(), 1);
    const QJsonObject finding = findings.at(0).toObject();
    QCOMPARE(finding.value("folder").toString(), QString("\\empty"));
    QCOMPARE(finding.value("section").toString(), QString());
    QCOMPARE(finding.value("kind").toString(), QString("no-cfg"));
    QVERIFY(!finding.value("message").toString().isEmpty());
    const QJsonObject summary = root.value("summary").toObject();
    QCOMPARE(summary.value("folders").toInt(), 3); // \default is skipped as list skips it
    QCOMPARE(summary.value("variations").toInt(), 4);
    QCOMPARE(summary.value("findings").toInt(), 1);
    QCOMPARE(summary.value("kinds").toObject().value("no-cfg").toInt(), 1);
    QCOMPARE(summary.value("kinds").toObject().value("gap").toInt(), 0);
}

void CliTest::check_exitStatusFollowsFindings()
{
    const QString clean = m_dir.filePath("CheckClean");
    QVERIFY(writeFile(clean + "/a/aircraft.cfg", "[fltsim.0]\r\ntitle=Alpha One\r\n"));
    Run run = runCli({"check", clean});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("1 folder, 1 variation, 0 findings\n"));
    // An informational finding alone still exits 0.
    QVERIFY(writeFile(clean + "/b/aircraft.cfg", "[fltsim.0]\r\ntitle=Caf\xe9\r\n"));
    run = runCli({"check", clean});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("\\b encoding: aircraft.cfg is not valid UTF-8: its text was read as Windows-1252\n"
                                 "2 folders, 2 variations, 1 finding: encoding 1\n"));
    // A control character in a title stays on its line.
    QVERIFY(writeFile(clean + "/c/aircraft.cfg", "[fltsim.0]\r\ntitle=Alpha\x1b One\r\n"
                                                 "[fltsim.2]\r\ntitle=Lost\r\n"));
    QVERIFY(writeFile(clean + "/d/aircraft.cfg", "[fltsim.0]\r\ntitle=alpha\x1b one\r\n"));
    run = runCli({"check", "--extended", clean});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.out.contains('\x1b'));
    QCOMPARE(run.out.count('\n'), 4);
    QVERIFY(run.out.contains("\\c fltsim.1 gap: "));
    QVERIFY(run.out.contains("(collection) duplicate-title: 2 variations"));
}

void CliTest::checkErrors_exitTwoWithOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("missing dir") << QStringList{"check", "/no/such/Aircraft"} << "does not exist";
    QTest::newRow("no dir") << QStringList{"check"} << "DIR";
    QTest::newRow("two dirs") << QStringList{"check", ".", "."} << "unexpected";
    QTest::newRow("format") << QStringList{"check", "--format", "csv", "."} << "--format";
    QTest::newRow("list option") << QStringList{"check", "--width", "20", "."} << "width";
}

void CliTest::checkErrors_exitTwoWithOneLine()
{
    errors_exitTwoWithOneLine(); // the same check, on this table's rows
}

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
