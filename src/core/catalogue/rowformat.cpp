// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/rowformat.h"

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

// Appends the value cut or padded with spaces to exactly widthChars + 1 characters.
void appendFitted(QString &row, const QString &value, int widthChars)
{
    const qsizetype target = qsizetype(widthChars) + 1;
    const qsizetype units = unitsForChars(value, target);
    row += QStringView(value).first(units);
    const qsizetype chars = units == value.size() ? charCount(value) : target;
    row.resize(row.size() + target - chars, u' ');
}

} // namespace

QString fitField(const QString &value, int widthChars)
{
    QString fitted;
    appendFitted(fitted, value, widthChars);
    return fitted;
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

namespace {

// Appends a value fitted to W + 1 characters (or as it is, with actual width on), then the
// padding and the delimiter.
void appendField(QString &row, const QString &value, const FormatSettings &settings, bool followed = true)
{
    if (settings.actualWidth) {
        row += value;
    } else {
        appendFitted(row, value, settings.fieldWidthChars);
    }
    if (followed) {
        if (!settings.actualWidth) {
            row.resize(row.size() + settings.paddingCount + 1, u' ');
        }
        row += settings.delimiter;
    }
}

} // namespace

QString formatRow(const CatalogueEntry &entry, const FormatSettings &settings)
{
    QString row;
    // The exact length, so that a row kept holds no spare capacity.
    const auto fieldChars = [&settings](const QString &value) {
        return settings.actualWidth ? value.size() : qsizetype(settings.fieldWidthChars) + 1;
    };
    const qsizetype follow = settings.delimiter.size() + (settings.actualWidth ? 0 : settings.paddingCount + 1);
    const qsizetype fields = fieldChars(entry.manufacturer) + fieldChars(entry.type) + fieldChars(entry.title);
    row.reserve(fields + 3 * follow + 3 + entry.subdir.size() + settings.terminator.size());
    appendRow(row, entry, settings);
    return row;
}

void appendRow(QString &row, const CatalogueEntry &entry, const FormatSettings &settings)
{
    const auto appendTail = [&] {
        row += fltsimTag(entry.fltsimIndex);
        row += entry.subdir;
        row += settings.terminator;
    };
    switch (settings.leadField) {
    case LeadField::Type:
        appendField(row, entry.type, settings);
        appendField(row, entry.manufacturer, settings);
        appendField(row, entry.title, settings);
        appendTail();
        break;
    case LeadField::Title:
        appendField(row, entry.title, settings);
        appendField(row, entry.manufacturer, settings);
        appendField(row, entry.type, settings);
        appendTail();
        break;
    case LeadField::Subdir:
        // The folder leads unfitted but padded; the row carries no entry tag and ends with
        // the title and the terminator.
        row += entry.subdir;
        if (!settings.actualWidth) {
            row += padString(settings.paddingCount);
        }
        row += settings.delimiter;
        appendField(row, entry.manufacturer, settings);
        appendField(row, entry.type, settings);
        appendField(row, entry.title, settings, false);
        row += settings.terminator;
        break;
    case LeadField::Manufacturer:
        appendField(row, entry.manufacturer, settings);
        appendField(row, entry.type, settings);
        appendField(row, entry.title, settings);
        appendTail();
        break;
    }
}

} // namespace hangardeck::core::rowformat
