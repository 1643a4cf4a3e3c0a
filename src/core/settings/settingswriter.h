// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SETTINGSWRITER_H
#define HANGARDECK_CORE_SETTINGSWRITER_H

#include "settings/storedsettings.h"

#include <QString>

#include <optional>

namespace hangardeck::core {

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
    std::optional<int> frame;     // nullopt: no panel visible
    std::optional<WindowGeometryTwips> geometry;
};

// Writes one settings key per call, in the order of the settings table. Each write is
// attempted even when an earlier one failed; the functions return false when any failed.
class SettingsWriter final
{
public:
    explicit SettingsWriter(QString iniPath);

    const QString &iniPath() const { return m_iniPath; }

    // First start (or after a reset): all fourteen keys, sheep = "9" last.
    bool writeFirstRun(const WindowGeometryTwips &geometry) const;

    // "Set Default Settings": all fourteen keys, height "7110", width "9105", sheep "0" last.
    bool writeReset(float topTwips, float leftTwips) const;

    // Close: every key but sheep.
    bool writeClosing(const ClosingState &state) const;

    // Outer size of the main window as designed, in twips.
    static constexpr float DesignHeightTwips = 7110;
    static constexpr float DesignWidthTwips = 9105;

private:
    bool write(QStringView key, const QString &value) const;
    bool writeDefaults() const;

    QString m_iniPath;
};

} // namespace hangardeck::core

#endif
