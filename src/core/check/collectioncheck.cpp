// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/check/collectioncheck.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/cataloguescanner.h"
#include "core/check/titlegroups.h"
#include "core/platform/directorylisting.h"
#include "core/platform/nativepath.h"
#include "core/platform/parallel.h"
#include "core/platform/textdecoding.h"

#include <QStringList>

#include <algorithm>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

QString sectionName(int n)
{
    return QStringLiteral("fltsim.") + QString::number(n);
}

QString sectionList(const std::vector<int> &indexes)
{
    QStringList names;
    for (const int n : indexes) {
        names.append(sectionName(n));
    }
    return names.join(QStringLiteral(", ")) + (indexes.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"));
}

// An aircraft folder's names, folded for matching without regard to case as the simulator's
// file system matches.
class FolderNames final
{
public:
    explicit FolderNames(const std::optional<std::vector<FolderItem>> &items)
        : m_listed(items.has_value())
    {
        if (!items) {
            return;
        }
        m_names.reserve(items->size());
        for (const FolderItem &item : *items) {
            m_names.push_back({fromNativeName(item.name), item.isDirectory});
        }
    }

    // Whether the folder could be listed: one that can be entered but not listed (mode 0111)
    // gives its aircraft.cfg, but which folders it holds is not known.
    bool isListed() const { return m_listed; }

    // Compared case-folded, as the file system of the simulator's own platform matches names.
    bool has(const QString &name, bool directory) const
    {
        return std::any_of(m_names.begin(), m_names.end(), [&](const Name &listed) {
            return listed.isDirectory == directory && QString::compare(listed.name, name, Qt::CaseInsensitive) == 0;
        });
    }

private:
    struct Name {
        QString name;
        bool isDirectory;
    };
    std::vector<Name> m_names;
    bool m_listed = false;
};

// The keys checked in each listed entry, in this order.
constexpr std::array<QByteArrayView, 8> EntryKeys = {"title", "ui_manufacturer", "ui_type", "texture",
                                                     "model", "panel",           "sound",   "sim"};
constexpr size_t FirstFolderKey = 3;
constexpr size_t SimKey = 7;

// What one aircraft folder contributes, made on a reader thread.
struct FolderCheck {
    std::vector<Finding> findings;
    // As UTF-8, made here so that the merge, on one thread, only compares.
    struct Title {
        QByteArray title;
        QByteArray key; // trimmed and case-folded
        int section;
    };
    std::vector<Title> titles;
    int variations = 1; // a folder without titled entries still lists as its one -EMPTY- row
};

using EntryRaws = std::array<std::optional<QByteArrayView>, EntryKeys.size()>;

// The findings of one listed entry's values.
void checkEntry(const Profile &profile, int n, const EntryRaws &raws, const FolderNames &names, const QString &folder,
                std::vector<Finding> &findings)
{
    for (size_t k = 0; k < FirstFolderKey; ++k) {
        // Each character takes at least one byte, so only a long value can be cut.
        if (!raws[k] || raws[k]->size() <= Profile::MaxValueChars) {
            continue;
        }
        const qsizetype length = characterCount(profile.decoded(*raws[k]));
        if (length > Profile::MaxValueChars) {
            findings.push_back({folder, sectionName(n), FindingKind::Cut,
                                QStringLiteral("%1 is %2 characters long; it is shown cut to %3")
                                    .arg(QString::fromLatin1(EntryKeys[k]))
                                    .arg(length)
                                    .arg(Profile::MaxValueChars)});
        }
    }
    if (!names.isListed()) {
        return;
    }
    for (size_t k = FirstFolderKey; k < SimKey; ++k) {
        if (!raws[k]) {
            continue; // a key that is not there names nothing
        }
        static const std::array<QString, SimKey> keys = [] {
            std::array<QString, SimKey> made;
            for (size_t i = 0; i < SimKey; ++i) {
                made[i] = QString::fromLatin1(EntryKeys[i]);
            }
            return made;
        }();
        const QString &key = keys[k];
        const QString value = profile.decoded(effectiveValue(*raws[k]));
        const QString folderName = value.isEmpty() ? key : key + u'.' + value;
        if (!names.has(folderName, true)) {
            findings.push_back({folder, sectionName(n), FindingKind::MissingFolder,
                                QStringLiteral("%1=%2 names the folder %3, which is not in the aircraft folder")
                                    .arg(key, profile.decoded(*raws[k]), folderName)});
        }
    }
    if (raws[SimKey]) {
        const QString value = profile.decoded(effectiveValue(*raws[SimKey]));
        if (!value.isEmpty() && !names.has(value + QStringLiteral(".air"), false)) {
            findings.push_back({folder, sectionName(n), FindingKind::MissingAir,
                                QStringLiteral("sim=%1 names %2, which is not in the aircraft folder")
                                    .arg(profile.decoded(*raws[SimKey]), value + QStringLiteral(".air"))});
        }
    }
}

// N of a section named "fltsim.N" (any letter case) with 0 <= N <= MaxKnownFltsimIndex,
// written as a lookup of [fltsim.N] finds it; -1 for any other name.
int fltsimIndexOf(QByteArrayView name)
{
    constexpr QByteArrayView prefix = "fltsim.";
    if (name.size() <= prefix.size() || name.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) != 0) {
        return -1;
    }
    const QByteArrayView digits = name.sliced(prefix.size());
    if (digits.size() > 2 || (digits.size() > 1 && digits[0] == '0')
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + (digits[1] - '0');
}

// Whether a raw title is one the list would show.
bool isShownTitle(const Profile &profile, const std::optional<QByteArrayView> &raw)
{
    // Eight bytes always hold two characters or more (none takes more than four); only a
    // shorter title is decoded to count them.
    return raw && (raw->size() >= 8 || Profile::isAircraftValue(profile.decodedValue(*raw)));
}

// Whether [fltsim.n] has a title the list would show.
bool isTitled(const Profile &profile, int n)
{
    constexpr QByteArrayView titleKey = "title";
    std::optional<QByteArrayView> raw;
    profile.rawValues(fltsimSectionName(n), {&titleKey, 1}, {&raw, 1});
    return isShownTitle(profile, raw);
}

FolderCheck checkFolder(const FolderHandle &aircraftDir, const DirectoryEntry &folder, bool extended)
{
    FolderCheck result;
    std::vector<Finding> &findings = result.findings;
    const QString subdir = u'\\' + folder.name;
    const NativeName name = folder.path().filename().native();
    // Listed and read through the aircraft directory: the folder itself is never opened.
    const FolderHandle parent = aircraftDir.isOpen() ? FolderHandle() : FolderHandle::open(folder.path().parent_path());
    const FolderHandle &through = aircraftDir.isOpen() ? aircraftDir : parent;
    const std::optional<std::vector<FolderItem>> items = through.childItems(name, Links::Follow);
    const AircraftConfig config = readAircraftConfig(through, name, items ? &*items : nullptr);
    if (config.status == AircraftConfig::Missing) {
        findings.push_back({subdir,
                            {},
                            FindingKind::NoCfg,
                            QStringLiteral("no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft")});
        return result;
    }
    if (config.status == AircraftConfig::Unreadable) {
        findings.push_back({subdir,
                            {},
                            FindingKind::Unreadable,
                            QStringLiteral("%1 cannot be read: the folder lists as -EMPTY-")
                                .arg(fromNativePath(fs::path(config.fileName)))});
        return result;
    }
    const Profile &profile = config.profile;

    // Only the [fltsim.N] that exist are looked up: a hundred lookups in every file would
    // cost more than the rest of the check. The listed entries are read once, every key
    // checked in one pass over the section; their findings follow the folder's own.
    std::array<bool, MaxKnownFltsimIndex + 1> exists{};
    for (const QByteArrayView section : profile.sectionNames()) {
        if (const int n = fltsimIndexOf(section); n >= 0) {
            exists[size_t(n)] = true;
        }
    }
    std::array<bool, MaxKnownFltsimIndex + 1> titled{};
    std::array<bool, MaxKnownFltsimIndex + 1> looked{};
    const FolderNames names(items);
    std::vector<Finding> entryFindings;
    const int lastListed = extended ? MaxFltsimIndex : 0;
    for (int n = 0; n <= lastListed && exists[size_t(n)]; ++n) {
        EntryRaws raws;
        profile.rawValues(fltsimSectionName(n), EntryKeys, raws);
        looked[size_t(n)] = true;
        titled[size_t(n)] = isShownTitle(profile, raws[0]);
        if (!titled[size_t(n)]) {
            break; // the list stops at the first entry without a title
        }
        const QString title = profile.decodedValue(*raws[0]);
        result.titles.push_back({title.toUtf8(), title.trimmed().toCaseFolded().toUtf8(), n});
        checkEntry(profile, n, raws, names, subdir, entryFindings);
    }
    for (int n = 0; n <= MaxKnownFltsimIndex; ++n) {
        if (exists[size_t(n)] && !looked[size_t(n)]) {
            titled[size_t(n)] = isTitled(profile, n);
        }
    }
    if (!titled[0]) {
        findings.push_back({subdir, sectionName(0), FindingKind::NoTitle,
                            QStringLiteral("[fltsim.0] has no title: the folder lists as -EMPTY-")});
    }
    const auto firstUntitled =
        int(std::find(titled.begin(), titled.begin() + MaxFltsimIndex + 1, false) - titled.begin());
    std::vector<int> skipped;
    for (int n = firstUntitled + 1; n <= MaxFltsimIndex; ++n) {
        if (titled[size_t(n)]) {
            skipped.push_back(n);
        }
    }
    if (!skipped.empty()) {
        findings.push_back({subdir, sectionName(firstUntitled), FindingKind::Gap,
                            QStringLiteral("[fltsim.%1] has no title, so the list stops there: %2 not listed")
                                .arg(firstUntitled)
                                .arg(sectionList(skipped))});
    }
    std::vector<int> beyond;
    for (int n = MaxFltsimIndex + 1; n <= MaxKnownFltsimIndex; ++n) {
        if (titled[size_t(n)]) {
            beyond.push_back(n);
        }
    }
    if (!beyond.empty()) {
        findings.push_back(
            {subdir, sectionName(beyond.front()), FindingKind::Over33,
             QStringLiteral("the list shows fltsim.0 to fltsim.32 at most: %1 not listed").arg(sectionList(beyond))});
    }

    std::move(entryFindings.begin(), entryFindings.end(), std::back_inserter(findings));
    result.variations = std::max(1, int(result.titles.size()));
    if (profile.encoding() == TextEncoding::Windows1252) {
        findings.push_back({subdir,
                            {},
                            FindingKind::Encoding,
                            QStringLiteral("aircraft.cfg is not valid UTF-8: its text was read as Windows-1252")});
    }
    return result;
}

} // namespace

