// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"

#include "core/catalogue/rowformat.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

const std::array<QByteArray, MaxFltsimIndex + 1> &fltsimSections()
{
    static const auto sections = [] {
        std::array<QByteArray, MaxFltsimIndex + 1> names;
        for (int n = 0; n <= MaxFltsimIndex; ++n) {
            names[size_t(n)] = "fltsim." + QByteArray::number(n);
        }
        return names;
    }();
    return sections;
}

// Reads aircraft.cfg, or on a case-sensitive file system the same name in another letter
// case (collections copied from Windows often hold Aircraft.cfg). The exact name is tried
// first, without a stat, since it is what nearly every folder has.
Profile readAircraftCfg(const fs::path &folder)
{
    Profile profile = Profile::fromFile(folder / "aircraft.cfg");
    if (profile.isLoaded()) {
        return profile;
    }
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const QString name = decodeFileName(it->path().filename().string());
        if (name != u"aircraft.cfg" && name.compare(u"aircraft.cfg", Qt::CaseInsensitive) == 0) {
            return Profile::fromFile(it->path());
        }
    }
    return profile;
}

// The raw texts of an entry's three keys, kept to tell a repeated value without decoding
// it, and whether each made a value.
struct RawEntry {
    std::array<std::optional<QByteArrayView>, 3> values;
    std::array<bool, 3> present{};
};

// Reads the three listed keys of [fltsim.N] in one pass over the section. Returns false
// when the entry has no title. A value whose bytes repeat the previous variation's shares
// that variation's text instead of being decoded again.
bool readEntry(const Profile &profile, int index, CatalogueEntry &entry, RawEntry &raw, const CatalogueEntry *previous,
               const RawEntry *previousRaw)
{
    static constexpr std::array<QByteArrayView, 3> keys = {"title", "ui_manufacturer", "ui_type"};
    static constexpr std::array<QString CatalogueEntry::*, 3> fields = {
        &CatalogueEntry::title, &CatalogueEntry::manufacturer, &CatalogueEntry::type};
    // One shared "-EMPTY-" for every missing value of the whole scan.
    static const QString empty = QString::fromUtf16(EmptyValueText);
    profile.rawValues(fltsimSections()[size_t(index)], keys, raw.values);
    for (size_t k = 0; k < keys.size(); ++k) {
        QString &field = entry.*fields[k];
        if (previous && raw.values[k] && previousRaw->values[k] && *raw.values[k] == *previousRaw->values[k]) {
            field = previous->*fields[k];
            raw.present[k] = previousRaw->present[k];
            continue;
        }
        // An aircraft.cfg value of fewer than two characters counts as none.
        QString value = raw.values[k] ? Profile::decodedValue(*raw.values[k]) : QString();
        raw.present[k] = value.size() >= 2;
        field = raw.present[k] ? std::move(value) : empty;
    }
    entry.fltsimIndex = index;
    return raw.present[0];
}

// One compact sort key per row, made once: a row of ASCII only (nearly every row) as its
// lower-cased bytes, compared with memcmp; any other row as its case-folded text. Both
// compare as the rows' case-folded UTF-16 texts would. Keys are added a folder at a time,
// each folder's bytes in one block, so that a reader thread can make them.
class SortKeys final
{
public:
    // Gives back what the last block holds beyond its keys.
    void squeeze()
    {
        if (!m_blocks.empty()) {
            m_blocks.back().shrink_to_fit();
        }
        m_keys.shrink_to_fit();
    }

