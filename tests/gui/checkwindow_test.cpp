// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "gui/check/checkwindow.h"
#include "guitestsupport.h"
#include "testconfig.h"

using namespace hangardeck::testsupport;
using hangardeck::gui::CheckWindow;

namespace {

// Alpha: a texture folder and an .air file missing; Bravo: no aircraft.cfg; Charlie: not
// UTF-8, with a title Alpha has too, which holds a comma, quotes and an escape character.
bool writeCollection(const QString &dir)
{
    return writeFile(dir + "/Alpha/Aircraft.CFG", "[fltsim.0]\r\ntitle=Alpha\x1b, \"One\"\r\ntexture=gone\r\n"
                                                  "[fltsim.1]\r\ntitle=Alpha Two\r\nsim=nosuch\r\n")
           && QDir().mkpath(dir + "/Bravo")
           && writeFile(dir + "/Charlie/aircraft.cfg", "[fltsim.0]\r\ntitle=alpha\x1b, \"one\"\r\n"
                                                       "[fltsim.1]\r\ntitle=Caf\xe9\r\n");
}

// A collection that takes a while to check: every variation misses four folders.
bool writeLargeCollection(const QString &dir)
{
    const QByteArray cfg =
        numberedEntries(30, "Plane", "texture=t\r\nmodel=m\r\npanel=p\r\nsound=s\r\nui_manufacturer=M\r\n");
    for (int i = 0; i < 1500; ++i) {
        if (!writeFile(dir + QString::asprintf("/ac%04d/aircraft.cfg", i), cfg)) {
            return false;
        }
    }
    return true;
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
    }
    return texts;
}

QStringList column(const QTableView *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        texts.append(table->model()->index(row, column).data().toString());
    }
    return texts;
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// The main window on a collection with the check window opened by its shortcut.
struct CheckRun : AircraftRun {
    CheckWindow *check = nullptr;

    explicit CheckRun(const std::function<bool(const QString &)> &write, bool open = true)
        : AircraftRun(write, true)
    {
        if (open) {
            this->open();
        }
    }
    void open()
    {
        QTest::keyClick(window.get(), Qt::Key_F7);
        check = window->findChild<CheckWindow *>();
    }
    template <typename T = QWidget> T *part(const QString &name) const
    {
        T *found = check->findChild<T *>(name);
        if (!found) {
            qFatal("no check window part named %s", qPrintable(name));
        }
        return found;
    }
    QTableView *table() const { return part<QTableView>("checkFindings"); }
    QListWidget *kinds() const { return part<QListWidget>("checkKinds"); }
    bool finished() const { return QSignalSpy(check, &CheckWindow::checkFinished).wait(30000); }
    void clickKind(int row) const
    {
        QTest::mouseClick(kinds()->viewport(), Qt::LeftButton, {},
                          kinds()->visualItemRect(kinds()->item(row)).center());
    }
    QPoint centreOfRow(int row) const { return table()->visualRect(table()->model()->index(row, 1)).center(); }
    void clickRow(int row) const { QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, centreOfRow(row)); }
    // A double-click arrives after the press and release of its first click.
    void doubleClickRow(int row) const
    {
        clickRow(row);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, centreOfRow(row));
    }
};

} // namespace

class CheckWindowTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The counts per kind, the kind and text filters, and the report line.
    void countsAndFilters()
    {
        CheckRun h(writeCollection);
        QVERIFY(h.check && h.check->isVisible());
        QAbstractItemModelTester tester(h.table()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(h.finished());
        QCOMPARE(itemTexts(h.kinds()), QStringList({"All kinds: 5", "no-cfg: 1", "missing-folder: 1", "missing-air: 1",
                                                    "encoding: 1", "duplicate-title: 1"}));
        QCOMPARE(column(h.table(), 1), QStringList({"\\Alpha", "\\Alpha", "\\Bravo", "\\Charlie", "(collection)"}));
        QCOMPARE(h.part<QLabel>("checkReport")->text(),
                 "3 folders seen (1 without aircraft.cfg) \u2192 2 with an aircraft.cfg \u2192 4 [fltsim.N] sections "
                 "\u2192 4 titled \u2192 4 listed \u2192 5 rows (1 -EMPTY-)");

        h.clickKind(3);
        QCOMPARE(column(h.table(), 0), QStringList{"missing-air"});
        // The text narrows the kind chosen, then every kind: Charlie is also named by the duplicate.
        h.part<QLineEdit>("checkFilter")->setFocus();
        QTest::keyClicks(h.part<QLineEdit>("checkFilter"), "CHARLIE");
        QTRY_COMPARE(column(h.table(), 0), QStringList());
        h.clickKind(0);
        QCOMPARE(column(h.table(), 0), QStringList({"encoding", "duplicate-title"}));
        // The counts stay those of every finding.
        QCOMPARE(h.kinds()->item(0)->text(), "All kinds: 5");
    }

    // A double-click shows the variation's row in the list, generated first; Enter opens the
    // folder's aircraft.cfg by the name it has.
    void doubleClickShowsRow_enterOpensCfg()
    {
        CheckRun h(writeCollection);
        QVERIFY(h.finished());
        QCOMPARE(h.rows("List2"), 0);
        const auto shown = [&h] { return h.list("List2")->currentIndex().data().toString(); };
        h.doubleClickRow(1);
        QCOMPARE(h.rows("List2"), 5);
        QVERIFY2(shown().endsWith(".01\\Alpha"), qPrintable(shown()));
        QCOMPARE(h.panels(), "5");
        // A collection finding shows the first variation it names.
        h.doubleClickRow(4);
        QVERIFY2(shown().endsWith(".00\\Alpha"), qPrintable(shown()));
        // A row the list's filter hides is shown all the same: the filter gives way.
        QTest::keyClick(h.list("List2"), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(h.window->findChild<QLineEdit *>("listFilter"), "Charlie");
        QVERIFY(h.rows("List2") < 5);
        h.doubleClickRow(1);
        QVERIFY2(shown().endsWith(".01\\Alpha"), qPrintable(shown()));
        QCOMPARE(h.rows("List2"), 5);

        h.clickRow(3);
        QTest::keyClick(h.table(), Qt::Key_Return);
        h.clickRow(0);
        QTest::keyClick(h.table(), Qt::Key_Enter);
#ifdef Q_OS_WIN
        const QString alphaCfg = "Alpha/aircraft.cfg"; // Windows opens it whatever the case of its name
#else
        const QString alphaCfg = "Alpha/Aircraft.CFG";
#endif
        QCOMPARE(h.launcher.opened,
                 QStringList({h.aircraft.filePath("Charlie/aircraft.cfg"), h.aircraft.filePath(alphaCfg)}));
    }

    // Cancel stops the check between folders: the findings so far stay, no report can be saved
    // of them, and no thread is left behind.
    void cancel_stopsMidRun()
    {
        CheckRun h([](const QString &dir) { return writeLargeCollection(dir); }, false);
        const int threadsBefore = threadCount();
        h.open();
        QVERIFY(h.finished());
        const int whole = h.table()->model()->rowCount();
        QCOMPARE(whole, 1500 * 30 * 4 + 30); // and the 30 titles every folder has
        // A title 1500 folders share names them all; the row shows what a screen can hold.
        const QString shared = h.table()->model()->index(whole - 1, 3).data().toString();
        QVERIFY2(shared.size() <= 401 && shared.endsWith(QChar(0x2026)), qPrintable(QString::number(shared.size())));

        bool cancelled = false;
        QObject::connect(h.table()->model(), &QAbstractItemModel::rowsInserted, h.check, [&] {
            if (!std::exchange(cancelled, true)) {
                QTest::mouseClick(h.part<QPushButton>("checkCancel"), Qt::LeftButton);
            }
        });
        QTest::mouseClick(h.part<QPushButton>("checkAgain"), Qt::LeftButton);
        QVERIFY(h.part<QProgressBar>("checkProgress")->isVisible());
        QVERIFY(h.finished());
        QVERIFY(cancelled);
        const int rows = h.table()->model()->rowCount();
        QVERIFY2(rows > 0 && rows < whole, qPrintable(QString::number(rows)));
        const QString report = h.part<QLabel>("checkReport")->text();
        QVERIFY2(report.startsWith("Check cancelled") && report.contains(QString("(%1 of 1500)").arg(rows / 120)),
                 qPrintable(report));
        QVERIFY(!h.part<QPushButton>("checkSave")->isEnabled());
        QVERIFY(!h.part<QProgressBar>("checkProgress")->isVisible());
        QTRY_COMPARE(threadCount(), threadsBefore);
    }

    // Save Report writes each format byte for byte as the command line prints it.
    void saveReport_equalsCommandLine_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("text") << 0 << "text"
                              << "txt";
        QTest::newRow("csv") << 1 << "csv"
                             << "csv";
        QTest::newRow("json") << 2 << "json"
                              << "json";
    }

    void saveReport_equalsCommandLine()
    {
        QFETCH(int, filter);
        QFETCH(QString, format);
        QFETCH(QString, suffix);
        CheckRun h(writeCollection);
        QVERIFY(h.finished());
        QTest::mouseClick(h.part<QPushButton>("checkSave"), Qt::LeftButton);
        auto *dialog = h.part<QFileDialog>("saveReportDialog");
        QTRY_VERIFY(dialog->isVisible());
        dialog->setDirectory(h.newFolder.path());
        // The format is chosen as a user chooses it, which gives the proposed name its suffix.
        auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
        types->setFocus();
        for (int i = 0; i < filter; ++i) {
            QTest::keyClick(types, Qt::Key_Down);
        }
        QCOMPARE(dialog->findChild<QLineEdit *>("fileNameEdit")->text(), "check-report." + suffix);
        const QString file = h.newFolder.filePath("check-report." + suffix);
        QSignalSpy saved(h.check, &CheckWindow::reportSaved);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save), Qt::LeftButton);
        QVERIFY(saved.wait(10000));
        QCOMPARE(saved.first().first().toBool(), true);

        QProcess cli;
        cli.start(HANGARDECK_CLI_PATH, {"check", "--extended", "--format", format, h.aircraft.path()});
        QVERIFY(cli.waitForFinished(30000));
        const QByteArray printed = cli.readAllStandardOutput();
        QVERIFY(printed.contains("One"));
        QCOMPARE(readFile(file), printed);
        QCOMPARE(h.part<QLabel>("checkStatus")->text(), "Report saved to " + native(file));
    }
};

QTEST_MAIN(CheckWindowTest)
#include "checkwindow_test.moc"
