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
    JunkFolder, // __MACOSX, or a folder of .DS_Store, Thumbs.db and desktop.ini alone
    NestedCfg,  // no aircraft.cfg, but a sub-folder holds one: unpacked one level too deep
    Unreadable,
    NoTitle,
    Gap,
    Over33,
    Cut,
    MissingFolder,
    MissingAir,
    NoThumbnail,    // a texture folder a variation names has no thumbnail.jpg (informational)
    NestedAircraft, // a sub-folder holds an aircraft.cfg of its own, which the simulator never reads
    Encoding,
    DuplicateTitle,
    SameSelector, // variations the selector shows alike: same manufacturer, type and variation
};

// How many kinds there are.
inline constexpr int FindingKindCount = int(FindingKind::SameSelector) + 1;

// One variation named by a collection finding.
struct FindingCarrier {
    QString folder;                                // "\" + the aircraft folder
    QString section;                               // "fltsim.N"
    QString title;                                 // as the list shows it
    std::filesystem::path::string_type folderName; // as Finding::folderName
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
    std::vector<FindingCarrier> carriers; // duplicate-title, same-selector: every variation concerned
    // The folder's name on disk where its text (folder) does not give it back: a name that is
    // not valid UTF-8. Empty otherwise; folderOnDisk() gives the name either way.
    std::filesystem::path::string_type folderName;
};

// The name on disk of the folder of a finding or carrier, below the Aircraft directory: b747.
std::filesystem::path folderOnDisk(const QString &folder, const std::filesystem::path::string_type &folderName);

// Where a collection's aircraft go between its folders and the list's rows: each total is the
// sum of the counts that follow it.
struct ScanReport {
    qint64 foldersSeen = 0; // sub-folders of the Aircraft directory
    qint64 skipped = 0;     // the simulator's own (default, fsfsconv, templates)
    qint64 noCfg = 0;       // no aircraft.cfg in any letter case
    qint64 unreadable = 0;  // an aircraft.cfg that cannot be read
    qint64 withCfg = 0;

    qint64 sections = 0; // [fltsim.N] sections of those files, N from 0 to 99
    qint64 notValid = 0; // without a title of two characters or more
    qint64 titled = 0;

    qint64 pastGap = 0;   // titled, after the first untitled entry
    qint64 pastLast = 0;  // titled, past [fltsim.32]
    qint64 plainOnly = 0; // titled, after [fltsim.0], when only [fltsim.0] is listed
    qint64 listed = 0;    // titled entries the list shows

    qint64 rows = 0;          // = listed + noCfg + unreadable + untitledFirst
    qint64 untitledFirst = 0; // folders whose [fltsim.0] has no title: one -EMPTY- row each
};

// The counts of a whole check.
struct CheckSummary {
    int folders = 0;    // aircraft folders checked (the simulator's own skipped)
    int variations = 0; // rows the list shows for them
    qint64 findings = 0;
    std::array<qint64, FindingKindCount> counts{};
    ScanReport report;
    bool stopped = false; // the progress callback stopped the check: the counts cover part of it

    // Whether any finding is more than informational.
    bool hasProblems() const;
};

// Told each finding as soon as it is known, on the calling thread: folder by folder in scan
// order, then the collection's own.
using FindingReport = std::function<void(const Finding &finding)>;

// Told on the calling thread once the folders are listed (0 done) and after each folder's
// findings. Returning false stops the check: no further folder is started, the collection's
// own findings are not made, and the call returns once the reader threads have ended.
using CheckProgress = std::function<bool(int foldersDone, int foldersTotal)>;

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

// What a check looks at.
struct CheckScope {
    bool extended = false;   // every listed [fltsim.N], as the extended list shows them; else [fltsim.0]
    bool thumbnails = false; // no-thumbnail: one lookup per texture folder, which doubles the time
                             // of a large collection's check
};

// Checks every aircraft folder below an Aircraft directory as the list scans it (same
// folders, same skip rule, same aircraft.cfg, same values), on the scan's reader threads; the
// findings are the same for any number of them (0: as many as the scan uses). Memory stays
// bounded whatever the number of findings: each is reported and let go.
CheckSummary checkCollection(const std::filesystem::path &aircraftDir, CheckScope scope, const FindingReport &report,
                             int readerThreads = 0, const CheckProgress &progress = {});

// The same, every finding kept.
CollectionCheck checkCollection(const std::filesystem::path &aircraftDir, CheckScope scope, int readerThreads = 0);

// What the simulator takes from a value naming a file or folder (texture=, model=, sim=): the
// text before an inline comment (";" or "//"), blanks trimmed, one pair of outer quotes removed:
//   "" ; texture folder   gives the empty text
QByteArrayView effectiveValue(QByteArrayView raw);

} // namespace hangardeck::core

#endif