    void add(const QString &row)
    {
        const bool ascii = std::all_of(row.cbegin(), row.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (!ascii) {
            m_keys.push_back({-1, 0, 0, int(m_folded.size())});
            m_folded.push_back(row.toCaseFolded());
            return;
        }
        if (m_blocks.empty()) {
            m_blocks.emplace_back();
        }
        std::vector<char> &block = m_blocks.back();
        const auto offset = std::uint32_t(block.size());
        block.resize(block.size() + size_t(row.size()));
        char *out = block.data() + offset;
        for (const QChar c : row) {
            const char16_t u = c.unicode();
            *out++ = char(u >= u'A' && u <= u'Z' ? u + 32 : u);
        }
        m_keys.push_back({int(m_blocks.size()) - 1, offset, std::uint32_t(row.size()), -1});
    }

    // Takes over the keys of another set, which follow this set's keys.
    void append(SortKeys &&other)
    {
        const int blocks = int(m_blocks.size());
        const int folded = int(m_folded.size());
        for (Key key : other.m_keys) {
            if (key.block >= 0) {
                key.block += blocks;
            } else {
                key.folded += folded;
            }
            m_keys.push_back(key);
        }
        std::move(other.m_blocks.begin(), other.m_blocks.end(), std::back_inserter(m_blocks));
        std::move(other.m_folded.begin(), other.m_folded.end(), std::back_inserter(m_folded));
    }

    qsizetype size() const { return qsizetype(m_keys.size()); }

    bool less(int a, int b) const
    {
        const Key &ka = m_keys[size_t(a)];
        const Key &kb = m_keys[size_t(b)];
        if (ka.block >= 0 && kb.block >= 0) {
            const int c = std::memcmp(bytes(ka), bytes(kb), std::min(ka.length, kb.length));
            return c != 0 ? c < 0 : ka.length < kb.length;
        }
        const qsizetype lengthA = length(ka);
        const qsizetype lengthB = length(kb);
        for (qsizetype i = 0, common = std::min(lengthA, lengthB); i < common; ++i) {
            const char16_t l = at(ka, i);
            const char16_t r = at(kb, i);
            if (l != r) {
                return l < r;
            }
        }
        return lengthA < lengthB;
    }

private:
    struct Key {
        int block;            // the block of an ASCII key, -1 for a folded one
        std::uint32_t offset; // in the block
        std::uint32_t length; // in the block
        int folded;           // index in m_folded, -1 for an ASCII key
    };

    const char *bytes(const Key &key) const { return m_blocks[size_t(key.block)].data() + key.offset; }
    qsizetype length(const Key &key) const
    {
        return key.block >= 0 ? qsizetype(key.length) : m_folded[size_t(key.folded)].size();
    }
    char16_t at(const Key &key, qsizetype i) const
    {
        return key.block >= 0 ? char16_t(uchar(bytes(key)[i])) : m_folded[size_t(key.folded)][i].unicode();
    }

    std::vector<Key> m_keys;
    std::vector<std::vector<char>> m_blocks;
    std::vector<QString> m_folded;
};

// The stable order of the keys: position -> key index. A large list is sorted in two halves
// at once, then merged; both steps keep equal keys in their order, so the result is that of
// one stable sort.
std::vector<int> sortedOrder(const SortKeys &keys)
{
    const auto less = [&keys](int a, int b) { return keys.less(a, b); };
    std::vector<int> order(size_t(keys.size()));
    std::iota(order.begin(), order.end(), 0);
    constexpr size_t SplitFrom = 20000;
    if (order.size() >= SplitFrom && std::thread::hardware_concurrency() > 1) {
        const auto middle = order.begin() + std::ptrdiff_t(order.size() / 2);
        {
            std::jthread firstHalf;
            try {
                firstHalf = std::jthread([&] { std::stable_sort(order.begin(), middle, less); });
            } catch (const std::system_error &) {
                std::stable_sort(order.begin(), middle, less); // no thread to be had: one after the other
            }
            std::stable_sort(middle, order.end(), less);
        }
        std::inplace_merge(order.begin(), middle, order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(), less);
    }
    return order;
}

// The entries one parsed aircraft.cfg lists.
std::vector<CatalogueEntry> entriesOf(const Profile &profile, const QString &subdir, bool extended)
{
    std::vector<CatalogueEntry> entries;
    std::array<RawEntry, 2> raws; // this entry's and the previous one's, in turn
    const int last = extended ? MaxFltsimIndex : 0;
    for (int n = 0; n <= last; ++n) {
        CatalogueEntry entry;
        entry.subdir = subdir;
        RawEntry &raw = raws[size_t(n % 2)];
        const RawEntry *previousRaw = entries.empty() ? nullptr : &raws[size_t((n + 1) % 2)];
        const bool titled = readEntry(profile, n, entry, raw, entries.empty() ? nullptr : &entries.back(), previousRaw);
        // Entries run up to, not including, the first number without a usable title.
        if (!titled && n > 0) {
            break;
        }
        entries.push_back(std::move(entry));
        // A folder without a titled [fltsim.0] still lists as that one row, so a broken
        // aircraft stays visible in extended mode as it does in plain mode.
        if (!titled) {
            break;
        }
    }
    return entries;
}

// What one aircraft folder contributes, read on a worker thread: its entries and their
// rows' sort keys.
struct FolderResult {
    bool listed = false; // false for the simulator's own folders
    std::vector<CatalogueEntry> entries;
    SortKeys keys;
};

// The folder the listed aircraft folders lie in, opened once for the whole scan.
struct AircraftDirectory {
    int fd = -1;
    std::string prefix; // its path with the separator, as the listed paths begin

