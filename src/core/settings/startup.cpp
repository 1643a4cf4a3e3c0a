// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/startup.h"

#include "core/platform/profile.h"
#include "core/settings/settingskeys.h"

namespace hangardeck::core {

namespace {

// The first-run values as start-up reads them back; the geometry stays unset, since the
// window is already centred at its design size.
StoredSettings firstRunSettings()
{
    StoredSettings settings;
    // The reader cuts a value to its longest length, so a long home folder reads back cut.
    QString directory = defaultAircraftDirectory();
    settings.aircraftDirectory = cutToCharacters(directory, Profile::MaxValueChars);
    settings.fieldWidthChars = 20;
    settings.paddingCount = 0;
    settings.actualWidth = CheckChange::Clear;
    settings.leadField = 0;
    settings.extendedMode = CheckChange::Check;
    settings.frame = 0;
    return settings;
}

} // namespace

StartupPlan planStartup(const Profile &settingsFile)
{
    StartupPlan plan;
    plan.firstRun = isFirstRun(settingsFile.settingsValue(SettingsSection, settingskey::sheep));
    plan.settings = plan.firstRun ? firstRunSettings() : StoredSettings::fromProfile(settingsFile);
    return plan;
}

} // namespace hangardeck::core
