// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PROFILEWRITER_H
#define HANGARDECK_CORE_PROFILEWRITER_H

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>

namespace hangardeck::core {

// One key and its value for writeProfileStrings.
struct ProfileEntry {
    QString key;
    QString value;
};

// Writes keys of one section of an INI file, composed in memory in order, exactly as one
// writeProfileString call per entry would, then replaces the file in one atomic write:
//   [main]
//   fielddelimiter=" | "
// A key's line is replaced in place, a new key goes after the last key line of its section,
// a new section is appended at the end; every other line is kept byte for byte. A line break
// in a value is written as a space, since it would otherwise break the file into new lines.
// A value that begins or ends with a blank or a quote is written inside double quotes, since
// the reader removes blanks and one pair of outer quotes; any other value is written bare.
// baseContent gives the bytes to start from; without it the file's own current content is
// used, read whole whatever its size (none when missing), and a file that exists but cannot
// be read is never replaced.
// Returns false when the file could not be written.
bool writeProfileStrings(const QString &filePath, const QString &section, std::span<const ProfileEntry> entries,
                         const std::optional<QByteArray> &baseContent = std::nullopt);

// Writes one key of one section of an INI file, as writeProfileStrings does for one entry.
bool writeProfileString(const QString &filePath, const QString &section, const QString &key, const QString &value);

} // namespace hangardeck::core

#endif
