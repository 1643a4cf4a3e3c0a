// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/collectioncheck.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// One name of an aircraft folder's listing, folded for matching without regard to case as
// the simulator's file system matches.
struct ListedName {
    QString folded;
    bool isDirectory = false;
};

// An aircraft folder listed once: its names, and the aircraft.cfg among them (the exact name
// first, else the first in another letter case, as the scan reads it).
struct FolderListing {
    std::vector<ListedName> names;
    fs::path config;

    bool has(const QString &name, bool directory) const
    {
        const QString folded = name.toCaseFolded();
        return std::any_of(names.begin(), names.end(), [&](const ListedName &listed) {
            return listed.isDirectory == directory && listed.folded == folded;
        });
    }
};

FolderListing listFolder(const fs::path &folder)
{
    FolderListing listing;
    fs::path otherCase;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string native = it->path().filename().string();
        std::error_code typeError;
        const bool directory = it->is_directory(typeError);
        if (native == "aircraft.cfg") {
            listing.config = it->path();
        }
        QString name = decodeFileName(native);
        if (otherCase.empty() && !directory && name.compare(u"aircraft.cfg", Qt::CaseInsensitive) == 0) {
            otherCase = it->path();
        }
        listing.names.push_back({name.toCaseFolded(), directory});
    }
    if (listing.config.empty()) {
        listing.config = otherCase;
    }
    return listing;
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
    return names.join(QStringLiteral(", "));
}

bool isValidText(QByteArrayView raw)
{
    const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x80; });
    return ascii || isValidUtf8(raw);
}

// The keys checked in each listed entry, in this order.
constexpr std::array<QByteArrayView, 8> EntryKeys = {"title", "ui_manufacturer", "ui_type", "texture",
                                                     "model",  "panel",           "sound",   "sim"};
constexpr size_t FirstFolderKey = 3;
constexpr size_t SimKey = 7;

// The findings of one listed entry's values.
void checkEntry(const Profile &profile, int n, const FolderListing &listing, const QString &folder,
                std::vector<Finding> &findings, bool &misdecoded)
{
    std::array<std::optional<QByteArrayView>, EntryKeys.size()> raws;
    const QByteArray section = "fltsim." + QByteArray::number(n);
    profile.rawValues(section, EntryKeys, raws);
    const QString sectionText = sectionName(n);
    for (size_t k = 0; k < raws.size(); ++k) {
        if (raws[k] && !isValidText(*raws[k])) {
            misdecoded = true;
        }
    }
    for (size_t k = 0; k < FirstFolderKey; ++k) {
        // Each character takes at least one byte, so only a long value can be cut.
        if (!raws[k] || raws[k]->size() <= Profile::MaxValueChars) {
            continue;
        }
        const qsizetype length = decodeText(*raws[k]).size();
        if (length > Profile::MaxValueChars) {
            findings.push_back({folder, sectionText, FindingKind::Cut,
                                QStringLiteral("%1 is %2 characters long; it is shown cut to %3")
                                    .arg(QString::fromLatin1(EntryKeys[k].toByteArray()))
                                    .arg(length)
                                    .arg(Profile::MaxValueChars)});
        }
    }
    for (size_t k = FirstFolderKey; k < SimKey; ++k) {
        if (!raws[k]) {
            continue; // a key that is not there names nothing
        }
        const QString key = QString::fromLatin1(EntryKeys[k].toByteArray());
        const QString value = Profile::decodedValue(*raws[k]);
        const QString wanted = value.isEmpty() ? key : key + u'.' + value;
        if (!listing.has(wanted, true)) {
            findings.push_back({folder, sectionText, FindingKind::MissingFolder,
                                QStringLiteral("%1=%2 names the folder %3, which is not in the aircraft folder")
                                    .arg(key, value, wanted)});
        }
    }
    if (raws[SimKey] && !raws[SimKey]->isEmpty()) {
        const QString value = Profile::decodedValue(*raws[SimKey]);
        const QString wanted = value + QStringLiteral(".air");
        if (!listing.has(wanted, false)) {
            findings.push_back({folder, sectionText, FindingKind::MissingAir,
                                QStringLiteral("sim=%1 names %2, which is not in the aircraft folder").arg(value, wanted)});
        }
    }
}

// Whether [fltsim.n] has a title the list would show.
bool isTitled(const Profile &profile, int n)
{
    static const auto sections = [] {
        std::array<QByteArray, MaxCheckedFltsimIndex + 1> names;
        for (int i = 0; i <= MaxCheckedFltsimIndex; ++i) {
            names[size_t(i)] = "fltsim." + QByteArray::number(i);
        }
        return names;
    }();
    const std::optional<QString> title = profile.aircraftValue(sections[size_t(n)], "title");
    return title.has_value();
}

} // namespace

bool CollectionCheck::hasProblems() const
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

