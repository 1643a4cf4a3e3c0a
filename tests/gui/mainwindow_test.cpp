// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"
#include "testconfig.h"

#include "finder/directorylistbox.h"
#include "shell/helpviewer.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using hangardeck::gui::DirectoryListBox;
using hangardeck::gui::MainWindow;
using namespace hangardeck::testsupport;

namespace {

// A program folder and an aircraft directory of three aircraft (six variations), plus the
// simulator's own "default" folder that every scan skips.
struct Harness {
    QTemporaryDir programDir;
    QTemporaryDir aircraftDir;
    RecordingPresenter presenter;
    std::unique_ptr<MainWindow> window;

    Harness()
    {
        writeAircraft(aircraftDir.path(), QStringLiteral("b747"), QStringLiteral("Boeing"),
                      {QStringLiteral("Boeing 747-400"), QStringLiteral("Boeing 747 Cargo")});
        writeAircraft(aircraftDir.path(), QStringLiteral("cub"), QStringLiteral("Piper"),
                      {QStringLiteral("Piper Cub"), QStringLiteral("Cub Floats"), QStringLiteral("Cub Skis")});
        writeAircraft(aircraftDir.path(), QStringLiteral("a320"), QStringLiteral("Airbus"),
                      {QStringLiteral("Airbus A320")});
        writeAircraft(aircraftDir.path(), QStringLiteral("default"), QStringLiteral("Microsoft"),
                      {QStringLiteral("Default Plane")});
        window = std::make_unique<MainWindow>(programDir.path(), &presenter);
        presenter.messages.clear(); // the first start's welcome
        window->findChild<DirectoryListBox *>(QStringLiteral("Dir1"))->setPath(aircraftDir.path());
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
    QListWidget *list(const char *name) const { return child<QListWidget>(QLatin1String(name)); }
    QAction *action(const char *name) const { return child<QAction>(QLatin1String(name)); }
    QStringList items(const char *name) const
    {
        QStringList texts;
        const QListWidget *l = list(name);
        for (int i = 0; i < l->count(); ++i) {
            texts.append(l->item(i)->text());
        }
        return texts;
    }
    std::optional<int> visiblePanel() const
    {
        std::optional<int> shown;
        for (const int element : MainWindow::PanelElements) {
            if (!window->panel(element)->isHidden()) {
                if (shown) {
                    return -1; // more than one
                }
                shown = element;
            }
        }
        return shown;
    }
    bool showAndActivate() const
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

// A radio button takes clicks on its circle and caption only, not on the rest of its box.
void clickRadio(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class MainWindowTest final : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void recordUrl(const QUrl &url) { m_openedUrls.append(url); }

private:
    QList<QUrl> m_openedUrls;

private Q_SLOTS:
    // Layout

    void layout_followsTheDesignInPixels()
    {
        Harness h;
        QCOMPARE(h.window->objectName(), QStringLiteral("ui_type"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("MERIDOXA HANGARDECK 1.1"));
        QCOMPARE(h.window->width(), 599);
        for (const int element : MainWindow::PanelElements) {
            QCOMPARE(h.window->panel(element)->objectName(), QStringLiteral("setframes_%1").arg(element));
            QCOMPARE(h.window->panel(element)->geometry(), QRect(0, 0, 593, 129));
        }
        QVERIFY(h.window->panel(1) == nullptr);
        QCOMPARE(h.list("List2")->geometry(), QRect(5, 16, 580, 109));
        QCOMPARE(h.child<QWidget>(QStringLiteral("Dir1"))->geometry(), QRect(184, 8, 401, 111));
        QCOMPARE(h.child<QWidget>(QStringLiteral("img1"))->geometry(), QRect(0, 128, 313, 273));
        QCOMPARE(h.child<QWidget>(QStringLiteral("Text4"))->geometry(), QRect(320, 192, 273, 209));
        QCOMPARE(h.child<QWidget>(QStringLiteral("Label5"))->geometry(), QRect(448, 408, 145, 17));
        QCOMPARE(h.child<QWidget>(QStringLiteral("Option1_3"))->geometry(), QRect(448, 24, 129, 17));
        QCOMPARE(h.list("lstTitles")->geometry(), QRect(296, 40, 145, 82));
    }

    void layout_captionsFontsAndTips()
    {
        Harness h;
        const QString fixedFamily = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        QCOMPARE(h.list("List2")->font().family(), fixedFamily);
        QCOMPARE(h.list("lstImageFiles")->font().family(), fixedFamily);
        QCOMPARE(h.list("List2")->toolTip(), QStringLiteral("Double Click to open aircraft.cfg"));
        QCOMPARE(h.window->panel(5)->toolTip(), QStringLiteral("CTRL-L to stretch list view"));
        QCOMPARE(h.child<QRadioButton>(QStringLiteral("Option1_1"))->toolTip(),
                 QStringLiteral("Select field to lead/sort by"));
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("0 Aircraft Listed"));
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label4"))->text(), QStringLiteral("MERIDOXA HANGARDECK Version 1.1.0"));
        QVERIFY(!h.child<QLabel>(QStringLiteral("Label6"))->text().isEmpty());
        QVERIFY(h.child<QLabel>(QStringLiteral("Label10"))->isHidden());
        QVERIFY(h.child<QListWidget>(QStringLiteral("lstImages"))->isHidden());
        QCOMPARE(h.child<QPushButton>(QStringLiteral("cmdFind"))->text(), QStringLiteral("Find Directory"));
        QCOMPARE(h.child<QPushButton>(QStringLiteral("Command4"))->text(), QStringLiteral("Help (F1)"));
        QCOMPARE(h.child<QLineEdit>(QStringLiteral("Text3"))->text(), QStringLiteral(HANGARDECK_WEB_ADDRESS));
    }

    void menus_haveTheirCaptionsAndShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("save") << "mnuSave" << "&Save List to File" << QKeySequence(QStringLiteral("Ctrl+S"));
        QTest::newRow("open") << "mnuOpen" << "&Open Saved List File from Disk" << QKeySequence(QStringLiteral("Ctrl+O"));
        QTest::newRow("defaults") << "mnuDefaults" << "&Set Default Settings" << QKeySequence();
        QTest::newRow("exit") << "mnuExit" << "E&xit ALT+F4" << QKeySequence();
        QTest::newRow("path") << "menuApath" << "Aircraft &Path" << QKeySequence();
        QTest::newRow("format") << "mnuFormat" << "&Data Format" << QKeySequence();
        QTest::newRow("fields") << "mnuFields" << "&Fields" << QKeySequence();
        QTest::newRow("generate") << "mnuGenerate" << "&Generate List" << QKeySequence(QStringLiteral("F5"));
        QTest::newRow("extended") << "mnuFSX" << "&List Extra Fltsim.x also" << QKeySequence();
        QTest::newRow("view") << "mnuViewGen" << "&View Generated List" << QKeySequence(QStringLiteral("Ctrl+G"));
        QTest::newRow("stretch") << "mnuStretch" << "&Stretch/Unstretch List View" << QKeySequence(QStringLiteral("Ctrl+L"));
        QTest::newRow("cancel") << "mnuCancel" << "&Cancel" << QKeySequence();
        QTest::newRow("help") << "mnuhelp" << "&Help/About" << QKeySequence();
    }
    void menus_haveTheirCaptionsAndShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        Harness h;
        QAction *item = h.child<QAction>(name);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        QCOMPARE(item->isCheckable(), name == QStringLiteral("mnuFSX"));
    }

