// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PROFILESYNTAX_H
#define HANGARDECK_CORE_PROFILESYNTAX_H

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <cstring>
#include <optional>

// The lines of an INI-style file as the profile reader and writer both see them. The small
// functions are defined here so that the reader's loops, which run over every line of every
// file of a scan, inline them.
namespace hangardeck::core::profilesyntax {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

inline QByteArrayView trimmed(QByteArrayView text)
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

// Names compare without regard to case, as the Windows profile functions do for ASCII.
inline bool namesEqual(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// A name argument as UTF-8: it loses only leading and trailing spaces; a tab is significant.
QByteArray nameArgument(QStringView name);

// One line: [begin, end) is its text, next is where the following line starts.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// The line at pos; a line ends at CR LF, at a lone LF or at a lone CR.
inline Line lineAt(const char *data, qsizetype size, qsizetype pos)
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

inline qsizetype firstNonBlank(const char *data, const Line &line)
{
    qsizetype p = line.begin;
    while (p < line.end && isBlank(data[p])) {
        ++p;
    }
    return p;
}

// "[name]..." -> the trimmed name: up to the first ']' or, without one, the line's end.
inline QByteArrayView headerName(const char *data, const Line &line, qsizetype bracket)
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
inline std::optional<KeyLine> keyLine(const char *data, const Line &line)
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

// File bytes as our own reading takes them: a UTF-16 file (by its byte-order mark) becomes
// UTF-8 text, a UTF-8 byte-order mark is dropped (Windows would lose the first section
// behind it). utf16 tells which it was.
QByteArray normalisedBytes(QByteArray bytes, bool *utf16 = nullptr);

} // namespace hangardeck::core::profilesyntax

#endif
