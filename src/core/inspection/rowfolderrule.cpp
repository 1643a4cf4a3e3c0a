// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/inspection/rowfolderrule.h"

namespace hangardeck::core {

std::optional<QString> rowFolder(QStringView row)
{
    const qsizetype backslash = row.indexOf(u'\\');
    if (backslash < 0) {
        return std::nullopt;
    }
    QStringView folder = row.sliced(backslash);
    // Only spaces: the padding of a fitted field. A tab or a terminator stays part of it.
    while (folder.endsWith(u' ')) {
        folder.chop(1);
    }
    return folder.toString();
}

std::optional<QString> rowEntryText(QStringView row)
{
    const qsizetype backslash = row.indexOf(u'\\');
    if (backslash < 2) {
        return std::nullopt;
    }
    const QStringView tag = row.sliced(backslash - 2, 2);
    return (tag.front() == u'0' ? tag.sliced(1) : tag).toString();
}

} // namespace hangardeck::core
