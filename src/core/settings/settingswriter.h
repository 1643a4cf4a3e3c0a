// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SETTINGSWRITER_H
#define HANGARDECK_CORE_SETTINGSWRITER_H

#include "core/platform/profilewriter.h"
#include "core/settings/windowgeometry.h"

#include <QString>

#include <optional>
#include <vector>

namespace hangardeck::core {

// Outer size of the main window as designed, in twips.
inline constexpr float DesignOuterHeightTwips = 7110;
inline constexpr float DesignOuterWidthTwips = 9105;

// The state of the main window at close, as the settings file stores it. Values that could
// not be read from the window are nullopt and leave their key as stored.
struct ClosingState {
    QString aircraftDirectory;
    QString fieldWidthText;   // the caption of the width label, "20"
    QString paddingText;      // the caption of the padding label, "0"
    int actualWidthState = 0; // 0 clear, 1 checked
    QString delimiter;
    QString terminator;
    std::optional<int> leadField; // nullopt: no lead-field button selected
    bool extendedMode = false;
    std::optional<int> frame; // nullopt: no panel visible
    std::optional<WindowGeometryTwips> geometry;
};

// Keys of the [main] section and their values, in the order they are written.
using SettingsValues = std::vector<ProfileEntry>;

// What a first run writes: all fourteen keys in table order, the window's outer geometry,
// sheep = "9" last.
SettingsValues firstRunValues(const WindowGeometryTwips &outerGeometry);

// What "Set Default Settings" writes: all fourteen keys, the given position, height "7110",
// width "9105", sheep = "0" last.
SettingsValues resetValues(float topTwips, float leftTwips);

// What a close writes: every key but sheep, in table order; a nullopt member of the state
// leaves its key out.
SettingsValues closingValues(const ClosingState &state);

} // namespace hangardeck::core

#endif
