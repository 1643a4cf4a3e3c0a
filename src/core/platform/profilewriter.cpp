// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profilewriter.h"

#include "core/platform/atomicfile.h"
#include "core/platform/nativepath.h"
#include "core/platform/profilesyntax.h"
#include "core/platform/regularfile.h"
#include "core/platform/textdecoding.h"

#include <new>

namespace hangardeck::core {

using namespace profilesyntax;

namespace {

// Where a written key goes in a file's bytes.
struct KeyPlace {
    enum Kind { Replace, Insert, NewSection };
    Kind kind = NewSection;
    qsizetype begin = 0;     // Replace: the line's text; Insert: where the new line starts
    qsizetype end = 0;       // Replace: end of the line's text
    bool needsBreak = false; // the line before the place has no line end yet (end of file)
    QByteArrayView name;     // Replace: the key's spelling in the file
};

// The existing line of the key in the first section of that name; else just past the
// section's last key line (or its header); else the end of the file.
KeyPlace findKeyPlace(QByteArrayView bytes, qsizetype from, QByteArrayView section, QByteArrayView key)
{
    const char *data = bytes.data();
    KeyPlace place;
    bool inSection = false;
    qsizetype pos = from;
    while (pos < bytes.size()) {
        const Line line = lineAt(data, bytes.size(), pos);
        pos = line.next;
        const qsizetype first = firstNonBlank(data, line);
        if (first < line.end && data[first] == '[') {
            if (inSection) {
                break;
            }
            if (namesEqual(headerName(data, line, first), section)) {
                inSection = true;
                place = {KeyPlace::Insert, line.next, line.next, line.next == line.end, {}};
            }
            continue;
        }
        const std::optional<KeyLine> entry = inSection ? keyLine(data, line) : std::nullopt;
        if (!entry) {
            continue;
        }
        if (namesEqual(entry->name, key)) {
            return {KeyPlace::Replace, line.begin, line.end, false, entry->name};
        }
        place = {KeyPlace::Insert, line.next, line.next, line.next == line.end, {}};
    }
    return place;
}

bool isBlankOrQuote(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'"' || c == u'\'';
}

// The bytes of a value on its key line. The reader trims blanks and removes one pair of
// matching outer quotes, so a value with a blank or a quote at either end goes inside a
// pair of its own: " | " is written as "" | "" and reads back as " | ".
QByteArray valueBytes(const QString &value)
{
    // A line break in the value would split it into lines of their own, even new keys.
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    if (!flat.isEmpty() && (isBlankOrQuote(flat.front()) || isBlankOrQuote(flat.back()))) {
        return '"' + flat.toUtf8() + '"';
    }
    return flat.toUtf8();
}

// The file's bytes with one key written; the first `from` bytes (a byte-order mark) stay first.
QByteArray withKey(const QByteArray &bytes, qsizetype from, QByteArrayView sectionName, QByteArrayView keyName,
                   const QByteArray &value)
{
    const KeyPlace place = findKeyPlace(bytes, from, sectionName, keyName);
    switch (place.kind) {
    case KeyPlace::Replace: {
        // Keep the key's spelling from the file and the line end it had.
        const bool lastLine = place.end == bytes.size();
        return bytes.first(place.begin) + place.name.toByteArray() + '=' + value
               + (lastLine ? QByteArrayLiteral("\r\n") : QByteArray()) + bytes.sliced(place.end);
    }
    case KeyPlace::Insert: {
        const QByteArray lineBreak = place.needsBreak ? QByteArrayLiteral("\r\n") : QByteArray();
        return bytes.first(place.begin) + lineBreak + keyName.toByteArray() + '=' + value + "\r\n"
               + bytes.sliced(place.begin);
    }
    case KeyPlace::NewSection:
        break;
    }
    const bool openLine = bytes.size() > from && !bytes.endsWith('\n') && !bytes.endsWith('\r');
    return bytes + (openLine ? "\r\n" : "") + '[' + sectionName.toByteArray() + "]\r\n" + keyName.toByteArray() + '='
           + value + "\r\n";
}

// The file's current bytes, all of them whatever the size: the replacement must keep every
// line. Empty when it is missing, nullopt when it exists but cannot be read (a replacement
// would lose its other keys).
std::optional<QByteArray> currentContent(const QString &filePath)
{
    const std::filesystem::path path = toNativePath(filePath);
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
        return QByteArray();
    }
    FileRead file = readRegularFile(path, WholeFile);
    if (file.status != FileRead::Read || !file.whole) {
        return std::nullopt;
    }
    return std::move(file.bytes);
}

} // namespace

bool writeProfileStrings(const QString &filePath, const QString &section, std::span<const ProfileEntry> entries,
                         const std::optional<QByteArray> &baseContent)
{
    // Running out of memory is one more way for a write to fail, never a reason to end the program.
    try {
        std::optional<QByteArray> base = baseContent ? baseContent : currentContent(filePath);
        if (!base) {
            return false;
        }
        const bool marked = base->startsWith("\xEF\xBB\xBF");
        QByteArray text = normalisedBytes(std::move(*base));
        // A file that is not UTF-8 reads as Windows-1252 as a whole: UTF-8 written into it
        // would read back as other characters. It becomes UTF-8, as every file we write is,
        // and each of its values reads as it did.
        if (encodingOf(text) == TextEncoding::Windows1252) {
            text = decodeText(text, TextEncoding::Windows1252).toUtf8();
        }
        // The reader skips one UTF-8 mark: a file that had one keeps it, and UTF-16 text that
        // starts with a U+FEFF of its own gets one, or that U+FEFF would be read as the mark.
        const QByteArray bom = (marked || text.startsWith("\xEF\xBB\xBF")) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        QByteArray bytes = bom + text;

        const QByteArray sectionName = nameArgument(section);
        for (const ProfileEntry &entry : entries) {
            bytes = withKey(bytes, bom.size(), sectionName, nameArgument(entry.key), valueBytes(entry.value));
        }
        return writeFileAtomically(filePath, bytes);
    } catch (const std::bad_alloc &) {
        return false;
    }
}

bool writeProfileString(const QString &filePath, const QString &section, const QString &key, const QString &value)
{
    const ProfileEntry entry{key, value};
    return writeProfileStrings(filePath, section, {&entry, 1});
}

} // namespace hangardeck::core
