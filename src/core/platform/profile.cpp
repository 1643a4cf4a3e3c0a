// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profile.h"

#include "core/platform/atomicfile.h"
#include "core/platform/nativepath.h"
#include "core/platform/textdecoding.h"

#include <QtEndian>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hangardeck::core {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Names compare without regard to case, as the Windows profile functions do for ASCII.
bool namesEqual(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Arguments lose only leading and trailing spaces; a tab in a name argument is significant.
QByteArray nameArgument(QStringView name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == u' ') {
        ++begin;
    }
    while (end > begin && name[end - 1] == u' ') {
        --end;
    }
    return name.sliced(begin, end - begin).toUtf8();
}

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

// One line of a profile: [begin, end) is its text, next is where the following line starts.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// A line ends at CR LF, at a lone LF or at a lone CR.
Line lineAt(const char *data, qsizetype size, qsizetype pos)
{
    const char *start = data + pos;
    const auto remaining = size_t(size - pos);
    const auto *lf = static_cast<const char *>(std::memchr(start, '\n', remaining));
    const size_t lfOffset = lf ? size_t(lf - start) : remaining;
    const auto *cr = static_cast<const char *>(std::memchr(start, '\r', lfOffset));
    Line line;
    line.begin = pos;
    if (cr) {
        line.end = pos + (cr - start);
        line.next = line.end + 1;
        if (line.next < size && data[line.next] == '\n') {
            ++line.next;
        }
    } else {
        line.end = pos + qsizetype(lfOffset);
        line.next = lf ? line.end + 1 : size;
    }
    return line;
}

qsizetype firstNonBlank(const char *data, const Line &line)
{
    qsizetype p = line.begin;
    while (p < line.end && isBlank(data[p])) {
        ++p;
    }
    return p;
}

// "[name]..." -> the trimmed name: up to the first ']' or, without one, the line's end.
QByteArrayView headerName(const char *data, const Line &line, qsizetype bracket)
{
    const QByteArrayView rest(data + bracket + 1, line.end - bracket - 1);
    const qsizetype close = rest.indexOf(']');
    return trimmed(close < 0 ? rest : rest.first(close));
}

struct KeyLine {
    QByteArrayView name;
    QByteArrayView value;
};

// "name = value" -> trimmed name and value; nullopt for blank, comment and "=-less" lines.
std::optional<KeyLine> keyLine(const char *data, const Line &line)
{
    const qsizetype first = firstNonBlank(data, line);
    if (first == line.end || data[first] == ';') {
        return std::nullopt;
    }
    const QByteArrayView text(data + first, line.end - first);
    const auto *eq = static_cast<const char *>(std::memchr(text.data(), '=', size_t(text.size())));
    if (!eq) {
        return std::nullopt;
    }
    const qsizetype at = eq - text.data();
    return KeyLine{trimmed(text.first(at)), trimmed(text.sliced(at + 1))};
}

QString cutToMaxChars(QString value)
{
    if (value.size() <= Profile::MaxValueChars) {
        return value;
    }
    qsizetype cut = Profile::MaxValueChars;
    // Never leave half of a surrogate pair behind.
    if (value[cut - 1].isHighSurrogate()) {
        --cut;
    }
    value.truncate(cut);
    return value;
}

// UTF-16 text after its byte-order mark, in the byte order the mark gave, as UTF-8.
QByteArray utf16ToUtf8(QByteArray bytes, bool bigEndian)
{
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    if (bigEndian) {
        qFromBigEndian<char16_t>(bytes.constData() + 2, units, text.data());
    } else {
        qFromLittleEndian<char16_t>(bytes.constData() + 2, units, text.data());
    }
    bytes = QByteArray(); // the file's bytes need not outlive their conversion
    return text.toUtf8();
}

