// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// Row layout: a fitted field is exactly W + 1 characters (a surrogate pair is one), the
// value's first characters padded with spaces; a whole row, and one appended to a buffer,
// is its fields in lead order, each followed by padding and the delimiter, then the tag,
// the folder and the terminator (the folder leading: no tag, the title last).
#include "core/catalogue/rowformat.h"
#include "reference.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

namespace {

// Text from a few units that matter: ASCII, a blank, a backslash, a Latin-1 letter, both
// halves of a surrogate pair and a lone half of each kind.
QString text(FuzzedDataProvider &input, size_t maxUnits)
{
    static constexpr char16_t units[] = {u'a', u'B', u' ', u'\\', 0xE9, 0xD83D, 0xDEE9, 0xDBFF, 0xDC00, u'.'};
    QString result;
    for (const char c : input.ConsumeRandomLengthString(maxUnits)) {
        result += QChar(units[uchar(c) % std::size(units)]);
    }
    return result;
}

// Characters as a reader counts them: a high surrogate followed by a low one is one.
std::vector<QString> characters(const QString &value)
{
    std::vector<QString> result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const bool pair = value[i].isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate();
        result.push_back(value.sliced(i, pair ? 2 : 1));
        i += pair ? 1 : 0;
    }
    return result;
}

QString fitted(const QString &value, int widthChars)
{
    const std::vector<QString> chars = characters(value);
    QString result;
    for (size_t i = 0; i < size_t(widthChars) + 1; ++i) {
        result += i < chars.size() ? chars[i] : QStringLiteral(" ");
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    FormatSettings settings;
    settings.fieldWidthChars = input.ConsumeIntegralInRange(0, FormatSettings::MaxFieldWidthChars + 5);
    settings.paddingCount = input.ConsumeIntegralInRange(0, FormatSettings::MaxPaddingCount + 5);
    settings.actualWidth = input.ConsumeBool();
    settings.leadField = *leadFieldFromIndex(input.ConsumeIntegralInRange(0, LeadFieldCount - 1));
    CatalogueEntry entry;
    entry.fltsimIndex = input.ConsumeIntegralInRange(0, 99);
    settings.delimiter = text(input, FormatSettings::MaxDelimiterChars + 1);
    settings.terminator = text(input, FormatSettings::MaxTerminatorChars + 1);
    entry.manufacturer = text(input, 60);
    entry.type = text(input, 60);
    entry.title = text(input, 60);
    entry.subdir = u'\\' + text(input, 30);

    const int width = settings.fieldWidthChars;
    for (const QString *value : {&entry.manufacturer, &entry.type, &entry.title}) {
        const QString fit = rowformat::fitField(*value, width);
        check(characters(fit).size() == size_t(width) + 1, "fitField: exactly W + 1 characters");
        checkEqual(fit, fitted(*value, width), "fitField: the first characters, padded with spaces");
    }
    const QString tag = QStringLiteral(".%1").arg(entry.fltsimIndex, 2, 10, QLatin1Char('0'));
    checkEqual(rowformat::fltsimTag(entry.fltsimIndex), tag, "fltsimTag: '.' and two digits");
    const QString padding(settings.actualWidth ? 0 : settings.paddingCount + 1, u' ');
    checkEqual(rowformat::padString(settings.paddingCount), QString(settings.paddingCount + 1, u' '),
               "padString: count + 1 spaces");

    QString row;
    const auto field = [&](const QString &value, bool followed) {
        row += settings.actualWidth ? value : fitted(value, width);
        if (followed) {
            row += padding + settings.delimiter;
        }
    };
    switch (settings.leadField) {
    case LeadField::Manufacturer:
        field(entry.manufacturer, true), field(entry.type, true), field(entry.title, true);
        break;
    case LeadField::Type:
        field(entry.type, true), field(entry.manufacturer, true), field(entry.title, true);
        break;
    case LeadField::Title:
        field(entry.title, true), field(entry.manufacturer, true), field(entry.type, true);
        break;
    case LeadField::Subdir:
        row += entry.subdir + padding + settings.delimiter;
        field(entry.manufacturer, true), field(entry.type, true), field(entry.title, false);
        break;
    }
    if (settings.leadField != LeadField::Subdir) {
        row += tag + entry.subdir;
    }
    row += settings.terminator;
    checkEqual(rowformat::formatRow(entry, settings), row, "formatRow: fields in lead order");

    const QString before = text(input, 40);
    QString buffer = before;
    rowformat::appendRow(buffer, entry, settings);
    checkEqual(buffer, before + row, "appendRow: the row after what the buffer held");
    return 0;
}
