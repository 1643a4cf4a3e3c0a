// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SAVEDLIST_H
#define HANGARDECK_CORE_SAVEDLIST_H

#include <QString>
#include <QStringList>

namespace hangardeck::core {

// Writes rows as the saved list file: each row followed by CR LF, UTF-8, nothing else.
// The file is replaced atomically, so an interrupted save keeps the previous list whole.
// Returns false (and leaves the old file) when it cannot be written; errorText then says why.
bool writeSavedList(const QString &filePath, const QStringList &rows, QString *errorText = nullptr);

} // namespace hangardeck::core

#endif
