// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "core/platform/nativepath.h"
#include "gui/catalogue/cataloguemodel.h"
#include "gui/catalogue/scanrunner.h"
#include "gui/shell/statusline.h"

#include <QAbstractItemModelTester>

using namespace hangardeck::testsupport;
using hangardeck::gui::CatalogueModel;

namespace {

const QStringList FieldLists{"lstManuf", "lstAircraft", "lstTitles", "List1"};

// Four aircraft (five variations in extended mode), the list panel showing.
struct Harness : AircraftRun {
    Harness()
        : AircraftRun(
            [](const QString &dir) {
                return writeAircraft(dir, "b747", "Boeing", {"Boeing 747-400", "Boeing 747 Cargo"})
                       && writeAircraft(dir, "cub", "Piper", {"Piper Cub"})
                       && writeAircraft(dir, "a320", "Airbus", {"Airbus A320"})
                       && writeAircraft(dir, "zlin", "Zlin", {"Zlin 242"});
            },
            true)
    {
        action("mnuGenerate")->trigger();
        window->showPanel(4);
    }
    // The selected row of each field list: "3 3 3 3"; -1 where none.
    QString selections() const
    {
        QStringList rows;
        for (const QString &name : FieldLists) {
            const QModelIndexList selected = list(name)->selectionModel()->selectedIndexes();
            int row = -1;
            for (const QModelIndex &index : selected) {
                if (index.column() == list(name)->modelColumn()) {
                    row = index.row();
                }
            }
            rows.append(QString::number(row));
        }
        return rows.join(' ');
    }
};

} // namespace

class CatalogueTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void model_passesTheItemModelTesterThroughScans()
    {
        CatalogueModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTemporaryDir aircraft;
        QVERIFY(writeAircraft(aircraft.path(), "cub", "Piper", {"Piper Cub", "Cub Floats"}));
        QVERIFY(writeAircraft(aircraft.path(), "a320", "Airbus", {"Airbus A320"}));
        hangardeck::core::FormatSettings format;
        format.actualWidth = true;
        format.delimiter = ";";
        model.setScan(hangardeck::core::scanCatalogue(hangardeck::core::toNativePath(aircraft.path()), true, format));
        QCOMPARE(model.rowCount(), 3);
        // The field columns in scan order, the generated rows sorted.
        QCOMPARE(model.index(0, CatalogueModel::TitleColumn).data().toString(), "Airbus A320");
        QCOMPARE(model.index(1, CatalogueModel::SubdirColumn).data().toString(), "\\cub");
        QCOMPARE(model.index(2, CatalogueModel::TypeColumn).data().toString(), "cub 1");
        QCOMPARE(model.index(2, CatalogueModel::GeneratedRowColumn).data().toString(),
                 "Piper;cub 1;Cub Floats;.01\\cub");
        model.setScan({});
        QCOMPARE(model.rowCount(), 0);
    }

    void click_selectsTheSameItemInAllFourAndNothingElse_data()
    {
        QTest::addColumn<QString>("source");
        for (const QString &name : FieldLists) {
            QTest::newRow(qPrintable(name)) << name;
        }
    }
    void click_selectsTheSameItemInAllFourAndNothingElse()
    {
        QFETCH(QString, source);
        Harness h;
        QCOMPARE(h.selections(), "-1 -1 -1 -1"); // none after a scan
        const int list2Row = h.currentRow("List2");
        h.click(source, 3);
        QCOMPARE(h.selections(), "3 3 3 3");
        QCOMPARE(h.items("lstTitles").at(3), "Piper Cub"); // scan order: a320, b747 (2), cub, zlin
        QCOMPARE(h.currentRow("List2"), list2Row);
        QCOMPARE(h.panels(), "4");

        h.click(source, 3); // again: no change
        QCOMPARE(h.selections(), "3 3 3 3");
        h.click(FieldLists.value(FieldLists.indexOf(source) + 1, "lstManuf"), 0);
        QCOMPARE(h.selections(), "0 0 0 0");
    }

    void doubleClick_showsTheGeneratedListAndKeepsTheAlignment()
    {
        Harness h;
        const QStringList rows = h.items("List2");
        h.doubleClick("List1", 2);
        QCOMPARE(h.panels(), "5");
        QCOMPARE(h.selections(), "2 2 2 2");
        QCOMPARE(h.items("List2"), rows);
        QCOMPARE(h.currentRow("List2"), 0);
    }

    void newScan_clearsTheSelection()
    {
        Harness h;
        h.click("lstAircraft", 4);
        QCOMPARE(h.selections(), "4 4 4 4");
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.selections(), "-1 -1 -1 -1");
        QCOMPARE(h.rows("lstManuf"), 5);
    }

    // A close asked for while the scan runs stops the reading and is held, once, until the
    // caller has the lists whole.
    void scanRunner_closeDuringTheScanStopsTheReadingAndIsHeld()
    {
        QTemporaryDir aircraft;
        for (const QString &name : QStringList{"a", "b", "c", "d"}) {
            QVERIFY(writeAircraft(aircraft.path(), name, "Maker", {"Title " + name}));
        }
        hangardeck::gui::StatusLine status;
        hangardeck::gui::ScanRunner runner(&status, nullptr, 0); // progress from the first folder
        QTimer::singleShot(0, &runner, [&runner] { runner.holdClose(); });
        const hangardeck::gui::ScanOutcome outcome =
            runner.run(hangardeck::core::toNativePath(aircraft.path()), false, {});
        QCOMPARE(outcome.folders.size(), size_t(4));
        QCOMPARE(outcome.scan.titles(), QStringList{"Title a"});
        QVERIFY(!runner.isRunning());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(runner.takeHeldClose());
        QVERIFY(!runner.takeHeldClose());
    }

    void keys_moveTheSelectionInStep()
    {
        Harness h;
        h.click("lstTitles", 1);
        QTest::keyClick(h.list("lstTitles"), Qt::Key_Down);
        QCOMPARE(h.selections(), "2 2 2 2");
        QTest::keyClick(h.list("lstTitles"), Qt::Key_End);
        QCOMPARE(h.selections(), "4 4 4 4");
    }
};

QTEST_MAIN(CatalogueTest)
#include "catalogue_test.moc"
