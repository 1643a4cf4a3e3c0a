// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CLI_FINDOUTPUT_H
#define HANGARDECK_CLI_FINDOUTPUT_H

#include "cli/clioptions.h"

#include <QString>

#include <cstddef>

namespace hangardeck::cli {

// How `find` ended.
struct FindOutcome {
    std::size_t found = 0;
    bool written = true; // false: stdout failed, errorText says why
    QString errorText;
};

// Runs `find`: the directories found go to stdout as they are found, one full path per line,
// or at the end as JSON:
//   [{"name": "Aircraft", "path": "/games/FS9/Aircraft"}]
// While the search runs on a terminal, stderr shows the directories searched so far on one
// line redrawn in place; the line is cleared before the search returns.
FindOutcome runFind(const FindOptions &options);

} // namespace hangardeck::cli

#endif
