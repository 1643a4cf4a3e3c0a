// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_COLLECTIONCHECK_H
#define HANGARDECK_CORE_COLLECTIONCHECK_H

#include <QString>

#include <array>
#include <filesystem>
#include <functional>
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

// One variation named by a collection finding.
struct FindingCarrier {
    QString folder;  // "\" + the aircraft folder
    QString section; // "fltsim.N"
    QString title;   // as the list shows it
};

// One thing that makes an aircraft vanish or break in the simulator.
struct Finding {
    Finding() = default;
    Finding(QString folder, QString section, FindingKind kind, QString message,
            std::vector<FindingCarrier> carriers = {})
        : folder(std::move(folder)),
          section(std::move(section)),
          kind(kind),
          message(std::move(message)),
          carriers(std::move(carriers))
    {
    }

    QString folder;  // "\" + the aircraft folder, as a row names it; empty for the collection
    QString section; // "fltsim.N", or empty when the finding is about no one section
    FindingKind kind = FindingKind::NoCfg;
    QString message;                      // one line
    std::vector<FindingCarrier> carriers; // duplicate-title: every variation carrying the title
};

// The counts of a whole check.
struct CheckSummary {
    int folders = 0;    // aircraft folders checked (the simulator's own skipped)
    int variations = 0; // rows the list shows for them
    qint64 findings = 0;
    std::array<qint64, FindingKindCount> counts{};

    // Whether any finding is more than informational.
    bool hasProblems() const;
};

// Told each finding as soon as it is known, on the calling thread: folder by folder in scan
// order, then the collection's own.
using FindingReport = std::function<void(const Finding &finding)>;

// The result of a check gathered whole, for callers that keep every finding.
struct CollectionCheck {
    std::vector<Finding> findings;
    CheckSummary summary;

    bool hasProblems() const { return summary.hasProblems(); }
};

// The kind's name as printed: "no-cfg", "missing-folder".
QString findingKindName(FindingKind kind);

// Whether a kind only informs (the aircraft works as it is).
bool isInformational(FindingKind kind);

// Checks every aircraft folder below an Aircraft directory as the list scans it (same
// folders, same skip rule, same aircraft.cfg, same values), on the scan's reader threads; the
// findings are the same for any number of them (0: as many as the scan uses). Memory stays
// bounded whatever the number of findings: each is reported and let go.
CheckSummary checkCollection(const std::filesystem::path &aircraftDir, bool extended, const FindingReport &report,
                             int readerThreads = 0);

// The same, every finding kept.
CollectionCheck checkCollection(const std::filesystem::path &aircraftDir, bool extended, int readerThreads = 0);

// What the simulator takes from a value naming a file or folder (texture=, model=, sim=): the
// text before an inline comment (";" or "//"), blanks trimmed, one pair of outer quotes removed:
//   "" ; texture folder   gives the empty text
QByteArrayView effectiveValue(QByteArrayView raw);

} // namespace hangardeck::core

#endif
