// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PICTUREWALK_H
#define HANGARDECK_CORE_PICTUREWALK_H

#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

namespace hangardeck::core {

// One picture file found below an aircraft folder.
struct PictureFile {
    QString name;               // the file's name: "thumbnail.jpg" (lstImageFiles)
    std::filesystem::path path; // its full path (lstImages)
};

// The most pictures the window lists for one aircraft: a link to a huge tree must not fill
// the list for minutes.
inline constexpr std::size_t MaxListedPictures = 10000;

// What the picture walk reports, on the thread it runs on.
struct PictureWalkCallbacks {
    // Each picture in list order, as soon as its place in the list is certain: a JPEG when it
    // is found, the GIFs once every JPEG is.
    std::function<void(PictureFile &&picture)> found;
    // Called before each folder is read; return false to stop the walk there.
    std::function<bool()> entering;
};

// How a picture walk ended.
enum class PictureWalkEnd {
    Whole,   // every picture was reported
    Bounded, // there are more pictures than the bound; the first ones in list order were reported
    Stopped, // entering asked to stop
};

// Every JPEG and then every GIF below an aircraft folder, depth first: a folder's own files
// (names ending in .jpg, or .gif, without regard to case) before its sub-folders', the
// entries of a folder in name order without regard to case. Folders whose names match are
// walked but not listed; links to folders are never followed, nor are the kernel's pseudo
// file systems entered; a folder that cannot be read contributes nothing. At most
// maxPictures are reported.
PictureWalkEnd walkPictures(const std::filesystem::path &aircraftFolder, const PictureWalkCallbacks &callbacks,
                            std::size_t maxPictures = MaxListedPictures);

// The same walk to its end, every picture gathered.
std::vector<PictureFile> findPictures(const std::filesystem::path &aircraftFolder);

} // namespace hangardeck::core

#endif
