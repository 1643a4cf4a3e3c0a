// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_CATALOGUEENTRY_H
#define HANGARDECK_CORE_CATALOGUEENTRY_H

#include <QString>

#include <filesystem>

namespace hangardeck::core {

// The text shown for a key without a value.
inline constexpr auto EmptyValueText = u"-EMPTY-";

// One aircraft variation found by the scan: the [fltsim.N] entry of one folder, unfitted.
struct CatalogueEntry {
    QString manufacturer; // ui_manufacturer, or "-EMPTY-"
    QString type;         // ui_type, or "-EMPTY-"
    QString title;        // title, or "-EMPTY-"
    QString subdir;       // "\" + the folder relative to the scanned directory: \b747
    int fltsimIndex = 0;  // N of [fltsim.N], 0 to 32
    int folderIndex = 0;  // the folder on disk: CatalogueScan::folderPaths[folderIndex]
};

// A listed entry as the inspection needs it: the folder as a row names it, the folder's
// name on disk (which need not be valid text) and the entry number.
struct ListedEntry {
    QString subdir;                                // \b747
    std::filesystem::path::string_type folderName; // b747
    int fltsimIndex = 0;
};

} // namespace hangardeck::core

#endif
