// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PROFILE_H
#define HANGARDECK_CORE_PROFILE_H

#include "core/platform/regularfile.h"
#include "core/platform/textdecoding.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace hangardeck::core {

// An INI-style file parsed once in memory, answering lookups the way the Windows profile
// functions answer them for ordinary files:
//   [fltsim.3]
//   title = "Boeing 747-400"   ; stays part of the value
// Section and key names match without regard to case, blanks around names and values are
// removed, one pair of matching outer quotes is removed, the first of duplicate sections
// and keys wins, lines starting with ';' are comments, lines before the first section
// belong to none. Values are decoded only when looked up, and every value of one file alike:
// UTF-16 by its byte-order mark, else UTF-8 when the whole file is valid UTF-8, else
// Windows-1252. A profile is read by one thread at a time.
class Profile final
{
public:
    // Longest value a lookup returns, in characters (code points); longer values are cut.
    static constexpr int MaxValueChars = 126;

    Profile() = default;
    Profile(const Profile &other);
    Profile(Profile &&other) noexcept;
    Profile &operator=(const Profile &other);
    Profile &operator=(Profile &&other) noexcept;
    ~Profile() = default;

    // Parses the given file content. A UTF-16 file (little or big endian, with its byte-order
    // mark) is read as text; a UTF-8 byte-order mark at the very start is skipped. Content
    // longer than MaxExaminedBytes is examined up to the last line end within that many bytes.
    static Profile fromBytes(QByteArray bytes);

    // Parses what reading a file gave, examining at most capBytes of it; anything but bytes
    // read gives an empty profile.
    static Profile fromRead(FileRead read, qsizetype capBytes = MaxExaminedBytes);

    // Reads and parses a file, reading at most capBytes of it (WholeFile: all of it); a
    // missing or unreadable file, or one whose bytes cannot be allocated, gives an empty profile.
    static Profile fromFile(const std::filesystem::path &path, qsizetype capBytes = MaxExaminedBytes);

    // Whether the file was read (false when missing or unreadable).
    bool isLoaded() const { return m_loaded; }

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
    // A raw value decoded as values() decodes it: as this file's text, cut to MaxValueChars.
    QString decodedValue(QByteArrayView raw) const;
    // Raw bytes of this file decoded as its text, uncut.
    QString decoded(QByteArrayView raw) const;
    // The whole text examined, decoded as the values are (for a plain search of it).
    QString text() const;
    // How this file's text is taken: UTF-8 (a UTF-16 file too) or Windows-1252.
    TextEncoding encoding() const;

    // What callers reading an aircraft.cfg see: a value of fewer than two characters counts
    // as no value at all.
    static bool isAircraftValue(const QString &value) { return characterCount(value) >= 2; }
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
    static Profile fromFileBytes(QByteArray bytes, bool whole, qsizetype capBytes);

    QByteArray m_bytes;
    std::vector<Section> m_sections;
    bool m_loaded = false;
    bool m_utf16 = false;
    // The file's encoding, found at the first value that is not ASCII: most files hold none,
    // and their bytes are never looked at twice. -1 until then.
    mutable std::atomic<int> m_encoding{-1};
};

} // namespace hangardeck::core

#endif
