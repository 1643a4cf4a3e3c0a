// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_SETTINGSFILE_H
#define HANGARDECK_CORE_SETTINGSFILE_H

#include "core/platform/profile.h"
#include "core/settings/settingswriter.h"

#include <QString>

namespace hangardeck::core {

// The settings file: hangardeck.ini beside the program (a portable copy), or in the user's
// configuration folder where the program folder cannot be written (an installed program).
class SettingsFile final
{
public:
    // Both folders as absolute paths; an empty user folder means there is none to fall back to,
    // an empty program folder that nothing is kept beside the program (an installed one).
    SettingsFile(QString programFolder, QString userConfigFolder);

    // The file beside the program: "/opt/hangardeck/hangardeck.ini", one separator even for "/";
    // empty when there is no program folder.
    QString portablePath() const;

    // The file in the user's configuration folder; empty when there is no such folder.
    QString userPath() const;

    // The file start-up reads: the program folder's when it exists (unless it cannot be
    // replaced and the user folder holds one: writes went there), else the user folder's when
    // that exists, else the program folder's (a first run).
    QString readPath() const;

    // The parsed content of readPath(), read whole whatever its size; an empty profile when it
    // is missing or unreadable.
    Profile read() const;

    // Replaces the given [main] keys in one atomic write, keeping every other line. Tries the
    // program folder's file first; when that cannot be written, the user folder's (the folder
    // is created when missing). A file written for the first time starts from the content of
    // the file start-up read, so sheep and foreign lines carry over. Returns the path written,
    // or an empty string when neither could be written.
    QString write(const SettingsValues &values) const;

private:
    QString m_programFolder;
    QString m_userConfigFolder;
};

} // namespace hangardeck::core

#endif
