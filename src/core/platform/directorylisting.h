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
    // The folder's path joined with the entry's name, in native form. Kept as a string: a
    // listing of 30,000 folders would otherwise cost 30,000 parsed paths to make and free.
    std::filesystem::path::string_type native;
    QString name;             // the name as the user reads it
    bool isDirectory = false; // a folder, or a link to one
    bool isLink = false;      // a symbolic link (to a folder or not)

    std::filesystem::path path() const { return native; }
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
