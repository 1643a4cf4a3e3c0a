// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ATOMICFILE_H
#define HANGARDECK_CORE_ATOMICFILE_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <filesystem>
#include <memory>

QT_BEGIN_NAMESPACE
class QSaveFile;
QT_END_NAMESPACE

namespace hangardeck::core {

// Replaces a file's whole content, written piece by piece into a temporary file in the same
// folder; commit() flushes it to disk and renames it over the file, so readers see the old
// content or the new, never half of it, even after a power cut. On Linux the temporary file
// has no name until commit(), so a process killed while writing leaves nothing behind; where
// it needs a name (".output.txt.Ab3dEf9h"), the next write of the same file removes one left over. A symbolic link stays as it
// is: the file it leads to is replaced. Destroyed before commit(), it removes the temporary
// file and leaves the old file as it was. Errors carry the system's cause ("No space left on
// device", "File too large").
class AtomicFileWriter final
{
public:
    explicit AtomicFileWriter(std::filesystem::path filePath);
    ~AtomicFileWriter();
    Q_DISABLE_COPY_MOVE(AtomicFileWriter)

    // Creates the temporary file; false when the file cannot be replaced: a missing folder,
    // an existing file that is read-only, a directory or anything but a regular file.
    bool open();

    // Appends bytes to the new content; false from the first failure on.
    bool write(QByteArrayView bytes);

    // Syncs the new content to disk and puts it in place of the file.
    bool commit();

    // Why the last step failed.
    QString errorText() const { return m_errorText; }

private:
    std::filesystem::path m_filePath;
    QString m_errorText;
#ifdef Q_OS_UNIX
    bool fail(int errorNumber);
    void discard();

    std::filesystem::path m_targetPath;
    std::filesystem::path m_temporaryPath;
    int m_fd = -1;
    bool m_unnamed = false; // m_fd is a file without a name yet (O_TMPFILE)
    bool m_failed = false;
#else
    std::unique_ptr<QSaveFile> m_file;
#endif
};

// Replaces a file's whole content as AtomicFileWriter does. Returns false and leaves the old
// file when writing fails; errorText then says why.
bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *errorText = nullptr);

} // namespace hangardeck::core

#endif
