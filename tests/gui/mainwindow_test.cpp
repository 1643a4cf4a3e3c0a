// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "gui/shell/helpviewer.h"

using namespace hangardeck::testsupport;
using hangardeck::gui::AllPanels;
using hangardeck::gui::HelpViewer;
using hangardeck::gui::Panel;

namespace {

// Three aircraft (six variations) in the aircraft directory, plus the simulator's own
// "default" folder that every scan skips; shown on request.
struct Harness : AircraftRun {
    explicit Harness(bool shown = false)
        : AircraftRun(
            [](const QString &dir) {
                return writeAircraft(dir, "b747", "Boeing", {"Boeing 747-400", "Boeing 747 Cargo"})
                       && writeAircraft(dir, "cub", "Piper", {"Piper Cub", "Cub Floats", "Cub Skis"})
                       && writeAircraft(dir, "a320", "Airbus", {"Airbus A320"})
                       && writeAircraft(dir, "default", "Microsoft", {"Default Plane"});
            },
            shown)
    {
    }
    void key(int code, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(window.get(), Qt::Key(code), mods); }
    void generate() { action("mnuGenerate")->trigger(); }
    HelpViewer *helpViewer() const { return child<HelpViewer>("helpViewer"); }
};

} // namespace

class MainWindowTest final : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void recordUrl(const QUrl &url) { openedUrls.append(url); }
    QList<QUrl> openedUrls;

