// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/aircraftfolder.h"

#include <algorithm>
#include <array>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

const NativeName &exactName()
{
    static const NativeName name = fs::path("aircraft.cfg").native();
    return name;
}

AircraftConfig configFrom(FileRead read, NativeName name)
{
    AircraftConfig config;
    config.fileName = std::move(name);
    if (read.status == FileRead::Missing || read.status == FileRead::Directory) {
        return config;
    }
    config.profile = Profile::fromRead(std::move(read));
    config.status = config.profile.isLoaded() ? AircraftConfig::Found : AircraftConfig::Unreadable;
    return config;
}

// The exact name was not there (or is a folder): the same name in another letter case. A
// folder of the exact name and no file in another case: the file is there, but unreadable.
// What a folder without a readable aircraft.cfg of the exact name gives when no other
// spelling is found either.
AircraftConfig notFound(bool exactIsFolder)
{
    AircraftConfig none;
    if (exactIsFolder) {
        none.status = AircraftConfig::Unreadable;
        none.fileName = exactName();
    }
    return none;
}

// The other spelling of aircraft.cfg a listing holds: the first in byte order.
const NativeName *otherSpelling(const std::vector<FolderItem> &listing)
{
    const NativeName *best = nullptr;
    for (const FolderItem &item : listing) {
        if (!item.isDirectory && item.name != exactName() && equalsIgnoringAsciiCase(item.name, exactName())
            && (!best || item.name < *best)) {
            best = &item.name;
        }
    }
    return best;
}

AircraftConfig otherCase(const FolderHandle &folder, const std::vector<FolderItem> *listing, bool exactIsFolder)
{
    std::optional<std::vector<FolderItem>> listed;
    if (!listing) {
        listed = folder.items(Links::Follow);
        if (!listed) {
            return notFound(exactIsFolder);
        }
        listing = &*listed;
    }
    const NativeName *best = otherSpelling(*listing);
    return best ? configFrom(folder.readFile(*best), *best) : notFound(exactIsFolder);
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
    profile.rawValues(fltsimSectionName(index), keys, raw.values);
    for (size_t k = 0; k < keys.size(); ++k) {
        QString &field = entry.*fields[k];
        if (previous && raw.values[k] && previousRaw->values[k] && *raw.values[k] == *previousRaw->values[k]) {
            field = previous->*fields[k];
            raw.present[k] = previousRaw->present[k];
            continue;
        }
        QString value = raw.values[k] ? profile.decodedValue(*raw.values[k]) : QString();
        raw.present[k] = Profile::isAircraftValue(value);
        field = raw.present[k] ? std::move(value) : empty;
    }
    entry.fltsimIndex = index;
    return raw.present[0];
}

} // namespace

QByteArrayView fltsimSectionName(int n)
{
    static const auto names = [] {
        std::array<QByteArray, MaxKnownFltsimIndex + 1> made;
        for (int i = 0; i <= MaxKnownFltsimIndex; ++i) {
            made[size_t(i)] = "fltsim." + QByteArray::number(i);
        }
        return made;
    }();
    return names[size_t(std::clamp(n, 0, MaxKnownFltsimIndex))];
}

AircraftConfig readAircraftConfig(const FolderHandle &folder, const std::vector<FolderItem> *listing)
{
    FileRead read = folder.readFile(exactName());
    if (read.status == FileRead::Read || read.status == FileRead::Unreadable) {
        return configFrom(std::move(read), exactName());
    }
    return otherCase(folder, listing, read.status == FileRead::Directory);
}

AircraftConfig readAircraftConfig(const FolderHandle &parent, NativeNameView folderName,
                                  const std::vector<FolderItem> *listing)
{
    // Nearly every folder has the exact name: read through the parent, the folder is never
    // opened or listed.
    FileRead read = parent.readFile(pathBelow(folderName, exactName()));
    if (read.status == FileRead::Read || read.status == FileRead::Unreadable) {
        return configFrom(std::move(read), exactName());
    }
    if (!listing) {
        return otherCase(parent.openChild(folderName), nullptr, read.status == FileRead::Directory);
    }
    const NativeName *best = otherSpelling(*listing);
    return best ? configFrom(parent.readFile(pathBelow(folderName, *best)), *best)
                : notFound(read.status == FileRead::Directory);
}

AircraftConfig readAircraftConfig(const fs::path &folder)
{
    return readAircraftConfig(FolderHandle::open(folder));
}

fs::path aircraftConfigPath(const fs::path &folder)
{
    const AircraftConfig config = readAircraftConfig(folder);
    return folder / (config.fileName.empty() ? exactName() : config.fileName);
}

EntryValues readEntryValues(const Profile &profile, int n)
{
    static constexpr std::array<QByteArrayView, 3> keys = {"title", "ui_manufacturer", "ui_type"};
    std::array<std::optional<QString>, 3> values;
    profile.aircraftValues(fltsimSectionName(n), keys, values);
    return {std::move(values[0]), std::move(values[1]), std::move(values[2])};
}

std::vector<CatalogueEntry> listedEntries(const Profile &profile, const QString &subdir, bool extended)
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

int endOfEntries(const Profile &profile)
{
    constexpr QByteArrayView titleKey = "title";
    for (int n = 0; n <= MaxFltsimIndex; ++n) {
        std::optional<QString> title;
        profile.aircraftValues(fltsimSectionName(n), {&titleKey, 1}, {&title, 1});
        if (!title) {
            return n;
        }
    }
    return MaxFltsimIndex + 1;
}

} // namespace hangardeck::core
