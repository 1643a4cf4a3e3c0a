// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_CATALOGUEENTRY_H
#define HANGARDECK_CORE_CATALOGUEENTRY_H

#include <QString>

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

} // namespace hangardeck::core

#endif
