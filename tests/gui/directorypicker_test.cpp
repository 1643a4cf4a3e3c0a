// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "guitestsupport.h"

#include "core/platform/drives.h"
#include "gui/finder/directorypickerpanel.h"

using namespace hangardeck::testsupport;

class DirectoryPickerTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The list shows the ancestors, the open folder highlighted and its sub-folders; a click
    // highlights one, a double-click opens it.
    void list_showsAncestorsCurrentAndSubfolders_doubleClickOpens()
    {
        QTemporaryDir root;
        for (const QString &folder : QStringList{"Aircraft/b747", "Aircraft/Cub", "Aircraft/a320/texture"}) {
            QDir(root.path()).mkpath(folder);
        }
        QVERIFY(writeFile(root.filePath("Aircraft/readme.txt"), "not a folder"));
        DirectoryListBox dir1;
        dir1.resize(400, 300);
        const QString aircraft = QDir(root.filePath("Aircraft")).absolutePath();
        QVERIFY(dir1.setPath(aircraft + '/'));
        QCOMPARE(dir1.path(), native(aircraft));
        const QStringList names = dir1.entryNames();
        const int depth = int(aircraft.count('/'));
        QCOMPARE(names.first(), native(QDir::rootPath())); // "/", or the drive: "C:\\"
        QCOMPARE(names.mid(depth), (QStringList{"Aircraft", "a320", "b747", "Cub"}));
        QCOMPARE(dir1.currentIndex().row(), depth);
        QCOMPARE(dir1.subfolderCount(), 3);
        QCOMPARE(QString::fromStdString(dir1.subfolderPath(2).filename().string()), "Cub");

        QSignalSpy changes(&dir1, &DirectoryListBox::pathChanged);
        const QModelIndex a320 = dir1.model()->index(depth + 1, 0);
        const QPoint centre = dir1.visualRect(a320).center();
        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(dir1.currentIndex(), a320);
        QCOMPARE(changes.count(), 0);
        QTest::mouseDClick(dir1.viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(dir1.path(), native(aircraft + "/a320"));
        QCOMPARE(dir1.entryNames().last(), "texture");
    }

    // Missing folders, files and no path are refused; links to the folder itself or to nothing and
    // unreadable folders neither hang nor break the list, which is listed once, until refreshed.
    void list_refusesNonFoldersAndSurvivesLinkLoopsAndUnreadableFolders()
    {
        QTemporaryDir root;
        QVERIFY(writeFile(root.filePath("file.txt"), "x"));
        QDir(root.path()).mkpath("locked/inside");
        QVERIFY(QFile::link(root.path(), root.filePath("loop")));
        QVERIFY(QFile::link(root.filePath("self"), root.filePath("self")));
        DirectoryListBox dir1;
        QVERIFY(dir1.setPath(root.path()));
        QSignalSpy changes(&dir1, &DirectoryListBox::pathChanged);
        for (const QString &refused : {root.filePath("missing"), root.filePath("file.txt"), QString()}) {
            QVERIFY2(!dir1.setPath(refused), qPrintable(refused));
        }
        QVERIFY(dir1.setPath(root.path())); // the same path is no change
        QCOMPARE(changes.count(), 0);
        QCOMPARE(dir1.path(), native(QDir(root.path()).absolutePath()));
        SKIP_ON_WINDOWS("the loop is a link Unix makes, and locked a mode-0111 folder");
        QCOMPARE(dir1.entryNames().mid(dir1.currentIndex().row() + 1), (QStringList{"locked", "loop"}));
        QDir(root.path()).mkpath("later");
        QCOMPARE(dir1.subfolderCount(), 2);
        dir1.refresh();
        QCOMPARE(dir1.subfolderCount(), 3);
        // Opening the link to the folder itself is one more level, not an endless walk.
        QVERIFY(dir1.setPath(root.filePath("loop")));
        QCOMPARE(dir1.subfolderCount(), 3);

        const QString locked = root.filePath("locked");
        QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        const bool rightsIgnored = QDir(locked).isReadable();
        const bool opened = dir1.setPath(locked);
        const int children = dir1.subfolderCount();
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (rightsIgnored) {
            QSKIP("running with rights that ignore folder permissions");
        }
        QVERIFY(opened);
        QCOMPARE(children, 0);
    }

    void labelsAndDrives_followEveryPathChange()
    {
        SKIP_ON_WINDOWS("the drives are letters there (windows_test), and no name holds '<'");
        const QStringList roots = hangardeck::core::driveRoots();
        QCOMPARE(roots.first(), "/");
        QCOMPARE(roots.size(), QSet<QString>(roots.begin(), roots.end()).size()); // each once

        QTemporaryDir aircraft;
        Run run;
        const auto shown = [&] {
            return QStringList{run.dir1()->path(), run.label("Label3")->text(), run.label("Label8")->text()};
        };
        QCOMPARE(shown(), (QStringList{QDir::currentPath(), "Set Aircraft Directory Before Making List", ""}));
        QVERIFY(run.dir1()->setPath(aircraft.path()));
        const QString path = QDir(aircraft.path()).absolutePath();
        QCOMPARE(shown(), (QStringList{path, path, "Set: " + path}));
        // A folder name that looks like markup shows as written.
        const QString tagged = path + "/<b>Bold <i>folder";
        QVERIFY(QDir().mkpath(tagged) && run.dir1()->setPath(tagged));
        QCOMPARE(shown(), (QStringList{tagged, tagged, "Set: " + tagged}));
        for (const QString &name : QStringList{"Label3", "Label8"}) {
            QCOMPARE(run.label(name)->textFormat(), Qt::PlainText);
        }

        // Choosing a drive moves the folder list to it.
        auto *drive1 = run.child<QComboBox>("Drive1");
        QCOMPARE(drive1->itemText(0), "/");
        {
            const QSignalBlocker blocker(drive1);
            drive1->setCurrentIndex(-1);
        }
        drive1->setCurrentIndex(0);
        QCOMPARE(shown(), (QStringList{"/", "/", "Set: /"}));
    }
};

QTEST_MAIN(DirectoryPickerTest)
#include "directorypicker_test.moc"