    explicit AircraftDirectory(const std::vector<DirectoryEntry> &folders)
    {
#ifdef Q_OS_UNIX
        if (folders.empty()) {
            return;
        }
        const std::string &first = folders.front().native;
        const std::size_t slash = first.rfind('/');
        if (slash == std::string::npos) {
            return;
        }
        prefix = first.substr(0, slash + 1);
        fd = ::open(prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#else
        Q_UNUSED(folders)
#endif
    }
    ~AircraftDirectory()
    {
#ifdef Q_OS_UNIX
        if (fd >= 0) {
            ::close(fd);
        }
#endif
    }
    Q_DISABLE_COPY_MOVE(AircraftDirectory)
};

// The aircraft.cfg of a folder, found through the scanned directory's open descriptor where
// there is one (the path of each file is then not resolved from the root again).
Profile readFolderProfile(const DirectoryEntry &folder, const AircraftDirectory &directory)
{
#ifdef Q_OS_UNIX
    if (directory.fd >= 0 && folder.native.size() > directory.prefix.size()
        && folder.native.compare(0, directory.prefix.size(), directory.prefix) == 0) {
        Profile profile =
            Profile::fromFileAt(directory.fd, folder.native.substr(directory.prefix.size()) + "/aircraft.cfg");
        if (profile.isLoaded()) {
            return profile;
        }
    }
#else
    Q_UNUSED(directory)
#endif
    return readAircraftCfg(folder.path());
}

FolderResult readFolderResult(const DirectoryEntry &folder, bool extended, const FormatSettings &settings,
                              const AircraftDirectory &directory)
{
    FolderResult result;
    const QString subdir = u'\\' + folder.name;
    if (isSkippedSubdir(subdir)) {
        return result;
    }
    result.listed = true;
    try {
        result.entries = entriesOf(readFolderProfile(folder, directory), subdir, extended);
    } catch (const std::exception &) {
        // Nothing a file holds may end the scan: the folder lists as one without aircraft.cfg.
        result.entries = entriesOf(Profile(), subdir, extended);
    }
    // The slot may wait a while to be merged: it holds no spare room meanwhile.
    result.entries.shrink_to_fit();
    // One buffer for every row's text: only the compact key is kept.
    QString row;
    for (const CatalogueEntry &entry : result.entries) {
        row.resize(0);
        rowformat::appendRow(row, entry, settings);
        result.keys.add(row);
    }
    result.keys.squeeze();
    return result;
}

QStringList fieldList(const std::deque<CatalogueEntry> &entries, QString CatalogueEntry::*field)
{
    QStringList list;
    list.reserve(qsizetype(entries.size()));
    for (const CatalogueEntry &entry : entries) {
        list.append(entry.*field);
    }
    return list;
}

} // namespace

QStringList CatalogueScan::manufacturers() const
{
    return fieldList(entries, &CatalogueEntry::manufacturer);
}

QStringList CatalogueScan::types() const
{
    return fieldList(entries, &CatalogueEntry::type);
}

QStringList CatalogueScan::titles() const
{
    return fieldList(entries, &CatalogueEntry::title);
}

QStringList CatalogueScan::subdirs() const
{
    return fieldList(entries, &CatalogueEntry::subdir);
}

bool isSkippedSubdir(const QString &subdir)
{
    return subdir == u"\\default" || subdir == u"\\fsfsconv" || subdir == u"\\templates";
}

std::vector<CatalogueEntry> readAircraftFolder(const fs::path &folder, const QString &subdir, bool extended)
{
    return entriesOf(readAircraftCfg(folder), subdir, extended);
}

std::vector<CatalogueEntry> aircraftEntries(const Profile &profile, const QString &subdir, bool extended)
{
    return entriesOf(profile, subdir, extended);
}

std::vector<int> sortRows(QStringList &rows)
{
    SortKeys keys;
    for (const QString &row : std::as_const(rows)) {
        keys.add(row);
    }
    const std::vector<int> order = sortedOrder(keys);
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const int index : order) {
        sorted.append(std::move(rows[index]));
    }
    rows = std::move(sorted);
    return order;
}

QString CatalogueScan::row(qsizetype i) const
{
    return rowformat::formatRow(entries[size_t(rowEntries[size_t(i)])], format);
}

QStringList CatalogueScan::rows() const
{
    QStringList all;
    all.reserve(rowCount());
    for (qsizetype i = 0; i < rowCount(); ++i) {
        all.append(row(i));
    }
    return all;
}

