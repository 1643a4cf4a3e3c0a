// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SAVEDLIST_H
#define HANGARDECK_CORE_SAVEDLIST_H

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace hangardeck::core {

// The rows as text, each followed by lineEnd, UTF-8, nothing else.
QByteArray savedListText(const QStringList &rows, const QByteArray &lineEnd = QByteArrayLiteral("\r\n"));

// Writes rows as the saved list file (each row followed by CR LF), replacing the file
// atomically, so an interrupted save keeps the previous list whole. Returns false (and
// leaves the old file) when it cannot be written; errorText then says why.
bool writeSavedList(const QString &filePath, const QStringList &rows, QString *errorText = nullptr);

} // namespace hangardeck::core

#endif
