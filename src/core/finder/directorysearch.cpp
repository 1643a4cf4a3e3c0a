// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/finder/directorysearch.h"

#include "core/platform/folderhandle.h"
#include "core/platform/mounts.h"
#include "core/platform/nativepath.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hangardeck::core {

namespace fs = std::filesystem;

namespace {

// Tested in this order: a name holding "Aircraft SDK" is excluded, not listed.
constexpr std::array<std::string_view, 4> ExcludedFragments{"learn", "hangardeck", "sdk", "documents"};
constexpr std::string_view ListedFragment = "aircraft";

enum class Verdict { Excluded, Listed, Searched };

using Char = NativeNameView::value_type;

unsigned code(Char c)
{
    return unsigned(std::make_unsigned_t<Char>(c));
}

bool isAscii(NativeNameView name)
{
    return std::all_of(name.begin(), name.end(), [](Char c) { return code(c) < 0x80; });
}

char asciiLower(Char c)
{
    const unsigned u = code(c);
    return char(u >= 'A' && u <= 'Z' ? u + 32 : u);
}

// What the search does with a directory of this name. Nearly every name is ASCII and is
// lowered in place; any other is decoded as the listing decodes it, so that a fragment
// written with other letters of the same case (the Kelvin sign in "SD\u212A") matches too.
Verdict verdictFor(NativeNameView name, std::string &lowered)
{
    if (isAscii(name)) {
        lowered.resize(name.size());
        std::transform(name.begin(), name.end(), lowered.begin(), asciiLower);
        const std::string_view text(lowered);
        for (const std::string_view fragment : ExcludedFragments) {
            if (text.find(fragment) != std::string_view::npos) {
                return Verdict::Excluded;
            }
        }
        return text.find(ListedFragment) != std::string_view::npos ? Verdict::Listed : Verdict::Searched;
    }
    const QString text = fromNativeName(name).toLower();
    for (const std::string_view fragment : ExcludedFragments) {
        if (text.contains(QLatin1StringView(fragment.data(), qsizetype(fragment.size())))) {
            return Verdict::Excluded;
        }
    }
    return text.contains(QLatin1StringView(ListedFragment.data(), qsizetype(ListedFragment.size())))
               ? Verdict::Listed
               : Verdict::Searched;
}

bool callSearched(const DirectorySearchCallbacks &callbacks)
{
    return !callbacks.searched || callbacks.searched();
}

// One sub-directory of a folder being walked: its name lies in the folder's name buffer.
struct Child {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::int32_t folded = -1; // index of the case-folded name, for a name that is not ASCII
};

// A folder on the walk's stack. Frames are kept and reused once popped, so that their buffers
// are allocated once for the deepest level rather than once per folder.
struct Frame {
    FolderHandle folder;         // open while its sub-directories are walked, to open them by name
    std::size_t pathLength = 0;  // of the path with its trailing separator
    NativeName names;            // the sub-directories' names, one after the other
    std::vector<Child> children; // in walk order once read
    std::vector<QString> folded;
    std::size_t next = 0;

    NativeNameView name(const Child &child) const { return {names.data() + child.offset, child.length}; }
};

// Past this depth a folder is let go as soon as it is read and its sub-directories are opened
// by their whole path, so that a deep tree cannot exhaust the process's file descriptors.
constexpr std::size_t MaxOpenDepth = 128;

// The longest path the system opens (Linux's PATH_MAX, its terminating zero included): a folder
// below it could not be named to the user or the window.
constexpr std::size_t MaxPathLength = 4096;

class Walker final
{
public:
    Walker(const fs::path &start, const DirectorySearchCallbacks &callbacks)
        : m_start(start),
          m_callbacks(callbacks)
    {
    }

