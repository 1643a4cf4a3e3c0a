// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ROWFOLDERRULE_H
#define HANGARDECK_CORE_ROWFOLDERRULE_H

#include <QString>
#include <QStringView>

#include <optional>

namespace hangardeck::core {

// The folder a row of the generated list names: the row from its first backslash to its
// end, trailing spaces removed (other characters stay):
//   "Boeing ... .03\b747  " gives "\b747"
// nullopt when the row holds no backslash.
std::optional<QString> rowFolder(QStringView row);

// The entry number text a row names: the two characters just before its first backslash,
// without a leading "0" (".05\b747" gives "5", ".12\b747" gives "12", ".00\b747" gives "0").
// Text, since a row laid out otherwise may hold anything there; nullopt when the row holds
// no backslash or fewer than two characters stand before it.
std::optional<QString> rowEntryText(QStringView row);

} // namespace hangardeck::core

#endif
