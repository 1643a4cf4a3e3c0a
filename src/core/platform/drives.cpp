// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace hangardeck::core {

QStringList driveRoots()
{
#ifdef Q_OS_WIN
    // The drive letters, as a folder path shows them: "C:\".
    QStringList roots;
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives) {
        roots.append(QDir::toNativeSeparators(drive.absoluteFilePath()));
    }
    return roots;
#else
    QStringList roots{QStringLiteral("/")};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() && !root.isEmpty() && !roots.contains(root)) {
            roots.append(root);
        }
    }
    return roots;
#endif
}

int driveIndexOf(const QStringList &roots, const QString &path)
{
    // Drive letters and their folders compare without letter case, as Windows names them.
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity Case = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif
    const auto withSeparator = [](const QString &text) {
        const QString slashed = QDir::fromNativeSeparators(text);
        return slashed.endsWith(u'/') ? slashed : slashed + u'/';
    };
    const QString probe = withSeparator(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        const QString root = withSeparator(roots[i]);
        if (probe.startsWith(root, Case) && root.size() > bestLength) {
            best = int(i);
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace hangardeck::core
