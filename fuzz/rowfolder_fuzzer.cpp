// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
// The folder and entry number a row names: from its first backslash to the end less trailing
// spaces, and the two characters before that backslash less a leading "0"; on any text, and
// on rows the row layout made, where they give back the entry's folder and number.
#include "core/catalogue/rowformat.h"
#include "core/inspection/rowfolderrule.h"
#include "reference.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace hangardeck::core;
using namespace hangardeck::fuzz;

namespace {

// Text of single-unit characters, so that a character is plainly one unit.
QString text(FuzzedDataProvider &input, size_t maxChars, bool backslashes = true)
{
    static constexpr char16_t chars[] = {u'a', u'0', u'1', u'7', u' ', u'.', u'\t', 0xE9, u'\\'};
    QString result;
    for (const char c : input.ConsumeRandomLengthString(maxChars)) {
        result += QChar(chars[uchar(c) % (std::size(chars) - (backslashes ? 0 : 1))]);
    }
    return result;
}

QString withoutTrailingSpaces(QString text)
{
    while (text.endsWith(u' ')) {
        text.chop(1);
    }
    return text;
}

void checkRow(const QString &row)
{
    const qsizetype backslash = row.indexOf(u'\\');
    const std::optional<QString> folder =
        backslash < 0 ? std::nullopt : std::optional(withoutTrailingSpaces(row.sliced(backslash)));
    checkEqual(rowFolder(row), folder, "rowFolder: from the first backslash, trailing spaces removed");
    std::optional<QString> entry;
    if (backslash >= 2) {
        const QString two = row.sliced(backslash - 2, 2);
        entry = two.startsWith(u'0') ? two.sliced(1) : two;
    }
    checkEqual(rowEntryText(row), entry, "rowEntryText: the two characters before the backslash, no leading 0");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    FormatSettings settings;
    settings.fieldWidthChars =
        input.ConsumeIntegralInRange(FormatSettings::MinFieldWidthChars, FormatSettings::MaxFieldWidthChars);
    settings.paddingCount = input.ConsumeIntegralInRange(0, FormatSettings::MaxPaddingCount);
    settings.actualWidth = input.ConsumeBool();
    settings.leadField = *leadFieldFromIndex(input.ConsumeIntegralInRange(0, LeadFieldCount - 1));
    CatalogueEntry entry;
    entry.fltsimIndex = input.ConsumeIntegralInRange(0, 32);
    settings.delimiter = text(input, FormatSettings::MaxDelimiterChars, false);
    settings.terminator = text(input, FormatSettings::MaxTerminatorChars, false);
    entry.manufacturer = text(input, 50, false);
    entry.type = text(input, 50, false);
    entry.title = text(input, 50, false);
    entry.subdir = u'\\' + text(input, 30);
    checkRow(text(input, 80));

    // A row the layout made names the entry's own folder and number.
    const QString row = rowformat::formatRow(entry, settings);
    checkRow(row);
    if (settings.leadField == LeadField::Subdir) {
        checkEqual(rowFolder(row), withoutTrailingSpaces(row), "a row led by its folder is all folder");
        checkEqual(rowEntryText(row), std::nullopt, "a row led by its folder has no number");
    } else {
        checkEqual(rowFolder(row), withoutTrailingSpaces(entry.subdir + settings.terminator), "the row's folder");
        checkEqual(rowEntryText(row), QString::number(entry.fltsimIndex), "the row's entry number");
    }
    return 0;
}
