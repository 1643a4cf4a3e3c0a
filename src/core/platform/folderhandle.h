// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_FOLDERHANDLE_H
#define HANGARDECK_CORE_FOLDERHANDLE_H

#include "core/platform/nativepath.h"
#include "core/platform/regularfile.h"

#include <QtGlobal>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hangardeck::core {

// How a listing treats symbolic links.
enum class Links {
    Follow,     // a link to a folder is a folder (the aircraft directory's own add-on links)
    DontFollow, // a link is a link, never a folder (the recursive walks)
};

// One entry of a folder as listed.
struct FolderItem {
    NativeName name;
    bool isDirectory = false; // a folder (with Links::Follow also a link to one)
    bool isLink = false;      // a symbolic link, to anything
};

// What a name in a folder is, without opening it.
struct ChildInfo {
    bool isDirectory = false;
    bool isLink = false;
    std::uint64_t device = 0; // the file system it lies on
};

// A folder opened once: its entries are listed and its files read relative to it, so that the
// folder's path is not resolved from the root again for each of them. Without a descriptor
// (another platform, or one released) the same calls go through the folder's path.
class FolderHandle final
{
public:
    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle &&other) noexcept;
    FolderHandle &operator=(FolderHandle &&other) noexcept;
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    // Opens a folder, following links; a handle that is not open when it cannot be.
    static FolderHandle open(const std::filesystem::path &path);

    // Opens a sub-folder by its name. With Links::DontFollow a link, even one put in place of
    // the folder since it was listed, is not opened.
    FolderHandle openChild(NativeNameView name, Links links = Links::Follow) const;

    bool isOpen() const { return m_open; }
    // The folder's path, native, as it was given.
    const std::filesystem::path &path() const { return m_path; }
    // The file system the folder lies on.
    std::uint64_t device() const { return m_device; }

    // Calls visit for each entry ("." and ".." left out) in the order the disk lists them.
    // An entry whose type the listing does not give is looked up. Returns false when the
    // folder cannot be listed (it may be entered all the same: mode 0111).
    bool list(Links links, const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit) const;
    // The same entries gathered; nullopt when the folder cannot be listed.
    std::optional<std::vector<FolderItem>> items(Links links) const;
    // Lists a sub-folder as list() does, without opening a handle for it.
    bool listChild(NativeNameView name, Links links,
                   const std::function<void(NativeNameView name, bool isDirectory, bool isLink)> &visit) const;

    // What a name in the folder is; nullopt when there is nothing of that name. With
    // Links::DontFollow an automounter is not woken.
    std::optional<ChildInfo> childInfo(NativeNameView name, Links links) const;

    // Reads a regular file of the folder as readRegularFile does.
    FileRead readFile(NativeNameView name, qsizetype capBytes = MaxExaminedBytes) const;

    // Gives the descriptor back; later calls go through the path. A deep walk keeps only so
    // many folders open.
    void release();

private:
    std::filesystem::path m_path;
    std::uint64_t m_device = 0;
    int m_fd = -1;
    bool m_open = false;
};

} // namespace hangardeck::core

#endif
