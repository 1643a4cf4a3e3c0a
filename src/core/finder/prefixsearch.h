// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PREFIXSEARCH_H
#define HANGARDECK_CORE_PREFIXSEARCH_H

#include <QByteArrayView>

#include <filesystem>
#include <vector>

namespace hangardeck::core {

// Where the Windows emulation layers keep their prefixes for one user: given, so that a test
// can fake a home.
struct PrefixPlaces {
    std::filesystem::path home;
    std::filesystem::path winePrefix; // $WINEPREFIX; empty when unset
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, else home/.local/share
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, else home/.config
};

// The places of the user running this program, from the environment.
PrefixPlaces prefixPlacesOfThisUser();

// The simulator's Aircraft folders inside the Wine prefixes of a user, found without walking
// the disk, in this order: $WINEPREFIX, ~/.wine, Steam's Proton prefixes
// (steamapps/compatdata/*/pfx of every library that libraryfolders.vdf lists), Bottles' bottles,
// then the prefixes Lutris' game files name. In each prefix, the folders
// drive_c/<Program Files or Program Files (x86)>/[one folder/]Flight Simulator 9/Aircraft, every
// name in any letter case. A prefix reached twice (a link such as ~/.steam/steam) counts once.
std::vector<std::filesystem::path> findPrefixAircraftDirectories(const PrefixPlaces &places);

// The library folders a Steam libraryfolders.vdf lists, in file order:
//   "libraryfolders" { "0" { "path" "/home/u/.local/share/Steam" ... } "1" { "path" "/mnt/Games" } }
// The older form gives them as numbered values: "1" "/mnt/Games".
std::vector<std::filesystem::path> steamLibraryFolders(QByteArrayView vdf);

// The prefix a Lutris game file names, empty when none:
//   game:
//     prefix: /home/u/Games/flight-simulator-2004
std::filesystem::path lutrisPrefix(QByteArrayView yaml);

} // namespace hangardeck::core

#endif
