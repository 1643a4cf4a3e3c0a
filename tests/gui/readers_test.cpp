// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"
#include "testconfig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace hangardeck::testsupport;

namespace {

// The user this program runs as when started by root: permission bits only mean something
// to a user that is not root.
constexpr uid_t Nobody = 65534;

QByteArray run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(HANGARDECK_CLI_PATH), arguments);
    return process.waitForFinished(60000) ? process.readAllStandardOutput() : "<no exit>";
}

bool makeSocket(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    if (size_t(bytes.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()) + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

} // namespace

// The list, the command line's details and check, and the window's details box and
// double-click all read a folder's aircraft.cfg alike, however it is spelled or whatever
// stands in its place.
class ReadersTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyReaderTellsTheSame()
    {
        if (::access(HANGARDECK_CLI_PATH, X_OK) != 0) {
            QSKIP("the command line cannot be run by this user from where it was built");
        }
        QTemporaryDir dir;
        const QString aircraft = dir.filePath("Aircraft");
        // Other letter cases: the exact name first, else the first other spelling in byte order.
        QVERIFY(writeFile(aircraft + "/Upper/Aircraft.cfg", "[fltsim.0]\r\ntitle=Upper Jet\r\nui_type=U\r\n"));
        QVERIFY(writeFile(aircraft + "/Shout/AIRCRAFT.CFG", "[fltsim.0]\r\ntitle=Shout Jet\r\n"));
        QVERIFY(writeFile(aircraft + "/Both/Aircraft.cfg", "[fltsim.0]\r\ntitle=Second\r\n"));
        QVERIFY(writeFile(aircraft + "/Both/AIRCRAFT.CFG", "[fltsim.0]\r\ntitle=First\r\n"));
        QVERIFY(writeFile(aircraft + "/Exact/AIRCRAFT.CFG", "[fltsim.0]\r\ntitle=Other one\r\n"));
        QVERIFY(writeFile(aircraft + "/Exact/aircraft.cfg", "[fltsim.0]\r\ntitle=Exact one\r\n"));
        // Valid UTF-8 in the title, a Windows-1252 byte in the description or only in a
        // comment: one decoding for the whole file.
        QVERIFY(writeFile(aircraft + "/Mixed/aircraft.cfg",
                          "[fltsim.0]\r\ntitle=Caf\xC3\xA9\r\ndescription=Caf\xC3\xA9 \xA9 2004\r\n"));
        QVERIFY(
            writeFile(aircraft + "/Comment/aircraft.cfg", "; \xA9 2004\r\n[fltsim.0]\r\ntitle=Caf\xC3\xA9 Jet\r\n"));
        // Entered but not listed; a file this user may not read.
        QVERIFY(writeFile(aircraft + "/Locked/aircraft.cfg", "[fltsim.0]\r\ntitle=Locked Jet\r\n"));
        QVERIFY(writeFile(aircraft + "/LockedFile/aircraft.cfg", "[fltsim.0]\r\ntitle=Never read\r\n"));
        const QByteArray locked = QFile::encodeName(aircraft + "/Locked");
        QCOMPARE(::chmod(locked.constData(), 0111), 0);
        const auto unlock = qScopeGuard([&locked] { ::chmod(locked.constData(), 0755); }); // to be removed
        QCOMPARE(::chmod(QFile::encodeName(aircraft + "/LockedFile/aircraft.cfg").constData(), 0), 0);
        // What stands where the file should be.
        QVERIFY(QDir().mkpath(aircraft + "/Folder/aircraft.cfg"));
        for (const char *folder : {"Fifo", "Loop", "Device", "Socket"}) {
            QVERIFY(QDir().mkpath(aircraft + '/' + folder));
        }
        QCOMPARE(::mkfifo(QFile::encodeName(aircraft + "/Fifo/aircraft.cfg").constData(), 0644), 0);
        QVERIFY(QFile::link(aircraft + "/Loop/aircraft.cfg", aircraft + "/Loop/aircraft.cfg"));
        QVERIFY(QFile::link("/dev/zero", aircraft + "/Device/aircraft.cfg"));
        QVERIFY(makeSocket(aircraft + "/Socket/aircraft.cfg"));

        const QJsonArray listed = QJsonDocument::fromJson(run({"list", "--format", "json", aircraft})).array();
        QMap<QString, QString> titles;
        for (const QJsonValue &record : listed) {
            titles.insert(record["subdir"].toString(), record["title"].toString());
        }
        const QString empty = "-EMPTY-";
        QCOMPARE(titles, (QMap<QString, QString>{{"\\Both", "First"},
                                                 {"\\Comment", QString::fromUtf8("Caf\xC3\x83\xC2\xA9 Jet")},
                                                 {"\\Device", empty},
                                                 {"\\Exact", "Exact one"},
                                                 {"\\Fifo", empty},
                                                 {"\\Folder", empty},
                                                 {"\\Locked", "Locked Jet"},
                                                 {"\\LockedFile", empty},
                                                 {"\\Loop", empty},
                                                 {"\\Mixed", QString::fromUtf8("Caf\xC3\x83\xC2\xA9")},
                                                 {"\\Shout", "Shout Jet"},
                                                 {"\\Socket", empty},
                                                 {"\\Upper", "Upper Jet"}}));
        QByteArray expected;
        for (const char *folder : {"Comment", "Device", "Fifo", "Folder", "LockedFile", "Loop", "Mixed", "Socket"}) {
            expected += '\\' + QByteArray(folder)
                        + (std::strcmp(folder, "Comment") == 0 || std::strcmp(folder, "Mixed") == 0
                               ? " encoding: aircraft.cfg is not valid UTF-8: its text was read as Windows-1252\n"
                               : " unreadable: aircraft.cfg cannot be read: the folder lists as -EMPTY-\n");
        }
        QCOMPARE(run({"check", aircraft}),
                 expected
                     + "13 folders, 13 variations, 8 findings: unreadable 6, encoding 2\n"
                       "report: 13 folders seen: 0 skipped, 0 without aircraft.cfg, 6 unreadable, 7 with an "
                       "aircraft.cfg\n"
                       "report: 7 [fltsim.N] sections in them: 0 not valid (no title of two characters), 7 titled\n"
                       "report: 7 titled: 0 past a gap, 0 past [fltsim.32], 0 past [fltsim.0] (not extended), 7 "
                       "listed\n"
                       "report: 13 rows: 7 titled, 6 -EMPTY- (0 without aircraft.cfg, 6 unreadable, 0 with an "
                       "untitled [fltsim.0])\n");

        Run h;
        h.dir1()->setPath(aircraft);
        QVERIFY(h.showAndActivate());
        h.window->showPanel(5);
        h.presenter.messages.clear(); // the first run's welcome
        h.action("mnuGenerate")->trigger();
        QListView *list2 = h.list("List2");
        QCOMPARE(list2->model()->rowCount(), int(titles.size()));
        for (int row = 0; row < list2->model()->rowCount(); ++row) {
            const QModelIndex index = list2->model()->index(row, list2->modelColumn());
            const QString subdir = index.data().toString().section('\\', -1);
            QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualRect(index).center());
            const QString shown = h.child<QTextEdit>("Text4")->toPlainText();
            QCOMPARE(shown.section('\n', 0, 0), titles.value('\\' + subdir));
            QCOMPARE(QString::fromUtf8(run({"details", aircraft, subdir})).remove(u'\r'), shown + '\n');
            if (subdir == "Upper") {
                QTest::mouseDClick(list2->viewport(), Qt::LeftButton, {}, list2->visualRect(index).center());
                QCOMPARE(h.launcher.opened, QStringList{aircraft + "/Upper/Aircraft.cfg"});
            }
        }
        QCOMPARE(h.presenter.messages.join(" / "), QString());
    }
};

int main(int argc, char **argv)
{
    // Dropped before anything is made, so that the test's own files belong to that user too.
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)) {
        std::fprintf(stderr, "cannot run as user %u\n", unsigned(Nobody));
        return 1;
    }
    QApplication app(argc, argv);
    ReadersTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "readers_test.moc"
