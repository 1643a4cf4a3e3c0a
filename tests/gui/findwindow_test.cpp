// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "gui/finder/findwindow.h"

using namespace hangardeck::testsupport;
using hangardeck::gui::FindWindow;

namespace {

// A disk with an aircraft directory below a game folder, excluded folders holding aircraft
// directories of their own, and a folder without any.
struct Harness : AircraftRun {
    FindWindow *find = nullptr;

    Harness()
        : AircraftRun(
            [](const QString &disk) {
                return QDir(disk).mkpath("Games/FS9/Aircraft/a320 aircraft pack")
                       && QDir(disk).mkpath("Games/FS9/Aircraft SDK/Aircraft")
                       && QDir(disk).mkpath("My Documents/Aircraft") && QDir(disk).mkpath("Other/Empty");
            },
            true)
    {
    }
    // "Find Directory" on the directory picker panel, the search starting at a folder.
    bool open(const QString &start)
    {
        window->showPanel(0);
        QTest::mouseClick(child<QPushButton>("cmdFind"), Qt::LeftButton);
        find = window->findChild<FindWindow *>("frmFind");
        return find && find->findChild<DirectoryListBox *>("Dir1")->setPath(aircraft.filePath(start));
    }
    void search() const { QTest::mouseClick(find->findChild<QPushButton *>("Command2"), Qt::LeftButton); }
    // The finds as written here, with slashes.
    QStringList found() const
    {
        QStringList found = texts(find->findChild<QListWidget *>("List1"));
        for (QString &path : found) {
            path = QDir::fromNativeSeparators(path);
        }
        return found;
    }
    QString findLabel(const QString &name) const { return find->findChild<QLabel *>(name)->text(); }
    QString path(const QString &below) const { return QDir(aircraft.path()).filePath(below); }
};

} // namespace

