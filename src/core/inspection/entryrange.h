// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_ENTRYRANGE_H
#define HANGARDECK_CORE_ENTRYRANGE_H

#include <QString>

namespace hangardeck::core {

// What stepping past the end shows: "[Fltsim.2] is the last entry" for k = 3.
QString lastEntryMessage(int endOfEntries);

} // namespace hangardeck::core

#endif
