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
#include <functional>
#include <string_view>
#include <type_traits>

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

char foldedAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Appends a name as compared without regard to case, as UTF-8: ASCII (nearly every name)
// folded in place, anything else through Qt's case folding, which agrees with it on ASCII.
template <typename Char, typename Decode>
void appendFolded(QByteArray &folded, std::basic_string_view<Char> name, const Decode &decoded)
{
    if (std::all_of(name.begin(), name.end(), [](Char c) { return std::make_unsigned_t<Char>(c) < 0x80; })) {
        const qsizetype at = folded.size();
        folded.resize(at + qsizetype(name.size()));
        std::transform(name.begin(), name.end(), folded.begin() + at, [](Char c) { return foldedAscii(char(c)); });
    } else {
        folded.append(decoded().toCaseFolded().toUtf8());
    }
}

// What an aircraft folder holds, asked name by name as the simulator's file system answers,
// without regard to case. The folder is listed once, at the first question, its names folded
// into one buffer: forty names cost no forty allocations. (A path lookup for each name as
// written was tried: it costs more than one listing of the folder.)
class FolderNames final
{
public:
    // The folder name of parent.
    FolderNames(const FolderHandle &parent, NativeNameView name)
        : m_parent(parent),
          m_name(name)
    {
    }

    // Whether the folder holds prefix + value + suffix ("texture." "Blue"), a folder or not; value
    // is in the file's text. nullopt when that cannot be known: a folder that can be entered
    // but not listed (mode 0111) gives its aircraft.cfg, but not its other names.
    std::optional<bool> has(const Profile &profile, QByteArrayView prefix, QByteArrayView value, QByteArrayView suffix,
                            bool directory)
    {
        if (!list()) {
            return std::nullopt;
        }
        if (isAscii(value)) {
            // Folded into one buffer kept from question to question, so that it keeps its memory.
            m_scratch.resize(prefix.size() + value.size() + suffix.size());
            char *out = m_scratch.data();
            for (const QByteArrayView part : {prefix, value, suffix}) {
                out = std::transform(part.begin(), part.end(), out, foldedAscii);
            }
        } else {
            const QString text = QString::fromLatin1(prefix) + profile.decoded(value) + QString::fromLatin1(suffix);
            m_scratch = text.toCaseFolded().toUtf8();
        }
        return std::any_of(m_names.begin(), m_names.end(), [&](const Name &listed) {
            return listed.isDirectory == directory
                   && QByteArrayView(m_folded.constData() + listed.at, listed.size) == m_scratch;
        });
    }

private:
    struct Name {
        qsizetype at;
        qsizetype size;
        bool isDirectory;
    };

    // Lists the folder the first time, its names folded into one buffer.
    bool list()
    {
        if (!m_listed) {
            m_folded.reserve(1024);
            m_listed = m_parent.listChild(m_name, Links::Follow, [this](NativeNameView item, bool isDirectory, bool) {
                const qsizetype at = m_folded.size();
                appendFolded(m_folded, item, [item] { return fromNativeName(item); });
                m_names.push_back({at, m_folded.size() - at, isDirectory});
            });
        }
        return *m_listed;
    }

    const FolderHandle &m_parent;
    NativeNameView m_name;
    std::optional<bool> m_listed;
    QByteArray m_folded;
    std::vector<Name> m_names;
    QByteArray m_scratch;
};

// The keys checked in each listed entry, in this order.
constexpr std::array<QByteArrayView, 8> EntryKeys = {"title", "ui_manufacturer", "ui_type", "texture",
                                                     "model", "panel",           "sound",   "sim"};
constexpr size_t FirstFolderKey = 3;
constexpr size_t SimKey = 7;
constexpr std::array<QByteArrayView, SimKey - FirstFolderKey> DottedKeys = {"texture.", "model.", "panel.", "sound."};

// What one aircraft folder contributes, made on a reader thread.
struct FolderCheck {
    std::vector<Finding> findings;
    // Each title as UTF-8, made here so that the merge, on one thread, only compares: as shown,
    // then as compared (trimmed and case-folded), one after the other in titleBytes.
    struct Title {
        qsizetype at;
        int titleSize;
        int keySize;
        int section;
    };
    std::vector<Title> titles;
    QByteArray titleBytes;
    int variations = 1; // a folder without titled entries still lists as its one -EMPTY- row
};

