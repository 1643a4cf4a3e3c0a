// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profile.h"

#include "core/platform/profilesyntax.h"

#include <array>
#include <cstring>
#include <new>

namespace hangardeck::core {

using namespace profilesyntax;

namespace {

QByteArrayView trimmedArgument(QByteArrayView name)
{
    while (name.startsWith(' ')) {
        name = name.sliced(1);
    }
    while (name.endsWith(' ')) {
        name.chop(1);
    }
    return name;
}

// Where the whole lines of a text end: a line cut short is no value the file holds.
qsizetype endOfWholeLines(QByteArrayView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] != '\n' && text[end - 1] != '\r') {
        --end;
    }
    return end;
}

} // namespace

Profile Profile::fromBytes(QByteArray bytes)
{
    return fromFileBytes(std::move(bytes), true, MaxExaminedBytes);
}

Profile Profile::fromFileBytes(QByteArray bytes, bool whole, qsizetype capBytes)
{
    if (bytes.size() > capBytes) {
        bytes.truncate(capBytes);
        whole = false;
    }
    bool utf16 = false;
    QByteArray text = normalisedBytes(std::move(bytes), &utf16);
    // UTF-16 grows by half as UTF-8 at worst; the text examined keeps to the cap as well.
    if (text.size() > capBytes) {
        text.truncate(capBytes);
        whole = false;
    }
    if (!whole) {
        text.truncate(endOfWholeLines(text));
        if (text.capacity() > capBytes) {
            text.squeeze();
        }
    }

    Profile profile;
    profile.m_loaded = true;
    profile.m_utf16 = utf16;
    profile.m_bytes = std::move(text);

    // A header is a line whose first non-blank character is '['. Jumping from one '[' to
    // the next skips the long key lines of the flight-model sections without looking at them.
    const char *data = profile.m_bytes.constData();
    const qsizetype size = profile.m_bytes.size();
    qsizetype pos = 0;
    while (pos < size) {
        const auto *bracket = static_cast<const char *>(std::memchr(data + pos, '[', size_t(size - pos)));
        if (!bracket) {
            break;
        }
        const qsizetype at = bracket - data;
        qsizetype lineBegin = at;
        while (lineBegin > 0 && isBlank(data[lineBegin - 1])) {
            --lineBegin;
        }
        pos = at + 1;
        if (lineBegin > 0 && data[lineBegin - 1] != '\n' && data[lineBegin - 1] != '\r') {
            continue; // a '[' inside a value
        }
        const Line line = lineAt(data, size, lineBegin);
        if (!profile.m_sections.empty()) {
            profile.m_sections.back().bodyEnd = line.begin;
        }
        const QByteArrayView name = headerName(data, line, at);
        const qsizetype nameBegin = name.data() - data;
        profile.m_sections.push_back({nameBegin, nameBegin + name.size(), line.next, size});
        pos = line.next;
    }
    return profile;
}

Profile::Profile(const Profile &other)
    : m_bytes(other.m_bytes),
      m_sections(other.m_sections),
      m_loaded(other.m_loaded),
      m_utf16(other.m_utf16),
      m_encoding(other.m_encoding.load(std::memory_order_relaxed))
{
}

Profile::Profile(Profile &&other) noexcept
    : m_bytes(std::move(other.m_bytes)),
      m_sections(std::move(other.m_sections)),
      m_loaded(other.m_loaded),
      m_utf16(other.m_utf16),
      m_encoding(other.m_encoding.load(std::memory_order_relaxed))
{
}

Profile &Profile::operator=(const Profile &other)
{
    Profile copy(other);
    return *this = std::move(copy);
}

Profile &Profile::operator=(Profile &&other) noexcept
{
    m_bytes = std::move(other.m_bytes);
    m_sections = std::move(other.m_sections);
    m_loaded = other.m_loaded;
    m_utf16 = other.m_utf16;
    m_encoding.store(other.m_encoding.load(std::memory_order_relaxed), std::memory_order_relaxed);
    return *this;
}

Profile Profile::fromRead(FileRead read, qsizetype capBytes)
{
    if (read.status != FileRead::Read) {
        return Profile();
    }
    // One file whose bytes cannot be allocated must not end a scan: it reads as missing.
    try {
        return fromFileBytes(std::move(read.bytes), read.whole, capBytes);
    } catch (const std::bad_alloc &) {
        return Profile();
    }
}

Profile Profile::fromFile(const std::filesystem::path &path, qsizetype capBytes)
{
    return fromRead(readRegularFile(path, capBytes), capBytes);
}

