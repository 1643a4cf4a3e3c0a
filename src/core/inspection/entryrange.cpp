// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/entryrange.h"

#include <algorithm>

namespace hangardeck::core {

QString lastEntryMessage(int endOfEntries)
{
    // Without any titled entry there is no last one to name; [Fltsim.0] reads better than
    // [Fltsim.-1], and entry 0 replaces the message at once anyway.
    return QStringLiteral("[Fltsim.%1] is the last entry").arg(std::max(endOfEntries - 1, 0));
}

} // namespace hangardeck::core
