// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_HELPLOCATION_H
#define HANGARDECK_CORE_HELPLOCATION_H

#include <QString>
#include <QStringList>

namespace hangardeck::core {

// The help page's file name, the same in every place it is looked for.
inline constexpr char16_t HelpPageFileName[] = u"hangardeck-help.html";

// Where the help page may be, in the order it is looked for: beside the program (the build
// tree, a portable copy), then in the data folder named relative to the program's folder
// ("/usr/bin" and "../share/hangardeck" give "/usr/share/hangardeck/hangardeck-help.html").
// An empty data folder leaves only the first place.
QStringList helpPageCandidates(const QString &programFolder, const QString &dataFolderFromProgram);

// The first of helpPageCandidates() that is a file; the place beside the program when none
// is, so a missing page is reported where a portable copy would hold it.
QString locateHelpPage(const QString &programFolder, const QString &dataFolderFromProgram);

// Whether the program runs from an installed tree: no help page beside it, one in its data
// folder. Such a program keeps nothing beside itself, even where it could write there (root).
bool isInstalledLayout(const QString &programFolder, const QString &dataFolderFromProgram);

} // namespace hangardeck::core

#endif
