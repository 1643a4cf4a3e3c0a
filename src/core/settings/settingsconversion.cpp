// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/settingsconversion.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace hangardeck::core::settingsconversion {

namespace {

bool isNumberChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
}

} // namespace

std::optional<double> toNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    // QLocale would also take "inf", "nan" and group separators; a stored setting is plain
    // decimal text, so anything else is rejected before parsing.
    for (const QChar c : trimmed) {
        if (!isNumberChar(c)) {
            return std::nullopt;
        }
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> toInt16(QStringView text)
{
    const std::optional<double> number = toNumber(text);
    if (!number) {
        return std::nullopt;
    }
    // The default floating-point rounding mode rounds halves to even.
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

std::optional<float> toSingle(QStringView text)
{
    const std::optional<double> number = toNumber(text);
    if (!number || std::abs(*number) > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

bool passesEqualityTest(QStringView text, double expected)
{
    const std::optional<double> number = toNumber(text);
    return !number || *number == expected;
}

QString singleToText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace hangardeck::core::settingsconversion
