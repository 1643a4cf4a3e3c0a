// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/textdecoding.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>

namespace hangardeck::core {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to the C1 controls, as
// Windows' MultiByteToWideChar does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

// Valid UTF-8 as text, U+FEFF included wherever it stands. QString::fromUtf8 drops one at
// the start of what it is given, but a value or name that starts with one holds it as a
// character (a file's own byte-order mark is gone before its values are looked up).
QString decodeUtf8(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes);
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

} // namespace

bool isAscii(QByteArrayView bytes)
{
    // Sixty-four bytes at a time, their high bits gathered before one test: the check of a
    // collection asks this of every whole file.
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
    for (; end - p >= 64; p += 64) {
        std::uint64_t words[8];
        std::memcpy(words, p, sizeof words);
        std::uint64_t high = 0;
        for (const std::uint64_t word : words) {
            high |= word;
        }
        if ((high & HighBits) != 0) {
            return false;
        }
    }
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if ((word & HighBits) != 0) {
            return false;
        }
    }
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((b & 0xE0) == 0xC0) {
            more = 1;
            cp = b & 0x1F;
            min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2;
            cp = b & 0x0F;
            min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3;
            cp = b & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (end - p <= more) {
            return false;
        }
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        p += more + 1;
    }
    return true;
}

QString decodeText(QByteArrayView bytes)
{
    if (isAscii(bytes)) {
        return QString::fromLatin1(bytes);
    }
    if (isValidUtf8(bytes)) {
        return decodeUtf8(bytes);
    }
    return decodeCp1252(bytes);
}

TextEncoding encodingOf(QByteArrayView bytes)
{
    return isAscii(bytes) || isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (isAscii(bytes)) {
        return QString::fromLatin1(bytes);
    }
    return encoding == TextEncoding::Utf8 ? decodeUtf8(bytes) : decodeCp1252(bytes);
}

qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) {
            ++count;
        }
    }
    return count;
}

QString cutToCharacters(QString text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < count && units < text.size(); ++taken) {
        units += (text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate()) ? 2 : 1;
    }
    text.truncate(units);
    return text;
}

QString decodeFileName(const std::string &nativeName)
{
    return decodeText(QByteArrayView(nativeName.data(), qsizetype(nativeName.size())));
}

} // namespace hangardeck::core