QByteArrayView effectiveValue(QByteArrayView raw)
{
    qsizetype end = raw.indexOf(';');
    if (const qsizetype slashes = raw.indexOf("//"); slashes >= 0 && (end < 0 || slashes < end)) {
        end = slashes;
    }
    QByteArrayView value = end < 0 ? raw : raw.first(end);
    while (!value.isEmpty() && isBlank(value.front())) {
        value = value.sliced(1);
    }
    while (!value.isEmpty() && isBlank(value.back())) {
        value.chop(1);
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    return value;
}

bool CheckSummary::hasProblems() const
{
    for (int k = 0; k < FindingKindCount; ++k) {
        if (counts[size_t(k)] > 0 && !isInformational(FindingKind(k))) {
            return true;
        }
    }
    return false;
}

QString findingKindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::NoCfg:
        return QStringLiteral("no-cfg");
    case FindingKind::Unreadable:
        return QStringLiteral("unreadable");
    case FindingKind::NoTitle:
        return QStringLiteral("no-title");
    case FindingKind::Gap:
        return QStringLiteral("gap");
    case FindingKind::Over33:
        return QStringLiteral("over-33");
    case FindingKind::Cut:
        return QStringLiteral("cut");
    case FindingKind::MissingFolder:
        return QStringLiteral("missing-folder");
    case FindingKind::MissingAir:
        return QStringLiteral("missing-air");
    case FindingKind::Encoding:
        return QStringLiteral("encoding");
    case FindingKind::DuplicateTitle:
        return QStringLiteral("duplicate-title");
    }
    return {};
}

