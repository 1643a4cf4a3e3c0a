// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/settings/storedsettings.h"

#include "core/catalogue/leadfield.h"
#include "core/platform/profile.h"
#include "core/settings/settingsconversion.h"
#include "core/settings/settingskeys.h"

namespace hangardeck::core {

using namespace settingsconversion;

StoredSettings StoredSettings::fromProfile(const Profile &profile)
{
    const auto value = [&profile](QStringView key) { return profile.settingsValue(SettingsSection, key); };

    StoredSettings stored;
    stored.aircraftDirectory = value(settingskey::acpath);
    stored.fieldWidthChars = toInt16(value(settingskey::fieldwidth));
    stored.paddingCount = toInt16(value(settingskey::fieldpadding));
    stored.actualWidth = checkChangeFor(value(settingskey::fieldactualwidth));
    stored.delimiter = value(settingskey::fielddelimiter);
    stored.terminator = value(settingskey::rowterminator);
    stored.leadField = toInt16(value(settingskey::leadfield));
    if (stored.leadField && !leadFieldFromIndex(*stored.leadField)) {
        stored.leadField.reset();
    }
    stored.extendedMode = checkChangeFor(value(settingskey::flsimx));
    stored.frame = toInt16(value(settingskey::frame));
    if (stored.frame && !isPanelElement(*stored.frame)) {
        stored.frame.reset();
    }
    stored.topTwips = toSingle(value(settingskey::top));
    stored.leftTwips = toSingle(value(settingskey::left));
    stored.heightTwips = toSingle(value(settingskey::height));
    stored.widthTwips = toSingle(value(settingskey::width));
    return stored;
}

bool isFirstRun(const QString &sheepValue)
{
    const std::optional<double> marker = toNumber(sheepValue);
    return !marker || *marker != FirstRunDoneMarker;
}

CheckChange checkChangeFor(const QString &storedValue)
{
    // Two tests in a row, as start-up makes them: "equals 1" checks, then "equals 0"
    // clears. A non-number passes both, so it ends clear.
    CheckChange change = CheckChange::Keep;
    if (passesEqualityTest(storedValue, 1)) {
        change = CheckChange::Check;
    }
    if (passesEqualityTest(storedValue, 0)) {
        change = CheckChange::Clear;
    }
    return change;
}

bool isPanelElement(int value)
{
    return value == 0 || (value >= 2 && value <= 5);
}

} // namespace hangardeck::core
