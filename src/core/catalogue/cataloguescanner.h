// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_CATALOGUESCANNER_H
#define HANGARDECK_CORE_CATALOGUESCANNER_H

#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/catalogueentry.h"
#include "core/catalogue/formatsettings.h"
#include "core/platform/directorylisting.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace hangardeck::core {

// Everything one "Generate List" produces. The rows are not kept as text: each is formatted
// again from its entry when asked for, as cheap as reading it, and a list of 300,000 rows
// holds no 60 MB of row texts.
struct CatalogueScan {
    // Entries in scan order: item k of each field list belongs to entries[k]. A deque grows
    // without moving what it holds, so a large list never stands twice in memory.
    std::deque<CatalogueEntry> entries;
    // The rows sorted without regard to case, ties in scan order: rowEntries[i] is the
    // index in entries of row i.
    std::vector<int> rowEntries;
    // The format the rows were laid out and sorted with.
    FormatSettings format;
    // The aircraft folders the entries came from, in native form (a name that is not valid
    // text still opens); the variations of one folder share it.
    std::vector<std::filesystem::path::string_type> folderPaths;

    qsizetype rowCount() const { return qsizetype(rowEntries.size()); }
    // Row i of the generated list:
    //   Boeing                ;747-400               ;Boeing 747-400 Jumbo   ;.03\b747
    QString row(qsizetype i) const;
    // Every row in order.
    QStringList rows() const;

    std::filesystem::path folderPath(const CatalogueEntry &entry) const
    {
        return folderPaths[std::size_t(entry.folderIndex)];
    }

    QStringList manufacturers() const; // lstManuf
    QStringList types() const;         // lstAircraft
    QStringList titles() const;        // lstTitles
    QStringList subdirs() const;       // List1
};

// Told after each folder: folders done and folders in all. Return false to stop early.
using ScanProgress = std::function<bool(int foldersDone, int foldersTotal)>;

// Lists the variations of every aircraft folder directly below an aircraft directory,
// reading each aircraft.cfg once. extended: every [fltsim.N] that has a title, not only
// [fltsim.0].
CatalogueScan scanCatalogue(const std::filesystem::path &aircraftDir, bool extended, const FormatSettings &settings,
                            const ScanProgress &progress = {});

// The same over a listing already made (listSubfolders of the aircraft directory), so that
// a caller who shows the folders too lists the directory only once. The files are read by
// readerThreads threads (0: readerThreadCount's choice); the result is the same for any
// number. progress is called on the calling thread, in scan order.
CatalogueScan scanFolders(const std::vector<DirectoryEntry> &folders, bool extended, const FormatSettings &settings,
                          const ScanProgress &progress = {}, int readerThreads = 0);

// Whether a folder is one of the simulator's own, which the scan skips: exactly
// \default, \fsfsconv or \templates, letter case included.
bool isSkippedSubdir(const QString &subdir);

// Sorts rows without regard to case, keeping scan order among equal rows; returns the
// permutation applied (sorted position -> original position).
std::vector<int> sortRows(QStringList &rows);

// The count text under the list: "57 Aircraft listed"; while a filter shows some of the rows,
// "12 of 57 Aircraft listed".
QString aircraftCountText(qsizetype rowCount, std::optional<qsizetype> shownCount = std::nullopt);

} // namespace hangardeck::core

#endif
