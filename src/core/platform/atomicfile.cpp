// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace {

// The rename lives in the folder's own entries: until they reach the disk, a power cut can
// bring the old file back, or none at all on some file systems.
void syncFolderOf(const QString &filePath)
{
#ifdef Q_OS_UNIX
    // QSaveFile follows a symbolic link and replaces its target, so sync the target's folder.
    const QFileInfo written(filePath);
    const QString canonical = written.canonicalFilePath();
    const QString folder = QFileInfo(canonical.isEmpty() ? written.absoluteFilePath() : canonical).absolutePath();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The new content is complete already; a folder that cannot be synced changes nothing.
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(filePath)
#endif
}

} // namespace

bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *errorText)
{
    // QSaveFile writes a temporary file in the same folder, syncs it and renames it over
    // the file at commit.
    QSaveFile file(filePath);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit()) {
        syncFolderOf(filePath);
        return true;
    }
    if (errorText) {
        *errorText = file.errorString();
    }
    return false;
}

} // namespace hangardeck::core
