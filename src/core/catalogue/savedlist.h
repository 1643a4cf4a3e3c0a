// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SAVEDLIST_H
#define HANGARDECK_CORE_SAVEDLIST_H

#include <QString>

#include <filesystem>

namespace hangardeck::core {

struct CatalogueScan;

// The saved list's file name, beside the settings file.
inline constexpr auto SavedListFileName = u"output.txt";

// Writes every row of a scan, in its order, each followed by CR LF, as UTF-8 and nothing
// else; the file is replaced only once the whole list is written, so a failed save leaves
// the previous list whole. errorText says why a save failed.
bool writeSavedList(const std::filesystem::path &file, const CatalogueScan &scan, QString *errorText = nullptr);

} // namespace hangardeck::core

#endif
