// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_FORMATSETTINGS_H
#define HANGARDECK_CORE_FORMATSETTINGS_H

#include "core/catalogue/leadfield.h"

#include <QString>

namespace hangardeck::core {

// How rows are laid out, captured at the start of every scan.
struct FormatSettings {
    static constexpr int MinFieldWidthChars = 5;
    static constexpr int MaxFieldWidthChars = 40;
    static constexpr int MaxPaddingCount = 20;
    static constexpr int MaxDelimiterChars = 5;
    static constexpr int MaxTerminatorChars = 1;

    int fieldWidthChars = 20; // W: fitted fields are W + 1 characters long
    int paddingCount = 0;     // count + 1 spaces follow each field
    bool actualWidth = false; // "Actual Width/No Pad": no fitting, no padding
    QString delimiter;        // follows the padding of each field
    QString terminator;       // ends the row
    LeadField leadField = LeadField::Manufacturer;
};

} // namespace hangardeck::core

#endif
