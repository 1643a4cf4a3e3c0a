// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PICTUREWALK_H
#define HANGARDECK_CORE_PICTUREWALK_H

#include <QString>

#include <filesystem>
#include <vector>

namespace hangardeck::core {

// One picture file found below an aircraft folder.
struct PictureFile {
    QString name;               // the file's name: "thumbnail.jpg" (lstImageFiles)
    std::filesystem::path path; // its full path (lstImages)
};

// Every JPEG and then every GIF below an aircraft folder, depth first: a folder's own files
// (names ending in .jpg, or .gif, without regard to case) before its sub-folders', the
// entries of a folder in name order without regard to case. Folders whose names match are
// walked but not listed; links to folders are never followed; a folder that cannot be read
// contributes nothing.
std::vector<PictureFile> findPictures(const std::filesystem::path &aircraftFolder);

} // namespace hangardeck::core

#endif
