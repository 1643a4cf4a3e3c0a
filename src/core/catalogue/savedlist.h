// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SAVEDLIST_H
#define HANGARDECK_CORE_SAVEDLIST_H

#include <QByteArray>
#include <QStringList>

namespace hangardeck::core {

// The rows as text, each followed by lineEnd, UTF-8, nothing else.
QByteArray savedListText(const QStringList &rows, const QByteArray &lineEnd = QByteArrayLiteral("\r\n"));

} // namespace hangardeck::core

#endif
