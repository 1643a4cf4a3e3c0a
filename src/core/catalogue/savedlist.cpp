// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "catalogue/savedlist.h"

#include <QSaveFile>

namespace hangardeck::core {

bool writeSavedList(const QString &filePath, const QStringList &rows, QString *errorText)
{
    QByteArray content;
    for (const QString &row : rows) {
        content += row.toUtf8();
        content += "\r\n";
    }
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        if (errorText) {
            *errorText = file.errorString();
        }
        return false;
    }
    return true;
}

} // namespace hangardeck::core