private Q_SLOTS:
    // From the help panel (the field lists for selector 3) to the visible panels.
    void showPanel_selectsOneElementOrNothing_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 directory picker") << 0 << "0";
        QTest::newRow("1 data format") << 1 << "2";
        QTest::newRow("2 hides all") << 2 << "";
        QTest::newRow("3 help") << 3 << "3";
        QTest::newRow("4 field lists") << 4 << "4";
        QTest::newRow("5 generated list") << 5 << "5";
        for (const int other : {6, 7, 8, 10, 42, 255, -1}) {
            QTest::addRow("%d changes nothing", other) << other << "3";
        }
    }
    void showPanel_selectsOneElementOrNothing()
    {
        QFETCH(int, selector);
        QFETCH(QString, shown);
        Harness h;
        h.window->showPanel(selector == 3 ? 4 : 3);
        h.window->showPanel(selector);
        QCOMPARE(h.panels(), shown);
    }

    // The menus and Label3 switch panels; the Aircraft List menu shows the list when opened,
    // its View and Cancel items change nothing.
    void menus_switchPanels()
    {
        Harness h(true);
        h.key(Qt::Key_F5);
        h.window->showPanel(4);
        const QStringList rows = h.items("List2");
        h.key(Qt::Key_G, Qt::ControlModifier);
        h.action("mnuCancel")->trigger();
        h.action("mnuViewGen")->trigger();
        QCOMPARE(h.panels(), "4");
        QCOMPARE(h.items("List2"), rows);

        h.window->showPanel(1);
        auto *menu = h.child<QMenu>("mnulst");
        menu->popup(h.window->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        menu->hide(); // closed without a choice
        QCOMPARE(h.panels(), "5");

        for (const auto &[name, element] : QList<std::pair<QString, QString>>{
                 {"mnuFormat", "2"}, {"mnuFields", "4"}, {"menuApath", "0"}, {"mnuhelp", "3"}}) {
            h.action(name)->trigger();
            QCOMPARE(h.panels(), element);
        }
        QTest::mouseClick(h.label("Label3"), Qt::LeftButton);
        QCOMPARE(h.panels(), "0");
    }

    void generate_F5FillsTheListsAndTheCount()
    {
        Harness h(true);
        h.action("mnuFSX")->setChecked(false);
        h.key(Qt::Key_F5);
        QCOMPARE(h.rows("List2"), 3); // in sorted order, as the format test shows
        // The field lists keep scan order: folders by name.
        QCOMPARE(h.items("lstManuf"), (QStringList{"Airbus", "Boeing", "Piper"}));
        QCOMPARE(h.items("lstAircraft"), (QStringList{"a320 0", "b747 0", "cub 0"}));
        QCOMPARE(h.items("lstTitles"), (QStringList{"Airbus A320", "Boeing 747-400", "Piper Cub"}));
        QCOMPARE(h.items("List1"), (QStringList{"\\a320", "\\b747", "\\cub"}));
        QCOMPARE(h.label("Label5")->text(), "3 Aircraft listed");
        QCOMPARE(h.currentRow("List2"), 0);
        QVERIFY(!QApplication::overrideCursor());

        // A folder added since the path was set is seen by the next scan.
        QVERIFY(writeAircraft(h.aircraft.path(), "zlin", "Zlin", {"Zlin 242"}));
        h.key(Qt::Key_F5);
        QCOMPARE(h.rows("List2"), 4);
        QVERIFY(h.items("Dir1").contains("zlin"));

        QTemporaryDir empty; // an empty directory lists nothing
        h.dir1()->setPath(empty.path());
        h.key(Qt::Key_F5);
        QCOMPARE(h.rows("List2") + h.rows("lstManuf"), 0);
        QCOMPARE(h.label("Label5")->text(), "0 Aircraft listed");
    }

    // F5 leaves the panel showing; the list brought up later shows row 0 highlighted, as after F5 on it.
    void generate_F5OnAnotherPanel_theListComesUpWithRowZeroHighlighted()
    {
        for (const int selector : {0, 5}) {
            Harness h(true);
            h.window->showPanel(selector);
            h.key(Qt::Key_F5);
            QVERIFY(selector == 5 || h.panel(Panel::GeneratedList)->isHidden());
            auto *menu = h.child<QMenu>("mnulst");
            menu->popup(h.window->mapToGlobal(QPoint(10, 10)));
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
            QCOMPARE(h.panels(), "5");

            QListView *list2 = h.list("List2");
            const QRect row0 = list2->visualRect(list2->model()->index(0, list2->modelColumn()));
            const QImage shown = list2->viewport()->grab(row0).toImage();
            const QColor highlight = list2->palette().color(QPalette::Active, QPalette::Highlight);
            int highlighted = 0;
            for (int x = 0; x < shown.width(); ++x) {
                const QColor pixel = shown.pixelColor(x, shown.height() / 2); // the style shades it a little
                highlighted += std::abs(pixel.red() - highlight.red()) + std::abs(pixel.green() - highlight.green())
                                   + std::abs(pixel.blue() - highlight.blue())
                               < 24;
            }
            QVERIFY2(highlighted > shown.width() / 3, qPrintable(QString("selector %1: %2 of %3 pixels highlighted")
                                                                     .arg(selector)
                                                                     .arg(highlighted)
                                                                     .arg(shown.width())));
        }
    }

    void formatControls_changeOnlyTheNextScan_textBoxesKeepTheirLength()
    {
        Harness h(true);
        h.action("mnuFSX")->setChecked(false);
        h.generate();
        const QStringList before = h.items("List2");

        h.scroll("VScroll1")->setValue(5);
        h.scroll("VScroll2")->setValue(2);
        h.window->showPanel(1);
        h.type("Text1", ";");
        QCOMPARE(h.items("List2"), before);

        h.generate();
        // Fields fitted to width + 1 = 6 characters, each followed by 2 + 1 spaces and ";".
        QCOMPARE(h.items("List2").value(0), "Airbus   ;a320 0   ;Airbus   ;.00\\a320");

        h.child<QCheckBox>("Check1")->setChecked(true);
        h.window->showPanel(4);
        h.clickRadio(2); // the title leads
        QCOMPARE(h.items("List2").value(0), "Airbus   ;a320 0   ;Airbus   ;.00\\a320");
        h.generate();
        QCOMPARE(h.items("List2"),
                 (QStringList{"Airbus A320;Airbus;a320 0;.00\\a320", "Boeing 747-400;Boeing;b747 0;.00\\b747",
                              "Piper Cub;Piper;cub 0;.00\\cub"}));

        h.window->showPanel(1); // the text boxes refuse characters beyond their length
        h.type("Text1", "abcdefg");
        h.type("Text2", "xy");
        QCOMPARE(QStringList({h.edit("Text1")->text(), h.edit("Text2")->text()}), (QStringList{";abcd", "x"}));
    }

    void leadField_subdirShowsItsNoticeEveryTime()
    {
        Harness h(true);
        h.window->showPanel(4);
        for (int i = 0; i < 3; ++i) {
            h.clickRadio(i);
        }
        QVERIFY(h.presenter.messages.isEmpty());
        h.clickRadio(3);
        h.clickRadio(3);
        QCOMPARE(h.presenter.messages, (QStringList{SubdirNotice, SubdirNotice}));
        QVERIFY(h.radio(3)->isChecked());
    }

    void extendedMode_onRescansAndOffWaits()
    {
        Harness h;
        QAction *extended = h.action("mnuFSX");
        QVERIFY(extended->isChecked()); // the first start's default
        extended->trigger();            // off
        QCOMPARE(h.rows("List2"), 0);
        h.generate();
        QCOMPARE(h.rows("List2"), 3);
        extended->trigger(); // on: every variation at once
        QCOMPARE(h.rows("List2"), 6);
        QCOMPARE(h.label("Label5")->text(), "6 Aircraft listed");
        extended->trigger(); // off again: the list stays as it is
        QCOMPARE(h.rows("List2"), 6);
    }

    void layout_stretchTwiceRestoresEverything()
    {
        Harness h(true);
        QCOMPARE(h.window->width(), 599);
        const QRect panelDesign(0, 0, 593, 129), listDesign(5, 16, 580, 109);
        for (const Panel element : AllPanels) {
            QCOMPARE(h.panel(element)->geometry(), panelDesign);
        }
        QWidget *listPanel = h.panel(Panel::GeneratedList);
        QListView *list2 = h.list("List2");
        QCOMPARE(list2->geometry(), listDesign);
        const QStringList lower{"img1", "lstImageFiles", "Text4", "HScroll1", "Label3", "Label5"};
        h.window->showPanel(5);

        h.key(Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.window->isStretched());
        QCOMPARE(listPanel->height(), h.window->frameGeometry().height() - 2 * 17);
        QCOMPARE(list2->geometry(), QRect(listDesign.topLeft(), QSize(listDesign.width(), listPanel->height() - 17)));
        for (const QString &name : lower) {
            QVERIFY2(h.child(name)->isHidden(), qPrintable(name));
        }
        QVERIFY(!h.child("Label10")->isHidden() && !h.child("Label7")->isHidden());

        h.key(Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!h.window->isStretched());
        QCOMPARE(listPanel->geometry(), panelDesign);
        QCOMPARE(list2->geometry(), listDesign);
        for (const QString &name : lower) {
            QVERIFY2(!h.child(name)->isHidden(), qPrintable(name));
        }
        QVERIFY(h.child("Label10")->isHidden());

        // Stretching from another panel leaves that one showing.
        h.window->showPanel(1);
        h.action("mnuStretch")->trigger();
        QCOMPARE(h.panels(), "2");
        QVERIFY(listPanel->height() > 129);
        QVERIFY(!h.child("Label10")->isHidden());
        // Resizing while stretched does not move the saved heights.
        h.window->resize(h.window->width() + 40, h.window->height() + 40);
        h.action("mnuStretch")->trigger();
        QCOMPARE(listPanel->height(), 129);
        QCOMPARE(list2->height(), 109);
    }

    void help_F1AndTheButtonOpenTheHelpPageAndTheAddressItsWebPage()
    {
        Harness h;
        h.window->showHelp();
        QVERIFY(h.helpViewer()->toPlainText().contains("missing"));
        h.helpViewer()->close();

        QVERIFY(writeFile(h.folder + "/hangardeck-help.html", "<html><body><h1>Using HANGARDECK</h1></body></html>"));
        QVERIFY(h.showAndActivate());
        h.key(Qt::Key_F1);
        QTRY_VERIFY(h.helpViewer()->isVisible());
        QVERIFY(h.helpViewer()->toPlainText().contains("Using HANGARDECK"));
        h.helpViewer()->close();

        h.window->showPanel(3);
        QTest::mouseClick(h.child<QPushButton>("Command4"), Qt::LeftButton);
        QTRY_VERIFY(h.helpViewer()->isVisible());

        // The web address on the help panel opens in the browser.
        const QUrl address(HANGARDECK_WEB_ADDRESS);
        QDesktopServices::setUrlHandler(address.scheme(), this, "recordUrl");
        QTest::mouseClick(h.edit("Text3"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(address.scheme());
        QCOMPARE(openedUrls, QList<QUrl>{address});

        h.window->close(); // closing the program closes its help too
        QVERIFY(!h.helpViewer()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
