// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_AIRCRAFTFOLDER_H
#define HANGARDECK_CORE_AIRCRAFTFOLDER_H

#include "core/catalogue/catalogueentry.h"
#include "core/platform/folderhandle.h"
#include "core/platform/profile.h"

#include <QByteArrayView>
#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

namespace hangardeck::core {

// Highest entry number the list ever shows: a file lists at most 33 variations.
inline constexpr int MaxFltsimIndex = 32;
// Highest [fltsim.N] whose name the reader knows; the check looks up to here.
inline constexpr int MaxKnownFltsimIndex = 99;

// "fltsim.N" as a section name, made once, for N from 0 to MaxKnownFltsimIndex.
QByteArrayView fltsimSectionName(int n);

// The aircraft.cfg of one aircraft folder, found, read and decoded once. Every reader of a
// folder asks this: the list, details, pictures, the check and the window, so they agree.
struct AircraftConfig {
    enum Status {
        Found,      // read: profile holds it
        Missing,    // the folder holds no aircraft.cfg in any letter case
        Unreadable, // there, but it could not be read (a FIFO, a device, no permission)
    };
    Status status = Missing;
    NativeName fileName; // the name found in the folder: aircraft.cfg, Aircraft.cfg
    Profile profile;     // empty unless Found
};

// Finds and reads the aircraft.cfg of an open aircraft folder: the exact name first; else
// the same name in another letter case (collections copied from Windows hold Aircraft.cfg),
// the first in byte order when there are several, whatever order the disk lists them in. A
// caller that has listed the folder already hands its listing over; otherwise the folder is
// listed only when the exact name is not there.
AircraftConfig readAircraftConfig(const FolderHandle &folder, const std::vector<FolderItem> *listing = nullptr);

// The same for a file inside a folder reached from an open parent folder: the aircraft
// directory's handle and the aircraft folder's name in it.
AircraftConfig readAircraftConfig(const FolderHandle &parent, NativeNameView folderName,
                                  const std::vector<FolderItem> *listing = nullptr);

// The same for a folder given by its path.
AircraftConfig readAircraftConfig(const std::filesystem::path &folder);

// The path of the aircraft.cfg a folder has, for opening it in an editor: the name found,
// or aircraft.cfg when there is none.
std::filesystem::path aircraftConfigPath(const std::filesystem::path &folder);

// The listed values of one [fltsim.N] entry.
struct EntryValues {
    std::optional<QString> title;        // nullopt: no usable value (fewer than two characters)
    std::optional<QString> manufacturer; // ui_manufacturer
    std::optional<QString> type;         // ui_type
};

// Reads the three listed keys of [fltsim.N] as the list reads them.
EntryValues readEntryValues(const Profile &profile, int n);

// The entries an aircraft.cfg lists: [fltsim.0] alone, or (extended) every [fltsim.N] up to the
// first without a title, at most 33; a folder without a titled [fltsim.0] (or without a file)
// still lists as that one entry, "-EMPTY-" for each missing value. subdir is the "\name" given.
std::vector<CatalogueEntry> listedEntries(const Profile &profile, const QString &subdir, bool extended);

// The end-of-entries scan: the first number k of 0 to 32 whose [fltsim.k] has no title; 33
// when all have one.
int endOfEntries(const Profile &profile);

} // namespace hangardeck::core

#endif
