// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/directorylisting.h"

#include "core/platform/nativepath.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcListing, "hangardeck.core.listing")

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

std::vector<DirectoryEntry> list(const fs::path &folder, bool foldersOnly)
{
    struct Sortable {
        DirectoryEntry entry;
        QString foldedName;
    };
    std::vector<Sortable> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        // The entry's type comes with the listing; only links cost a lookup of their target.
        const bool isLink = it->is_symlink(typeError);
        const bool isDirectory = it->is_directory(typeError);
        if (foldersOnly && !isDirectory) {
            continue;
        }
        QString name = fromNativePath(it->path().filename());
        QString folded = name.toCaseFolded();
        found.push_back({{it->path(), std::move(name), isDirectory, isLink}, std::move(folded)});
    }
    if (error) {
        qCDebug(lcListing) << "cannot list" << fromNativePath(folder) << error.message().c_str();
    }
    std::sort(found.begin(), found.end(), [](const Sortable &a, const Sortable &b) {
        if (const int c = a.foldedName.compare(b.foldedName); c != 0) {
            return c < 0;
        }
        return a.entry.path.native() < b.entry.path.native();
    });
    std::vector<DirectoryEntry> entries;
    entries.reserve(found.size());
    for (Sortable &sortable : found) {
        entries.push_back(std::move(sortable.entry));
    }
    return entries;
}

} // namespace

std::vector<DirectoryEntry> listDirectory(const fs::path &folder)
{
    return list(folder, false);
}

std::vector<DirectoryEntry> listSubfolders(const fs::path &folder)
{
    return list(folder, true);
}

} // namespace hangardeck::core
