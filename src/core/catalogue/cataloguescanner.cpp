// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "catalogue/cataloguescanner.h"

#include "catalogue/rowformat.h"
#include "platform/profile.h"
#include "platform/textdecoding.h"

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
    const bool titled = found[0].has_value();
    entry.title = found[0].value_or(QString::fromUtf16(EmptyValueText));
    entry.manufacturer = found[1].value_or(QString::fromUtf16(EmptyValueText));
    entry.type = found[2].value_or(QString::fromUtf16(EmptyValueText));
    entry.fltsimIndex = index;
    return titled;
}

// The row folded to lower case; rows are nearly always ASCII, which folds without tables.
QString sortKey(const QString &row)
{
    QString key = row;
    QChar *c = key.data();
    for (QChar *end = c + key.size(); c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= 0x80) {
            return row.toCaseFolded();
        }
        if (u >= u'A' && u <= u'Z') {
            *c = QChar(char16_t(u + 32));
        }
    }
    return key;
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
        entry.folderPath = folder;
        const bool titled = readEntry(profile, n, entry);
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
    std::vector<QString> keys;
    keys.reserve(size_t(rows.size()));
    for (const QString &row : std::as_const(rows)) {
        keys.push_back(sortKey(row));
    }
    std::vector<int> order(size_t(rows.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    QStringList sorted;
    sorted.reserve(rows.size());
    for (const int index : order) {
        sorted.append(rows[index]);
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
