// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_NATIVEPATH_H
#define HANGARDECK_CORE_NATIVEPATH_H

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace hangardeck::core {

// A file name as the file system gives it: bytes on POSIX, UTF-16 on Windows.
using NativeName = std::filesystem::path::string_type;
using NativeNameView = std::basic_string_view<std::filesystem::path::value_type>;

// A path typed or stored as text, as the file system names it: UTF-16 on Windows, the
// bytes QFile uses (the locale's encoding, UTF-8 on any current Linux) elsewhere.
std::filesystem::path toNativePath(const QString &path);

// A file system path as text for the user: a name that is not valid UTF-8 still shows
// readably (as Windows-1252), never as replacement characters.
QString fromNativePath(const std::filesystem::path &path);
// The same for one name of a folder's listing.
QString fromNativeName(NativeNameView name);

// A name below a folder, as a path relative to the folder's parent: "folder/name".
NativeName pathBelow(NativeNameView folder, NativeNameView name);

// Whether two names are the same but for the letter case of ASCII letters, as the simulator's
// file system compares them: Aircraft.cfg and AIRCRAFT.CFG.
bool equalsIgnoringAsciiCase(NativeNameView a, NativeNameView b);

} // namespace hangardeck::core

#endif
