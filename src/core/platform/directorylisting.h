// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DIRECTORYLISTING_H
#define HANGARDECK_CORE_DIRECTORYLISTING_H

#include <QString>

#include <filesystem>
#include <vector>

namespace hangardeck::core {

// One entry of a folder.
struct DirectoryEntry {
    std::filesystem::path path; // the folder's path joined with the entry's name
    QString name;               // the name as the user reads it
    bool isDirectory = false;   // a folder, or a link to one
    bool isLink = false;        // a symbolic link (to a folder or not)
};

// The entries of one folder ("." and ".." left out) in name order compared without regard
// to case; names equal but for case keep their byte order, so every run lists alike. A
// folder that cannot be read gives what could be read of it, possibly nothing.
std::vector<DirectoryEntry> listDirectory(const std::filesystem::path &folder);

// The sub-folders of a folder in the same order; links to folders count as folders, since
// users link add-on folders in. A dangling or looping link is not a folder.
std::vector<DirectoryEntry> listSubfolders(const std::filesystem::path &folder);

} // namespace hangardeck::core

#endif
