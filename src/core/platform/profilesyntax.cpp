// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/profilesyntax.h"

#include <QString>
#include <QtEndian>

namespace hangardeck::core::profilesyntax {

namespace {

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
