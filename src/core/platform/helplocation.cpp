// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/helplocation.h"

#include <QDir>
#include <QFileInfo>

namespace hangardeck::core {

QStringList helpPageCandidates(const QString &programFolder, const QString &dataFolderFromProgram)
{
    const QString fileName = QString::fromUtf16(HelpPageFileName);
    const QDir program(programFolder);
    QStringList candidates{QDir::cleanPath(program.filePath(fileName))};
    if (!dataFolderFromProgram.isEmpty()) {
        // cleanPath turns "/usr/bin/../share/hangardeck" into "/usr/share/hangardeck" so the
        // viewer's title and messages name the real place.
        candidates.append(QDir::cleanPath(QDir(program.filePath(dataFolderFromProgram)).filePath(fileName)));
    }
    return candidates;
}

QString locateHelpPage(const QString &programFolder, const QString &dataFolderFromProgram)
{
    const QStringList candidates = helpPageCandidates(programFolder, dataFolderFromProgram);
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return candidates.constFirst();
}

bool isInstalledLayout(const QString &programFolder, const QString &dataFolderFromProgram)
{
    const QStringList candidates = helpPageCandidates(programFolder, dataFolderFromProgram);
    return candidates.size() == 2 && !QFileInfo(candidates[0]).isFile() && QFileInfo(candidates[1]).isFile();
}

} // namespace hangardeck::core
