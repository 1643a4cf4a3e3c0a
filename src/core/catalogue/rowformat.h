// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ROWFORMAT_H
#define HANGARDECK_CORE_ROWFORMAT_H

#include "core/catalogue/catalogueentry.h"
#include "core/catalogue/formatsettings.h"

#include <QByteArray>
#include <QString>

namespace hangardeck::core::rowformat {

// Pads with spaces or cuts a value to exactly widthChars + 1 characters; never splits a
// surrogate pair, so a character beyond the BMP counts as one.
QString fitField(const QString &value, int widthChars);

// The entry tag: "." and the entry number in two digits (.00, .09, .32).
QString fltsimTag(int fltsimIndex);

// The padding written after each field: paddingCount + 1 spaces.
QString padString(int paddingCount);

// One row of the generated list for an entry, in the settings' lead order:
//   Boeing                ;747-400               ;Boeing 747-400 Jumbo   ;.03\b747
QString formatRow(const CatalogueEntry &entry, const FormatSettings &settings);

// The same row appended to a text, which may be one buffer used for row after row.
void appendRow(QString &row, const CatalogueEntry &entry, const FormatSettings &settings);

// One field of a CSV record (RFC 4180), as UTF-8: a value holding a comma, a quote or a line
// break is quoted, its quotes doubled:
//   Boeing 747 "Cargo", freighter   gives   "Boeing 747 ""Cargo"", freighter"
QByteArray csvField(const QString &value);

} // namespace hangardeck::core::rowformat

#endif
