// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_STOREDSETTINGS_H
#define HANGARDECK_CORE_STOREDSETTINGS_H

#include "core/settings/windowgeometry.h"

#include <QString>

#include <optional>

namespace hangardeck::core {

class Profile;

// What start-up does to a two-state control (the "Actual Width/No Pad" box, the extended
// mode menu item) for a stored value: "1" checks, "0" and text that is not a number clear,
// any other number leaves the control as it is.
enum class CheckChange { Check, Clear, Keep };

// The settings file as start-up reads it, every value already converted and checked. A
// nullopt number is a failed conversion or, for leadField and frame, a number that names no
// lead-field button or panel: start-up skips that step and the control keeps its state.
struct StoredSettings {
    QString aircraftDirectory;
    std::optional<int> fieldWidthChars;
    std::optional<int> paddingCount;
    CheckChange actualWidth = CheckChange::Keep;
    QString delimiter;
    QString terminator;
    std::optional<int> leadField; // 0 to 3, see leadFieldFromIndex()
    CheckChange extendedMode = CheckChange::Keep;
    std::optional<int> frame; // 0, 2, 3, 4 or 5, see isPanelElement()
    std::optional<float> topTwips;
    std::optional<float> leftTwips;
    std::optional<float> heightTwips;
    std::optional<float> widthTwips;

    // Reads the [main] section of a parsed settings file; missing keys read as empty text.
    static StoredSettings fromProfile(const Profile &profile);
};

// Whether start-up must run the first-run initialisation for a stored sheep value: every
// value but the number 9 (absent, empty, "0", "x") asks for it.
bool isFirstRun(const QString &sheepValue);

// The outcome of the "equals 1, then equals 0" tests for a stored two-state value.
CheckChange checkChangeFor(const QString &storedValue);

// Whether a frame value names one of the panels 0, 2, 3, 4, 5 (there is no panel 1).
bool isPanelElement(int value);

} // namespace hangardeck::core

#endif
