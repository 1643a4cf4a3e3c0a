// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SETTINGSCONVERSION_H
#define HANGARDECK_CORE_SETTINGSCONVERSION_H

#include <QString>
#include <QStringView>

#include <optional>

namespace hangardeck::core::settingsconversion {

// A decimal number as stored in the settings file: "20", " -3 ", "12.5", "1e3". Blanks
// around it are allowed; anything else (empty text, "x", "inf", "0x10") is not a number.
std::optional<double> toNumber(QStringView text);

// A 16-bit signed integer: the number rounded to the nearest integer (halves to even);
// nullopt when the text is not a number or the result leaves -32768..32767.
std::optional<int> toInt16(QStringView text);

// A single-precision value (window geometry in twips); nullopt when the text is not a
// number or the value does not fit a float.
std::optional<float> toSingle(QStringView text);

// Whether a stored value passes the test "equals expected". Text that is not a number
// passes every such test: a conversion that fails inside the test lets the guarded step run.
bool passesEqualityTest(QStringView text, double expected);

// The shortest decimal text that reads back as the same float: 7110 gives "7110",
// 7110.5 gives "7110.5".
QString singleToText(float value);

} // namespace hangardeck::core::settingsconversion

#endif
