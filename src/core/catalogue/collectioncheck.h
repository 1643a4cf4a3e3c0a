// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_COLLECTIONCHECK_H
#define HANGARDECK_CORE_COLLECTIONCHECK_H

#include <QString>

#include <array>
#include <filesystem>
#include <vector>

namespace hangardeck::core {

// What a finding is about; the order is the order the summary counts them in.
enum class FindingKind {
    NoCfg,
    Unreadable,
    NoTitle,
    Gap,
    Over33,
    Cut,
    MissingFolder,
    MissingAir,
    Encoding,
    DuplicateTitle,
};

// How many kinds there are.
inline constexpr int FindingKindCount = int(FindingKind::DuplicateTitle) + 1;

// Highest [fltsim.N] the check looks for titled entries past the listed ones.
inline constexpr int MaxCheckedFltsimIndex = 99;

// One thing that makes an aircraft vanish or break in the simulator.
struct Finding {
    QString folder;  // "\" + the aircraft folder, as a row names it; empty for the collection
    QString section; // "fltsim.N", or empty when the finding is about no one section
    FindingKind kind = FindingKind::NoCfg;
    QString message; // one line
};

// The result of checking a whole Aircraft directory.
struct CollectionCheck {
    std::vector<Finding> findings; // by folder in scan order, then those of the collection
    int folders = 0;               // aircraft folders checked (the simulator's own skipped)
    int variations = 0;            // rows the list shows for them
    std::array<int, FindingKindCount> counts{};

    // Whether any finding is more than informational.
    bool hasProblems() const;
};

// The kind's name as printed: "no-cfg", "missing-folder".
QString findingKindName(FindingKind kind);

// Whether a kind only informs (the aircraft works as it is).
bool isInformational(FindingKind kind);

// Checks every aircraft folder below an Aircraft directory, as `list` scans it (same
// folders, same skip rule, same values), reading folders on several threads; the result is
// the same for any number of them (0: as many as the scan uses).
CollectionCheck checkCollection(const std::filesystem::path &aircraftDir, bool extended, int readerThreads = 0);

} // namespace hangardeck::core

#endif
