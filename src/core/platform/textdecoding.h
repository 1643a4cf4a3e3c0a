// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_TEXTDECODING_H
#define HANGARDECK_CORE_TEXTDECODING_H

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace hangardeck::core {

// Decodes bytes from an add-on's files: valid UTF-8 is taken as UTF-8, anything else as
// Windows-1252, the code page these files were written in. A U+FEFF is a character here,
// at the start of the bytes as anywhere else.
QString decodeText(QByteArrayView bytes);

// How the bytes of one file are taken, decided once for the whole file.
enum class TextEncoding { Utf8, Windows1252 };

// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
TextEncoding encodingOf(QByteArrayView bytes);

// Decodes bytes of a file whose encoding is decided: a U+FEFF is a character here too.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// Characters as the user counts them: code points, a surrogate pair being one.
qsizetype characterCount(QStringView text);

// The first count characters of a text, never half of a surrogate pair.
QString cutToCharacters(QString text, qsizetype count);

// Whether every byte is below 0x80.
bool isAscii(QByteArrayView bytes);

// Whether the bytes form valid UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(QByteArrayView bytes);

// Decodes a file name given as native bytes the same way (a folder name that is not UTF-8
// still shows as readable text).
QString decodeFileName(const std::string &nativeName);

} // namespace hangardeck::core

#endif