// Our own reading of file bytes: a UTF-16 file becomes UTF-8 text, a UTF-8 byte-order
// mark is dropped (Windows would lose the first section behind it).
QByteArray normalisedBytes(QByteArray bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        return utf16ToUtf8(std::move(bytes), false);
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return utf16ToUtf8(std::move(bytes), true);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    return bytes;
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

// A file's bytes as read: whole is false when the file goes on past them.
struct FileBytes {
    QByteArray bytes;
    bool whole = true;
};

#ifdef Q_OS_UNIX
// One open, one fstat, one read: the scan reads thousands of small files, and the
// O_NONBLOCK open keeps a FIFO named aircraft.cfg from blocking it forever. No more than
// MaxExaminedBytes are allocated, whatever size the file claims (a sparse file may claim
// terabytes).
std::optional<FileBytes> readRegularFileAt(int folderFd, const char *path)
{
    const int fd = ::openat(folderFd, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<FileBytes> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const bool whole = info.st_size <= MaxExaminedBytes;
        const qsizetype wanted = whole ? qsizetype(info.st_size) : MaxExaminedBytes;
        // Each thread reads its small files into one buffer again and again: once the profile
        // of the last file is gone, the buffer is this thread's alone and needs no new memory.
        // A large file gets a buffer of its own, so no thread keeps megabytes for good.
        constexpr qsizetype ReusedBytes = 1024 * 1024;
        thread_local QByteArray reused;
        QByteArray own;
        QByteArray &buffer = wanted <= ReusedBytes ? reused : own;
        buffer.resize(wanted); // new memory only where the buffer is still shared or too small
        char *data = buffer.data();
        qsizetype filled = 0;
        while (filled < wanted) {
            const ssize_t got = ::read(fd, data + filled, size_t(wanted - filled));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            filled += got;
        }
        if (filled == wanted) {
            result = FileBytes{buffer, whole};
        }
    }
    ::close(fd);
    return result;
}

std::optional<FileBytes> readRegularFile(const std::filesystem::path &path)
{
    return readRegularFileAt(AT_FDCWD, path.c_str());
}
#else
std::optional<FileBytes> readRegularFile(const std::filesystem::path &path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (!in || size < 0) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::beg);
    const bool whole = size <= std::streamoff(MaxExaminedBytes);
    const qsizetype wanted = whole ? qsizetype(size) : MaxExaminedBytes;
    QByteArray bytes(wanted, Qt::Uninitialized);
    in.read(bytes.data(), std::streamsize(wanted));
    if (in.gcount() != std::streamsize(wanted)) {
        return std::nullopt;
    }
    return FileBytes{std::move(bytes), whole};
}
#endif

} // namespace

Profile Profile::fromBytes(QByteArray bytes)
{
    return fromFileBytes(std::move(bytes), true);
}

Profile Profile::fromFileBytes(QByteArray bytes, bool whole)
{
    if (bytes.size() > MaxExaminedBytes) {
        bytes.truncate(MaxExaminedBytes);
        whole = false;
    }
    QByteArray text = normalisedBytes(std::move(bytes));
    // UTF-16 grows by half as UTF-8 at worst; the text examined keeps to the cap as well.
    if (text.size() > MaxExaminedBytes) {
        text.truncate(MaxExaminedBytes);
        whole = false;
    }
    if (!whole) {
        text.truncate(endOfWholeLines(text));
        if (text.capacity() > MaxExaminedBytes) {
            text.squeeze();
        }
    }

    Profile profile;
    profile.m_loaded = true;
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

#ifdef Q_OS_UNIX
Profile Profile::fromFileAt(int folderFd, const std::string &relativePath)
{
    try {
        std::optional<FileBytes> file = readRegularFileAt(folderFd, relativePath.c_str());
        return file ? fromFileBytes(std::move(file->bytes), file->whole) : Profile();
    } catch (const std::bad_alloc &) {
        return Profile();
    }
}
#endif

Profile Profile::fromFile(const std::filesystem::path &path)
{
    // One file whose bytes cannot be allocated must not end a scan: it reads as missing.
    try {
        std::optional<FileBytes> file = readRegularFile(path);
        return file ? fromFileBytes(std::move(file->bytes), file->whole) : Profile();
    } catch (const std::bad_alloc &) {
        return Profile();
    }
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

QString Profile::decodedValue(QByteArrayView raw)
{
    return cutToMaxChars(decodeText(raw));
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
        if (result && result->size() < 2) {
            result.reset();
        }
    }
}

QString Profile::settingsValue(QStringView section, QStringView key) const
{
    return value(section, key).value_or(QString());
}

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

// The file's current bytes: empty when it is missing, nullopt when it exists but cannot be
// read whole (a replacement would lose its other keys, or everything past the bytes read).
std::optional<QByteArray> currentContent(const QString &filePath)
{
    const std::filesystem::path path = toNativePath(filePath);
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
        return QByteArray();
    }
    std::optional<FileBytes> file = readRegularFile(path);
    if (!file || !file->whole) {
        return std::nullopt;
    }
    return std::move(file->bytes);
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
        const QByteArray text = normalisedBytes(std::move(*base));
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
