// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "platform/atomicfile.h"

#include <QSaveFile>

namespace hangardeck::core {

bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *errorText)
{
    QSaveFile file(filePath);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit()) {
        return true;
    }
    if (errorText) {
        *errorText = file.errorString();
    }
    return false;
}

} // namespace hangardeck::core
