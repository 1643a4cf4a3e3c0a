// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SETTINGSKEYS_H
#define HANGARDECK_CORE_SETTINGSKEYS_H

#include <QString>
#include <QStringList>

namespace hangardeck::core {

// Name of the settings file beside the program and its one section:
//   [main]
//   acpath=/home/pilot/.wine/drive_c/.../Aircraft/
inline constexpr auto SettingsFileName = u"hangardeck.ini";
inline constexpr auto SettingsSection = u"main";

// The fourteen keys of the settings file, in the order a new file holds them.
namespace settingskey {
inline constexpr auto acpath = u"acpath";
inline constexpr auto fieldwidth = u"fieldwidth";
inline constexpr auto fieldpadding = u"fieldpadding";
inline constexpr auto fieldactualwidth = u"fieldactualwidth";
inline constexpr auto fielddelimiter = u"fielddelimiter";
inline constexpr auto rowterminator = u"rowterminator";
inline constexpr auto leadfield = u"leadfield";
inline constexpr auto flsimx = u"flsimx";
inline constexpr auto frame = u"frame";
inline constexpr auto top = u"top";
inline constexpr auto left = u"left";
inline constexpr auto height = u"height";
inline constexpr auto width = u"width";
inline constexpr auto sheep = u"sheep";
} // namespace settingskey

// All keys in table order, sheep last.
QStringList settingsKeyOrder();

// The value of sheep once a settings file has been initialised.
inline constexpr int FirstRunDoneMarker = 9;

// The path of the settings file in a program folder, with exactly one separator between
// them (a program in "/" keeps "/hangardeck.ini").
QString settingsFilePath(const QString &programFolder);

// The simulator's standard aircraft directory: the Windows path on Windows, the same folder
// inside the default Wine prefix elsewhere (home expanded, trailing separator kept).
QString defaultAircraftDirectory();

} // namespace hangardeck::core

#endif
