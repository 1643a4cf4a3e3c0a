// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_CORE_DETAILSTEXT_H
#define HANGARDECK_CORE_DETAILSTEXT_H

#include <QString>

namespace hangardeck::core {

// What the details view shows of one [fltsim.N] entry of an aircraft.cfg.
struct EntryDetails {
    QString title;        // or "-EMPTY-"
    QString manufacturer; // or "-EMPTY-"
    QString type;         // or "-EMPTY-"
    QString description;  // scanDescription's result: "Twin jet\r" or "-EMPTY-"
    QString entryText;    // N of [fltsim.N]
};

class Profile;

// One entry of an aircraft.cfg: its three keys as the scan reads them (a value of fewer than
// two characters is none) and its description by the description scan of the file's text,
// decoded as its values are. An empty profile (no file, or one that cannot be read) gives
// "-EMPTY-" everywhere.
EntryDetails entryDetails(const Profile &profile, const QString &entryText);

// Text4's text, with CR LF line ends:
//   title CR LF CR LF manufacturer CR LF CR LF type CR LF CR LF description CR LF [fltsim.N]
QString detailsText(const EntryDetails &details);

} // namespace hangardeck::core

#endif