    bool run()
    {
        if (!callSearched(m_callbacks)) {
            return false;
        }
        m_path = m_start.native();
        if (m_path.empty()) {
            return true;
        }
        // The start is where the user asked to look: a link given as the start is followed.
        FolderHandle start = FolderHandle::open(m_start);
        if (!start.isOpen()) {
            return true;
        }
        m_pseudo.emplace(m_start);
        if (m_path.back() != Char('/') && m_path.back() != Char(fs::path::preferred_separator)) {
            m_path.push_back(Char(fs::path::preferred_separator));
        }
        push(std::move(start));
        return walk();
    }

private:
    // Puts a frame for the folder at m_path (ending in a separator) on the stack and reads its
    // sub-directories in walk order; a folder that cannot be listed has none.
    void push(FolderHandle folder)
    {
        if (m_depth == m_frames.size()) {
            m_frames.emplace_back();
        }
        Frame &frame = m_frames[m_depth++];
        frame.folder = std::move(folder);
        frame.pathLength = m_path.size();
        frame.names.clear();
        frame.children.clear();
        frame.folded.clear();
        frame.next = 0;
        // A link is never followed, whatever it points at; other files are no folders.
        frame.folder.list(Links::DontFollow, [&frame](NativeNameView name, bool isDirectory, bool isLink) {
            if (!isDirectory || isLink) {
                return;
            }
            Child child;
            child.offset = std::uint32_t(frame.names.size());
            child.length = std::uint32_t(name.size());
            if (!isAscii(name)) {
                child.folded = std::int32_t(frame.folded.size());
                frame.folded.push_back(fromNativeName(name).toCaseFolded());
            }
            frame.names.append(name);
            frame.children.push_back(child);
        });
        sortChildren(frame);
        if (m_depth > MaxOpenDepth) {
            frame.folder.release();
        }
    }

    // The listing's order: names lowered (ASCII) or case-folded, compared; names equal but
    // for case by their bytes.
    static void sortChildren(Frame &frame)
    {
        const auto lowered = [&frame](const Child &child) {
            const NativeNameView name = frame.name(child);
            QString text(qsizetype(name.size()), Qt::Uninitialized);
            std::transform(name.begin(), name.end(), text.begin(),
                           [](Char c) { return QChar(char16_t(asciiLower(c))); });
            return text;
        };
        std::sort(frame.children.begin(), frame.children.end(), [&](const Child &a, const Child &b) {
            const NativeNameView left = frame.name(a);
            const NativeNameView right = frame.name(b);
            int order = 0;
            if (a.folded < 0 && b.folded < 0) {
                const std::size_t common = std::min(left.size(), right.size());
                for (std::size_t i = 0; i < common && order == 0; ++i) {
                    order = int(static_cast<unsigned char>(asciiLower(left[i])))
                            - int(static_cast<unsigned char>(asciiLower(right[i])));
                }
                if (order == 0) {
                    order = left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
                }
            } else {
                const QString l = a.folded >= 0 ? frame.folded[std::size_t(a.folded)] : lowered(a);
                const QString r = b.folded >= 0 ? frame.folded[std::size_t(b.folded)] : lowered(b);
                order = l.compare(r);
            }
            return order != 0 ? order < 0 : left < right;
        });
    }

    bool walk()
    {
        std::string lowered;
        while (m_depth > 0) {
            Frame &frame = m_frames[m_depth - 1];
            if (frame.next == frame.children.size()) {
                frame.folder = FolderHandle();
                --m_depth;
                continue;
            }
            const Child child = frame.children[frame.next++];
            const NativeNameView name = frame.name(child);
            const Verdict verdict = verdictFor(name, lowered);
            if (verdict == Verdict::Excluded) {
                continue;
            }
            if (m_pseudo->excludesName(name, m_depth)) {
                continue;
            }
            if (m_pseudo->needsDevices()) {
                // Looked at without following a link or waking an automounter.
                const std::optional<ChildInfo> info = frame.folder.childInfo(name, Links::DontFollow);
                if (!info || !info->isDirectory || m_pseudo->excludesDevice(info->device, frame.folder.device())) {
                    continue;
                }
            }
            m_path.resize(frame.pathLength);
            m_path.append(name);
            if (verdict == Verdict::Listed && m_callbacks.found) {
                m_callbacks.found(fs::path(m_path));
            }
            if (!callSearched(m_callbacks)) {
                return false;
            }
            if (m_path.size() + 1 >= MaxPathLength) {
                continue;
            }
            // Not followed even if a link was put in the folder's place since it was listed.
            FolderHandle sub = frame.folder.openChild(name, Links::DontFollow);
            if (!sub.isOpen()) {
                continue;
            }
            m_path.push_back(Char(fs::path::preferred_separator));
            push(std::move(sub));
        }
        return true;
    }

    const fs::path &m_start;
    const DirectorySearchCallbacks &m_callbacks;
    NativeName m_path; // the folder being read or the directory being tested
    std::vector<Frame> m_frames;
    std::size_t m_depth = 0;
    std::optional<PseudoFileSystems> m_pseudo; // read once the start opens
};

} // namespace

bool searchAircraftDirectories(const fs::path &start, const DirectorySearchCallbacks &callbacks)
{
    Walker walker(start, callbacks);
    return walker.run();
}

} // namespace hangardeck::core