namespace {

// A scan read but not yet sorted.
struct ReadScan {
    CatalogueScan scan;
    SortKeys keys;
};

ReadScan readFolders(const std::vector<DirectoryEntry> &folders, bool extended, const FormatSettings &settings,
                     const ScanProgress &progress, int readerThreads)
{
    const int total = int(folders.size());
    if (readerThreads <= 0) {
        // Readers mostly wait for the disk when the files are not cached: a few more readers
        // than cores keep it busy (eight read a cold collection about three times faster than
        // two on a two-core machine), and cost little when the files are cached.
        readerThreads = std::clamp(2 * int(std::thread::hardware_concurrency()), 8, 16);
    }
    readerThreads = std::clamp(readerThreads, 1, std::max(1, total));

    // Readers take folders in scan order and leave each result in its slot; this thread
    // merges the slots in that order, so the result is the same whatever the threads do. It
    // reads folders too whenever the next slot is not filled yet, so it seldom sleeps: a
    // wake-up per folder would cost more than reading it.
    const AircraftDirectory directory(folders);
    std::vector<FolderResult> slots(static_cast<size_t>(total));
    // Each slot is written by one reader, then flagged; the flag orders the threads.
    std::vector<std::atomic<bool>> ready(static_cast<size_t>(total));
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
    const auto readOne = [&](int i) {
        try {
            slots[size_t(i)] = readFolderResult(folders[size_t(i)], extended, settings, directory);
        } catch (...) {
            // Out of memory even for an empty folder's row: the folder contributes nothing.
            slots[size_t(i)] = FolderResult();
        }
        ready[size_t(i)].store(true, std::memory_order_release);
        ready[size_t(i)].notify_one();
    };
    std::vector<std::jthread> readers;
    readers.reserve(size_t(readerThreads - 1));
    // However this function ends, the readers stop taking folders before they are joined.
    struct StopReaders {
        std::atomic<bool> &stopped;
        ~StopReaders() { stopped = true; }
    } stopReaders{stopped};
    for (int t = 1; t < readerThreads; ++t) {
        try {
            readers.emplace_back([&] {
                for (int i = next++; i < total && !stopped; i = next++) {
                    readOne(i);
                }
            });
        } catch (const std::system_error &) {
            break; // no more threads to be had: the ones there are, this one included, read all
        }
    }

    ReadScan reading;
    CatalogueScan &result = reading.scan;
    SortKeys &keys = reading.keys;
    result.format = settings;
    for (int merged = 0; merged < total;) {
        if (!ready[size_t(merged)].load(std::memory_order_acquire)) {
            if (const int i = next++; i < total) {
                readOne(i);
            } else {
                ready[size_t(merged)].wait(false, std::memory_order_acquire);
            }
            continue;
        }
        FolderResult folder = std::move(slots[size_t(merged)]);
        if (folder.listed) {
            for (CatalogueEntry &entry : folder.entries) {
                entry.folderIndex = int(result.folderPaths.size());
            }
            result.folderPaths.push_back(folders[size_t(merged)].native);
            std::move(folder.entries.begin(), folder.entries.end(), std::back_inserter(result.entries));
            keys.append(std::move(folder.keys));
        }
        ++merged;
        if (progress && !progress(merged, total)) {
            break;
        }
    }
    stopped = true;
    readers.clear(); // joins
    return reading;
}

CatalogueScan sorted(ReadScan read)
{
    read.scan.rowEntries = sortedOrder(read.keys);
    return std::move(read.scan);
}

} // namespace

CatalogueScan scanFolders(const std::vector<DirectoryEntry> &folders, bool extended, const FormatSettings &settings,
                          const ScanProgress &progress, int readerThreads)
{
    return sorted(readFolders(folders, extended, settings, progress, readerThreads));
}

CatalogueScan scanCatalogue(const fs::path &aircraftDir, bool extended, const FormatSettings &settings,
                            const ScanProgress &progress)
{
    std::vector<DirectoryEntry> folders = listSubfolders(aircraftDir);
    ReadScan read = readFolders(folders, extended, settings, progress, 0);
    // The listing goes before the sort, the scan's largest moment.
    std::vector<DirectoryEntry>().swap(folders);
    return sorted(std::move(read));
}

QString aircraftCountText(qsizetype rowCount)
{
    return QString::number(rowCount) + QStringLiteral(" Aircraft listed");
}

} // namespace hangardeck::core
