// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/picturewalk.h"

#include "core/platform/directorylisting.h"
#include "core/platform/folderhandle.h"
#include "core/platform/mounts.h"

#include <cstdint>
#include <optional>

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

// The last part of a path as the listing joined it.
NativeNameView lastName(const NativeName &path)
{
    constexpr NativeName::value_type Separators[] = {
        NativeName::value_type('/'), NativeName::value_type(std::filesystem::path::preferred_separator), 0};
    const std::size_t slash = path.find_last_of(Separators);
    return NativeNameView(path).substr(slash == NativeName::npos ? 0 : slash + 1);
}

// One listing per folder serves both patterns: the JPEGs and the GIFs are each in walk
// order, as two walks would give them. The JPEGs go out as they are found; the GIFs wait for
// the walk's end, holding no more than the bound leaves room for.
class Walker final
{
public:
    Walker(const std::filesystem::path &start, const PictureWalkCallbacks &callbacks, std::size_t maxPictures)
        : m_callbacks(callbacks),
          m_max(maxPictures),
          m_pseudo(start)
    {
    }

    PictureWalkEnd run(const std::filesystem::path &start)
    {
        const FolderHandle folder = FolderHandle::open(start);
        if (!folder.isOpen() || m_pseudo.isPseudoDevice(folder.device())) {
            return PictureWalkEnd::Whole; // nothing there, or a link to /proc: nothing listed
        }
        if (const PictureWalkEnd end = walk(start, 0, folder.device()); end != PictureWalkEnd::Whole) {
            return end;
        }
        for (PictureFile &gif : m_gifs) {
            m_callbacks.found(std::move(gif));
        }
        return m_gifsDropped ? PictureWalkEnd::Bounded : PictureWalkEnd::Whole;
    }

private:
    PictureWalkEnd walk(const std::filesystem::path &folder, std::size_t depth, std::uint64_t device)
    {
        if (m_callbacks.entering && !m_callbacks.entering()) {
            return PictureWalkEnd::Stopped;
        }
        const std::vector<DirectoryEntry> entries = listDirectory(folder);
        for (const DirectoryEntry &entry : entries) {
            if (entry.isDirectory) {
                continue; // a folder named shots.jpg is walked below, never listed
            }
            if (endsWithFolded(entry.name, QLatin1StringView(".jpg"))) {
                if (m_jpegCount == m_max) {
                    ++m_jpegCount; // one more than fits: the list is cut here
                    return PictureWalkEnd::Bounded;
                }
                ++m_jpegCount;
                if (m_jpegCount + m_gifs.size() > m_max) {
                    m_gifs.pop_back(); // a JPEG comes before every GIF
                    m_gifsDropped = true;
                }
                m_callbacks.found({entry.name, entry.path()});
            } else if (endsWithFolded(entry.name, QLatin1StringView(".gif"))) {
                if (m_jpegCount + m_gifs.size() < m_max) {
                    m_gifs.push_back({entry.name, entry.path()});
                } else {
                    m_gifsDropped = true;
                }
            }
        }
        // A link to a folder is left alone, so a link loop below the aircraft folder ends; a
        // link to a file is listed like the file.
        std::optional<FolderHandle> handle;
        for (const DirectoryEntry &entry : entries) {
            if (!entry.isDirectory || entry.isLink) {
                continue;
            }
            const NativeNameView name = lastName(entry.native);
            if (m_pseudo.excludesName(name, depth + 1)) {
                continue;
            }
            std::uint64_t childDevice = device;
            if (m_pseudo.needsDevices()) {
                if (!handle) {
                    handle = FolderHandle::open(folder);
                }
                const std::optional<ChildInfo> info = handle->childInfo(name, Links::DontFollow);
                if (!info || !info->isDirectory || m_pseudo.excludesDevice(info->device, device)) {
                    continue;
                }
                childDevice = info->device;
            }
            if (const PictureWalkEnd end = walk(entry.path(), depth + 1, childDevice); end != PictureWalkEnd::Whole) {
                return end;
            }
        }
        return PictureWalkEnd::Whole;
    }

    const PictureWalkCallbacks &m_callbacks;
    std::size_t m_max;
    PseudoFileSystems m_pseudo;
    std::size_t m_jpegCount = 0;
    std::vector<PictureFile> m_gifs;
    bool m_gifsDropped = false;
};

} // namespace

PictureWalkEnd walkPictures(const std::filesystem::path &aircraftFolder, const PictureWalkCallbacks &callbacks,
                            std::size_t maxPictures)
{
    Walker walker(aircraftFolder, callbacks, maxPictures);
    return walker.run(aircraftFolder);
}

std::vector<PictureFile> findPictures(const std::filesystem::path &aircraftFolder)
{
    std::vector<PictureFile> pictures;
    PictureWalkCallbacks callbacks;
    callbacks.found = [&pictures](PictureFile &&picture) { pictures.push_back(std::move(picture)); };
    walkPictures(aircraftFolder, callbacks, std::numeric_limits<std::size_t>::max());
    return pictures;
}

} // namespace hangardeck::core
