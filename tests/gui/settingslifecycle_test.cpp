// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "core/settings/settingskeys.h"

using namespace hangardeck::testsupport;

namespace {

const QString WelcomeText =
    "Welcome to HANGARDECK1.1\nPlease make sure you set/verify your TOP LEVEL \\Aircraft directory.";

// A settings file of a program that has started before, with the given lines after the marker.
bool writeSettings(const QString &programFolder, const QByteArray &lines)
{
    return writeFile(iniIn(programFolder), "[main]\r\nsheep=9\r\n" + lines + "\r\n");
}

// The controls a start restores, in one line; scroll bars as value/label.
QString state(const Run &run)
{
    return QString("panels=%1 lead=%2 width=%3/%4 padding=%5/%6 actual=%7 extended=%8 delimiter=%9 terminator=%10")
        .arg(run.panels(), QString::number(run.radio(0)->group()->checkedId()),
             QString::number(run.scroll("VScroll1")->value()), run.label("Label1")->text(),
             QString::number(run.scroll("VScroll2")->value()), run.label("Label2")->text(),
             QString::number(run.child<QCheckBox>("Check1")->isChecked()),
             QString::number(run.action("mnuFSX")->isChecked()), run.edit("Text1")->text(), run.edit("Text2")->text());
}

// The state of the design with some fields changed: designWith("lead=2 extended=1").
QString designWith(const QString &changes)
{
    QString state = "panels= lead=0 width=20/20 padding=0/0 actual=0 extended=0 delimiter= terminator=";
    for (const QString &change : changes.split(' ', Qt::SkipEmptyParts)) {
        state.replace(QRegularExpression("\\b" + change.section('=', 0, 0) + "=\\S*"), change);
    }
    return state;
}

// The settings file in the user's configuration folder (a test folder in test mode, and a
// temporary APPDATA on Windows).
QString userIni()
{
    return hangardeck::core::userConfigFolder() + "/hangardeck.ini";
}

} // namespace

