// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/collectioncheck.h"

#include "core/catalogue/cataloguescanner.h"
#include "core/platform/directorylisting.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <QHash>
#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// A listed variation's title, for the collection's duplicate check.
struct ListedTitle {
    QString title;
    QString key;     // trimmed and case-folded: titles that match it are the same
    size_t hash = 0; // of key
    int section = 0; // N of [fltsim.N]
};

// One name of an aircraft folder's listing, folded for matching without regard to case as
// the simulator's file system matches.
struct ListedName {
    QString folded;       // for a name not all ASCII
    qsizetype offset = 0; // the name's bytes in the listing's
    qsizetype size = 0;
    bool ascii = false; // all ASCII: matched on its bytes, without decoding
    bool isDirectory = false;
};

bool asciiEqualsIgnoringCase(QByteArrayView a, QByteArrayView b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; };
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// An aircraft folder listed once: its names, and the aircraft.cfg among them (the exact name
// first, else the first in another letter case, as the scan reads it).
struct FolderListing {
    std::vector<ListedName> names;
    std::string bytes;  // every name's bytes, one after the other: one allocation, not one per name
    std::string config; // its name in the folder; empty when there is none

    QByteArrayView nativeOf(const ListedName &listed) const { return {bytes.data() + listed.offset, listed.size}; }

    // Whether the folder holds key + dot + value + suffix (value as read from the file). The
    // usual all-ASCII case compares bytes; anything else is decoded and case-folded.
    bool has(QByteArrayView key, QByteArrayView dot, QByteArrayView value, QByteArrayView suffix, bool directory) const
    {
        if (isAscii(value)) {
            const qsizetype prefixSize = key.size() + dot.size();
            const qsizetype size = prefixSize + value.size() + suffix.size();
            return std::any_of(names.begin(), names.end(), [&](const ListedName &listed) {
                const QByteArrayView name = nativeOf(listed);
                return listed.ascii && listed.isDirectory == directory && name.size() == size
                       && asciiEqualsIgnoringCase(name.first(key.size()), key)
                       && asciiEqualsIgnoringCase(name.sliced(key.size(), dot.size()), dot)
                       && asciiEqualsIgnoringCase(name.sliced(prefixSize, value.size()), value)
                       && asciiEqualsIgnoringCase(name.last(suffix.size()), suffix);
            });
        }
        return has(QString::fromLatin1(key) + QString::fromLatin1(dot) + Profile::decodedValue(value)
                       + QString::fromLatin1(suffix),
                   directory);
    }

    bool has(const QString &name, bool directory) const
    {
        const QString folded = name.toCaseFolded();
        return std::any_of(names.begin(), names.end(), [&](const ListedName &listed) {
            return listed.isDirectory == directory
                   && (listed.ascii ? QString::fromLatin1(nativeOf(listed)).toCaseFolded() : listed.folded) == folded;
        });
    }
};

// Adds one listed name; the config is the exact "aircraft.cfg", else the first file of that
// name in another letter case, as the scan reads it.
void addListedName(FolderListing &listing, QByteArrayView native, bool directory, std::string &otherCase)
{
    if (native == "aircraft.cfg") {
        listing.config = native.toByteArray().toStdString();
    }
    const bool ascii = isAscii(native);
    QString folded;
    if (ascii) {
        if (otherCase.empty() && !directory && asciiEqualsIgnoringCase(native, "aircraft.cfg")) {
            otherCase = native.toByteArray().toStdString();
        }
    } else {
        folded = decodeFileName(native.toByteArray().toStdString()).toCaseFolded();
    }
    listing.names.push_back({std::move(folded), qsizetype(listing.bytes.size()), native.size(), ascii, directory});
    listing.bytes.append(native.data(), size_t(native.size()));
}

FolderListing listFolder(const fs::path &folder)
{
    FolderListing listing;
    std::string otherCase;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        addListedName(listing, name, it->is_directory(typeError), otherCase);
    }
    if (listing.config.empty()) {
        listing.config = otherCase;
    }
    return listing;
}

#ifdef Q_OS_UNIX
// The same listing through an open folder: no path is resolved from the root again, which
// on a large collection costs as much as the rest of the listing.
FolderListing listFolderAt(int folderFd)
{
    FolderListing listing;
    // An aircraft folder's usual size: its liveries, model, panel, sound.
    listing.names.reserve(32);
    listing.bytes.reserve(512);
    std::string otherCase;
    const int listFd = ::dup(folderFd);
    DIR *dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) {
            ::close(listFd);
        }
        return listing;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        bool directory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat target {};
            directory = ::fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        addListedName(listing, name, directory, otherCase);
    }
    ::closedir(dir);
    if (listing.config.empty()) {
        listing.config = otherCase;
    }
    return listing;
}
#endif

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

