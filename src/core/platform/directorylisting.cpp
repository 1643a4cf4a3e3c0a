// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/directorylisting.h"

#include "core/platform/nativepath.h"
#include "core/platform/textdecoding.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

Q_LOGGING_CATEGORY(lcListing, "hangardeck.core.listing")

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// A name as the listing sorts it: folded to lower case, an ASCII name (nearly all) as bytes.
struct SortName {
    std::string ascii; // lower-cased, for an ASCII name
    QString folded;    // case-folded, for any other name

    explicit SortName(const QString &name)
    {
        if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
            ascii.resize(size_t(name.size()));
            std::transform(name.cbegin(), name.cend(), ascii.begin(), [](QChar c) {
                const char16_t u = c.unicode();
                return char(u >= u'A' && u <= u'Z' ? u + 32 : u);
            });
        } else {
            folded = name.toCaseFolded();
        }
    }

    int compare(const SortName &other) const
    {
        if (folded.isNull() && other.folded.isNull()) {
            return ascii.compare(other.ascii);
        }
        const QString left = folded.isNull() ? QString::fromLatin1(ascii) : folded;
        const QString right = other.folded.isNull() ? QString::fromLatin1(other.ascii) : other.folded;
        return left.compare(right);
    }
};

struct Sortable {
    DirectoryEntry entry;
    SortName sortName;
};

#ifdef Q_OS_UNIX
// readdir gives each entry's type with its name: only links, and file systems that do not
// say, cost a stat.
void collect(const fs::path &folder, bool foldersOnly, std::vector<Sortable> &found)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir) {
        qCDebug(lcListing) << "cannot list" << fromNativePath(folder) << std::strerror(errno);
        return;
    }
    std::string prefix = folder.native();
    if (prefix.empty() || prefix.back() != '/') {
        prefix += '/';
    }
    while (const dirent *item = ::readdir(dir)) {
        const std::string_view name(item->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        std::string native = prefix;
        native += name;
        bool isLink = item->d_type == DT_LNK;
        bool isDirectory = item->d_type == DT_DIR;
        if (item->d_type == DT_UNKNOWN || isLink) {
            struct stat info {};
            isDirectory = ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
            struct stat linkInfo {};
            isLink = isLink || (::lstat(native.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode));
        }
        if (foldersOnly && !isDirectory) {
            continue;
        }
        QString text = decodeFileName(std::string(name));
        SortName sortName(text);
        found.push_back({{std::move(native), std::move(text), isDirectory, isLink}, std::move(sortName)});
    }
    ::closedir(dir);
}
#else
void collect(const fs::path &folder, bool foldersOnly, std::vector<Sortable> &found)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const bool isLink = it->is_symlink(typeError);
        const bool isDirectory = it->is_directory(typeError);
        if (foldersOnly && !isDirectory) {
            continue;
        }
        QString name = fromNativePath(it->path().filename());
        SortName sortName(name);
        found.push_back({{it->path().native(), std::move(name), isDirectory, isLink}, std::move(sortName)});
    }
    if (error) {
        qCDebug(lcListing) << "cannot list" << fromNativePath(folder) << error.message().c_str();
    }
}
#endif

std::vector<DirectoryEntry> list(const fs::path &folder, bool foldersOnly)
{
    std::vector<Sortable> found;
    collect(folder, foldersOnly, found);
    std::sort(found.begin(), found.end(), [](const Sortable &a, const Sortable &b) {
        if (const int c = a.sortName.compare(b.sortName); c != 0) {
            return c < 0;
        }
        return a.entry.native < b.entry.native;
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
