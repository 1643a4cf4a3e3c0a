// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace hangardeck::testsupport;

namespace {

// A picture of a given size and colour, as a file's bytes.
QByteArray pictureBytes(QSize size, const char *format = "JPG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

bool writePicture(const QString &path, QSize size, const char *format = "JPG")
{
    return writeFile(path, pictureBytes(size, format));
}

// Two aircraft: b747 with three variations, pictures in its folder and below it; cub with one
// variation and no pictures.
struct Harness : AircraftRun {
    Harness()
        : AircraftRun(
            [](const QString &dir) {
                return writeFile(
                           dir + "/b747/aircraft.cfg",
                           "[fltsim.0]\r\ntitle=Boeing 747-100\r\nui_manufacturer=Boeing\r\nui_type=747-100\r\n"
                           "description=Long-range jumbo\r\n\r\n"
                           "[fltsim.1]\r\ntitle=Boeing 747 Cargo\r\nui_manufacturer=Boeing\r\nui_type=747-200F\r\n"
                           "description = Freighter\r\n\r\n"
                           "[fltsim.2]\r\ntitle=Boeing 747-400\r\nui_manufacturer=Boeing\r\nui_type=747-400\r\n")
                       && writeAircraft(dir, "cub", "Piper", {"Piper Cub"})
                       && writePicture(dir + "/b747/thumbnail.jpg", QSize(400, 200))
                       && writePicture(dir + "/b747/texture/t1.jpg", QSize(64, 64))
                       && writeFile(dir + "/b747/texture/zz.jpg", pictureBytes(QSize(64, 64)).left(120))
                       && writePicture(dir + "/b747/panel/p.gif", QSize(32, 32), "PNG");
            },
            true)
    {
        window->showPanel(5);
    }
    QString details() const { return child<QTextEdit>("Text4")->toPlainText(); }
    QStringList pictureNames() const { return texts(child<QListWidget>("lstImageFiles")); }
    bool noticeShown() const { return !label("Label7")->isHidden() && label("img1")->pixmap().isNull(); }
    // The pointer over the pictures is busy while they are looked for.
    bool walking() const { return child<QListWidget>("lstImageFiles")->testAttribute(Qt::WA_SetCursor); }
    // Selects the row of an aircraft folder as the arrow keys do, without running the event loop.
    void select(const QString &folder) const
    {
        const QStringList rows = items("List2");
        const auto row =
            std::find_if(rows.begin(), rows.end(), [&](const QString &r) { return r.endsWith('\\' + folder); });
        QVERIFY(row != rows.end());
        list("List2")->setCurrentIndex(
            list("List2")->model()->index(int(row - rows.begin()), list("List2")->modelColumn()));
    }
};

} // namespace

class InspectionPaneTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Selecting rows by the scan, the mouse and the keys shows each variation's details and
    // the aircraft's pictures; an aircraft without pictures shows the notice. The stepper goes
    // through the aircraft's variations.
    void selectingRows_showsDetailsAndPictures()
    {
        Harness h;
        h.action("mnuGenerate")->trigger();
        QCOMPARE(h.items("List2").size(), 4);
        QCOMPARE(h.currentRow("List2"), 0); // Boeing 747-100, entry 0
        QCOMPARE(h.details(), "Boeing 747-100\n\nBoeing\n\n747-100\n\nLong-range jumbo\n[fltsim.0]");
        QTRY_COMPARE(h.pictureNames(), (QStringList{"thumbnail.jpg", "t1.jpg", "zz.jpg", "p.gif"}));
        const auto *paths = h.child<QListWidget>("lstImages");
        QCOMPARE(paths->item(1)->text(), native(QDir(h.aircraft.path()).filePath("b747/texture/t1.jpg")));
        QVERIFY(!paths->isVisible());
        QTRY_VERIFY(!h.label("img1")->pixmap().isNull());
        QVERIFY(h.label("Label7")->isHidden());
        const QPixmap shown = h.label("img1")->pixmap();
        QCOMPARE(shown.width(), h.label("img1")->width()); // 2:1, fitted to the width, aspect kept
        QCOMPARE(shown.height(), h.label("img1")->width() / 2);

        QTest::keyClick(h.list("List2"), Qt::Key_Down); // Boeing 747 Cargo, entry 1
        QCOMPARE(h.details(), "Boeing 747 Cargo\n\nBoeing\n\n747-200F\n\n= Freighter\n[fltsim.1]");
        h.click("List2", 3); // Piper Cub
        QCOMPARE(h.details(), "Piper Cub\n\nPiper\n\ncub 0\n\n-EMPTY-\n[fltsim.0]");
        QTRY_VERIFY(h.noticeShown());
        QVERIFY(h.pictureNames().isEmpty());
        QVERIFY(h.presenter.messages.isEmpty());

        // Picking another picture shows it; a click on it opens it.
        h.click("List2", 0);
        QTRY_COMPARE(h.pictureNames().size(), 4);
        h.child<QListWidget>("lstImageFiles")->setCurrentRow(1);
        QTRY_COMPARE(h.label("img1")->pixmap().size(), QSize(h.label("img1")->height(), h.label("img1")->height()));
        QTest::mouseClick(h.label("img1"), Qt::LeftButton);
        const QString t1 = QDir(h.aircraft.path()).filePath("b747/texture/t1.jpg");
        QCOMPARE(h.launcher.opened, QStringList{t1});
        // A broken picture after a good one shows the notice; a click on it opens nothing.
        h.child<QListWidget>("lstImageFiles")->setCurrentRow(2);
        QTRY_VERIFY(h.noticeShown());
        QTest::mouseClick(h.label("img1"), Qt::LeftButton);
        // A double-click (press, release, double-click, release) opens the picture once.
        h.child<QListWidget>("lstImageFiles")->setCurrentRow(1);
        QTRY_VERIFY(h.label("Label7")->isHidden());
        QTest::mouseClick(h.label("img1"), Qt::LeftButton);
        QTest::mouseDClick(h.label("img1"), Qt::LeftButton);
        QTest::mouseRelease(h.label("img1"), Qt::LeftButton);
        QCOMPARE(h.launcher.opened, (QStringList{t1, t1}));

        // The keyboard reaches the stepper: Tab out of the details, an arrow steps.
        h.child<QTextEdit>("Text4")->setFocus();
        QTest::keyClick(h.child<QTextEdit>("Text4"), Qt::Key_Tab);
        QVERIFY(!h.details().contains(u'\t'));
        QCOMPARE(QApplication::focusWidget(), h.scroll("HScroll1"));
        QTest::keyClick(h.scroll("HScroll1"), Qt::Key_Right);
        QCOMPARE(h.details().section(u'\n', 0, 0), "Boeing 747 Cargo");
        QTest::keyClick(h.scroll("HScroll1"), Qt::Key_Left);
        QCOMPARE(h.details().section(u'\n', 0, 0), "Boeing 747-100");
        // The first entry without a title is still shown; one step past it comes back to entry 0.
        h.scroll("HScroll1")->setValue(3);
        QCOMPARE(h.details(), "-EMPTY-\n\n-EMPTY-\n\n-EMPTY-\n\n-EMPTY-\n[fltsim.3]");
        QTest::keyClick(h.scroll("HScroll1"), Qt::Key_Right);
        QCOMPARE(h.scroll("HScroll1")->value(), 0);
        QVERIFY(h.details().startsWith("Boeing 747-100\n"));
    }

#ifdef Q_OS_UNIX
    // Folders that could hold the window never do: a FIFO named like a picture, a link to a tree
    // of 100,000 pictures (listed up to the bound, and stopped for another row), a photo still
    // being decoded when another row is selected (its picture never shows for that row).
    void hostileFolders_neverHoldTheWindow()
    {
        Harness h;
        const QString dir = h.aircraft.path();
        QVERIFY(writeAircraft(dir, "fifo", "Fifo", {"Fifo"}) && writePicture(dir + "/fifo/b.jpg", QSize(64, 64)));
        QCOMPARE(::mkfifo(QFile::encodeName(dir + "/fifo/a.jpg").constData(), 0600), 0);
        QVERIFY(writeAircraft(dir, "photo", "Photo", {"Photo"})
                && writePicture(dir + "/photo/photo.jpg", QSize(4000, 3000)));
        QTemporaryDir elsewhere;
        QVERIFY(writeAircraft(elsewhere.path(), "tree", "Huge", {"Huge"}));
        // Links to an empty file, one per folder (a file has at most 65,000 names): a new
        // file each would take a minute on some disks.
        for (int folder = 0; folder < 10; ++folder) {
            const QString path = elsewhere.path() + QString("/tree/f%1/").arg(folder);
            const QByteArray empty = QFile::encodeName(elsewhere.path() + QString("/empty%1").arg(folder));
            QVERIFY(QDir().mkpath(path) && writeFile(QFile::decodeName(empty), {}));
            for (int file = 0; file < 10000; ++file) {
                const QByteArray name = QFile::encodeName(path + QString("p%1.jpg").arg(file, 5, 10, QChar('0')));
                QCOMPARE(::link(empty.constData(), name.constData()), 0);
            }
        }
        QVERIFY(QFile::link(elsewhere.path() + "/tree", dir + "/huge"));
        h.action("mnuGenerate")->trigger();
        auto *names = h.child<QListWidget>("lstImageFiles");

        h.select("huge");
        QVERIFY(h.pictureNames().isEmpty()); // the walk runs on, the window goes on at once
        QTRY_COMPARE_WITH_TIMEOUT(names->count(), 10001, 30000);
        QCOMPARE(names->item(0)->text(), "p00000.jpg");
        QCOMPARE(names->item(10000)->text(), "(only the first 10,000 pictures are listed)");
        QCOMPARE(names->item(10000)->flags(), Qt::NoItemFlags);
        QCOMPARE(h.child<QListWidget>("lstImages")->count(), 10001);

        // What the walk found before another row was selected never reaches that row.
        h.select("b747");
        QTest::qWait(1);
        h.select("huge");
        QThread::msleep(300);
        h.select("cub");
        QTRY_VERIFY(!h.walking());
        QVERIFY(h.noticeShown());
        QVERIFY(h.pictureNames().isEmpty());

        // Nor does the photo decoded for a row no longer selected.
        h.select("photo");
        QElapsedTimer clock;
        clock.start();
        while (names->count() == 0 && clock.elapsed() < 10000) {
            QCoreApplication::processEvents(); // only until the list fills, while the photo decodes
        }
        QCOMPARE(h.pictureNames(), QStringList{"photo.jpg"});
        h.select("cub");
        QTRY_VERIFY(h.noticeShown());
        QTest::qWait(300);
        QVERIFY(h.noticeShown());

        // A FIFO cannot be read as a picture: the notice, and the next picture shows.
        h.select("fifo");
        QTRY_COMPARE(h.pictureNames(), (QStringList{"a.jpg", "b.jpg"}));
        QTRY_VERIFY(h.noticeShown());
        names->setCurrentRow(1);
        QTRY_VERIFY(!h.label("img1")->pixmap().isNull());
    }

#endif

