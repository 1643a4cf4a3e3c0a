// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
//
// What only Windows has: drive letters, junctions and links, paths past 260 characters, names
// outside the ANSI code page, %APPDATA%, Notepad. Built for Windows only; run under Wine here.
#include "guitestsupport.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/finder/directorysearch.h"
#include "core/inspection/picturewalk.h"
#include "core/platform/drives.h"
#include "core/platform/folderhandle.h"
#include "core/settings/settingsfile.h"
#include "gui/finder/findwindow.h"

#include <windows.h>
#undef FindWindow // windows.h's name for FindWindowW would hide the search window's class

using namespace hangardeck;
using namespace hangardeck::testsupport;
namespace fs = std::filesystem;

namespace {

// A path past MAX_PATH: levels of 40-letter folders below root.
QString deepFolder(const QString &root, int levels)
{
    QString path = root;
    for (int i = 0; i < levels; ++i) {
        path += "/level" + QString::number(i) + QString(34, QLatin1Char('x'));
    }
    return path;
}

QStringList searched(const fs::path &start)
{
    QStringList found;
    core::DirectorySearchCallbacks callbacks;
    callbacks.found = [&found](const fs::path &path) { found.append(core::fromNativePath(path)); };
    callbacks.searched = [] { return true; };
    core::searchAircraftDirectories(start, callbacks);
    return found;
}

} // namespace

class WindowsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The drive list holds the drive letters as "C:\", both windows start on C:, and a folder
    // keeps its drive whatever the letter case of its path.
    void drives_areLettersAndTheSearchStartsOnC()
    {
        const QStringList roots = core::driveRoots();
        QVERIFY2(roots.contains("C:\\"), qPrintable(roots.join(' ')));
        for (const QString &root : roots) {
            QVERIFY2(QRegularExpression("^[A-Z]:\\\\$").match(root).hasMatch(), qPrintable(root));
        }
        QCOMPARE(core::driveIndexOf(roots, "c:\\windows\\system32"), roots.indexOf("C:\\"));

        gui::FindWindow find;
        QCOMPARE(find.findChild<gui::DirectoryListBox *>("Dir1")->path(), QString("C:\\"));
        QCOMPARE(find.findChild<QComboBox *>("Drive1")->currentText(), QString("C:\\"));

        Run run;
        auto *drive = run.child<QComboBox>("Drive1");
        QVERIFY(run.child<gui::DirectoryListBox>("Dir1")->setPath("C:\\windows"));
        QCOMPARE(drive->currentText(), QString("C:\\"));
    }

    // A link to a folder (a junction; Wine shows a Unix link as one) is listed as a link: the
    // walks never enter it, so a loop cannot hold them, while the scan of the Aircraft folder
    // takes a linked add-on like any folder. The tree comes from the test's set-up, which
    // makes the links on the Unix side.
    void links_areNeverFollowedByTheWalks()
    {
        const QString tree = QDir::toNativeSeparators(qEnvironmentVariable("HANGARDECK_LINKED_TREE"));
        if (tree.isEmpty()) {
            QSKIP("HANGARDECK_LINKED_TREE is not set (ctest sets it)");
        }
        const fs::path root = core::toNativePath(tree);
        const core::FolderHandle aircraft = core::FolderHandle::open(root / "Aircraft");
        QVERIFY(aircraft.isOpen());
        const std::optional<core::ChildInfo> loop = aircraft.childInfo(L"b747/loop", core::Links::DontFollow);
        QVERIFY(loop && loop->isLink && !loop->isDirectory);
        QVERIFY(!aircraft.openChild(L"linked", core::Links::DontFollow).isOpen());
        QVERIFY(aircraft.openChild(L"linked", core::Links::Follow).isOpen());

        // The search ends, and finds the one Aircraft folder once.
        QCOMPARE(searched(root), QStringList{tree + "\\Aircraft"});
        // The picture walk does not go round the loop.
        QCOMPARE(core::findPictures(root / "Aircraft" / "b747").size(), size_t(1));
        // The scan lists the linked add-on as an aircraft of its own.
        const core::CatalogueScan scan = core::scanCatalogue(root / "Aircraft", true, {});
        QCOMPARE(scan.rows().size(), 2);
    }

    // A folder whose path is past 260 characters is listed, read and found, and its path is
    // given back whole.
    void longPaths_areReadAsAnyOther()
    {
        QTemporaryDir dir;
        const QString folder = deepFolder(dir.path() + "/Aircraft", 7) + "/b747";
        QVERIFY(folder.size() > 300);
        QVERIFY(writeFile(folder + "/aircraft.cfg", "[fltsim.0]\r\ntitle=Deep Jumbo\r\nui_manufacturer=Boeing\r\n"));
        QVERIFY(writeFile(folder + "/texture/thumbnail.jpg", "not really a picture"));

        const core::FileRead read = core::readRegularFile(core::toNativePath(folder + "/aircraft.cfg"));
        QCOMPARE(read.status, core::FileRead::Read);
        QVERIFY(read.bytes.contains("Deep Jumbo"));

        const core::CatalogueScan scan =
            core::scanCatalogue(core::toNativePath(deepFolder(dir.path() + "/Aircraft", 7)), true, {});
        QCOMPARE(scan.rows().size(), 1);
        QVERIFY(scan.rows().first().contains("Deep Jumbo"));
        QCOMPARE(core::findPictures(core::toNativePath(folder)).size(), size_t(1));
        QCOMPARE(searched(core::toNativePath(dir.path())).size(), 1);
    }

    // Names are UTF-16 from the system: a name outside every ANSI code page reads as it is.
    void names_outsideTheCodePage_keepTheirLetters()
    {
        AircraftTree tree;
        const QString name = QString::fromUtf8("Łódź 飛行機 Ωmega");
        QVERIFY(tree.cfg(name, "[fltsim.0]\r\ntitle=Kite\r\n"));
        const core::CatalogueScan scan = core::scanCatalogue(tree.root(), true, {});
        QCOMPARE(scan.rows().size(), 1);
        QVERIFY2(scan.rows().first().endsWith("\\" + name), qPrintable(scan.rows().first()));
    }

    // The user's folder is %APPDATA%\hangardeck; settings that cannot be written beside the
    // program (a read-only file, as under Program Files) go there and are read from there.
    void settings_fallBackToAppData()
    {
        QTemporaryDir appData, program;
        qputenv("APPDATA", QDir::toNativeSeparators(appData.path()).toLocal8Bit());
        QCOMPARE(core::userConfigFolder(), appData.path() + "/hangardeck");

        const QString portable = program.filePath("hangardeck.ini");
        QVERIFY(writeFile(portable, "[main]\r\nsheep=1\r\n"));
        QVERIFY(SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(portable).utf16()),
                                   FILE_ATTRIBUTE_READONLY));
        const core::SettingsFile file(program.path(), core::userConfigFolder());
        QCOMPARE(file.write({{"acpath", "C:\\Aircraft"}}), appData.path() + "/hangardeck/hangardeck.ini");
        QCOMPARE(file.readPath(), appData.path() + "/hangardeck/hangardeck.ini");
        QCOMPARE(file.read().value(QByteArrayView("main"), QByteArrayView("acpath")),
                 std::optional<QString>("C:\\Aircraft"));
        QCOMPARE(readFile(portable), QByteArray("[main]\r\nsheep=1\r\n"));
        SetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(portable).utf16()),
                           FILE_ATTRIBUTE_NORMAL);
    }

    // Notepad gets the path with backslashes, quoted, so a folder with blanks opens; the first
    // run's aircraft directory is the simulator's own.
    void notepadAndDefaults_areWindowsOwn()
    {
        QCOMPARE(core::notepadArguments("C:/Program Files/My Planes/aircraft.cfg"),
                 QString("\"C:\\Program Files\\My Planes\\aircraft.cfg\""));
        QCOMPARE(core::simulatorAircraftDirectory(),
                 QString("C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\Aircraft\\"));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