class FindWindowTest final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home; // a home without Wine prefixes, so that only the tree's finds are listed

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        for (const char *name : {"WINEPREFIX", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            qunsetenv(name);
        }
    }

    // The main window gives way to the search window; a search lists the matches in walk
    // order, parents first, and skips the excluded folders; a second search adds its finds.
    void search_listsAircraftDirectoriesAndKeepsEarlierFinds()
    {
        Harness h;
        QVERIFY(h.open("Games"));
        QVERIFY(!h.window->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(h.find));
        QCOMPARE(h.find->windowTitle(), "HANGARDECK Search For Aircraft Directory");
        QCOMPARE(h.find->size(), QSize(536, 305));
        QVERIFY(h.found().isEmpty());
        // The opening text is read whole: its wrapped lines fit the label, above the buttons.
        auto *label1 = h.find->findChild<QLabel *>("Label1");
        QVERIFY(label1->text().endsWith("return to  HANGARDECK."));
        QCOMPARE(label1->pos(), QPoint(200, 32));
        QVERIFY(label1->geometry().bottom() < h.find->findChild<QPushButton *>("Command2")->y());
#ifndef Q_OS_WIN // Wine's fonts, measured offscreen, are wider than any Windows font of the size
        QVERIFY(label1->font().bold() && label1->font().pointSizeF() >= 7.5);
        QVERIFY2(
            label1->heightForWidth(label1->width()) <= label1->height(),
            qPrintable(
                QString("%1 px of text in %2 px").arg(label1->heightForWidth(label1->width())).arg(label1->height())));
#endif

        h.search();
        const QStringList finds{h.path("Games/FS9/Aircraft"), h.path("Games/FS9/Aircraft/a320 aircraft pack")};
        QCOMPARE(h.found(), finds);
        QCOMPARE(h.findLabel("Label1"), "Double click the directory below you believe is your aircraft directory.");
        QCOMPARE(h.findLabel("Label2"), "");
        QVERIFY(!QApplication::overrideCursor());
        h.search();
        QCOMPARE(h.found(), finds + finds);

        QVERIFY(h.find->findChild<DirectoryListBox *>("Dir1")->setPath(h.path("Other")));
        h.find->findChild<QListWidget *>("List1")->clear();
        h.search();
        QCOMPARE(h.findLabel("Label1"), "Your aircraft directory could not be found.  Try another drive or folder.");

        // A Wine prefix's Aircraft folder comes first, and once, though the walk passes it too.
        SKIP_ON_WINDOWS("the home there is the user profile, not $HOME");
        const QString inPrefix = h.path("home/.wine/drive_c/Program Files/Microsoft Games/Flight Simulator 9/Aircraft");
        QVERIFY(QDir().mkpath(inPrefix));
        qputenv("HOME", QFile::encodeName(h.path("home")));
        const auto restoreHome = qScopeGuard([this] { qputenv("HOME", QFile::encodeName(m_home.path())); });
        QVERIFY(h.find->findChild<DirectoryListBox *>("Dir1")->setPath(h.path("")));
        h.search();
        QCOMPARE(h.found(), QStringList{inPrefix} + finds);
    }

    void progressDots_growToFiftyOneThenStartAgain()
    {
        QString dots;
        for (int step = 1; step <= 51; ++step) {
            dots = FindWindow::nextDots(dots);
            QCOMPARE(dots.size(), step);
        }
        QCOMPARE(FindWindow::nextDots(dots), "..");
    }

    // A double-click adopts the directory: the main window moves there, keeps it as acpath,
    // and its list no longer counts as generated.
    void doubleClick_adoptsTheDirectory()
    {
        Harness h;
        h.action("mnuGenerate")->trigger(); // a list of the directory in use
        QVERIFY(h.open("Games"));
        h.search();
        auto *list1 = h.find->findChild<QListWidget *>("List1");
        const QString chosen = h.path("Games/FS9/Aircraft/a320 aircraft pack");
        // A double-click arrives after the press and release of its first click.
        const QPoint second = list1->visualItemRect(list1->item(1)).center();
        QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, second);
        QTRY_VERIFY(h.window->isVisible());
        QCOMPARE(h.dir1()->path(), native(chosen));
        QCOMPARE(iniValues(iniIn(h.folder), "acpath"), native(chosen));
        QCOMPARE(h.panels(), "0");
        h.action("mnuSave")->trigger();
        QCOMPARE(h.presenter.messages, QStringList{"Nothing to save, generate list first."});
    }

    // Cancel and the close box change nothing and bring the main window back as it was.
    void cancelAndCloseBox_changeNothing()
    {
        for (const bool viaCancel : {true, false}) {
            Harness h;
            const QString before = h.dir1()->path();
            const QByteArray ini = readFile(iniIn(h.folder));
            QVERIFY(h.open("Games"));
            h.search();
            if (viaCancel) {
                QTest::mouseClick(h.find->findChild<QPushButton *>("Command1"), Qt::LeftButton);
            } else {
                h.find->close();
            }
            QTRY_VERIFY(h.window->isVisible());
            QTRY_VERIFY(!h.window->findChild<FindWindow *>("frmFind"));
            QCOMPARE(h.dir1()->path(), before);
            QCOMPARE(readFile(iniIn(h.folder)), ini);
            QCOMPARE(h.panels(), "0");
        }
    }

    // Cancel pressed while a search runs stops it between directories and closes the window.
    void cancelDuringASearch_stopsItAndCloses()
    {
        Harness h;
        QVERIFY(h.open("Games"));
        auto *cancel = h.find->findChild<QPushButton *>("Command1");
        QTimer::singleShot(0, cancel, [cancel] { QTest::mouseClick(cancel, Qt::LeftButton); });
        int foundWhenClosed = -1;
        QObject::connect(h.find, &FindWindow::closed, h.find,
                         [&h, &foundWhenClosed] { foundWhenClosed = int(h.found().size()); });
        h.search(); // the timer fires while the search repaints after its first directory
        QTRY_VERIFY(h.window->isVisible());
        QCOMPARE(foundWhenClosed, 0); // stopped before the two aircraft directories below
        QTRY_VERIFY(!h.window->findChild<FindWindow *>("frmFind"));
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(FindWindowTest)
#include "findwindow_test.moc"
