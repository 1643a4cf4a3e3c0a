// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_STARTUP_H
#define HANGARDECK_CORE_STARTUP_H

#include "core/settings/storedsettings.h"

namespace hangardeck::core {

class Profile;

// What start-up applies: the stored settings, or on a first run (marker sheep absent, empty,
// not a number, or any number but 9) the first-run values, with no geometry (the window is
// centred at its design size).
struct StartupPlan {
    bool firstRun = false;
    StoredSettings settings;
};

// Decides between a first run and a restore for the settings file start-up read.
StartupPlan planStartup(const Profile &settingsFile);

} // namespace hangardeck::core

#endif
