// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DESCRIPTIONSCAN_H
#define HANGARDECK_CORE_DESCRIPTIONSCAN_H

#include <QString>
#include <QStringView>

namespace hangardeck::core {

// The description of an entry as the details view shows it, found by a plain search of the
// file's whole text: from the first occurrence of sectionText ("fltsim.3") anywhere, the
// first of "description=", "description = ", "description= ", "description =" (in that
// order, without regard to case); the text 12 characters after it up to and including the
// line's end, which is given as a carriage return:
//   description=Twin jet\r\n     gives "Twin jet\r"
// "-EMPTY-" when the section text or the key does not occur, when no line end follows, when
// the candidate is shorter than 4 characters or when it holds "TITLE=".
QString scanDescription(QStringView fileText, QStringView sectionText);

} // namespace hangardeck::core

#endif
