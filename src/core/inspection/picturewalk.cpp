// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/picturewalk.h"

#include "core/platform/directorylisting.h"

namespace hangardeck::core {

namespace {

// Whether a name ends in the given lower-case ending, ASCII letters compared without regard
// to case: PHOTO.JPG matches ".jpg" as the platform's wildcard "*.jpg" would.
bool endsWithFolded(const QString &name, QLatin1StringView ending)
{
    if (name.size() < ending.size()) {
        return false;
    }
    const qsizetype offset = name.size() - ending.size();
    for (qsizetype i = 0; i < ending.size(); ++i) {
        char16_t c = name[offset + i].unicode();
        if (c >= u'A' && c <= u'Z') {
            c = char16_t(c + 32);
        }
        if (c != ending[i].unicode()) {
            return false;
        }
    }
    return true;
}

struct Found {
    std::vector<PictureFile> jpegs;
    std::vector<PictureFile> gifs;
};

// One listing per folder serves both patterns: the JPEGs and the GIFs are each in walk
// order, as two walks would give them. A link to a folder is left alone, so a link loop
// below the aircraft folder ends; a link to a file is listed like the file.
void walk(const std::filesystem::path &folder, Found &found)
{
    const std::vector<DirectoryEntry> entries = listDirectory(folder);
    for (const DirectoryEntry &entry : entries) {
        if (entry.isDirectory) {
            continue; // a folder named shots.jpg is walked below, never listed
        }
        if (endsWithFolded(entry.name, QLatin1StringView(".jpg"))) {
            found.jpegs.push_back({entry.name, entry.path()});
        } else if (endsWithFolded(entry.name, QLatin1StringView(".gif"))) {
            found.gifs.push_back({entry.name, entry.path()});
        }
    }
    for (const DirectoryEntry &entry : entries) {
        if (entry.isDirectory && !entry.isLink) {
            walk(entry.path(), found);
        }
    }
}

} // namespace

std::vector<PictureFile> findPictures(const std::filesystem::path &aircraftFolder)
{
    Found found;
    walk(aircraftFolder, found);
    std::vector<PictureFile> pictures = std::move(found.jpegs);
    pictures.insert(pictures.end(), std::make_move_iterator(found.gifs.begin()),
                    std::make_move_iterator(found.gifs.end()));
    return pictures;
}

} // namespace hangardeck::core
