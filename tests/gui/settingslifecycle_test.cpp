// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "finder/directorylistbox.h"
#include "settings/settingskeys.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using hangardeck::gui::DirectoryListBox;
using hangardeck::gui::MainWindow;
using namespace hangardeck::testsupport;

namespace {

// Records the messages together with whether the window was already on screen.
class OrderPresenter final : public hangardeck::gui::MessagePresenter
{
public:
    void showMessage(QWidget *parent, const QString &text) override
    {
        messages.append(text);
        windowVisible.append(parent && parent->isVisible());
    }
    QStringList messages;
    QList<bool> windowVisible;
};

const QString WelcomeText = QStringLiteral(
    "Welcome to HANGARDECK1.1\nPlease make sure you set/verify your TOP LEVEL \\Aircraft directory.");

// A window started in a program folder, and a way to find its controls.
struct Run {
    OrderPresenter presenter;
    std::unique_ptr<MainWindow> window;

    explicit Run(const QString &programFolder)
        : window(std::make_unique<MainWindow>(programFolder, &presenter))
    {
    }
    template<typename T>
    T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found) {
            qFatal("no child named %s", qPrintable(name));
        }
        return found;
    }
    QAction *action(const char *name) const { return child<QAction>(QLatin1String(name)); }
    DirectoryListBox *dir1() const { return child<DirectoryListBox>(QStringLiteral("Dir1")); }
    int widthValue() const { return child<QScrollBar>(QStringLiteral("VScroll1"))->value(); }
    int paddingValue() const { return child<QScrollBar>(QStringLiteral("VScroll2"))->value(); }
    bool leadSelected(int i) const { return child<QRadioButton>(QStringLiteral("Option1_%1").arg(i))->isChecked(); }
    QList<int> visiblePanels() const
    {
        QList<int> shown;
        for (const int element : MainWindow::PanelElements) {
            if (!window->panel(element)->isHidden()) {
                shown.append(element);
            }
        }
        return shown;
    }
};

QByteArray settingsFile(const QByteArray &extraLines)
{
    return "[main]\r\nsheep=9\r\n" + extraLines;
}

} // namespace

class SettingsLifecycleTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // First start

    void firstStart_writesFourteenKeysAndWelcomesOnce()
    {
        QTemporaryDir program;
        Run run(program.path());
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        QStringList keys;
        for (const auto &entry : iniEntries(ini)) {
            keys.append(entry.first);
        }
        QCOMPARE(keys, hangardeck::core::settingsKeyOrder());
        QCOMPARE(iniValue(ini, QStringLiteral("sheep")), QStringLiteral("9"));
        QCOMPARE(iniValue(ini, QStringLiteral("flsimx")), QStringLiteral("1"));
        QCOMPARE(run.presenter.messages, QStringList{WelcomeText});
        QCOMPARE(run.presenter.windowVisible, QList<bool>{false});
    }

    void firstStart_showsTheDefaults()
    {
        QTemporaryDir program;
        Run run(program.path());
        QCOMPARE(run.visiblePanels(), QList<int>{0});
        QVERIFY(run.action("mnuFSX")->isChecked());
        QCOMPARE(run.widthValue(), 20);
        QCOMPARE(run.paddingValue(), 0);
        QVERIFY(!run.child<QCheckBox>(QStringLiteral("Check1"))->isChecked());
        QVERIFY(run.child<QLineEdit>(QStringLiteral("Text1"))->text().isEmpty());
        QVERIFY(run.leadSelected(0));
        QCOMPARE(run.window->currentListPath(), QStringLiteral("Z"));

        // Centred on the screen, at the design size that the file now holds.
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        const QRect frame = run.window->frameGeometry();
        const QRect screen = run.window->screen()->geometry();
        QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
        QCOMPARE(iniValue(ini, QStringLiteral("height")), QString::number(frame.height() * 15));
        QCOMPARE(iniValue(ini, QStringLiteral("top")), QString::number(frame.y() * 15));
    }

    // Close and restart

    void secondStart_restoresWhatTheCloseSaved()
    {
        QTemporaryDir program;
        QTemporaryDir aircraft;
        {
            Run first(program.path());
            QVERIFY(first.dir1()->setPath(aircraft.path()));
            first.child<QScrollBar>(QStringLiteral("VScroll1"))->setValue(31);
            first.child<QScrollBar>(QStringLiteral("VScroll2"))->setValue(3);
            first.child<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
            first.child<QLineEdit>(QStringLiteral("Text1"))->setText(QStringLiteral(";"));
            first.child<QLineEdit>(QStringLiteral("Text2"))->setText(QStringLiteral("|"));
            first.child<QRadioButton>(QStringLiteral("Option1_2"))->click();
            first.action("mnuFSX")->trigger(); // off
            first.window->showPanel(1);
            first.window->move(40, 60);
            first.window->resize(650, 500);
            first.window->close();
        }
        Run second(program.path());
        QVERIFY(second.presenter.messages.isEmpty());
        QCOMPARE(second.dir1()->path(), QDir(aircraft.path()).absolutePath());
        QCOMPARE(second.child<QLabel>(QStringLiteral("Label3"))->text(), second.dir1()->path());
        QCOMPARE(second.widthValue(), 31);
        QCOMPARE(second.child<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("31"));
        QCOMPARE(second.paddingValue(), 3);
        QCOMPARE(second.child<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("3"));
        QVERIFY(second.child<QCheckBox>(QStringLiteral("Check1"))->isChecked());
        QCOMPARE(second.child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral(";"));
        QCOMPARE(second.child<QLineEdit>(QStringLiteral("Text2"))->text(), QStringLiteral("|"));
        QVERIFY(second.leadSelected(2));
        QVERIFY(!second.action("mnuFSX")->isChecked());
        QCOMPARE(second.visiblePanels(), QList<int>{2});
        QCOMPARE(second.window->frameGeometry().topLeft(), QPoint(40, 60));
        QCOMPARE(second.window->frameGeometry().size(), QSize(650, 500));
        QCOMPARE(iniValue(program.filePath(QStringLiteral("hangardeck.ini")), QStringLiteral("sheep")),
                 QStringLiteral("9"));
    }

    void closeRoutes_storeTheSameValues()
    {
        QByteArray stored[2];
        for (int route = 0; route < 2; ++route) {
            QTemporaryDir program;
            QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")), settingsFile("frame=3\r\n")));
            Run run(program.path());
            run.window->move(10, 20);
            run.child<QRadioButton>(QStringLiteral("Option1_1"))->click();
            if (route == 0) {
                run.action("mnuExit")->trigger();
            } else {
                run.window->close(); // the close box and Alt+F4 end here too
            }
            QVERIFY(!run.window->isVisible());
            stored[route] = readFile(program.filePath(QStringLiteral("hangardeck.ini")));
        }
        QCOMPARE(stored[0], stored[1]);
        QVERIFY(stored[0].contains("\r\nleadfield=1\r\n"));
        QVERIFY(stored[0].contains("\r\nframe=3\r\n"));
        QVERIFY(stored[0].startsWith("[main]\r\nsheep=9\r\n"));
    }

    void close_withNoPanelVisibleKeepsTheStoredFrame()
    {
        QTemporaryDir program;
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        QVERIFY(writeFile(ini, settingsFile("frame=4\r\n")));
        Run run(program.path());
        run.window->showPanel(2);
        run.window->showPanel(9);
        QCOMPARE(iniValue(ini, QStringLiteral("frame")), QStringLiteral("4"));
    }

    // Stored values a control refuses

    void restore_refusedValuesKeepTheDesign_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QList<int>>("panels");
        QTest::addColumn<int>("lead");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("padding");
        QTest::addColumn<bool>("extended");
        QTest::newRow("frame 1") << QByteArray("frame=1\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("frame 7") << QByteArray("frame=7\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("frame empty") << QByteArray("frame=\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("frame 3") << QByteArray("frame=3\r\n") << QList<int>{3} << 0 << 20 << 0 << false;
        QTest::newRow("frame 4.6 rounds") << QByteArray("frame=4.6\r\n") << QList<int>{5} << 0 << 20 << 0 << false;
        QTest::newRow("leadfield 2") << QByteArray("leadfield=2\r\n") << QList<int>{} << 2 << 20 << 0 << false;
        QTest::newRow("leadfield 9") << QByteArray("leadfield=9\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("fieldwidth 50") << QByteArray("fieldwidth=50\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("fieldwidth 5") << QByteArray("fieldwidth=5\r\n") << QList<int>{} << 0 << 5 << 0 << false;
        QTest::newRow("fieldwidth x") << QByteArray("fieldwidth=x\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("fieldpadding 21") << QByteArray("fieldpadding=21\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("fieldpadding 20") << QByteArray("fieldpadding=20\r\n") << QList<int>{} << 0 << 20 << 20 << false;
        QTest::newRow("flsimx 1") << QByteArray("flsimx=1\r\n") << QList<int>{} << 0 << 20 << 0 << true;
        QTest::newRow("flsimx 5") << QByteArray("flsimx=5\r\n") << QList<int>{} << 0 << 20 << 0 << false;
        QTest::newRow("flsimx empty") << QByteArray("flsimx=\r\n") << QList<int>{} << 0 << 20 << 0 << false;
    }
    void restore_refusedValuesKeepTheDesign()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QList<int>, panels);
        QFETCH(int, lead);
        QFETCH(int, width);
        QFETCH(int, padding);
        QFETCH(bool, extended);
        QTemporaryDir program;
        QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")), settingsFile(lines)));
        Run run(program.path());
        QVERIFY(run.presenter.messages.isEmpty());
        QCOMPARE(run.visiblePanels(), panels);
        QVERIFY(run.leadSelected(lead));
        QCOMPARE(run.widthValue(), width);
        QCOMPARE(run.child<QLabel>(QStringLiteral("Label1"))->text(), QString::number(width));
        QCOMPARE(run.paddingValue(), padding);
        QCOMPARE(run.action("mnuFSX")->isChecked(), extended);
    }

    void restore_twoStateValues()
    {
        QTemporaryDir program;
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        QVERIFY(writeFile(ini, settingsFile("fieldactualwidth=1\r\nfielddelimiter=,\r\n")));
        {
            Run run(program.path());
            QVERIFY(run.child<QCheckBox>(QStringLiteral("Check1"))->isChecked());
            QCOMPARE(run.child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral(","));
        }
        for (const QByteArray &value : {QByteArray("x"), QByteArray("0"), QByteArray("2")}) {
            QVERIFY(writeFile(ini, settingsFile("fieldactualwidth=" + value + "\r\n")));
            Run run(program.path());
            QVERIFY2(!run.child<QCheckBox>(QStringLiteral("Check1"))->isChecked(), value.constData());
        }
    }

    void restore_subdirLeadShowsTheNotice()
    {
        QTemporaryDir program;
        QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")), settingsFile("leadfield=3\r\n")));
        Run run(program.path());
        QCOMPARE(run.presenter.messages.size(), 1);
        QVERIFY(run.presenter.messages[0].startsWith(QStringLiteral("The following is not available")));
        QVERIFY(run.leadSelected(3));
    }

    void restore_extendedOffThenAClickCountsAgain()
    {
        QTemporaryDir program;
        QTemporaryDir aircraft;
        QVERIFY(writeAircraft(aircraft.path(), QStringLiteral("cub"), QStringLiteral("Piper"),
                              {QStringLiteral("Piper Cub"), QStringLiteral("Cub Floats")}));
        QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")),
                          settingsFile("flsimx=0\r\nacpath=" + aircraft.path().toUtf8() + "\r\n")));
        Run run(program.path());
        QVERIFY(!run.action("mnuFSX")->isChecked());
        run.action("mnuFSX")->trigger();
        QVERIFY(run.action("mnuFSX")->isChecked());
        QCOMPARE(run.child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("2 Aircraft listed"));
    }

    void restore_missingDirectoryLeavesTheListWhereItWas()
    {
        QTemporaryDir program;
        QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")),
                          settingsFile("acpath=/no/such/folder/anywhere\r\n")));
        const QString before = QDir::currentPath();
        Run run(program.path());
        QCOMPARE(run.dir1()->path(), before);
        QCOMPARE(run.child<QLabel>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("Set Aircraft Directory Before Making List"));
    }

    void restore_geometryOffTheScreenIsTaken()
    {
        QTemporaryDir program;
        QVERIFY(writeFile(program.filePath(QStringLiteral("hangardeck.ini")),
                          settingsFile("top=-3000\r\nleft=60000\r\nheight=7110\r\nwidth=tall\r\n")));
        Run run(program.path());
        const QRect frame = run.window->frameGeometry();
        QCOMPARE(frame.y(), -200);
        QCOMPARE(frame.x(), 4000);
        QCOMPARE(frame.height(), 474);
        QCOMPARE(frame.width(), 599); // "tall" is no number: the design width stays
    }

    // Default reset

    void defaults_resetAndEndWithoutSaving()
    {
        QTemporaryDir program;
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        {
            Run run(program.path());
            run.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
            run.presenter.messages.clear();
            run.child<QScrollBar>(QStringLiteral("VScroll1"))->setValue(33);
            run.window->showPanel(3);
            run.action("mnuDefaults")->trigger();
            QCOMPARE(run.presenter.messages,
                     QStringList{QStringLiteral("Set defaults done, exiting. . . please restart HANGARDECK")});
            QVERIFY(!run.window->isVisible());
        }
        QCOMPARE(iniValue(ini, QStringLiteral("height")), QStringLiteral("7110"));
        QCOMPARE(iniValue(ini, QStringLiteral("width")), QStringLiteral("9105"));
        QCOMPARE(iniValue(ini, QStringLiteral("frame")), QStringLiteral("0"));
        QCOMPARE(iniValue(ini, QStringLiteral("fieldwidth")), QStringLiteral("20"));
        QCOMPARE(iniValue(ini, QStringLiteral("sheep")), QStringLiteral("0"));
        QCOMPARE(iniEntries(ini).last().first, QStringLiteral("sheep"));

        Run next(program.path());
        QCOMPARE(next.presenter.messages, QStringList{WelcomeText});
        QCOMPARE(iniValue(ini, QStringLiteral("sheep")), QStringLiteral("9"));
        QCOMPARE(iniValue(ini, QStringLiteral("height")), QString::number(next.window->frameGeometry().height() * 15));
    }

    // Damaged settings files

    void badFile_startsAndKeepsTheOtherKeys_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i) {
            garbage.append(char((i * 7919 + 13) % 256));
        }
        // A stray '[' would open a section of its own and hide the keys after it.
        garbage.replace('[', '!');
        QTest::newRow("garbage bytes") << garbage;
        QTest::newRow("1 MB line") << QByteArray(1024 * 1024, 'x');
        QTest::newRow("key without equals") << QByteArray("fieldpadding 7");
    }
    void badFile_startsAndKeepsTheOtherKeys()
    {
        QFETCH(QByteArray, damage);
        QTemporaryDir program;
        const QString ini = program.filePath(QStringLiteral("hangardeck.ini"));
        QVERIFY(writeFile(ini, "[main]\r\nsheep=9\r\nfieldwidth=30\r\n" + damage + "\r\nleadfield=1\r\nextra=kept\r\n"));
        {
            Run run(program.path());
            QCOMPARE(run.widthValue(), 30);
            QVERIFY(run.leadSelected(1));
            run.window->close();
        }
        const QByteArray after = readFile(ini);
        QVERIFY(after.contains(damage));
        QCOMPARE(iniValue(ini, QStringLiteral("fieldwidth")), QStringLiteral("30"));
        QCOMPARE(iniValue(ini, QStringLiteral("leadfield")), QStringLiteral("1"));
        QCOMPARE(iniValue(ini, QStringLiteral("extra")), QStringLiteral("kept"));
        QCOMPARE(iniValue(ini, QStringLiteral("sheep")), QStringLiteral("9"));
    }

    void unwritableFolder_welcomesEveryStartAndHidesThePanels_data()
    {
        QTest::addColumn<bool>("belowAFile");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("folder path below a file") << true; // unwritable even for root
    }
    void unwritableFolder_welcomesEveryStartAndHidesThePanels()
    {
        QFETCH(bool, belowAFile);
        QTemporaryDir base;
        QString program = base.path();
        if (belowAFile) {
            QVERIFY(writeFile(base.filePath(QStringLiteral("blocker")), "a file, not a folder"));
            program = base.filePath(QStringLiteral("blocker/program"));
        } else {
            QVERIFY(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            if (QFileInfo(program).isWritable()) {
                QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                QSKIP("running with rights that ignore folder permissions");
            }
        }
        for (int start = 0; start < 2; ++start) {
            Run run(program);
            QCOMPARE(run.presenter.messages, QStringList{WelcomeText});
            QCOMPARE(run.visiblePanels(), QList<int>{});
            QCOMPARE(run.widthValue(), 20);
            QVERIFY(!run.action("mnuFSX")->isChecked());
            run.window->close();
        }
        QVERIFY(!QFileInfo::exists(program + QStringLiteral("/hangardeck.ini")));
        QFile::setPermissions(base.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(SettingsLifecycleTest)
#include "settingslifecycle_test.moc"
