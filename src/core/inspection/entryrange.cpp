// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/entryrange.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/platform/profile.h"

#include <algorithm>

namespace hangardeck::core {

int endOfEntries(const std::filesystem::path &aircraftCfg)
{
    const Profile profile = Profile::fromFile(aircraftCfg);
    for (int n = 0; n <= MaxFltsimIndex; ++n) {
        const QByteArray section = "fltsim." + QByteArray::number(n);
        if (!profile.aircraftValue(section, "title")) {
            return n;
        }
    }
    return MaxFltsimIndex + 1;
}

QString lastEntryMessage(int endOfEntries)
{
    // Without any titled entry there is no last one to name; [Fltsim.0] reads better than
    // [Fltsim.-1], and entry 0 replaces the message at once anyway.
    return QStringLiteral("[Fltsim.%1] is the last entry").arg(std::max(endOfEntries - 1, 0));
}

} // namespace hangardeck::core
