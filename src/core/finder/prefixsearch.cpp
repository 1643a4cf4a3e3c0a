// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/prefixsearch.h"

#include "core/platform/folderhandle.h"
#include "core/platform/nativepath.h"
#include "core/platform/regularfile.h"

#include <QDir>
#include <QtGlobal>

#include <algorithm>
#include <optional>
#include <set>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// A settings file of Steam or Lutris is a few kilobytes; more is not one.
constexpr qsizetype MaxPlacesFileBytes = 4 * 1024 * 1024;

// One entry of a folder looked at.
struct Entry {
    QString name;
    fs::path path;
    bool isDirectory;
};

// The entries of a folder (links followed) in name order without regard to case; none when it
// cannot be listed, quietly: most places looked at do not exist.
std::vector<Entry> entriesOf(const fs::path &folder)
{
    std::vector<Entry> entries;
    const FolderHandle handle = FolderHandle::open(folder);
    handle.list(Links::Follow, [&](NativeNameView name, bool isDirectory, bool) {
        entries.push_back({fromNativeName(name), folder / fs::path(NativeName(name)), isDirectory});
    });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
    return entries;
}

std::vector<fs::path> subfolders(const fs::path &folder)
{
    std::vector<fs::path> found;
    for (Entry &entry : entriesOf(folder)) {
        if (entry.isDirectory) {
            found.push_back(std::move(entry.path));
        }
    }
    return found;
}

// The sub-folders of folder named name in any letter case, in name order.
std::vector<fs::path> subfoldersNamed(const fs::path &folder, QStringView name)
{
    std::vector<fs::path> found;
    for (Entry &entry : entriesOf(folder)) {
        if (entry.isDirectory && entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            found.push_back(std::move(entry.path));
        }
    }
    return found;
}

// The Aircraft folders of one prefix: Flight Simulator 9 straight under a Program Files folder
// or one folder deeper (Microsoft Games).
void addAircraftFolders(const fs::path &prefix, std::vector<fs::path> &found)
{
    for (const fs::path &drive : subfoldersNamed(prefix, u"drive_c")) {
        for (const QStringView programs : {QStringView(u"Program Files"), QStringView(u"Program Files (x86)")}) {
            for (const fs::path &programFiles : subfoldersNamed(drive, programs)) {
                std::vector<fs::path> simulators = subfoldersNamed(programFiles, u"Flight Simulator 9");
                for (const fs::path &vendor : subfolders(programFiles)) {
                    for (fs::path &simulator : subfoldersNamed(vendor, u"Flight Simulator 9")) {
                        simulators.push_back(std::move(simulator));
                    }
                }
                for (const fs::path &simulator : simulators) {
                    for (fs::path &aircraft : subfoldersNamed(simulator, u"Aircraft")) {
                        found.push_back(std::move(aircraft));
                    }
                }
            }
        }
    }
}

QByteArray readPlacesFile(const fs::path &path)
{
    FileRead read = readRegularFile(path, MaxPlacesFileBytes);
    return read.status == FileRead::Read ? std::move(read.bytes) : QByteArray();
}

// The quoted strings of a VDF text in order, escapes undone; braces are not needed to pair
// keys with values in the files read here.
std::vector<QByteArray> vdfStrings(QByteArrayView vdf)
{
    std::vector<QByteArray> strings;
    for (qsizetype i = 0; i < vdf.size(); ++i) {
        if (vdf[i] != '"') {
            continue;
        }
        QByteArray text;
        for (++i; i < vdf.size() && vdf[i] != '"'; ++i) {
            if (vdf[i] == '\\' && i + 1 < vdf.size()) {
                ++i;
            }
            text.append(vdf[i]);
        }
        strings.push_back(std::move(text));
    }
    return strings;
}

fs::path pathFromUtf8(const QByteArray &text)
{
    return toNativePath(QString::fromUtf8(text));
}

} // namespace