    // Before a list exists, Enter opens nothing and Save says so, leaving the old file as it was.
    // Then a double-click or Enter (any modifier) opens the row's aircraft.cfg, and a press into a
    // list without a selection selects the first row. The saved list holds the rows in List2's
    // order with CR LF, is replaced whole by each save, and is opened.
    void openAndSave_beforeAndAfterAList()
    {
        Harness h;
        const QString output = QDir(h.folder).filePath("output.txt");
        QVERIFY(writeFile(output, "an older list\r\n"));
        QTest::keyClick(h.list("List2"), Qt::Key_Return);
        h.action("mnuSave")->trigger();
        QCOMPARE(h.presenter.messages, QStringList{"Nothing to save, generate list first."});
        QCOMPARE(readFile(output), QByteArray("an older list\r\n"));
        QVERIFY(h.launcher.opened.isEmpty());

        h.action("mnuGenerate")->trigger();
        h.list("List2")->setCurrentIndex({});
        QTest::mousePress(h.list("List2")->viewport(), Qt::LeftButton, {}, QPoint(5, h.list("List2")->height() - 3));
        QCOMPARE(h.currentRow("List2"), 0);
        QTest::mouseRelease(h.list("List2")->viewport(), Qt::LeftButton, {}, QPoint(5, h.list("List2")->height() - 3));
        const QString cub = QDir(h.aircraft.path()).filePath("cub/aircraft.cfg");
        const QString b747 = QDir(h.aircraft.path()).filePath("b747/aircraft.cfg");
        h.doubleClick("List2", 3);
        QTest::keyClick(h.list("List2"), Qt::Key_Up);
        QTest::keyClick(h.list("List2"), Qt::Key_Enter, Qt::ShiftModifier);
        QTest::keyClick(h.list("List2"), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(h.list("List2"), Qt::Key_Return);
        h.action("mnuSave")->trigger();
        QCOMPARE(readFile(output), (h.items("List2").join("\r\n") + "\r\n").toUtf8());
        QCOMPARE(h.label("Label3")->text(), "Target: " + native(output));
        QCOMPARE(h.currentRow("List2"), 0);

        // Enter on a list a scan left empty opens nothing; saving that list empties the file.
        QTemporaryDir empty;
        h.dir1()->setPath(empty.path());
        h.action("mnuGenerate")->trigger();
        QTest::keyClick(h.list("List2"), Qt::Key_Return);
        h.action("mnuSave")->trigger();
        QCOMPARE(readFile(output), QByteArray());
        h.action("mnuOpen")->trigger();
        QCOMPARE(h.launcher.opened, (QStringList{cub, b747, b747, b747, output, output, output}));
    }
};

QTEST_MAIN(InspectionPaneTest)
#include "inspectionpane_test.moc"
