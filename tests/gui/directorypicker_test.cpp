// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "finder/directorylistbox.h"
#include "finder/directorypickerpanel.h"
#include "shell/mainwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using hangardeck::gui::DirectoryListBox;
using hangardeck::gui::DirectoryPickerPanel;
using hangardeck::gui::MainWindow;
using namespace hangardeck::testsupport;

namespace {

QStringList itemTexts(const QListWidget &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.item(i)->text());
    }
    return texts;
}

void makeFolders(const QString &root, const QStringList &names)
{
    for (const QString &name : names) {
        QDir(root).mkpath(name);
    }
}

} // namespace

class DirectoryPickerTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The folder list

    void list_showsAncestorsCurrentAndSubfolders()
    {
        QTemporaryDir root;
        makeFolders(root.path(), {QStringLiteral("Aircraft/b747"), QStringLiteral("Aircraft/Cub"),
                                  QStringLiteral("Aircraft/a320/texture")});
        QVERIFY(writeFile(root.filePath(QStringLiteral("Aircraft/readme.txt")), "not a folder"));
        DirectoryListBox dir1;
        const QString aircraft = QDir(root.filePath(QStringLiteral("Aircraft"))).absolutePath();
        QVERIFY(dir1.setPath(aircraft + u'/'));
        QCOMPARE(dir1.path(), aircraft);

        const QStringList texts = itemTexts(dir1);
        const int depth = int(aircraft.count(u'/'));
        QCOMPARE(texts.first(), QStringLiteral("/"));
        QCOMPARE(texts.size(), depth + 1 + 3);
        QCOMPARE(texts.mid(depth), (QStringList{QStringLiteral("Aircraft"), QStringLiteral("a320"),
                                                 QStringLiteral("b747"), QStringLiteral("Cub")}));
        QCOMPARE(dir1.currentRow(), depth); // the open folder is highlighted
        QCOMPARE(dir1.subfolderCount(), 3);
        QCOMPARE(QString::fromStdString(dir1.subfolderPath(2).filename().string()), QStringLiteral("Cub"));
    }

    void list_singleClickHighlightsDoubleClickOpens()
    {
        QTemporaryDir root;
        makeFolders(root.path(), {QStringLiteral("b747/panel")});
        DirectoryListBox dir1;
        dir1.resize(400, 300);
        QVERIFY(dir1.setPath(root.path()));
        QSignalSpy changes(&dir1, &DirectoryListBox::pathChanged);
        QListWidgetItem *b747 = dir1.item(dir1.count() - 1);
        const QRect rect = dir1.visualItemRect(b747);

        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(dir1.currentItem(), b747);
        QCOMPARE(changes.count(), 0);

        QTest::mouseDClick(dir1.viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(dir1.path(), QDir(root.filePath(QStringLiteral("b747"))).absolutePath());
        QCOMPARE(itemTexts(dir1).last(), QStringLiteral("panel"));
    }

    void list_refusesMissingFoldersAndFiles()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root.filePath(QStringLiteral("file.txt")), "x"));
        DirectoryListBox dir1;
        QVERIFY(dir1.setPath(root.path()));
        QSignalSpy changes(&dir1, &DirectoryListBox::pathChanged);
        QVERIFY(!dir1.setPath(root.filePath(QStringLiteral("missing"))));
        QVERIFY(!dir1.setPath(root.filePath(QStringLiteral("file.txt"))));
        QVERIFY(!dir1.setPath(QString()));
        QVERIFY(dir1.setPath(root.path())); // the same path is no change
        QCOMPARE(changes.count(), 0);
        QCOMPARE(dir1.path(), QDir(root.path()).absolutePath());
    }

    void list_refreshShowsNewFolders()
    {
        QTemporaryDir root;
        DirectoryListBox dir1;
        QVERIFY(dir1.setPath(root.path()));
        QCOMPARE(dir1.subfolderCount(), 0);
        makeFolders(root.path(), {QStringLiteral("later")});
        QCOMPARE(dir1.subfolderCount(), 0);
        dir1.refresh();
        QCOMPARE(dir1.subfolderCount(), 1);
    }

    void list_survivesLinkLoopsAndUnreadableFolders()
    {
        QTemporaryDir root;
        makeFolders(root.path(), {QStringLiteral("locked/inside")});
        QVERIFY(QFile::link(root.path(), root.filePath(QStringLiteral("loop"))));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("self")), root.filePath(QStringLiteral("self"))));
        DirectoryListBox dir1;
        QVERIFY(dir1.setPath(root.path()));
        QStringList names = itemTexts(dir1).mid(dir1.currentRow() + 1);
        QCOMPARE(names, (QStringList{QStringLiteral("locked"), QStringLiteral("loop")}));

        // Opening the link to the folder itself is one more level, not an endless walk.
        QVERIFY(dir1.setPath(root.filePath(QStringLiteral("loop"))));
        QCOMPARE(dir1.subfolderCount(), 2);

        const QString locked = root.filePath(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        if (QDir(locked).isReadable()) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with rights that ignore folder permissions");
        }
        const bool opened = dir1.setPath(locked);
        const int children = dir1.subfolderCount();
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(opened);
        QCOMPARE(children, 0);
    }

    // The panel in the window

    void drives_listRootFirstAndEachOnce()
    {
        const QStringList roots = DirectoryPickerPanel::driveRoots();
        QCOMPARE(roots.first(), QStringLiteral("/"));
        QCOMPARE(roots.size(), QSet<QString>(roots.begin(), roots.end()).size());
    }

    void labels_followEveryPathChange()
    {
        QTemporaryDir program;
        QTemporaryDir aircraft;
        makeFolders(aircraft.path(), {QStringLiteral("b747")});
        RecordingPresenter presenter;
        MainWindow window(program.path(), &presenter);
        auto *dir1 = window.findChild<DirectoryListBox *>(QStringLiteral("Dir1"));
        auto *label3 = window.findChild<QLabel *>(QStringLiteral("Label3"));
        auto *label8 = window.findChild<QLabel *>(QStringLiteral("Label8"));
        QCOMPARE(label3->text(), QStringLiteral("Set Aircraft Directory Before Making List"));
        QVERIFY(label8->text().isEmpty());

        QVERIFY(dir1->setPath(aircraft.path()));
        const QString path = QDir(aircraft.path()).absolutePath();
        QCOMPARE(label3->text(), path);
        QCOMPARE(label8->text(), QStringLiteral("Set: ") + path);

        // Choosing a drive moves the folder list to it.
        auto *drive1 = window.findChild<QComboBox *>(QStringLiteral("Drive1"));
        QCOMPARE(drive1->itemText(0), QStringLiteral("/"));
        {
            const QSignalBlocker blocker(drive1);
            drive1->setCurrentIndex(-1);
        }
        drive1->setCurrentIndex(0);
        QCOMPARE(dir1->path(), QStringLiteral("/"));
        QCOMPARE(label3->text(), QStringLiteral("/"));
        QCOMPARE(label8->text(), QStringLiteral("Set: /"));
    }
};

QTEST_MAIN(DirectoryPickerTest)
#include "directorypicker_test.moc"
