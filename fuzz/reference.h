// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_FUZZ_REFERENCE_H
#define HANGARDECK_FUZZ_REFERENCE_H

// Plain statements of the rules the harnesses hold the core to, written from the comments of
// its headers and kept deliberately naive: byte by byte, line by line, no shared code with
// the core. A harness that disagrees with them stops with both results on stderr.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hangardeck::fuzz {

inline void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

// A folder of its own for the files a harness writes, made once per run; memory-backed where
// the system has /dev/shm, since the atomic writer syncs every file it writes.
inline const std::filesystem::path &scratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        pattern += "/hangardeck-fuzz-XXXXXX";
        check(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
        std::atexit([] { std::filesystem::remove_all(scratchFolder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\') {
            out += char(c.unicode());
        } else {
            out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        }
    }
    return out;
}

inline void checkEqual(const std::optional<QString> &got, const std::optional<QString> &want, const char *what)
{
    if (got != want) {
        std::fprintf(stderr, "got:  %s\nwant: %s\n", got ? escaped(*got).constData() : "(none)",
                     want ? escaped(*want).constData() : "(none)");
        check(false, what);
    }
}

// Well-formed UTF-8 as Unicode's table of byte sequences lists it; nullopt for anything else.
inline std::optional<QString> strictUtf8(QByteArrayView bytes)
{
    QString text;
    qsizetype i = 0;
    const auto at = [&](qsizetype k) { return k < bytes.size() ? int(uchar(bytes[k])) : -1; };
    const auto in = [](int b, int lo, int hi) { return b >= lo && b <= hi; };
    while (i < bytes.size()) {
        const int b0 = at(i);
        const int b1 = at(i + 1);
        const int b2 = at(i + 2);
        const int b3 = at(i + 3);
        int length = 0;
        if (b0 <= 0x7F) {
            length = 1;
        } else if (in(b0, 0xC2, 0xDF) && in(b1, 0x80, 0xBF)) {
            length = 2;
        } else if (((b0 == 0xE0 && in(b1, 0xA0, 0xBF)) || (in(b0, 0xE1, 0xEC) && in(b1, 0x80, 0xBF))
                    || (b0 == 0xED && in(b1, 0x80, 0x9F)) || (in(b0, 0xEE, 0xEF) && in(b1, 0x80, 0xBF)))
                   && in(b2, 0x80, 0xBF)) {
            length = 3;
        } else if (((b0 == 0xF0 && in(b1, 0x90, 0xBF)) || (in(b0, 0xF1, 0xF3) && in(b1, 0x80, 0xBF))
                    || (b0 == 0xF4 && in(b1, 0x80, 0x8F)))
                   && in(b2, 0x80, 0xBF) && in(b3, 0x80, 0xBF)) {
            length = 4;
        } else {
            return std::nullopt;
        }
        char32_t cp = length == 1 ? char32_t(b0) : char32_t(b0 & (0x7F >> length));
        for (int k = 1; k < length; ++k) {
            cp = (cp << 6) | char32_t(at(i + k) & 0x3F);
        }
        if (cp >= 0x10000) {
            text += QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            text += QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            text += QChar(char16_t(cp));
        }
        i += length;
    }
    return text;
}

// Windows-1252: Latin-1 but for the 27 letters and signs at 0x80..0x9F; the five bytes it
// leaves undefined stay as the C1 controls of the same number.
inline QString windows1252(QByteArrayView bytes)
{
    static constexpr struct {
        uchar byte;
        char16_t unit;
    } letters[] = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020}, {0x87, 0x2021},
        {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018},
        {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC},
        {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    QString text;
    for (const char c : bytes) {
        char16_t unit = uchar(c);
        for (const auto &letter : letters) {
            if (letter.byte == uchar(c)) {
                unit = letter.unit;
            }
        }
        text += QChar(unit);
    }
    return text;
}

inline QString decoded(QByteArrayView bytes)
{
    return strictUtf8(bytes).value_or(windows1252(bytes));
}

// Code points of a text, a surrogate pair being one.
inline qsizetype codePoints(const QString &text)
{
    qsizetype points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        points += (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) ? 0 : 1;
    }
    return points;
}