std::vector<Finding> checkAircraftFolder(const DirectoryEntry &folder, bool extended,
                                         std::vector<std::pair<QString, QString>> *titles)
{
    std::vector<Finding> findings;
    const QString subdir = u'\\' + folder.name;
    const FolderListing listing = listFolder(folder.path());
    if (listing.config.empty()) {
        findings.push_back({subdir, {}, FindingKind::NoCfg,
                            QStringLiteral("no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft")});
        return findings;
    }
    const Profile profile = Profile::fromFile(listing.config);
    if (!profile.isLoaded()) {
        findings.push_back({subdir, {}, FindingKind::Unreadable,
                            QStringLiteral("%1 cannot be read: the folder lists as -EMPTY-")
                                .arg(decodeFileName(listing.config.filename().string()))});
        return findings;
    }

    // The titles of every entry looked at, 0 up to the highest checked.
    std::array<bool, MaxCheckedFltsimIndex + 1> titled{};
    for (int n = 0; n <= MaxCheckedFltsimIndex; ++n) {
        titled[size_t(n)] = isTitled(profile, n);
    }
    if (!titled[0]) {
        findings.push_back({subdir, sectionName(0), FindingKind::NoTitle,
                            QStringLiteral("[fltsim.0] has no title: the folder lists as -EMPTY-")});
    }
    const auto firstUntitled = int(std::find(titled.begin(), titled.begin() + MaxFltsimIndex + 1, false) - titled.begin());
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
                                .arg(sectionList(skipped) + (skipped.size() == 1 ? QStringLiteral(" is")
                                                                                  : QStringLiteral(" are")))});
    }
    std::vector<int> beyond;
    for (int n = MaxFltsimIndex + 1; n <= MaxCheckedFltsimIndex; ++n) {
        if (titled[size_t(n)]) {
            beyond.push_back(n);
        }
    }
    if (!beyond.empty()) {
        findings.push_back({subdir, sectionName(beyond.front()), FindingKind::Over33,
                            QStringLiteral("the list shows fltsim.0 to fltsim.32 at most: %1 not listed")
                                .arg(sectionList(beyond) + (beyond.size() == 1 ? QStringLiteral(" is")
                                                                                : QStringLiteral(" are")))});
    }

    bool misdecoded = false;
    for (const CatalogueEntry &entry : aircraftEntries(profile, subdir, extended)) {
        if (!titled[size_t(entry.fltsimIndex)]) {
            continue; // the -EMPTY- row of a broken aircraft: nothing more to check in it
        }
        if (titles) {
            titles->emplace_back(entry.title, sectionName(entry.fltsimIndex));
        }
        checkEntry(profile, entry.fltsimIndex, listing, subdir, findings, misdecoded);
    }
    if (misdecoded) {
        findings.push_back({subdir, {}, FindingKind::Encoding,
                            QStringLiteral("aircraft.cfg is not valid UTF-8: its text was read as Windows-1252")});
    }
    return findings;
}

CollectionCheck checkCollection(const fs::path &aircraftDir, bool extended, int readerThreads)
{
    const std::vector<DirectoryEntry> all = listSubfolders(aircraftDir);
    std::vector<const DirectoryEntry *> folders;
    for (const DirectoryEntry &folder : all) {
        if (!isSkippedSubdir(u'\\' + folder.name)) {
            folders.push_back(&folder);
        }
    }
    struct FolderResult {
        std::vector<Finding> findings;
        std::vector<std::pair<QString, QString>> titles;
        int variations = 0;
    };
    std::vector<FolderResult> results(folders.size());
    const auto checkOne = [&](size_t i) {
        FolderResult &result = results[i];
        try {
            result.findings = checkAircraftFolder(*folders[i], extended, &result.titles);
        } catch (const std::exception &) {
            // Nothing a file holds may end the check: the folder is reported as unreadable.
            result.findings = {{u'\\' + folders[i]->name, {}, FindingKind::Unreadable,
                                QStringLiteral("aircraft.cfg cannot be read: the folder lists as -EMPTY-")}};
            result.titles.clear();
        }
        // A folder without titled entries still lists as its one -EMPTY- row.
        result.variations = std::max(1, int(result.titles.size()));
    };
    if (readerThreads <= 0) {
        // As the scan: readers mostly wait for the disk.
        readerThreads = std::clamp(2 * int(std::thread::hardware_concurrency()), 8, 16);
    }
    readerThreads = std::clamp(readerThreads, 1, std::max(1, int(folders.size())));
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < folders.size(); i = next++) {
            checkOne(i);
        }
    };
    {
        std::vector<std::jthread> readers;
        for (int t = 1; t < readerThreads; ++t) {
            try {
                readers.emplace_back(work);
            } catch (const std::system_error &) {
                break; // the threads there are, this one included, check every folder
            }
        }
        work();
    }

    CollectionCheck check;
    check.folders = int(folders.size());
    // Titles compared without regard to case, blanks trimmed: each with its carriers, in scan order.
    QHash<QString, std::vector<QString>> carriers;
    std::vector<QString> titleOrder;
    for (size_t i = 0; i < folders.size(); ++i) {
        FolderResult &result = results[i];
        check.variations += result.variations;
        for (Finding &finding : result.findings) {
            check.findings.push_back(std::move(finding));
        }
        const QString subdir = u'\\' + folders[i]->name;
        for (const auto &[title, section] : result.titles) {
            const QString key = title.trimmed().toCaseFolded();
            auto found = carriers.find(key);
            if (found == carriers.end()) {
                found = carriers.insert(key, {});
                titleOrder.push_back(key);
            }
            found->push_back(QStringLiteral("%1 [%2] \"%3\"").arg(subdir, section, title));
        }
    }
    for (const QString &key : titleOrder) {
        const std::vector<QString> &list = carriers[key];
        if (list.size() < 2) {
            continue;
        }
        QStringList named(list.begin(), list.end());
        check.findings.push_back({{}, {}, FindingKind::DuplicateTitle,
                                  QStringLiteral("%1 variations carry the same title, the simulator keeps one: %2")
                                      .arg(list.size())
                                      .arg(named.join(QStringLiteral(", ")))});
    }
    for (const Finding &finding : check.findings) {
        ++check.counts[size_t(finding.kind)];
    }
    return check;
}

} // namespace hangardeck::core
