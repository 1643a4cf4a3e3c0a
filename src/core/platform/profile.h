// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PROFILE_H
#define HANGARDECK_CORE_PROFILE_H

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hangardeck::core {

// Most bytes of a file a profile reads and examines; a real aircraft.cfg is well under 1 MiB.
inline constexpr qsizetype MaxExaminedBytes = 16 * 1024 * 1024;

// An INI-style file parsed once in memory, answering lookups the way the Windows profile
// functions answer them for ordinary files:
//   [fltsim.3]
//   title = "Boeing 747-400"   ; stays part of the value
// Section and key names match without regard to case, blanks around names and values are
// removed, one pair of matching outer quotes is removed, the first of duplicate sections
// and keys wins, lines starting with ';' are comments, lines before the first section
// belong to none. Values are decoded (UTF-8, else Windows-1252) only when looked up.
class Profile final
{
public:
    // Longest value a lookup returns, in characters; longer values are cut.
    static constexpr int MaxValueChars = 126;

    Profile() = default;

    // Parses the given file content. A UTF-16 file (little or big endian, with its byte-order
    // mark) is read as text; a UTF-8 byte-order mark at the very start is skipped. Content
    // longer than MaxExaminedBytes is examined up to the last line end within that many bytes.
    static Profile fromBytes(QByteArray bytes);

    // Reads and parses a file, reading at most MaxExaminedBytes of it; a missing or
    // unreadable file, or one whose bytes cannot be allocated, gives an empty profile.
    static Profile fromFile(const std::filesystem::path &path);
#ifdef Q_OS_UNIX
    // The same for a file named relative to an open folder (a descriptor): a scan opens its
    // aircraft directory once instead of resolving its whole path for every file.
    static Profile fromFileAt(int folderFd, const std::string &relativePath);
#endif

    // Whether the file was read (false when missing or unreadable).
    bool isLoaded() const
    {
        return m_loaded;
    }

    // The value of a key, cut to MaxValueChars characters; nullopt when the section or key
    // is missing. An empty value is returned as empty text.
    std::optional<QString> value(QStringView section, QStringView key) const;
    // The same with names given as UTF-8 bytes, which saves a conversion per lookup.
    std::optional<QString> value(QByteArrayView section, QByteArrayView key) const;

    // Looks several keys of one section up in one pass over it: results[i] for keys[i].
    void values(QByteArrayView section, std::span<const QByteArrayView> keys,
                std::span<std::optional<QString>> results) const;

    // The same lookups without decoding: each value's bytes as they stand in the file, outer
    // quotes removed, valid while the profile lives. Callers reading many keys that often
    // repeat (the variations of one aircraft) decode a repeated one only once.
    void rawValues(QByteArrayView section, std::span<const QByteArrayView> keys,
                   std::span<std::optional<QByteArrayView>> results) const;
    // A raw value decoded as values() decodes it.
    static QString decodedValue(QByteArrayView raw);

    // What callers reading an aircraft.cfg see: a value of fewer than two characters counts
    // as no value at all.
    std::optional<QString> aircraftValue(QByteArrayView section, QByteArrayView key) const;
    // The same for several keys of one section, in one pass over it.
    void aircraftValues(QByteArrayView section, std::span<const QByteArrayView> keys,
                        std::span<std::optional<QString>> results) const;

    // What settings readers see: the value as it is, or empty text when absent.
    QString settingsValue(QStringView section, QStringView key) const;

    // The names of the sections, in file order, as a lookup compares them; duplicates too.
    std::vector<QByteArrayView> sectionNames() const;

private:
    struct Section {
        qsizetype nameBegin = 0;
        qsizetype nameEnd = 0;
        qsizetype bodyBegin = 0;
        qsizetype bodyEnd = 0;
    };

    const Section *findSection(QByteArrayView name) const;
    // Parses file bytes; whole is false when the file went on past the bytes given.
    static Profile fromFileBytes(QByteArray bytes, bool whole);

    QByteArray m_bytes;
    std::vector<Section> m_sections;
    bool m_loaded = false;
};

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
// used (none when missing), and a file that exists but cannot be read, or not read whole
// (one longer than MaxExaminedBytes), is never replaced.
// Returns false when the file could not be written.
bool writeProfileStrings(const QString &filePath, const QString &section, std::span<const ProfileEntry> entries,
                         const std::optional<QByteArray> &baseContent = std::nullopt);

// Writes one key of one section of an INI file, as writeProfileStrings does for one entry.
bool writeProfileString(const QString &filePath, const QString &section, const QString &key, const QString &value);

} // namespace hangardeck::core

#endif