// The lookup cut: the first 126 code points.
inline QString cutValue(const QString &text)
{
    qsizetype units = 0;
    for (qsizetype points = 0; points < 126 && units < text.size(); ++points) {
        units += text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate() ? 2 : 1;
    }
    return text.first(units);
}

// Plain prefix test: QString::startsWith tells a null string from an empty one.
inline bool isPrefix(QStringView prefix, QStringView text)
{
    return prefix.size() <= text.size() && text.first(prefix.size()) == prefix;
}

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

inline QByteArray trimmedBlanks(QByteArray text)
{
    while (!text.isEmpty() && isBlank(text.front())) {
        text.remove(0, 1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

inline QByteArray trimmedSpaces(QByteArray text)
{
    while (text.startsWith(' ')) {
        text.remove(0, 1);
    }
    while (text.endsWith(' ')) {
        text.chop(1);
    }
    return text;
}

inline bool sameName(QByteArrayView a, QByteArrayView b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// An INI file read as the profile reader's header describes it, every line kept.
struct IniFile {
    struct Key {
        QByteArray name;
        QByteArray value; // as on the line, blanks around it removed
    };
    struct Section {
        QByteArray name;
        std::vector<Key> keys;
    };
    std::vector<Section> sections;
    bool utf8 = true; // the whole file is taken as UTF-8 (a UTF-16 file too), else as Windows-1252

    static IniFile parse(const QByteArray &file)
    {
        QByteArray text = file;
        if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
            const bool little = text[0] == '\xFF';
            QString units;
            for (qsizetype i = 2; i + 1 < text.size(); i += 2) {
                const char16_t lo = uchar(text[little ? i : i + 1]);
                const char16_t hi = uchar(text[little ? i + 1 : i]);
                units += QChar(char16_t(hi << 8 | lo));
            }
            text = units.toUtf8();
        } else if (text.startsWith("\xEF\xBB\xBF")) {
            text.remove(0, 3);
        }

        IniFile ini;
        ini.utf8 = file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF") || strictUtf8(text).has_value();
        qsizetype pos = 0;
        while (pos < text.size()) {
            qsizetype end = pos;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
                ++end;
            }
            const QByteArray line = trimmedBlanks(text.sliced(pos, end - pos));
            pos = end + (text.sliced(end).startsWith("\r\n") ? 2 : 1);
            if (line.startsWith('[')) {
                const qsizetype close = line.indexOf(']');
                ini.sections.push_back({trimmedBlanks(line.sliced(1, (close < 0 ? line.size() : close) - 1)), {}});
            } else if (!ini.sections.empty() && !line.startsWith(';') && line.contains('=')) {
                const qsizetype eq = line.indexOf('=');
                ini.sections.back().keys.push_back({trimmedBlanks(line.first(eq)), trimmedBlanks(line.sliced(eq + 1))});
            }
        }
        return ini;
    }

    // A value as it stands, up to a NUL, without one pair of matching outer quotes; nullopt
    // when missing. Names lose the spaces around them; the first section and key of a name win.
    std::optional<QByteArray> raw(QByteArrayView sectionArg, QByteArrayView keyArg) const
    {
        const QByteArray sectionName = trimmedSpaces(sectionArg.toByteArray());
        const QByteArray keyName = trimmedSpaces(keyArg.toByteArray());
        for (const Section &section : sections) {
            if (!sameName(section.name, sectionName)) {
                continue;
            }
            for (const Key &key : section.keys) {
                if (!sameName(key.name, keyName)) {
                    continue;
                }
                QByteArray value = key.value;
                if (value.contains('\0')) {
                    value = trimmedBlanks(value.first(value.indexOf('\0')));
                }
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
                    && value.back() == value.front()) {
                    value = value.sliced(1, value.size() - 2);
                }
                return value;
            }
            return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<QString> value(QByteArrayView section, QByteArrayView key) const
    {
        const std::optional<QByteArray> bytes = raw(section, key);
        if (!bytes) {
            return std::nullopt;
        }
        return cutValue(utf8 ? strictUtf8(*bytes).value_or(windows1252(*bytes)) : windows1252(*bytes));
    }
};

} // namespace hangardeck::fuzz

#endif