    void menuBar_holdsTheItemsInOrder()
    {
        Harness h;
        QStringList captions;
        for (const QAction *item : h.window->menuBar()->actions()) {
            captions.append(item->text());
        }
        QCOMPARE(captions, (QStringList{QStringLiteral("&File"), QStringLiteral("Aircraft &Path"),
                                        QStringLiteral("&Data Format"), QStringLiteral("&Fields"),
                                        QStringLiteral("&Aircraft List"), QStringLiteral("&Help/About")}));
    }

    // Panels

    void showPanel_selectsOneElement_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("element"); // -1: none visible
        QTest::newRow("directory picker") << 0 << 0;
        QTest::newRow("data format") << 1 << 2;
        QTest::newRow("none") << 2 << -1;
        QTest::newRow("help") << 3 << 3;
        QTest::newRow("field lists") << 4 << 4;
        QTest::newRow("generated list") << 5 << 5;
    }
    void showPanel_selectsOneElement()
    {
        QFETCH(int, selector);
        QFETCH(int, element);
        Harness h;
        h.window->showPanel(4);
        h.window->showPanel(selector);
        QCOMPARE(h.visiblePanel(), element < 0 ? std::nullopt : std::optional<int>(element));
    }

    void showPanel_otherSelectorsChangeNothing()
    {
        Harness h;
        h.window->showPanel(3);
        for (const int selector : {6, 7, 8, 10, 42, 255, -1}) {
            h.window->showPanel(selector);
            QCOMPARE(h.visiblePanel(), std::optional<int>(3));
        }
    }

