// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_LEADFIELD_H
#define HANGARDECK_CORE_LEADFIELD_H

#include <optional>

namespace hangardeck::core {

// The field that leads (and so sorts) each row; the values are those stored as leadfield
// and the indexes of the lead-field buttons.
enum class LeadField { Manufacturer = 0, Type = 1, Title = 2, Subdir = 3 };

inline constexpr int LeadFieldCount = 4;

// The lead field a stored or chosen index names; nullopt for any other number.
constexpr std::optional<LeadField> leadFieldFromIndex(int index)
{
    if (index < 0 || index >= LeadFieldCount) {
        return std::nullopt;
    }
    return static_cast<LeadField>(index);
}

} // namespace hangardeck::core

#endif