TextEncoding Profile::encoding() const
{
    if (m_utf16) {
        return TextEncoding::Utf8; // became UTF-8 when it was read
    }
    int known = m_encoding.load(std::memory_order_relaxed);
    if (known < 0) {
        // Threads that race here find the same answer.
        known = int(encodingOf(m_bytes));
        m_encoding.store(known, std::memory_order_relaxed);
    }
    return TextEncoding(known);
}

QString Profile::decoded(QByteArrayView raw) const
{
    return isAscii(raw) ? QString::fromLatin1(raw) : decodeText(raw, encoding());
}

QString Profile::text() const
{
    return decoded(m_bytes);
}

const Profile::Section *Profile::findSection(QByteArrayView name) const
{
    for (const Section &section : m_sections) {
        const QByteArrayView candidate(m_bytes.constData() + section.nameBegin, section.nameEnd - section.nameBegin);
        if (namesEqual(candidate, name)) {
            return &section; // the first section of a name hides later duplicates
        }
    }
    return nullptr;
}

std::vector<QByteArrayView> Profile::sectionNames() const
{
    std::vector<QByteArrayView> names;
    names.reserve(m_sections.size());
    for (const Section &section : m_sections) {
        names.emplace_back(m_bytes.constData() + section.nameBegin, section.nameEnd - section.nameBegin);
    }
    return names;
}

std::optional<QString> Profile::value(QStringView section, QStringView key) const
{
    return value(QByteArrayView(nameArgument(section)), QByteArrayView(nameArgument(key)));
}

std::optional<QString> Profile::value(QByteArrayView section, QByteArrayView key) const
{
    std::optional<QString> found;
    values(section, {&key, 1}, {&found, 1});
    return found;
}

void Profile::values(QByteArrayView section, std::span<const QByteArrayView> keys,
                     std::span<std::optional<QString>> results) const
{
    std::array<std::optional<QByteArrayView>, 8> rawStore;
    std::vector<std::optional<QByteArrayView>> rawHeap;
    std::span<std::optional<QByteArrayView>> raws(rawStore.data(), std::min(keys.size(), rawStore.size()));
    if (keys.size() > rawStore.size()) {
        rawHeap.resize(keys.size());
        raws = rawHeap;
    }
    rawValues(section, keys, raws);
    for (size_t k = 0; k < keys.size(); ++k) {
        results[k] = raws[k] ? std::optional<QString>(decodedValue(*raws[k])) : std::nullopt;
    }
}

QString Profile::decodedValue(QByteArrayView raw) const
{
    QString value = decoded(raw);
    // Each character takes at least one unit: only a longer text can be cut.
    return value.size() <= MaxValueChars ? value : cutToCharacters(std::move(value), MaxValueChars);
}

void Profile::rawValues(QByteArrayView section, std::span<const QByteArrayView> keys,
                        std::span<std::optional<QByteArrayView>> results) const
{
    for (std::optional<QByteArrayView> &result : results) {
        result.reset();
    }
    const Section *found = findSection(trimmedArgument(section));
    if (!found) {
        return;
    }
    const char *data = m_bytes.constData();
    size_t missing = keys.size();
    qsizetype pos = found->bodyBegin;
    while (pos < found->bodyEnd && missing > 0) {
        const Line line = lineAt(data, found->bodyEnd, pos);
        pos = line.next;
        const std::optional<KeyLine> entry = keyLine(data, line);
        if (!entry) {
            continue;
        }
        for (size_t k = 0; k < keys.size(); ++k) {
            // The first line of a key wins.
            if (results[k] || !namesEqual(entry->name, trimmedArgument(keys[k]))) {
                continue;
            }
            QByteArrayView raw = entry->value;
            // A NUL ends the value: binary garbage must not smuggle control bytes into rows.
            if (const qsizetype nul = raw.indexOf('\0'); nul >= 0) {
                raw = trimmed(raw.first(nul));
            }
            if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front()) {
                raw = raw.sliced(1, raw.size() - 2);
            }
            results[k] = raw;
            --missing;
        }
    }
}

std::optional<QString> Profile::aircraftValue(QByteArrayView section, QByteArrayView key) const
{
    std::optional<QString> found;
    aircraftValues(section, {&key, 1}, {&found, 1});
    return found;
}

void Profile::aircraftValues(QByteArrayView section, std::span<const QByteArrayView> keys,
                             std::span<std::optional<QString>> results) const
{
    values(section, keys, results);
    for (std::optional<QString> &result : results) {
        if (result && !isAircraftValue(*result)) {
            result.reset();
        }
    }
}

QString Profile::settingsValue(QStringView section, QStringView key) const
{
    return value(section, key).value_or(QString());
}

} // namespace hangardeck::core
