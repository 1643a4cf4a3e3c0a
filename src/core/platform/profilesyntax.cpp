// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profilesyntax.h"

#include <QString>
#include <QtEndian>

#include <cstring>

namespace hangardeck::core::profilesyntax {

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
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

} // namespace

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

QByteArrayView headerName(const char *data, const Line &line, qsizetype bracket)
{
    const QByteArrayView rest(data + bracket + 1, line.end - bracket - 1);
    const qsizetype close = rest.indexOf(']');
    return trimmed(close < 0 ? rest : rest.first(close));
}

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

QByteArray normalisedBytes(QByteArray bytes, bool *utf16)
{
    const bool little = bytes.startsWith("\xFF\xFE");
    const bool big = bytes.startsWith("\xFE\xFF");
    if (utf16) {
        *utf16 = little || big;
    }
    if (little || big) {
        return utf16ToUtf8(std::move(bytes), big);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    return bytes;
}

} // namespace hangardeck::core::profilesyntax
