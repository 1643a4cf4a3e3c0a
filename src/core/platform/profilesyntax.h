// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_PROFILESYNTAX_H
#define HANGARDECK_CORE_PROFILESYNTAX_H

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>

// The lines of an INI-style file as the profile reader and writer both see them.
namespace hangardeck::core::profilesyntax {

bool isBlank(char c);
QByteArrayView trimmed(QByteArrayView text);

// Names compare without regard to case, as the Windows profile functions do for ASCII.
bool namesEqual(QByteArrayView a, QByteArrayView b);

// A name argument as UTF-8: it loses only leading and trailing spaces; a tab is significant.
QByteArray nameArgument(QStringView name);

// One line: [begin, end) is its text, next is where the following line starts.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// The line at pos; a line ends at CR LF, at a lone LF or at a lone CR.
Line lineAt(const char *data, qsizetype size, qsizetype pos);

qsizetype firstNonBlank(const char *data, const Line &line);

// "[name]..." -> the trimmed name: up to the first ']' or, without one, the line's end.
QByteArrayView headerName(const char *data, const Line &line, qsizetype bracket);

struct KeyLine {
    QByteArrayView name;
    QByteArrayView value;
};

// "name = value" -> trimmed name and value; nullopt for blank, comment and "=-less" lines.
std::optional<KeyLine> keyLine(const char *data, const Line &line);

// File bytes as our own reading takes them: a UTF-16 file (by its byte-order mark) becomes
// UTF-8 text, a UTF-8 byte-order mark is dropped (Windows would lose the first section
// behind it). utf16 tells which it was.
QByteArray normalisedBytes(QByteArray bytes, bool *utf16 = nullptr);

} // namespace hangardeck::core::profilesyntax

#endif
