// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"

#include "core/catalogue/aircraftfolder.h"
#include "core/catalogue/rowformat.h"
#include "core/platform/parallel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

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
        runBoth([&] { std::stable_sort(order.begin(), middle, less); },
                [&] { std::stable_sort(middle, order.end(), less); });
        std::inplace_merge(order.begin(), middle, order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(), less);
    }
    return order;
}

// What one aircraft folder contributes, read on a worker thread: its entries and their
// rows' sort keys.
struct FolderResult {
    bool listed = false; // false for the simulator's own folders
    std::vector<CatalogueEntry> entries;
    SortKeys keys;
};

// The folder the listed aircraft folders lie in, opened once for the whole scan: each
// aircraft.cfg is then reached from it, not from the root again.
struct AircraftDirectory {
    FolderHandle handle;
    NativeName prefix; // its path with the separator, as the listed paths begin

    explicit AircraftDirectory(const std::vector<DirectoryEntry> &folders)
    {
        if (folders.empty()) {
            return;
        }
        const fs::path parent = fs::path(folders.front().native).parent_path();
        prefix = (parent / NativeName()).native();
        handle = FolderHandle::open(parent);
    }

    AircraftConfig read(const DirectoryEntry &folder) const
    {
        if (handle.isOpen() && folder.native.size() > prefix.size()
            && folder.native.compare(0, prefix.size(), prefix) == 0) {
            return readAircraftConfig(handle, NativeNameView(folder.native).substr(prefix.size()));
        }
        return readAircraftConfig(folder.path());
    }
};

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
        result.entries = listedEntries(directory.read(folder).profile, subdir, extended);
    } catch (const std::exception &) {
        // Nothing a file holds may end the scan: the folder lists as one without aircraft.cfg.
        result.entries = listedEntries(Profile(), subdir, extended);
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
    const AircraftDirectory directory(folders);
    ReadScan reading;
    CatalogueScan &result = reading.scan;
    result.format = settings;
    // Readers run at most this many folders ahead of the merge.
    constexpr int Window = 4096;
    produceInOrder<FolderResult>(
        total, readerThreadCount(readerThreads, total), Window,
        [&](int i) { return readFolderResult(folders[size_t(i)], extended, settings, directory); },
        [&](int i, FolderResult folder) {
            if (folder.listed) {
                for (CatalogueEntry &entry : folder.entries) {
                    entry.folderIndex = int(result.folderPaths.size());
                }
                result.folderPaths.push_back(folders[size_t(i)].native);
                std::move(folder.entries.begin(), folder.entries.end(), std::back_inserter(result.entries));
                reading.keys.append(std::move(folder.keys));
            }
            return !progress || progress(i + 1, total);
        });
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

QString aircraftCountText(qsizetype rowCount, std::optional<qsizetype> shownCount)
{
    const QString count = shownCount ? QString::number(*shownCount) + QStringLiteral(" of ") + QString::number(rowCount)
                                     : QString::number(rowCount);
    return count + QStringLiteral(" Aircraft listed");
}

} // namespace hangardeck::core
