// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"

#include "core/catalogue/rowformat.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <numeric>
#include <thread>

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

// Reads the three listed keys of [fltsim.N] in one pass over the section. Returns false
// when the entry has no title.
bool readEntry(const Profile &profile, int index, CatalogueEntry &entry)
{
    static constexpr std::array<QByteArrayView, 3> keys = {"title", "ui_manufacturer", "ui_type"};
    std::array<std::optional<QString>, 3> found;
    profile.aircraftValues(fltsimSections()[size_t(index)], keys, found);
    // One shared "-EMPTY-" for every missing value of the whole scan.
    static const QString empty = QString::fromUtf16(EmptyValueText);
    const bool titled = found[0].has_value();
    entry.title = found[0] ? std::move(*found[0]) : empty;
    entry.manufacturer = found[1] ? std::move(*found[1]) : empty;
    entry.type = found[2] ? std::move(*found[2]) : empty;
    entry.fltsimIndex = index;
    return titled;
}

// One compact sort key per row, made once: a row of ASCII only (nearly every row) as its
// lower-cased bytes in one shared buffer, compared with memcmp; any other row as its
// case-folded text. Both compare as the rows' case-folded UTF-16 texts would.
class SortKeys final
{
public:
    explicit SortKeys(const QStringList &rows)
        : m_offsets(size_t(rows.size()) + 1)
        , m_folded(size_t(rows.size()))
    {
        qsizetype total = 0;
        for (const QString &row : rows) {
            total += row.size();
        }
        m_bytes.resize(size_t(total));
        qsizetype at = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QString &row = rows[i];
            m_offsets[size_t(i)] = at;
            const bool ascii =
                std::all_of(row.cbegin(), row.cend(), [](QChar c) { return c.unicode() < 0x80; });
            if (ascii) {
                for (const QChar c : row) {
                    const char16_t u = c.unicode();
                    m_bytes[size_t(at++)] = char(u >= u'A' && u <= u'Z' ? u + 32 : u);
                }
            } else {
                m_folded[size_t(i)] = row.toCaseFolded();
            }
        }
        m_offsets.back() = at;
    }

    bool less(int a, int b) const
    {
        if (m_folded[size_t(a)].isNull() && m_folded[size_t(b)].isNull()) {
            const qsizetype lengthA = asciiLength(a);
            const qsizetype lengthB = asciiLength(b);
            const int c = std::memcmp(m_bytes.data() + m_offsets[size_t(a)], m_bytes.data() + m_offsets[size_t(b)],
                                      size_t(std::min(lengthA, lengthB)));
            return c != 0 ? c < 0 : lengthA < lengthB;
        }
        const qsizetype lengthA = length(a);
        const qsizetype lengthB = length(b);
        for (qsizetype i = 0, common = std::min(lengthA, lengthB); i < common; ++i) {
            const char16_t l = at(a, i);
            const char16_t r = at(b, i);
            if (l != r) {
                return l < r;
            }
        }
        return lengthA < lengthB;
    }

private:
    qsizetype asciiLength(int row) const { return m_offsets[size_t(row) + 1] - m_offsets[size_t(row)]; }
    qsizetype length(int row) const
    {
        return m_folded[size_t(row)].isNull() ? asciiLength(row) : m_folded[size_t(row)].size();
    }
    char16_t at(int row, qsizetype i) const
    {
        return m_folded[size_t(row)].isNull() ? char16_t(uchar(m_bytes[size_t(m_offsets[size_t(row)] + i)]))
                                              : m_folded[size_t(row)][i].unicode();
    }

    std::vector<char> m_bytes;
    std::vector<qsizetype> m_offsets;
    std::vector<QString> m_folded; // null for an ASCII row
};

