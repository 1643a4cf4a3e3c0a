// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"
#include "testconfig.h"

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

// The samples in extended mode, the generated list showing, listed.
struct SamplesRun : Run {
    SamplesRun()
    {
        presenter.messages.clear();
        dir1()->setPath(QStringLiteral(HANGARDECK_SAMPLES_DIR "/Aircraft"));
        if (!showAndActivate()) {
            qFatal("the window did not become active");
        }
        window->showPanel(5);
        action("mnuGenerate")->trigger();
    }
    QLineEdit *filter() const { return edit("listFilter"); }
    void openFilter() const { QTest::keyClick(list("List2"), Qt::Key_F, Qt::ControlModifier); }
    QString details() const { return child<QTextEdit>("Text4")->toPlainText(); }
    QByteArray save() const
    {
        action("mnuSave")->trigger();
        return readFile(folder + "/output.txt");
    }
    // Where every widget of the window sits, in window coordinates, and whether it shows.
    QStringList layout() const
    {
        QStringList places;
        for (const QWidget *widget : window->findChildren<QWidget *>()) {
            if (widget->objectName() != "listFilterBar" && widget->parent() != child("listFilterBar")) {
                const QRect place(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
                places.append(widget->objectName()
                              + QString(" %1,%2 %3x%4 %5")
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())
                                    .arg(widget->isVisible()));
            }
        }
        return places;
    }
};

// Whether every row of part stands in whole, in the same order.
bool isInOrder(const QStringList &part, const QStringList &whole)
{
    qsizetype at = 0;
    for (const QString &row : part) {
        at = whole.indexOf(row, at);
        if (at < 0) {
            return false;
        }
        ++at;
    }
    return true;
}

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

    // Typing narrows List2 to the rows whose manufacturer, type, title, folder or description
    // holds the text, without regard to case and accents; the count says how many of all.
    void filter_narrowsTheListAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ends"); // how each row shown ends: entry and folder
        const QString bregeat = ".0%1\\Bregeat_BR140_Epervier";
        const QString fjordfly = ".0%1\\Fjordfly_F7_Maake";
        const QString kingAir = ".0%1\\Northwind_KingAir350";
        QTest::newRow("title, accents and case") << "EPERVIER" << QStringList{bregeat.arg(0), bregeat.arg(1)};
        QTest::newRow("ø as o, inside a word") << "SJOF" << QStringList{fjordfly.arg(1)};
        QTest::newRow("manufacturer, Å as a") << "alesund" << QStringList{fjordfly.arg(0), fjordfly.arg(1)};
        QTest::newRow("type") << "gull sm-4" << QStringList{".00\\Saltmarsh_Gull_SM4"};
        QTest::newRow("folder only") << "northwind_k" << QStringList{kingAir.arg(0), kingAir.arg(1), kingAir.arg(2)};
        QTest::newRow("description only") << "chequers" << QStringList{".01\\Rotorline_RL60_Heron"};
        QTest::newRow("accented text finds plain") << "PÉMBERTÖN" << QStringList{".00\\Pemberton_Velox"};
        QTest::newRow("nothing") << "zeppelin" << QStringList{};
    }
    void filter_narrowsTheListAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ends);
        SamplesRun h;
        const QStringList all = h.items("List2");
        QVERIFY(!h.filter()->isVisible());
        h.openFilter();
        QVERIFY(h.filter()->isVisible());
        QVERIFY(h.filter()->hasFocus());
        QTest::keyClicks(h.filter(), text);
        // Descriptions come in from the disk after the list shows; the rows follow.
        QTRY_COMPARE(h.rows("List2"), int(ends.size()));
        const QStringList shown = h.items("List2");
        QVERIFY(isInOrder(shown, all));
        for (qsizetype i = 0; i < ends.size(); ++i) {
            QVERIFY2(shown[i].endsWith(ends[i]), qPrintable(shown[i]));
        }
        QCOMPARE(h.label("Label5")->text(), QString("%1 of %2 Aircraft listed").arg(ends.size()).arg(all.size()));
    }

    // The filter field covers nothing and moves nothing, open or closed; Esc clears and
    // closes it and gives every row back.
    void filter_escClearsAndClosesAndNothingMoves()
    {
        SamplesRun h;
        const QStringList all = h.items("List2");
        const QStringList layout = h.layout();
        const QString count = h.label("Label5")->text();
        h.openFilter();
        QTest::keyClicks(h.filter(), "heronx");
        QCOMPARE(h.rows("List2"), 0);
        QTest::keyClick(h.filter(), Qt::Key_Backspace); // a shorter text finds more again
        QCOMPARE(h.rows("List2"), 2);
        QCOMPARE(h.layout(), layout);
        QTest::keyClick(h.filter(), Qt::Key_Escape);
        QVERIFY(!h.filter()->isVisible());
        QCOMPARE(h.filter()->text(), "");
        QCOMPARE(h.items("List2"), all);
        QCOMPARE(h.label("Label5")->text(), count);
        QCOMPARE(h.layout(), layout);
        QVERIFY(h.list("List2")->hasFocus());

        // Esc in the list closes it too; opened again, the field is empty.
        h.openFilter();
        QTest::keyClicks(h.filter(), "heron");
        h.list("List2")->setFocus();
        QTest::keyClick(h.list("List2"), Qt::Key_Escape);
        QVERIFY(!h.filter()->isVisible());
        QCOMPARE(h.rows("List2"), all.size());
    }

    // A new scan is filtered by the text still set: by the other fields at once, by the
    // descriptions once they are read.
    void filter_staysThroughANewScanAndFollowsTheDescriptions()
    {
        SamplesRun h;
        h.openFilter();
        QTest::keyClicks(h.filter(), "chequers");
        QTRY_COMPARE(h.rows("List2"), 1);
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.rows("List2"), 0);
        QCOMPARE(h.label("Label5")->text(),
                 QString("0 of %1 Aircraft listed").arg(h.window->findChild<CatalogueModel *>()->rowCount()));
        QTRY_COMPARE(h.rows("List2"), 1);
        QVERIFY(h.label("Label5")->text().startsWith("1 of "));
    }

    // Selecting, inspecting and stepping act on the rows shown; a narrower filter keeps the
    // selected row; Save List saves every row and says so.
    void filter_selectionStepsAndSaveWorkOnTheShownRows()
    {
        SamplesRun h;
        const QByteArray whole = h.save();
        h.openFilter();
        QTest::keyClicks(h.filter(), "br");
        h.click("List2", h.items("List2").indexOf(QRegularExpression(".*01\\\\Bregeat.*")));
        const QString tang = h.details();
        QVERIFY2(tang.startsWith("Brégeat BR-140 Épervier Aéro-Club de l’Étang"), qPrintable(tang));
        QVERIFY(tang.endsWith("[fltsim.1]"));
        QTest::keyClicks(h.filter(), "egeat");
        QCOMPARE(h.items("List2").size(), 2);
        QCOMPARE(h.currentRow("List2"), 1); // still the same row, not inspected again
        QCOMPARE(h.details(), tang);
        QTest::keyClick(h.list("List2"), Qt::Key_Up);
        QVERIFY(h.details().startsWith("Brégeat BR-140 Épervier\n"));
        h.scroll("HScroll1")->setValue(1);
        QCOMPARE(h.details(), tang);

        QCOMPARE(h.save(), whole);
        QVERIFY2(
            h.label("Label3")->text().endsWith(QString("(all %1 rows, not only the 2 shown)").arg(whole.count("\r\n"))),
            qPrintable(h.label("Label3")->text()));
        QCOMPARE(h.rows("List2"), 2);
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
