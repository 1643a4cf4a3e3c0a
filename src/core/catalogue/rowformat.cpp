// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/catalogue/rowformat.h"

#include "core/platform/textdecoding.h"

#include <algorithm>
#include <utility>

namespace hangardeck::core::rowformat {

namespace {

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
    const qsizetype chars = units == value.size() ? characterCount(value) : target;
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

// The UTF-16 units and the characters of the first `limit` characters of a text, in one
// pass over it: a surrogate pair is one character.
std::pair<qsizetype, qsizetype> leadingChars(QStringView text, qsizetype limit)
{
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype at = 0;
    qsizetype chars = 0;
    while (at < size && chars < limit) {
        at += QChar::isHighSurrogate(units[at]) && at + 1 < size && QChar::isLowSurrogate(units[at + 1]) ? 2 : 1;
        ++chars;
    }
    return {at, chars};
}

// Lays a row out, counting its UTF-16 units, and writing them where given room: a row
// costs at most one allocation and no appends.
class RowWriter final
{
public:
    explicit RowWriter(QChar *out = nullptr)
        : m_out(out)
    {
    }

    void text(QStringView text)
    {
        if (m_out) {
            std::copy(text.begin(), text.end(), m_out + m_length);
        }
        m_length += text.size();
    }

    void spaces(qsizetype count)
    {
        if (count <= 0) {
            return; // settings out of their range lay out no room backwards
        }
        if (m_out) {
            std::fill_n(m_out + m_length, count, QChar(u' '));
        }
        m_length += count;
    }

    // ".03": the entry number in two digits.
    void tag(int fltsimIndex)
    {
        if (fltsimIndex < 0 || fltsimIndex > 99) {
            text(fltsimTag(fltsimIndex));
            return;
        }
        const char16_t digits[3] = {u'.', char16_t(u'0' + fltsimIndex / 10), char16_t(u'0' + fltsimIndex % 10)};
        text(QStringView(digits, 3));
    }

    qsizetype length() const { return m_length; }

private:
    QChar *m_out;
    qsizetype m_length = 0;
};

void layOut(RowWriter &row, const CatalogueEntry &entry, const FormatSettings &settings)
{
    // A value fitted to W + 1 characters (or as it is, with actual width on), then the
    // padding and the delimiter.
    const auto field = [&](const QString &value, bool followed = true) {
        if (settings.actualWidth) {
            row.text(value);
        } else {
            const qsizetype target = qsizetype(settings.fieldWidthChars) + 1;
            const auto [units, chars] = leadingChars(value, target);
            row.text(QStringView(value).first(units));
            row.spaces(target - chars);
        }
        if (followed) {
            if (!settings.actualWidth) {
                row.spaces(qsizetype(settings.paddingCount) + 1);
            }
            row.text(settings.delimiter);
        }
    };
    const auto tail = [&] {
        row.tag(entry.fltsimIndex);
        row.text(entry.subdir);
        row.text(settings.terminator);
    };
    switch (settings.leadField) {
    case LeadField::Type:
        field(entry.type);
        field(entry.manufacturer);
        field(entry.title);
        tail();
        break;
    case LeadField::Title:
        field(entry.title);
        field(entry.manufacturer);
        field(entry.type);
        tail();
        break;
    case LeadField::Subdir:
        // The folder leads unfitted but padded; the row carries no entry tag and ends with
        // the title and the terminator.
        row.text(entry.subdir);
        if (!settings.actualWidth) {
            row.spaces(qsizetype(settings.paddingCount) + 1);
        }
        row.text(settings.delimiter);
        field(entry.manufacturer);
        field(entry.type);
        field(entry.title, false);
        row.text(settings.terminator);
        break;
    case LeadField::Manufacturer:
        field(entry.manufacturer);
        field(entry.type);
        field(entry.title);
        tail();
        break;
    }
}

} // namespace

QString formatRow(const CatalogueEntry &entry, const FormatSettings &settings)
{
    // Counted first, so that a row kept holds no spare room.
    RowWriter count;
    layOut(count, entry, settings);
    QString row(count.length(), Qt::Uninitialized);
    RowWriter write(row.data());
    layOut(write, entry, settings);
    return row;
}

void appendRow(QString &row, const CatalogueEntry &entry, const FormatSettings &settings)
{
    // Room for the longest the row can be, then cut to what was written: a buffer used row
    // after row then costs neither a count nor an allocation.
    const qsizetype field = qsizetype(settings.fieldWidthChars) + 1;
    const qsizetype follow = qsizetype(settings.paddingCount) + 1 + settings.delimiter.size();
    const qsizetype longest = entry.manufacturer.size() + entry.type.size() + entry.title.size() + 3 * field
                              + 4 * follow + 12 + entry.subdir.size() + settings.terminator.size();
    const qsizetype start = row.size();
    row.resize(start + longest);
    RowWriter write(row.data() + start);
    layOut(write, entry, settings);
    Q_ASSERT(write.length() <= longest);
    row.resize(start + write.length());
}

QByteArray csvField(const QString &value)
{
    QByteArray bytes = value.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n')) {
        bytes.replace('"', "\"\"");
        return '"' + bytes + '"';
    }
    return bytes;
}

} // namespace hangardeck::core::rowformat