// The entries one parsed aircraft.cfg lists.
std::vector<CatalogueEntry> entriesOf(const Profile &profile, const QString &subdir, bool extended)
{
    std::vector<CatalogueEntry> entries;
    const int last = extended ? MaxFltsimIndex : 0;
    for (int n = 0; n <= last; ++n) {
        CatalogueEntry entry;
        entry.subdir = subdir;
        const bool titled = readEntry(profile, n, entry);
        if (!entries.empty()) {
            const CatalogueEntry &previous = entries.back();
            for (QString CatalogueEntry::*field : {&CatalogueEntry::manufacturer, &CatalogueEntry::type}) {
                if (entry.*field == previous.*field) {
                    entry.*field = previous.*field;
                }
            }
        }
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

// What one aircraft folder contributes, read on a worker thread: its entries and their rows.
struct FolderResult {
    bool listed = false; // false for the simulator's own folders
    std::vector<CatalogueEntry> entries;
    QStringList rows;
};

FolderResult readFolderResult(const DirectoryEntry &folder, bool extended, const FormatSettings &settings)
{
    FolderResult result;
    const QString subdir = u'\\' + folder.name;
    if (isSkippedSubdir(subdir)) {
        return result;
    }
    result.listed = true;
    try {
        result.entries = readAircraftFolder(folder.path, subdir, extended);
    } catch (const std::exception &) {
        // Nothing a file holds may end the scan: the folder lists as one without aircraft.cfg.
        result.entries = entriesOf(Profile(), subdir, extended);
    }
    result.rows.reserve(qsizetype(result.entries.size()));
    for (const CatalogueEntry &entry : result.entries) {
        result.rows.append(rowformat::formatRow(entry, settings));
    }
    return result;
}

QStringList fieldList(const std::vector<CatalogueEntry> &entries, QString CatalogueEntry::*field)
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

std::vector<int> sortRows(QStringList &rows)
{
    const SortKeys keys(rows);
    const auto less = [&keys](int a, int b) { return keys.less(a, b); };
    std::vector<int> order(size_t(rows.size()));
    std::iota(order.begin(), order.end(), 0);
    // A large list is sorted in two halves at once, then merged; both steps keep equal rows
    // in scan order, so the result is that of one stable sort.
    constexpr size_t SplitFrom = 20000;
    if (order.size() >= SplitFrom && std::thread::hardware_concurrency() > 1) {
        const auto middle = order.begin() + std::ptrdiff_t(order.size() / 2);
        {
            std::jthread firstHalf([&] { std::stable_sort(order.begin(), middle, less); });
            std::stable_sort(middle, order.end(), less);
        }
        std::inplace_merge(order.begin(), middle, order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(), less);
    }
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const int index : order) {
        sorted.append(std::move(rows[index]));
    }
    rows = std::move(sorted);
    return order;
}

CatalogueScan scanFolders(const std::vector<DirectoryEntry> &folders, bool extended, const FormatSettings &settings,
                          const ScanProgress &progress, int readerThreads)
{
    const int total = int(folders.size());
    if (readerThreads <= 0) {
        // Reading overlaps waiting for the disk with parsing: at least two readers even on
        // one core.
        readerThreads = std::max(2, int(std::thread::hardware_concurrency()));
    }
    readerThreads = std::clamp(readerThreads, 1, std::max(1, total));

    // Readers take folders in scan order and leave each result in its slot; this thread
    // merges the slots in that order, so the result is the same whatever the threads do.
    std::vector<FolderResult> slots(static_cast<size_t>(total));
    // Each slot is written by one reader, then flagged; the flag orders the two threads.
    std::vector<std::atomic<bool>> ready(static_cast<size_t>(total));
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
    const auto read = [&] {
        for (int i = next++; i < total && !stopped; i = next++) {
            try {
                slots[size_t(i)] = readFolderResult(folders[size_t(i)], extended, settings);
            } catch (...) {
                // Out of memory even for an empty folder's row: the folder contributes nothing.
                slots[size_t(i)] = FolderResult();
            }
            ready[size_t(i)].store(true, std::memory_order_release);
            ready[size_t(i)].notify_one();
        }
    };
    std::vector<std::jthread> readers;
    readers.reserve(size_t(readerThreads));
    for (int t = 0; t < readerThreads; ++t) {
        readers.emplace_back(read);
    }

    CatalogueScan result;
    for (int i = 0; i < total; ++i) {
        ready[size_t(i)].wait(false, std::memory_order_acquire);
        FolderResult folder = std::move(slots[size_t(i)]);
        if (folder.listed) {
            for (CatalogueEntry &entry : folder.entries) {
                entry.folderIndex = int(result.folderPaths.size());
            }
            result.folderPaths.push_back(folders[size_t(i)].path);
            std::move(folder.entries.begin(), folder.entries.end(), std::back_inserter(result.entries));
            result.rows.append(std::move(folder.rows));
        }
        if (progress && !progress(i + 1, total)) {
            break;
        }
    }
    stopped = true;
    readers.clear(); // joins

    result.rowEntries = sortRows(result.rows);
    return result;
}

CatalogueScan scanCatalogue(const fs::path &aircraftDir, bool extended, const FormatSettings &settings,
                            const ScanProgress &progress)
{
    return scanFolders(listSubfolders(aircraftDir), extended, settings, progress);
}

QString aircraftCountText(qsizetype rowCount)
{
    return QString::number(rowCount) + QStringLiteral(" Aircraft listed");
}

} // namespace hangardeck::core
