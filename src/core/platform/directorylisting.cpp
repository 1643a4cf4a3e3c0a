// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/directorylisting.h"

#include "core/platform/folderhandle.h"
#include "core/platform/nativepath.h"

#include <QLoggingCategory>

#include <algorithm>
#include <string>

Q_LOGGING_CATEGORY(lcListing, "hangardeck.core.listing")

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

// The folder's listing gives each entry's type with its name: only links, and file systems
// that do not say, cost a lookup.
void collect(const fs::path &folder, bool foldersOnly, std::vector<Sortable> &found)
{
    NativeName prefix = folder.native();
    if (prefix.empty()
        || (prefix.back() != NativeName::value_type('/')
            && prefix.back() != NativeName::value_type(fs::path::preferred_separator))) {
        prefix.push_back(NativeName::value_type(fs::path::preferred_separator));
    }
    const bool listed =
        FolderHandle::open(folder).list(Links::Follow, [&](NativeNameView name, bool isDirectory, bool isLink) {
            if (foldersOnly && !isDirectory) {
                return;
            }
            NativeName native = prefix;
            native += name;
            QString text = fromNativeName(name);
            SortName sortName(text);
            found.push_back({{std::move(native), std::move(text), isDirectory, isLink}, std::move(sortName)});
        });
    if (!listed) {
        qCDebug(lcListing) << "cannot list" << fromNativePath(folder);
    }
}

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
