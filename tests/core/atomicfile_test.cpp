// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>

using namespace hangardeck::core;
using namespace hangardeck::testsupport;

namespace {

const char *const ChildOption = "--write-and-wait";
constexpr int RowCount = 300'000;

// The child's part: replaces the file with a list of RowCount rows, but stops halfway, says
// so on stdout and waits on stdin, where the test kills it.
int writeAndWait(const char *path)
{
    AtomicFileWriter writer(path);
    if (!writer.open()) {
        return 1;
    }
    const QByteArray row = "Piper                 J-3 Cub               Piper J-3 Cub .00 \\cub\r\n";
    QByteArray chunk;
    for (int i = 0; i < RowCount; ++i) {
        chunk += row;
        if (chunk.size() >= 64 * 1024 || i + 1 == RowCount) {
            if (!writer.write(chunk)) {
                return 1;
            }
            chunk.clear();
        }
        if (i == RowCount / 2) {
            std::fputs("halfway\n", stdout);
            std::fflush(stdout);
            char line[8];
            (void)std::fgets(line, sizeof line, stdin);
        }
    }
    return writer.commit() ? 0 : 1;
}

// A folder's entries, hidden ones too, in plain byte order.
QStringList entries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}

} // namespace

class AtomicFileTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A process killed in the middle of a large write leaves the old file whole and no temporary
    // file beside it.
    void killedWrite_leavesNothingBehind()
    {
        SKIP_ON_WINDOWS("the writer there is QSaveFile, whose temporary file outlives a killed process");
        const QString name = "output.txt";
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        QVERIFY(writeFile(file, "the old content\r\n"));
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildOption), file});
        QVERIFY(child.waitForReadyRead(30'000));
        QCOMPARE(child.readAll().trimmed(), QByteArray("halfway")); // the child's stdout is in text mode on Windows
        child.kill();                                               // SIGKILL: no destructor runs
        QVERIFY(child.waitForFinished(30'000));
        QCOMPARE(entries(dir.path()), QStringList{name});
        QCOMPARE(readFile(file), QByteArray("the old content\r\n"));
    }

    // A temporary file left by an earlier write that was killed (where the file system has no
    // unnamed files) is removed by the next write of that file; other files stay.
    void nextWrite_removesLeftovers()
    {
        SKIP_ON_WINDOWS("the writer there is QSaveFile, which names its temporary files its own way");
        QTemporaryDir dir;
        const QStringList kept{".hangardeck.ini.Ab3dEf9h", ".output.txt.Ab3dEf9", ".output.txt.Ab3d-f9h", "notes.txt"};
        for (const QString &name : kept + QStringList{".output.txt.Ab3dEf9h", ".output.txt.00000000"}) {
            QVERIFY(writeFile(dir.filePath(name), "x"));
        }
        QVERIFY(QDir(dir.path()).mkdir(".output.txt.zzzzzzzz")); // a folder is never ours
        QVERIFY(writeFileAtomically(dir.filePath("output.txt"), "new\r\n"));
        QStringList expected = kept + QStringList{".output.txt.zzzzzzzz", "output.txt"};
        expected.sort();
        QCOMPARE(entries(dir.path()), expected);
        QCOMPARE(readFile(dir.filePath("output.txt")), QByteArray("new\r\n"));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], ChildOption) == 0) {
        return writeAndWait(argv[2]);
    }
    QCoreApplication app(argc, argv);
    AtomicFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "atomicfile_test.moc"
