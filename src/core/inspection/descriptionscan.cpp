// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/descriptionscan.h"

#include "core/catalogue/catalogueentry.h"
#include "core/platform/textdecoding.h"

#include <array>

namespace hangardeck::core {

namespace {

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Where needle first occurs in text from `from` on, ASCII letters compared without regard
// to case; -1 when it does not. Only ASCII letters fold: Unicode folding would let
// "fltſim.0" stand for "fltsim.0", which the profile reader never does either.
qsizetype indexOfFolded(QStringView text, QStringView needle, qsizetype from)
{
    if (needle.isEmpty()) {
        return -1;
    }
    const qsizetype last = text.size() - needle.size();
    const char16_t first = asciiLower(needle.front().unicode());
    for (qsizetype at = from; at <= last; ++at) {
        if (asciiLower(text[at].unicode()) != first) {
            continue;
        }
        qsizetype i = 1;
        while (i < needle.size() && asciiLower(text[at + i].unicode()) == asciiLower(needle[i].unicode())) {
            ++i;
        }
        if (i == needle.size()) {
            return at;
        }
    }
    return -1;
}

} // namespace

QString scanDescription(QStringView fileText, QStringView sectionText)
{
    const QString empty = QString::fromUtf16(EmptyValueText);
    const qsizetype section = indexOfFolded(fileText, sectionText, 0);
    if (section < 0) {
        return empty;
    }
    // The first form found anywhere after the section text wins, however far away it is.
    static constexpr std::array<QStringView, 4> forms = {u"description=", u"description = ", u"description= ",
                                                         u"description ="};
    qsizetype key = -1;
    for (const QStringView form : forms) {
        key = indexOfFolded(fileText, form, section);
        if (key >= 0) {
            break;
        }
    }
    if (key < 0) {
        return empty;
    }
    // Always 12 characters on, the length of "description=": the forms with a space before
    // the equals sign keep it (and the space after it) in the text.
    const qsizetype start = key + 12;
    qsizetype end = start;
    while (end < fileText.size() && fileText[end] != u'\r' && fileText[end] != u'\n') {
        ++end;
    }
    if (end >= fileText.size()) {
        return empty; // the last line without a line end
    }
    // A line ended by LF alone (or a lone CR) reads as the same line ended by CR LF: the
    // candidate ends with one carriage return whatever the file's line ends are.
    const QString candidate = fileText.sliced(start, end - start) + u'\r';
    if (characterCount(candidate) < 4 || indexOfFolded(candidate, u"title=", 0) >= 0) {
        return empty;
    }
    return candidate;
}

} // namespace hangardeck::core
