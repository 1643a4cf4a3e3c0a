// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ENTRYRANGE_H
#define HANGARDECK_CORE_ENTRYRANGE_H

#include <QString>

#include <filesystem>

namespace hangardeck::core {

// The end-of-entries scan: the first number k of 0 to 32 whose [fltsim.k] has no title
// (a title of fewer than two characters is none); 33 when all have one.
int endOfEntries(const std::filesystem::path &aircraftCfg);

// What stepping past the end shows: "[Fltsim.2] is the last entry" for k = 3.
QString lastEntryMessage(int endOfEntries);

} // namespace hangardeck::core

#endif