class SettingsLifecycleTest final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appData;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_appData.isValid());
        qputenv("APPDATA", m_appData.path().toLocal8Bit());
    }
    void init() { QFile::remove(userIni()); }
    void cleanupTestCase() { QDir(QFileInfo(userIni()).path()).removeRecursively(); }

    // A first start writes the fourteen keys, welcomes once before the window shows, and shows
    // the defaults; Set Defaults stores them and ends without saving, so the next start welcomes again.
    void firstStartAndReset_writeTheKeysWelcomeOnceAndShowTheDefaults()
    {
        QTemporaryDir program;
        const QString ini = iniIn(program.path());
        {
            Run run(program.path());
            QCOMPARE(iniKeys(ini), hangardeck::core::settingsKeyOrder());
            QCOMPARE(iniValues(ini, "sheep flsimx"), "9 1");
            QCOMPARE(run.presenter.messages, QStringList{WelcomeText});
            QCOMPARE(run.presenter.windowVisible, QList<bool>{false});
            QCOMPARE(state(run), designWith("panels=0 extended=1"));
            // Centred on the screen, at the design size that the file now holds.
            const QRect frame = run.window->frameGeometry(), screen = run.window->screen()->geometry();
            QVERIFY((frame.center() - screen.center()).manhattanLength() <= 2);
            QCOMPARE(iniValues(ini, "height top"), QString("%1 %2").arg(frame.height() * 15).arg(frame.y() * 15));
            QVERIFY(!QFileInfo::exists(userIni())); // a portable copy keeps everything beside itself

            run.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
            run.presenter.messages.clear();
            run.scroll("VScroll1")->setValue(33);
            run.window->showPanel(3);
            run.action("mnuDefaults")->trigger();
            QCOMPARE(run.presenter.messages, QStringList{"Set defaults done, exiting. . . please restart HANGARDECK"});
            QVERIFY(!run.window->isVisible());
        }
        QCOMPARE(iniValues(ini, "height width frame fieldwidth sheep"), "7110 9105 0 20 0");
        Run next(program.path());
        QCOMPARE(next.presenter.messages, QStringList{WelcomeText});
        QCOMPARE(iniValues(ini, "sheep height"), QString("9 %1").arg(next.window->frameGeometry().height() * 15));
    }

    // Extended mode restored off: the first click turns it on, with a rescan.
    void secondStart_restoresWhatTheCloseSaved()
    {
        QTemporaryDir program, aircraft;
        QVERIFY(writeAircraft(aircraft.path(), "cub", "Piper", {"Piper Cub", "Cub Floats"}));
        {
            Run first(program.path());
            QVERIFY(first.dir1()->setPath(aircraft.path()));
            first.scroll("VScroll1")->setValue(31);
            first.scroll("VScroll2")->setValue(3);
            first.child<QCheckBox>("Check1")->setChecked(true);
            // Blanks and quotes at either end of a text survive the file and the restore.
            first.edit("Text1")->setText(" | ");
            first.edit("Text2")->setText("\"");
            first.radio(2)->click();
            first.action("mnuFSX")->trigger(); // off
            first.window->showPanel(1);
            first.window->move(40, 60);
            first.window->resize(650, 500);
            first.window->close();
        }
        Run second(program.path());
        QVERIFY(second.presenter.messages.isEmpty());
        QCOMPARE(second.dir1()->path(), native(QDir(aircraft.path()).absolutePath()));
        QCOMPARE(state(second),
                 "panels=2 lead=2 width=31/31 padding=3/3 actual=1 extended=0 delimiter= |  terminator=\"");
        QCOMPARE(second.window->frameGeometry(), QRect(40, 60, 650, 500));
        QCOMPARE(iniValues(iniIn(program.path()), "sheep"), "9");
        second.action("mnuFSX")->trigger();
        QCOMPARE(second.label("Label5")->text(), "2 Aircraft listed");
    }

    // Exit, the close box (Alt+F4 ends there too) and ShowPanel 9 all take the close path;
    // with no panel visible the stored frame stays.
    void closeRoutes_storeTheSameValues()
    {
        const QList<std::function<void(MainWindow *)>> routes{
            [](MainWindow *w) { w->findChild<QAction *>("mnuExit")->trigger(); }, [](MainWindow *w) { w->close(); },
            [](MainWindow *w) { w->showPanel(9); },
            [](MainWindow *w) {
                w->showPanel(2);
                w->showPanel(9);
            }, // no panel visible
        };
        QList<QByteArray> stored;
        for (const auto &route : routes) {
            QTemporaryDir program;
            QVERIFY(writeSettings(program.path(), "frame=3"));
            Run run(program.path());
            run.window->move(10, 20);
            run.radio(1)->click();
            run.window->show();
            route(run.window.get());
            QVERIFY(!run.window->isVisible());
            stored.append(readFile(iniIn(program.path())));
        }
        QCOMPARE(stored, QList<QByteArray>(4, stored[0]));
        QVERIFY(stored[0].startsWith("[main]\r\nsheep=9\r\n"));
        QVERIFY(stored[0].contains("\r\nleadfield=1\r\n") && stored[0].contains("\r\nframe=3\r\n"));
    }

    // Stored values a control refuses leave the design's state (a panel only where frame names one).
    void restore_storedValues_data()
    {
        QTest::addColumn<QString>("lines"); // space-separated
        QTest::addColumn<QString>("changes");
        const auto row = [](const char *name, const QString &lines, const QString &changes) {
            QTest::newRow(name) << lines << changes;
        };
        row("accepted", "frame=3 leadfield=2 fieldwidth=5 fieldpadding=20 flsimx=1 fieldactualwidth=1 fielddelimiter=,",
            "panels=3 lead=2 width=5/5 padding=20/20 actual=1 extended=1 delimiter=,");
        row("subdir lead, with its notice", "leadfield=3", "lead=3");
        row("out of range", "frame=7 leadfield=9 fieldwidth=50 fieldpadding=21", "");
        row("not numbers", "frame= leadfield=x fieldwidth= flsimx= fieldactualwidth=x", "");
    }
    void restore_storedValues()
    {
        QFETCH(QString, lines);
        QFETCH(QString, changes);
        QTemporaryDir program;
        QVERIFY(writeSettings(program.path(), QString(lines).replace(' ', "\r\n").toUtf8()));
        Run run(program.path());
        QCOMPARE(run.presenter.messages, lines == "leadfield=3" ? QStringList{SubdirNotice} : QStringList{});
        QCOMPARE(state(run), designWith(changes));
    }

    void restore_missingDirectoryAndGeometryOffTheScreen()
    {
        QTemporaryDir program;
        QVERIFY(writeSettings(program.path(), "acpath=/no/such\r\ntop=-3000\r\nleft=60000\r\nheight=7110\r\nwidth=x"));
        Run run(program.path());
        QCOMPARE(run.dir1()->path(), native(QDir::currentPath())); // the list stays where it was
        QCOMPARE(run.label("Label3")->text(), "Set Aircraft Directory Before Making List");
        // Off the screen is taken as stored; "x" is no number, so the design width stays.
        QCOMPARE(run.window->frameGeometry(), QRect(4000, -200, 599, 474));
    }

    // An installed program cannot write its own folder (a folder path below a file cannot be
    // written even by root): the settings live in the user's configuration folder instead.
    void unwritableProgramFolder_keepsTheSettingsInTheUserFolder()
    {
        QTemporaryDir base;
        QVERIFY(writeFile(base.filePath("blocker"), "a file, not a folder"));
        const QString program = base.filePath("blocker/program");
        {
            Run first(program);
            QCOMPARE(first.presenter.messages, QStringList{WelcomeText});
            first.scroll("VScroll1")->setValue(31);
            first.window->showPanel(3);
            first.window->close();
        }
        QCOMPARE(iniValues(userIni(), "sheep fieldwidth frame"), "9 31 3");
        Run second(program);
        QVERIFY(second.presenter.messages.isEmpty());
        QCOMPARE(state(second), designWith("panels=3 width=31/31 extended=1"));
    }

    // A settings file larger than any aircraft.cfg may be (20 MB of comments before [main]) is
    // read whole, and a close replaces it once with every key in it, never key by key, so an
    // interrupted close cannot leave old and new values mixed; the next start reads what it wrote.
    void hugeSettingsFile_replacedOnceByACloseAndReadByTheNextStart()
    {
        QTemporaryDir program;
        const QString ini = iniIn(program.path());
        const QByteArray comment = "; kept by the tool that wrote this line again and again\r\n";
        const QByteArray comments = comment.repeated(20'000'000 / comment.size() + 1);
        QVERIFY(writeFile(ini, comments + "[main]\r\nsheep=9\r\nfieldwidth=12\r\nframe=4\r\nextra=kept\r\n"));
        {
            Run first(program.path());
            QVERIFY(first.presenter.messages.isEmpty());
            QCOMPARE(state(first), designWith("panels=4 width=12/12"));
            first.scroll("VScroll1")->setValue(31);
            first.window->showPanel(3);
#ifdef Q_OS_LINUX
            QCOMPARE(replacementsDuring(program.path(), "hangardeck.ini", [&first] { first.window->close(); }), 1);
#else
            first.window->close();
#endif
        }
        QVERIFY(!QFileInfo::exists(userIni()));
        const QByteArray written = readFile(ini);
        QVERIFY(written.startsWith(comments) && written.contains("\r\nextra=kept\r\n"));
        Run second(program.path());
        QVERIFY(second.presenter.messages.isEmpty());
        QCOMPARE(state(second), designWith("panels=3 width=31/31"));
    }
};

QTEST_MAIN(SettingsLifecycleTest)
#include "settingslifecycle_test.moc"