using EntryRaws = std::array<std::optional<QByteArrayView>, EntryKeys.size()>;

// The findings of one listed entry's values.
void checkEntry(const Profile &profile, int n, const EntryRaws &raws, FolderNames &names, const QString &folder,
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
    for (size_t k = FirstFolderKey; k < SimKey; ++k) {
        if (!raws[k]) {
            continue; // a key that is not there names nothing
        }
        const QByteArrayView value = effectiveValue(*raws[k]);
        // "texture" alone names the folder texture, "texture=Blue" the folder texture.Blue.
        const QByteArrayView prefix = value.isEmpty() ? EntryKeys[k] : DottedKeys[k - FirstFolderKey];
        if (names.has(profile, prefix, value, {}, true) == false) {
            findings.push_back({folder, sectionName(n), FindingKind::MissingFolder,
                                QStringLiteral("%1=%2 names the folder %3, which is not in the aircraft folder")
                                    .arg(QString::fromLatin1(EntryKeys[k]), profile.decoded(*raws[k]),
                                         QString::fromLatin1(prefix) + profile.decoded(value))});
        }
    }
    if (raws[SimKey]) {
        const QByteArrayView value = effectiveValue(*raws[SimKey]);
        if (!value.isEmpty() && names.has(profile, {}, value, ".air", false) == false) {
            findings.push_back(
                {folder, sectionName(n), FindingKind::MissingAir,
                 QStringLiteral("sim=%1 names %2, which is not in the aircraft folder")
                     .arg(profile.decoded(*raws[SimKey]), profile.decoded(value) + QStringLiteral(".air"))});
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

// Adds a title as shown and as compared (trimmed and case-folded, as QString trims and
// folds); an ASCII title, nearly every one, is never decoded.
void addTitle(const Profile &profile, QByteArrayView raw, int section, FolderCheck &folder)
{
    QByteArray &bytes = folder.titleBytes;
    if (bytes.isEmpty()) {
        bytes.reserve(1024); // ten titles and their keys, in one allocation
    }
    const qsizetype at = bytes.size();
    if (!isAscii(raw)) {
        const QString title = profile.decodedValue(raw);
        bytes.append(title.toUtf8());
        const qsizetype titleSize = bytes.size() - at;
        bytes.append(title.trimmed().toCaseFolded().toUtf8());
        folder.titles.push_back({at, int(titleSize), int(bytes.size() - at - titleSize), section});
        return;
    }
    const QByteArrayView shown = raw.first(std::min<qsizetype>(raw.size(), Profile::MaxValueChars));
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    QByteArrayView trimmed = shown;
    while (!trimmed.isEmpty() && isSpace(trimmed.front())) {
        trimmed = trimmed.sliced(1);
    }
    while (!trimmed.isEmpty() && isSpace(trimmed.back())) {
        trimmed.chop(1);
    }
    bytes.append(shown);
    appendFolded(bytes, std::string_view(trimmed.data(), size_t(trimmed.size())), [] { return QString(); });
    folder.titles.push_back({at, int(shown.size()), int(trimmed.size()), section});
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
    const AircraftConfig config = readAircraftConfig(through, name);
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
    FolderNames names(through, name);
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
        addTitle(profile, *raws[0], n, result);
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
    // One pass for both comment marks: the check asks this of five values of every variation.
    qsizetype end = 0;
    while (end < raw.size() && raw[end] != ';' && !(raw[end] == '/' && end + 1 < raw.size() && raw[end + 1] == '/')) {
        ++end;
    }
    QByteArrayView value = raw.first(end);
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
            for (const FolderCheck::Title &title : folder.titles) {
                const char *at = folder.titleBytes.constData() + title.at;
                titles.add(i, title.section, QByteArrayView(at, title.titleSize),
                           QByteArrayView(at + title.titleSize, title.keySize));
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
