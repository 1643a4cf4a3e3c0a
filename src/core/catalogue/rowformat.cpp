// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "catalogue/rowformat.h"

namespace hangardeck::core::rowformat {

namespace {

// Counts characters, not UTF-16 units: a surrogate pair is one character.
qsizetype charCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) {
            ++count;
        }
    }
    return count;
}

// UTF-16 position just past the first `chars` characters.
qsizetype unitsForChars(const QString &text, qsizetype chars)
{
    qsizetype units = 0;
    for (qsizetype counted = 0; counted < chars && units < text.size(); ++counted) {
        units += (text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate()) ? 2 : 1;
    }
    return units;
}

} // namespace

QString fitField(const QString &value, int widthChars)
{
    const qsizetype target = qsizetype(widthChars) + 1;
    const qsizetype chars = charCount(value);
    if (chars == target) {
        return value;
    }
    if (chars < target) {
        return value + QString(target - chars, u' ');
    }
    return value.first(unitsForChars(value, target));
}

QString fltsimTag(int fltsimIndex)
{
    const QString digits = QString::number(fltsimIndex);
    return (digits.size() < 2 ? QStringLiteral(".0") : QStringLiteral(".")) + digits;
}

QString padString(int paddingCount)
{
    return QString(qsizetype(paddingCount) + 1, u' ');
}

QString formatRow(const CatalogueEntry &entry, const FormatSettings &settings)
{
    // With actual width on, fields keep their own length and no padding follows them.
    const QString pad = settings.actualWidth ? QString() : padString(settings.paddingCount);
    const auto fit = [&](const QString &value) {
        return settings.actualWidth ? value : fitField(value, settings.fieldWidthChars);
    };
    const QString manufacturer = fit(entry.manufacturer);
    const QString type = fit(entry.type);
    const QString title = fit(entry.title);
    const QString &d = settings.delimiter;
    const QString tail = fltsimTag(entry.fltsimIndex) + entry.subdir + settings.terminator;

    switch (settings.leadField) {
    case LeadField::Type:
        return type + pad + d + manufacturer + pad + d + title + pad + d + tail;
    case LeadField::Title:
        return title + pad + d + manufacturer + pad + d + type + pad + d + tail;
    case LeadField::Subdir:
        // The folder leads unfitted; the row carries no entry tag and ends with the title.
        return entry.subdir + pad + d + manufacturer + pad + d + type + pad + d + title + settings.terminator;
    case LeadField::Manufacturer:
        break;
    }
    return manufacturer + pad + d + type + pad + d + title + pad + d + tail;
}

} // namespace hangardeck::core::rowformat
