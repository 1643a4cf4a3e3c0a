// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/savedlist.h"

namespace hangardeck::core {

QByteArray savedListText(const QStringList &rows, const QByteArray &lineEnd)
{
    QByteArray text;
    text.reserve(rows.size() * 96);
    for (const QString &row : rows) {
        text += row.toUtf8();
        text += lineEnd;
    }
    return text;
}

} // namespace hangardeck::core
