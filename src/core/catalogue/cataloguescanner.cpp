// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/cataloguescanner.h"

#include "core/catalogue/rowformat.h"
#include "core/platform/profile.h"
#include "core/platform/textdecoding.h"

#include <algorithm>
#include <array>
#include <numeric>

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

// Whether a row holds only ASCII, which folds to lower case without tables.
bool isAscii(const QString &row)
{
    return std::all_of(row.cbegin(), row.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

char16_t asciiLower(char16_t u)
{
    return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
}

// Compares two texts as their case-folded forms would compare; an ASCII text is folded on
// the fly, character by character, so sorting needs no folded copy of every row.
int compareFolded(const QString &a, const QString *aFolded, const QString &b, const QString *bFolded)
{
    const QString &left = aFolded ? *aFolded : a;
    const QString &right = bFolded ? *bFolded : b;
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t l = aFolded ? left[i].unicode() : asciiLower(left[i].unicode());
        const char16_t r = bFolded ? right[i].unicode() : asciiLower(right[i].unicode());
        if (l != r) {
            return l < r ? -1 : 1;
        }
    }
    return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
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
    const Profile profile = readAircraftCfg(folder);
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

std::vector<int> sortRows(QStringList &rows)
{
    // Only rows beyond ASCII (rare) keep a folded copy for the comparisons.
    std::vector<QString> folded(size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!isAscii(rows[i])) {
            folded[size_t(i)] = rows[i].toCaseFolded();
        }
    }
    const auto foldedOf = [&folded](int i) { return folded[size_t(i)].isNull() ? nullptr : &folded[size_t(i)]; };
    std::vector<int> order(size_t(rows.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compareFolded(rows[a], foldedOf(a), rows[b], foldedOf(b)) < 0;
    });
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const int index : order) {
        sorted.append(std::move(rows[index]));
    }
    rows = std::move(sorted);
    return order;
}

CatalogueScan scanFolders(const std::vector<DirectoryEntry> &folders, bool extended, const FormatSettings &settings,
                          const ScanProgress &progress)
{
    CatalogueScan result;
    const int total = int(folders.size());
    int done = 0;
    for (const DirectoryEntry &folder : folders) {
        const QString subdir = u'\\' + folder.name;
        if (!isSkippedSubdir(subdir)) {
            std::vector<CatalogueEntry> entries = readAircraftFolder(folder.path, subdir, extended);
            for (CatalogueEntry &entry : entries) {
                entry.folderIndex = int(result.folderPaths.size());
            }
            result.folderPaths.push_back(folder.path);
            std::move(entries.begin(), entries.end(), std::back_inserter(result.entries));
        }
        ++done;
        if (progress && !progress(done, total)) {
            break;
        }
    }

    result.rows.reserve(qsizetype(result.entries.size()));
    for (const CatalogueEntry &entry : result.entries) {
        result.rows.append(rowformat::formatRow(entry, settings));
    }
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