bool isInformational(FindingKind kind)
{
    return kind == FindingKind::Encoding;
}

CheckSummary checkCollection(const fs::path &aircraftDir, bool extended, const FindingReport &report, int readerThreads)
{
    std::vector<DirectoryEntry> folders = listSubfolders(aircraftDir);
    std::erase_if(folders, [](const DirectoryEntry &folder) { return isSkippedSubdir(u'\\' + folder.name); });
    // Opened once: each folder is then reached from it, not from the root again.
    const FolderHandle directory = FolderHandle::open(aircraftDir);

    CheckSummary summary;
    summary.folders = int(folders.size());
    const auto tell = [&](const Finding &finding) {
        ++summary.findings;
        ++summary.counts[size_t(finding.kind)];
        if (report) {
            report(finding);
        }
    };
    TitleGroups titles;
    constexpr int Window = 256;
    produceInOrder<FolderCheck>(
        summary.folders, readerThreadCount(readerThreads, summary.folders), Window,
        [&](int i) {
            try {
                return checkFolder(directory, folders[size_t(i)], extended);
            } catch (const std::exception &) {
                // Nothing a file holds may end the check: the folder is reported as unreadable.
                FolderCheck failed;
                failed.findings = {{u'\\' + folders[size_t(i)].name,
                                    {},
                                    FindingKind::Unreadable,
                                    QStringLiteral("aircraft.cfg cannot be read: the folder lists as -EMPTY-")}};
                return failed;
            }
        },
        [&](int i, FolderCheck folder) {
            summary.variations += folder.variations;
            for (const Finding &finding : folder.findings) {
                tell(finding);
            }
            for (FolderCheck::Title &title : folder.titles) {
                titles.add(i, title.section, title.title, std::move(title.key));
            }
            return true;
        });

    for (const std::vector<TitleGroups::Carrier> &group : titles.groups()) {
        Finding finding{{}, {}, FindingKind::DuplicateTitle, {}, {}};
        QStringList named;
        for (const TitleGroups::Carrier &carrier : group) {
            const QString folder = u'\\' + folders[size_t(carrier.folder)].name;
            finding.carriers.push_back({folder, sectionName(carrier.section), carrier.title});
            named.append(QStringLiteral("%1 [%2] \"%3\"").arg(folder, sectionName(carrier.section), carrier.title));
        }
        finding.message = QStringLiteral("%1 variations carry the same title, the simulator keeps one: %2")
                              .arg(group.size())
                              .arg(named.join(QStringLiteral(", ")));
        tell(finding);
    }
    return summary;
}

CollectionCheck checkCollection(const fs::path &aircraftDir, bool extended, int readerThreads)
{
    CollectionCheck check;
    check.summary = checkCollection(
        aircraftDir, extended, [&check](const Finding &finding) { check.findings.push_back(finding); }, readerThreads);
    return check;
}

} // namespace hangardeck::core