    void menuItems_switchPanels()
    {
        Harness h;
        h.action("mnuFormat")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(2));
        h.action("mnuFields")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(4));
        h.action("mnuhelp")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(3));
        h.action("menuApath")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(0));
    }

    void aircraftListMenu_showsTheListWhenOpened()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.window->showPanel(1);
        auto *menu = h.child<QMenu>(QStringLiteral("mnulst"));
        menu->popup(h.window->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        menu->hide(); // closed without a choice
        QCOMPARE(h.visiblePanel(), std::optional<int>(5));
    }

    void viewGeneratedAndCancel_changeNothing()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        QTest::keyClick(h.window.get(), Qt::Key_F5);
        h.window->showPanel(4);
        const QStringList rows = h.items("List2");
        QTest::keyClick(h.window.get(), Qt::Key_G, Qt::ControlModifier);
        h.action("mnuCancel")->trigger();
        h.action("mnuViewGen")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(4));
        QCOMPARE(h.items("List2"), rows);
    }

    void label3Click_showsTheDirectoryPicker()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.window->showPanel(3);
        QTest::mouseClick(h.child<QLabel>(QStringLiteral("Label3")), Qt::LeftButton);
        QCOMPARE(h.visiblePanel(), std::optional<int>(0));
    }

    // Generating the list

    void generate_F5FillsTheListsAndTheCount()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.action("mnuFSX")->setChecked(false);
        QTest::keyClick(h.window.get(), Qt::Key_F5);

        const QStringList rows = h.items("List2");
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].startsWith(QStringLiteral("Airbus ")));
        QVERIFY(rows[0].endsWith(QStringLiteral(".00\\a320")));
        QVERIFY(rows[1].startsWith(QStringLiteral("Boeing ")));
        QVERIFY(rows[2].startsWith(QStringLiteral("Piper ")));
        // The field lists keep scan order: folders by name.
        QCOMPARE(h.items("lstManuf"), (QStringList{QStringLiteral("Airbus"), QStringLiteral("Boeing"), QStringLiteral("Piper")}));
        QCOMPARE(h.items("lstAircraft"), (QStringList{QStringLiteral("a320 0"), QStringLiteral("b747 0"), QStringLiteral("cub 0")}));
        QCOMPARE(h.items("lstTitles"), (QStringList{QStringLiteral("Airbus A320"), QStringLiteral("Boeing 747-400"), QStringLiteral("Piper Cub")}));
        QCOMPARE(h.items("List1"), (QStringList{QStringLiteral("\\a320"), QStringLiteral("\\b747"), QStringLiteral("\\cub")}));
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("3 Aircraft listed"));
        QCOMPARE(h.list("List2")->currentRow(), 0);
        QCOMPARE(h.window->currentListPath(), h.child<DirectoryListBox>(QStringLiteral("Dir1"))->path());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void generate_beforeAnyScanPathIsZ_andTwiceGivesTheSameLists()
    {
        Harness h;
        QCOMPARE(h.window->currentListPath(), QStringLiteral("Z"));
        h.action("mnuGenerate")->trigger();
        const QStringList rows = h.items("List2");
        const QStringList titles = h.items("lstTitles");
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.items("List2"), rows);
        QCOMPARE(h.items("lstTitles"), titles);
    }

    void generate_emptyDirectoryListsNothing()
    {
        Harness h;
        QTemporaryDir empty;
        h.child<DirectoryListBox>(QStringLiteral("Dir1"))->setPath(empty.path());
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.list("List2")->count(), 0);
        QCOMPARE(h.list("lstManuf")->count(), 0);
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("0 Aircraft listed"));
    }

    void generate_seesFoldersAddedSinceThePathWasSet()
    {
        Harness h;
        h.action("mnuFSX")->setChecked(false);
        h.action("mnuGenerate")->trigger();
        QVERIFY(writeAircraft(h.aircraftDir.path(), QStringLiteral("zlin"), QStringLiteral("Zlin"), {QStringLiteral("Zlin 242")}));
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.list("List2")->count(), 4);
        QVERIFY(h.items("Dir1").contains(QStringLiteral("zlin")));
    }

    void formatControls_changeOnlyTheNextScan()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.action("mnuFSX")->setChecked(false);
        h.action("mnuGenerate")->trigger();
        const QStringList before = h.items("List2");

        auto *width = h.child<QScrollBar>(QStringLiteral("VScroll1"));
        QCOMPARE(width->minimum(), 5);
        QCOMPARE(width->maximum(), 40);
        width->setValue(width->minimum());
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("5"));
        auto *padding = h.child<QScrollBar>(QStringLiteral("VScroll2"));
        QCOMPARE(padding->maximum(), 20);
        padding->setValue(2);
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("2"));
        h.window->showPanel(1);
        auto *delimiter = h.child<QLineEdit>(QStringLiteral("Text1"));
        delimiter->setFocus();
        QTest::keyClicks(delimiter, QStringLiteral(";"));
        QCOMPARE(h.items("List2"), before);

        h.action("mnuGenerate")->trigger();
        // Fields fitted to width + 1 = 6 characters, each followed by 3 spaces and ";".
        QCOMPARE(h.list("List2")->item(0)->text(), QStringLiteral("Airbus   ;a320 0   ;Airbus   ;.00\\a320"));

        h.child<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.list("List2")->item(0)->text(), QStringLiteral("Airbus;a320 0;Airbus A320;.00\\a320"));
    }

    void textBoxes_refuseCharactersBeyondTheirLength()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.window->showPanel(1);
        auto *delimiter = h.child<QLineEdit>(QStringLiteral("Text1"));
        auto *terminator = h.child<QLineEdit>(QStringLiteral("Text2"));
        delimiter->setFocus();
        QTest::keyClicks(delimiter, QStringLiteral("abcdefg"));
        QCOMPARE(delimiter->text(), QStringLiteral("abcde"));
        terminator->setFocus();
        QTest::keyClicks(terminator, QStringLiteral("xy"));
        QCOMPARE(terminator->text(), QStringLiteral("x"));
    }

    void leadField_subdirShowsItsNoticeEveryTime()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.window->showPanel(4);
        for (int i = 0; i < 3; ++i) {
            clickRadio(h.child<QRadioButton>(QStringLiteral("Option1_%1").arg(i)));
        }
        QVERIFY(h.presenter.messages.isEmpty());
        auto *subdir = h.child<QRadioButton>(QStringLiteral("Option1_3"));
        clickRadio(subdir);
        clickRadio(subdir);
        QCOMPARE(h.presenter.messages.size(), 2);
        QCOMPARE(h.presenter.messages[0].split(u'\n'),
                 (QStringList{QStringLiteral("The following is not available when subdir is NOT last field."),
                              QStringLiteral("Image Browsing"), QStringLiteral("Opening Aircraft.cfg w/double clicking"),
                              QStringLiteral("Viewing extended details.")}));
        QVERIFY(subdir->isChecked());
    }

    void leadField_ordersTheNextScan()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.action("mnuFSX")->setChecked(false);
        h.window->showPanel(4);
        clickRadio(h.child<QRadioButton>(QStringLiteral("Option1_2")));
        h.action("mnuGenerate")->trigger();
        const QStringList rows = h.items("List2");
        QVERIFY(rows[0].startsWith(QStringLiteral("Airbus A320")));
        QVERIFY(rows[1].startsWith(QStringLiteral("Boeing 747-400")));
        QVERIFY(rows[2].startsWith(QStringLiteral("Piper Cub")));
    }

    void extendedMode_onRescansAndOffWaits()
    {
        Harness h;
        QAction *extended = h.action("mnuFSX");
        QVERIFY(extended->isChecked()); // the first start's default
        extended->trigger(); // off
        QVERIFY(!extended->isChecked());
        QCOMPARE(h.list("List2")->count(), 0);
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.list("List2")->count(), 3);

        extended->trigger(); // on: every variation at once
        QVERIFY(extended->isChecked());
        QCOMPARE(h.list("List2")->count(), 6);
        QCOMPARE(h.child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("6 Aircraft listed"));

        extended->trigger(); // off again: the list stays as it is
        QCOMPARE(h.list("List2")->count(), 6);
    }

    void generate_matchesTheCommandLineOnTheSamples()
    {
        const QString samples = QStringLiteral(HANGARDECK_SAMPLES_DIR "/Aircraft");
        if (!QFileInfo(samples).isDir()) {
            QSKIP("no sample collection");
        }
        QProcess cli;
        cli.start(QStringLiteral(HANGARDECK_CLI_PATH), {QStringLiteral("list"), QStringLiteral("--extended"), samples});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        QStringList expected = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
        if (!expected.isEmpty() && expected.last().isEmpty()) {
            expected.removeLast();
        }

        Harness h;
        h.child<DirectoryListBox>(QStringLiteral("Dir1"))->setPath(samples);
        h.action("mnuGenerate")->trigger();
        QVERIFY(!expected.isEmpty());
        QCOMPARE(h.items("List2"), expected);
    }

    // Stretch mode

    void stretch_twiceRestoresEverything()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        h.window->showPanel(5);
        QWidget *listPanel = h.window->panel(5);
        QListWidget *list2 = h.list("List2");
        const QStringList lower{QStringLiteral("img1"), QStringLiteral("lstImageFiles"), QStringLiteral("Text4"),
                                QStringLiteral("HScroll1"), QStringLiteral("Label3"), QStringLiteral("Label5")};
        const QRect panelBefore = listPanel->geometry();
        const QRect listBefore = list2->geometry();

        QTest::keyClick(h.window.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(h.window->isStretched());
        QCOMPARE(listPanel->height(), h.window->frameGeometry().height() - 2 * 17);
        QCOMPARE(list2->height(), listPanel->height() - 17);
        QCOMPARE(list2->width(), listBefore.width());
        QCOMPARE(list2->pos(), listBefore.topLeft());
        for (const QString &name : lower) {
            QVERIFY2(h.child<QWidget>(name)->isHidden(), qPrintable(name));
        }
        QVERIFY(!h.child<QWidget>(QStringLiteral("Label10"))->isHidden());
        QVERIFY(!h.child<QWidget>(QStringLiteral("Label7"))->isHidden());

        QTest::keyClick(h.window.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!h.window->isStretched());
        QCOMPARE(listPanel->geometry(), panelBefore);
        QCOMPARE(list2->geometry(), listBefore);
        for (const QString &name : lower) {
            QVERIFY2(!h.child<QWidget>(name)->isHidden(), qPrintable(name));
        }
        QVERIFY(h.child<QWidget>(QStringLiteral("Label10"))->isHidden());
    }

    void stretch_leavesAnotherPanelShowing()
    {
        Harness h;
        h.window->showPanel(1);
        h.action("mnuStretch")->trigger();
        QCOMPARE(h.visiblePanel(), std::optional<int>(2));
        QVERIFY(h.window->panel(5)->height() > 129);
        QVERIFY(!h.child<QWidget>(QStringLiteral("Label10"))->isHidden());
        // Resizing while stretched does not move the saved heights.
        h.window->resize(h.window->width() + 40, h.window->height() + 40);
        h.action("mnuStretch")->trigger();
        QCOMPARE(h.window->panel(5)->height(), 129);
        QCOMPARE(h.list("List2")->height(), 109);
    }

    // Help and the web page

    void help_F1AndTheButtonOpenTheHelpPage()
    {
        Harness h;
        QVERIFY(writeFile(h.programDir.filePath(QStringLiteral("hangardeck-help.html")),
                          "<html><body><h1>Using HANGARDECK</h1></body></html>"));
        QVERIFY(h.showAndActivate());
        QTest::keyClick(h.window.get(), Qt::Key_F1);
        QVERIFY(h.window->helpViewer());
        QTRY_VERIFY(h.window->helpViewer()->isVisible());
        QVERIFY(h.window->helpViewer()->toPlainText().contains(QStringLiteral("Using HANGARDECK")));
        h.window->helpViewer()->close();

        h.window->showPanel(3);
        QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
        QTRY_VERIFY(h.window->helpViewer()->isVisible());

        // Closing the program closes its help too.
        h.window->close();
        QVERIFY(!h.window->helpViewer()->isVisible());
    }

    void help_missingPageSaysSo()
    {
        Harness h;
        h.window->showHelp();
        QVERIFY(h.window->helpViewer()->toPlainText().contains(QStringLiteral("missing")));
        h.window->helpViewer()->close();
    }

    void webAddress_clickOpensIt()
    {
        Harness h;
        QVERIFY(h.showAndActivate());
        const QUrl address(QStringLiteral(HANGARDECK_WEB_ADDRESS));
        QDesktopServices::setUrlHandler(address.scheme(), this, "recordUrl");
        m_openedUrls.clear();
        h.window->showPanel(3);
        QTest::mouseClick(h.child<QLineEdit>(QStringLiteral("Text3")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(address.scheme());
        QCOMPARE(m_openedUrls, QList<QUrl>{address});
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