// The keys checked in each listed entry, in this order.
constexpr std::array<QByteArrayView, 8> EntryKeys = {"title", "ui_manufacturer", "ui_type", "texture",
                                                     "model", "panel",           "sound",   "sim"};
constexpr size_t FirstFolderKey = 3;
constexpr size_t SimKey = 7;

// "fltsim.N", made once for every N looked up.
QByteArrayView fltsimSection(int n)
{
    static const auto sections = [] {
        std::array<QByteArray, MaxCheckedFltsimIndex + 1> names;
        for (int i = 0; i <= MaxCheckedFltsimIndex; ++i) {
            names[size_t(i)] = "fltsim." + QByteArray::number(i);
        }
        return names;
    }();
    return sections[size_t(n)];
}

// The findings of one listed entry's values.
void checkEntry(const Profile &profile, int n, const FolderListing &listing, const QString &folder,
                std::vector<Finding> &findings, bool &misdecoded)
{
    std::array<std::optional<QByteArrayView>, EntryKeys.size()> raws;
    profile.rawValues(fltsimSection(n), EntryKeys, raws);

    for (size_t k = 0; k < raws.size(); ++k) {
        if (raws[k] && !isValidUtf8(*raws[k])) {
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
            findings.push_back({folder, sectionName(n), FindingKind::Cut,
                                QStringLiteral("%1 is %2 characters long; it is shown cut to %3")
                                    .arg(QString::fromLatin1(EntryKeys[k].toByteArray()))
                                    .arg(length)
                                    .arg(Profile::MaxValueChars)});
        }
    }
    // Matched on the value as the list shows it: cut like any other.
    const auto shown = [](QByteArrayView raw) {
        return isAscii(raw) ? raw.first(std::min<qsizetype>(raw.size(), Profile::MaxValueChars)) : raw;
    };
    for (size_t k = FirstFolderKey; k < SimKey; ++k) {
        if (!raws[k]) {
            continue; // a key that is not there names nothing
        }
        const QByteArrayView value = shown(*raws[k]);
        if (!listing.has(EntryKeys[k], value.isEmpty() ? QByteArrayView() : QByteArrayView("."), value, {}, true)) {
            const QString key = QString::fromLatin1(EntryKeys[k]);
            const QString decoded = Profile::decodedValue(*raws[k]);
            findings.push_back({folder, sectionName(n), FindingKind::MissingFolder,
                                QStringLiteral("%1=%2 names the folder %3, which is not in the aircraft folder")
                                    .arg(key, decoded, decoded.isEmpty() ? key : key + u'.' + decoded)});
        }
    }
    if (raws[SimKey] && !raws[SimKey]->isEmpty()) {
        if (!listing.has({}, {}, shown(*raws[SimKey]), ".air", false)) {
            const QString value = Profile::decodedValue(*raws[SimKey]);
            findings.push_back({folder, sectionName(n), FindingKind::MissingAir,
                                QStringLiteral("sim=%1 names %2, which is not in the aircraft folder")
                                    .arg(value, value + QStringLiteral(".air"))});
        }
    }
}