std::vector<fs::path> steamLibraryFolders(QByteArrayView vdf)
{
    std::vector<fs::path> libraries;
    const std::vector<QByteArray> strings = vdfStrings(vdf);
    for (size_t i = 0; i + 1 < strings.size(); ++i) {
        const QByteArray &key = strings[i];
        const QByteArray &value = strings[i + 1];
        const bool numbered =
            !key.isEmpty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
        // "path" in the current form; a numbered value that is a path in the older one.
        if (key.compare("path", Qt::CaseInsensitive) == 0 || (numbered && value.startsWith('/'))) {
            libraries.push_back(pathFromUtf8(value));
            ++i;
        }
    }
    return libraries;
}

fs::path lutrisPrefix(QByteArrayView yaml)
{
    for (const QByteArray &line : yaml.toByteArray().split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith("prefix:")) {
            continue;
        }
        QByteArray value = trimmed.sliced(7).trimmed();
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.sliced(1, value.size() - 2);
        }
        return value.isEmpty() ? fs::path() : pathFromUtf8(value);
    }
    return {};
}

PrefixPlaces prefixPlacesOfThisUser()
{
    PrefixPlaces places;
    places.home = toNativePath(QDir::homePath());
    const auto fromEnvironment = [](const char *name, const fs::path &otherwise) {
        const QString value = qEnvironmentVariable(name);
        return value.isEmpty() ? otherwise : toNativePath(value);
    };
    places.winePrefix = fromEnvironment("WINEPREFIX", {});
    places.dataHome = fromEnvironment("XDG_DATA_HOME", places.home / ".local" / "share");
    places.configHome = fromEnvironment("XDG_CONFIG_HOME", places.home / ".config");
    return places;
}

std::vector<fs::path> findPrefixAircraftDirectories(const PrefixPlaces &places)
{
    std::vector<fs::path> prefixes;
    if (!places.winePrefix.empty()) {
        prefixes.push_back(places.winePrefix);
    }
    prefixes.push_back(places.home / ".wine");

    // Steam's own folder is reached by several names (a link, a Flatpak); each library counts once.
    const std::vector<fs::path> steamRoots = {places.home / ".steam" / "steam", places.home / ".steam" / "root",
                                              places.dataHome / "Steam",
                                              places.home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"};
    std::vector<fs::path> libraries;
    for (const fs::path &root : steamRoots) {
        libraries.push_back(root);
        for (fs::path &library : steamLibraryFolders(readPlacesFile(root / "steamapps" / "libraryfolders.vdf"))) {
            libraries.push_back(std::move(library));
        }
    }
    for (const fs::path &library : libraries) {
        for (const fs::path &game : subfolders(library / "steamapps" / "compatdata")) {
            prefixes.push_back(game / "pfx");
        }
    }

    for (const fs::path &bottles : {places.dataHome / "bottles" / "bottles",
                                    places.home / ".var/app/com.usebottles.bottles/data/bottles/bottles"}) {
        for (fs::path &bottle : subfolders(bottles)) {
            prefixes.push_back(std::move(bottle));
        }
    }

    for (const fs::path &games : {places.configHome / "lutris" / "games", places.dataHome / "lutris" / "games"}) {
        for (const Entry &game : entriesOf(games)) {
            if (!game.isDirectory && game.name.endsWith(u".yml", Qt::CaseInsensitive)) {
                if (fs::path prefix = lutrisPrefix(readPlacesFile(game.path)); !prefix.empty()) {
                    prefixes.push_back(std::move(prefix));
                }
            }
        }
    }

    std::vector<fs::path> found;
    std::set<fs::path> seen;
    for (const fs::path &prefix : prefixes) {
        std::error_code error;
        const fs::path real = fs::canonical(prefix, error);
        if (error || !seen.insert(real).second) {
            continue; // not there, or reached already by another name
        }
        addAircraftFolders(prefix, found);
    }
    return found;
}

} // namespace hangardeck::core