// N of a section named "fltsim.N" (any letter case) with 0 <= N <= MaxCheckedFltsimIndex,
// written as a lookup of [fltsim.N] finds it; -1 for any other name.
int fltsimIndexOf(QByteArrayView name)
{
    constexpr QByteArrayView prefix = "fltsim.";
    if (name.size() <= prefix.size() || !asciiEqualsIgnoringCase(name.first(prefix.size()), prefix)) {
        return -1;
    }
    const QByteArrayView digits = name.sliced(prefix.size());
    if (digits.size() > 2 || (digits.size() > 1 && digits[0] == '0')
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    const int n = digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + (digits[1] - '0');
    return n <= MaxCheckedFltsimIndex ? n : -1;
}

// Whether [fltsim.n] has a title the list would show.
bool isTitled(const Profile &profile, int n)
{
    constexpr QByteArrayView titleKey = "title";
    std::optional<QByteArrayView> raw;
    profile.rawValues(fltsimSection(n), {&titleKey, 1}, {&raw, 1});
    // A title of fewer than two characters counts as none. Four bytes always decode to two
    // or more (no character takes more than four), so only a shorter one is decoded.
    return raw && (raw->size() >= 4 || Profile::decodedValue(*raw).size() >= 2);
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

namespace {

// An aircraft folder opened once for its listing and its aircraft.cfg.
struct OpenFolder {
    int fd = -1;

    OpenFolder(const DirectoryEntry &folder, int aircraftFd)
    {
#ifdef Q_OS_UNIX
        if (aircraftFd >= 0) {
            const std::size_t slash = folder.native.rfind('/');
            const std::string name = slash == std::string::npos ? folder.native : folder.native.substr(slash + 1);
            fd = ::openat(aircraftFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (fd < 0) {
            fd = ::open(folder.native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
#else
        Q_UNUSED(folder)
        Q_UNUSED(aircraftFd)
#endif
    }
    ~OpenFolder()
    {
#ifdef Q_OS_UNIX
        if (fd >= 0) {
            ::close(fd);
        }
#endif
    }
    Q_DISABLE_COPY_MOVE(OpenFolder)
};

std::vector<Finding> checkFolder(const DirectoryEntry &folder, bool extended, std::vector<ListedTitle> *titles,
                                 int aircraftFd)
{
    std::vector<Finding> findings;
    const QString subdir = u'\\' + folder.name;
    const OpenFolder open(folder, aircraftFd);
#ifdef Q_OS_UNIX
    const FolderListing listing = open.fd >= 0 ? listFolderAt(open.fd) : listFolder(folder.path());
#else
    const FolderListing listing = listFolder(folder.path());
#endif
    if (listing.config.empty()) {
        findings.push_back({subdir,
                            {},
                            FindingKind::NoCfg,
                            QStringLiteral("no aircraft.cfg: the folder lists as -EMPTY- and holds no aircraft")});
        return findings;
    }
#ifdef Q_OS_UNIX
    const Profile profile =
        open.fd >= 0 ? Profile::fromFileAt(open.fd, listing.config) : Profile::fromFile(folder.path() / listing.config);
#else
    const Profile profile = Profile::fromFile(folder.path() / listing.config);
#endif
    if (!profile.isLoaded()) {
        findings.push_back(
            {subdir,
             {},
             FindingKind::Unreadable,
             QStringLiteral("%1 cannot be read: the folder lists as -EMPTY-").arg(decodeFileName(listing.config))});
        return findings;
    }

    // The titles of every entry looked at, 0 up to the highest checked.
    // Only the [fltsim.N] that exist are looked up: a hundred lookups in every file would
    // cost more than the rest of the check.
    std::array<bool, MaxCheckedFltsimIndex + 1> titled{};
    for (const QByteArrayView name : profile.sectionNames()) {
        const int n = fltsimIndexOf(name);
        if (n >= 0 && !titled[size_t(n)]) {
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
        findings.push_back(
            {subdir, sectionName(firstUntitled), FindingKind::Gap,
             QStringLiteral("[fltsim.%1] has no title, so the list stops there: %2 not listed")
                 .arg(firstUntitled)
                 .arg(sectionList(skipped) + (skipped.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are")))});
    }
    std::vector<int> beyond;
    for (int n = MaxFltsimIndex + 1; n <= MaxCheckedFltsimIndex; ++n) {
        if (titled[size_t(n)]) {
            beyond.push_back(n);
        }
    }
    if (!beyond.empty()) {
        findings.push_back(
            {subdir, sectionName(beyond.front()), FindingKind::Over33,
             QStringLiteral("the list shows fltsim.0 to fltsim.32 at most: %1 not listed")
                 .arg(sectionList(beyond) + (beyond.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are")))});
    }

    bool misdecoded = false;
    for (const CatalogueEntry &entry : aircraftEntries(profile, subdir, extended)) {
        if (!titled[size_t(entry.fltsimIndex)]) {
            continue; // the -EMPTY- row of a broken aircraft: nothing more to check in it
        }
        if (titles) {
            // Folded here, on the reader threads, so the merge only compares.
            QString key = entry.title.trimmed().toCaseFolded();
            const size_t hash = qHash(key);
            titles->push_back({entry.title, std::move(key), hash, entry.fltsimIndex});
        }
        checkEntry(profile, entry.fltsimIndex, listing, subdir, findings, misdecoded);
    }
    if (misdecoded) {
        findings.push_back({subdir,
                            {},
                            FindingKind::Encoding,
                            QStringLiteral("aircraft.cfg is not valid UTF-8: its text was read as Windows-1252")});
    }
    return findings;
}

} // namespace

CollectionCheck checkCollection(const fs::path &aircraftDir, bool extended, int readerThreads)
{
    const std::vector<DirectoryEntry> all = listSubfolders(aircraftDir);
    std::vector<const DirectoryEntry *> folders;
    for (const DirectoryEntry &folder : all) {
        if (!isSkippedSubdir(u'\\' + folder.name)) {
            folders.push_back(&folder);
        }
    }
    // Opened once: each folder is then reached from it, not from the root again.
    int aircraftFd = -1;
#ifdef Q_OS_UNIX
    aircraftFd = ::open(aircraftDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const auto closeAircraftDir = qScopeGuard([aircraftFd] {
        if (aircraftFd >= 0) {
            ::close(aircraftFd);
        }
    });
#endif
    struct FolderResult {
        std::vector<Finding> findings;
        std::vector<ListedTitle> titles;
        int variations = 0;
    };
    std::vector<FolderResult> results(folders.size());
    const auto checkOne = [&](size_t i) {
        FolderResult &result = results[i];
        try {
            result.findings = checkFolder(*folders[i], extended, &result.titles, aircraftFd);
        } catch (const std::exception &) {
            // Nothing a file holds may end the check: the folder is reported as unreadable.
            result.findings = {{u'\\' + folders[i]->name,
                                {},
                                FindingKind::Unreadable,
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
    // Titles compared without regard to case, blanks trimmed. Only a title met a second time
    // gets a group of carriers, so the common case (every title once) is one hash insert.
    struct Carrier {
        size_t folder;
        size_t title;
    };
    // An open-addressed table of carrier indexes, probed with the hash the reader threads
    // computed: this loop runs alone, so it neither hashes nor allocates per title.
    std::vector<Carrier> firstCarriers;
    std::vector<qsizetype> firstOrGroup; // per first carrier: >= 0 none yet; < 0: ~its group
    std::vector<std::vector<Carrier>> groups;
    size_t titleCount = 0;
    for (const FolderResult &result : results) {
        titleCount += result.titles.size();
    }
    size_t slotCount = 16;
    while (slotCount < 2 * titleCount) {
        slotCount *= 2;
    }
    constexpr uint32_t EmptySlot = UINT32_MAX;
    std::vector<uint32_t> slots(slotCount, EmptySlot);
    firstCarriers.reserve(titleCount);
    firstOrGroup.reserve(titleCount);
    const auto titleOf = [&](const Carrier &carrier) -> const ListedTitle & {
        return results[carrier.folder].titles[carrier.title];
    };
    for (size_t i = 0; i < folders.size(); ++i) {
        FolderResult &result = results[i];
        check.variations += result.variations;
        for (Finding &finding : result.findings) {
            check.findings.push_back(std::move(finding));
        }
        for (size_t t = 0; t < result.titles.size(); ++t) {
            const ListedTitle &listed = result.titles[t];
            size_t slot = listed.hash & (slotCount - 1);
            while (slots[slot] != EmptySlot) {
                const ListedTitle &first = titleOf(firstCarriers[slots[slot]]);
                if (first.hash == listed.hash && first.key == listed.key) {
                    break;
                }
                slot = (slot + 1) & (slotCount - 1);
            }
            if (slots[slot] == EmptySlot) {
                slots[slot] = uint32_t(firstCarriers.size());
                firstCarriers.push_back({i, t});
                firstOrGroup.push_back(0);
                continue;
            }
            qsizetype &group = firstOrGroup[slots[slot]];
            if (group >= 0) {
                groups.push_back({firstCarriers[slots[slot]], {i, t}});
                group = ~qsizetype(groups.size() - 1);
            } else {
                groups[size_t(~group)].push_back({i, t});
            }
        }
    }
    // Groups are made in the order of their second carrier; report them in the order of their first.
    std::sort(groups.begin(), groups.end(), [](const std::vector<Carrier> &a, const std::vector<Carrier> &b) {
        return std::pair(a.front().folder, a.front().title) < std::pair(b.front().folder, b.front().title);
    });
    for (const std::vector<Carrier> &group : groups) {
        QStringList named;
        for (const Carrier &carrier : group) {
            const ListedTitle &listed = results[carrier.folder].titles[carrier.title];
            named.append(QStringLiteral("\\%1 [%2] \"%3\"")
                             .arg(folders[carrier.folder]->name, sectionName(listed.section), listed.title));
        }
        check.findings.push_back({{},
                                  {},
                                  FindingKind::DuplicateTitle,
                                  QStringLiteral("%1 variations carry the same title, the simulator keeps one: %2")
                                      .arg(group.size())
                                      .arg(named.join(QStringLiteral(", ")))});
    }
    for (const Finding &finding : check.findings) {
        ++check.counts[size_t(finding.kind)];
    }
    return check;
}

} // namespace hangardeck::core
